#pragma once

#include "LightModes.h"
#include "MusicLevels.h"
#include "TemperatureColor.h"

#include <QObject>
#include <QStringList>

#include <memory>

class ComputerVolume;
class SensorPlugin;
class QTimer;

// The effects the program animates itself: the music modes (from the
// computer's audio or the phone's level) and the temperature mode, with the
// CPU temperature reading behind it. Owns their timers; all on the GUI thread.
class SoftwareEffects : public QObject, public LightingTimers {
    Q_OBJECT
public:
    explicit SoftwareEffects(QObject *parent = nullptr);
    ~SoftwareEffects() override;

    // The audio capture for the music modes (created on first use if not given).
    void setComputerVolume(ComputerVolume *volume);
    // Binds the sensor plug-in; without one the temperature features stay off.
    void setSensorPlugin(std::unique_ptr<SensorPlugin> plugin);
    bool hasSensors() const { return m_sensors != nullptr; }

    // The phone's level for "Mobile_1".."Mobile_3".
    void setPhoneLevel(int level);
    // Only the 25 ms frames, for the phone's level stream.
    void startMusicEffectTimer();

    int temperature() const { return m_temperature; }
    Rgb shownColor() const { return m_shown; }
    const MusicLevels &levels() const { return m_levels; }
    bool isMusicRunning() const;
    bool isVolumeRunning() const;
    bool isTemperatureColorRunning() const;

    // The sensor listing of the information window.
    QStringList sensorInfo();

    // LightingTimers
    void startMusicTimers() override;
    void stopMusicTimers() override;
    void startTemperatureColorTimer() override;
    void stopTemperatureColorTimer() override;
    void applyTemperatureColor(int box, int fan) override;

signals:
    void temperatureChanged(int celsius);

public slots:
    void getVolumeValue();
    void runMusicModeTimer();
    void sendCommandCPUTemp();
    void updateCPUTemp();

private:
    QTimer *m_volumeTimer;
    QTimer *m_musicTimer;
    QTimer *m_temperatureColorTimer;
    QTimer *m_cpuTemperatureTimer = nullptr;
    ComputerVolume *m_volume = nullptr;
    std::unique_ptr<SensorPlugin> m_sensors;
    MusicLevels m_levels;
    int m_temperature = 0;
    int m_previousTemperature = 0;
    Rgb m_shown;
};
