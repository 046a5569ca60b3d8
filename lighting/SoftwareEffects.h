// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CpuReadingWatch.h"
#include "LightModes.h"
#include "MusicLevels.h"
#include "TemperatureReading.h"
#include "TemperatureColor.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class BoxModel;
class Encoders;
class ComputerVolume;
class SensorReader;
class QTimer;

// The effects the program animates itself: the music modes (from the
// computer's audio or the phone's level) and the temperature mode, with the
// CPU temperature reading behind it. Owns their timers; all on the GUI thread.
class SoftwareEffects : public QObject, public LightingTimers {
    Q_OBJECT
public:
    // Periods of the timers, in milliseconds.
    static constexpr int kVolumeSampleMs = 50;
    // Samples without a capture before the window is told (a capture that
    // is only being opened does not count).
    static constexpr int kSamplesBeforeNoCapture = 40;
    static constexpr int kMusicFrameMs = 25;
    static constexpr int kTemperatureColorStepMs = 200;
    static constexpr int kSensorPassMs = 5000;
    static constexpr int kSensorRetryMs = 60000;
    // A pass whose plug-in call has not returned by then is a pass without a
    // reading; the call is left behind at the next retry if it still runs.
    static constexpr int kSensorDeadlineMs = 2000;

    explicit SoftwareEffects(Encoders &encoders, QObject *parent = nullptr);
    ~SoftwareEffects() override;

    // The audio capture for the music modes (created on first use if not given).
    void setComputerVolume(ComputerVolume *volume);
    // Binds the sensor plug-in library at `libraryPath` and starts the
    // reading pass (every 5 s, with or without a plug-in: no reading is a
    // reason to act). While the plug-in cannot be started, or finds no CPU
    // reading, it is started again every 60 s, so that a sensor driver
    // loaded later is picked up. The plug-in is called on a thread of its
    // own (SensorReader); sensorsBound() tells when the binding is done.
    void startSensors(const QString &libraryPath);
    // The two periods in milliseconds (tests shorten them).
    void setSensorPeriods(int passMs, int retryMs);
    void setSensorDeadline(int ms) { m_deadlineMs = ms; }
    // The computer woke up: a reading from before the sleep says nothing
    // about now. Until the next one the fans that follow the temperature
    // count as without a reading (their cap, as at start-up), and that next
    // reading is asked for at once rather than a period later.
    void startTemperatureAfresh();
    bool hasSensors() const;
    // Whether the last pass found a CPU reading.
    bool hasTemperature() const { return m_hasTemperature; }
    bool isSensorRetryRunning() const;

    // The phone's level for "Mobile_1".."Mobile_3".
    void setPhoneLevel(int level);
    // Only the 25 ms frames, for the phone's level stream.
    void startMusicEffectTimer();

    // The last CPU reading (0 before the first).
    int temperature() const { return m_temperature; }
    Rgb shownColor() const { return m_shown; }
    const MusicLevels &levels() const { return m_levels; }
    bool isTemperatureColorRunning() const;

    // The sensor listing of the information window (waited for at most a
    // second: the user asked for it; empty while the plug-in is busy).
    QStringList sensorInfo();
    // Threads left behind with a plug-in call that never returned.
    int abandonedSensorCalls() const;

    // LightingTimers
    void startMusicTimers() override;
    void stopMusicTimers() override;
    void startTemperatureColorTimer() override;
    void stopTemperatureColorTimer() override;
    void applyTemperatureColor(int box, int fan) override;

signals:
    // A pass found a CPU reading.
    void temperatureChanged(int celsius);
    // A pass found none: the label shows that there is no reading.
    void temperatureMissing();
    // Once per outage: no CPU reading for a while (or none since start-up),
    // and the fans that follow the temperature were sent to their cap.
    void temperatureReadingLost();
    // A reading pass is complete (its reading, or none), for those who wait on it.
    void sensorPassFinished();
    // A binding of the plug-in is complete.
    void sensorsBound(bool ok);
    // The music effects hear the computer's audio (true) or have had no
    // capture for a while (false): no sound server, or it went away.
    void musicCaptureChanged(bool capturing);

public slots:
    void getVolumeValue();
    void runMusicModeTimer();
    void sendCommandCPUTemp();
    // Asks the plug-in for a pass; the result is applied when it comes back,
    // or the pass counts as one without a reading when it does not in time.
    void updateCPUTemp();
    // True when a new binding was started (sensorsBound() follows).
    bool retrySensorPlugin();

private:
    void onSensorsBound(bool ok, const QString &failure);
    void onPassDone(const TemperaturePass &pass);
    void onPassDeadline();
    void finishPass(const TemperaturePass &pass);
    void sendShownColor();

    Encoders &m_encoders;
    const BoxModel &m_boxes;
    QTimer *m_volumeTimer;
    QTimer *m_musicTimer;
    QTimer *m_temperatureColorTimer;
    QTimer *m_cpuTemperatureTimer;
    QTimer *m_sensorRetryTimer;
    ComputerVolume *m_volume = nullptr;
    int m_samplesWithoutCapture = 0;
    bool m_captureTold = true;
    QTimer *m_passDeadline;
    SensorReader *m_reader;
    bool m_firstBind = true;
    bool m_passPending = false; // asked, not answered yet
    bool m_passLate = false;    // ...and already counted as a pass without a reading
    int m_deadlineMs = kSensorDeadlineMs;
    QString m_sensorPath;
    QString m_sensorFailure;
    CpuReadingWatch m_watch;
    bool m_hasTemperature = false;
    MusicLevels m_levels;
    int m_temperature = 0;
    int m_previousTemperature = 0;
    Rgb m_shown;
};
