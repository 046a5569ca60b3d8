#include "SoftwareEffects.h"

#include "common/Logging.h"
#include "ComputerVolume.h"
#include "device/BoxTable.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "MusicFrames.h"
#include "SensorPlugin.h"
#include "TemperatureReading.h"

#include <QDebug>
#include <QTimer>

namespace {

QTimer *makeTimer(QObject *owner, const char *setupLog)
{
    auto *timer = new QTimer(owner);
    timer->setTimerType(Qt::PreciseTimer);
    qCDebug(lcLighting) << setupLog;
    return timer;
}

} // namespace

SoftwareEffects::SoftwareEffects(QObject *parent)
    : QObject(parent)
    , m_volumeTimer(makeTimer(this, "computerMusicTimer start"))
    , m_musicTimer(makeTimer(this, "setupMusicModeTimer start"))
    , m_temperatureColorTimer(makeTimer(this, "setupcomputTempTimer setup"))
    , m_shown(temperatureScaleColor(0))
{
    connect(m_volumeTimer, &QTimer::timeout, this, &SoftwareEffects::getVolumeValue, Qt::DirectConnection);
    connect(m_musicTimer, &QTimer::timeout, this, &SoftwareEffects::runMusicModeTimer, Qt::DirectConnection);
    connect(m_temperatureColorTimer, &QTimer::timeout, this, &SoftwareEffects::sendCommandCPUTemp,
            Qt::DirectConnection);
}

SoftwareEffects::~SoftwareEffects() = default;

void SoftwareEffects::setComputerVolume(ComputerVolume *volume)
{
    m_volume = volume;
}

void SoftwareEffects::setSensorPlugin(std::unique_ptr<SensorPlugin> plugin)
{
    m_sensors = std::move(plugin);
    if (!m_sensors || m_cpuTemperatureTimer)
        return;
    m_cpuTemperatureTimer = new QTimer(this);
    connect(m_cpuTemperatureTimer, &QTimer::timeout, this, &SoftwareEffects::updateCPUTemp, Qt::DirectConnection);
    m_cpuTemperatureTimer->start(5000);
}

void SoftwareEffects::setPhoneLevel(int level)
{
    m_levels.setPhoneLevel(level < 0 ? 0 : (level > 100 ? 100 : level));
}

bool SoftwareEffects::isMusicRunning() const { return m_musicTimer->isActive(); }
bool SoftwareEffects::isVolumeRunning() const { return m_volumeTimer->isActive(); }
bool SoftwareEffects::isTemperatureColorRunning() const { return m_temperatureColorTimer->isActive(); }

void SoftwareEffects::startMusicTimers()
{
    if (!m_volumeTimer->isActive())
        m_volumeTimer->start(50);
    startMusicEffectTimer();
}

void SoftwareEffects::startMusicEffectTimer()
{
    if (!m_musicTimer->isActive())
        m_musicTimer->start(25);
}

void SoftwareEffects::stopMusicTimers()
{
    if (m_musicTimer->isActive())
        m_musicTimer->stop();
    if (m_volumeTimer->isActive())
        m_volumeTimer->stop();
}

void SoftwareEffects::startTemperatureColorTimer()
{
    if (!m_temperatureColorTimer->isActive())
        m_temperatureColorTimer->start(200);
}

void SoftwareEffects::stopTemperatureColorTimer()
{
    if (m_temperatureColorTimer->isActive())
        m_temperatureColorTimer->stop();
}

void SoftwareEffects::applyTemperatureColor(int box, int fan)
{
    m_shown = temperatureScaleColor(m_temperature);
    sendCommand_TempColor(box, fan, m_shown.r, m_shown.g, m_shown.b);
    startTemperatureColorTimer();
}

void SoftwareEffects::getVolumeValue()
{
    if (!m_volume)
        m_volume = new ComputerVolume(this);
    m_levels.setComputerLevel(m_volume->volumeLevel());
}

void SoftwareEffects::runMusicModeTimer()
{
    qCDebug(lcLighting) << "runMusicModeTimer---volume:" << m_levels.computerLevel();
    m_levels.tick();
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = boxArray[b];
        if (!box.gIsConnected || box.isVaylaBox())
            continue;
        for (int f = 0; f < kRainbowFanCount; ++f) {
            const RainbowFanRecord &fan = box.rainbowFan[f];
            const int m = effectiveLightMode(fan);
            const int level = m_levels.levelFor(m);
            switch (m) {
            case LightMode::Music_1:
            case LightMode::Mobile_1:
                if (fan.colorMode != 0)
                    sendCommand_Music(b, f, level);
                else
                    sendCommand_MusicLeds(b, f, level);
                break;
            case LightMode::Music_2:
            case LightMode::Mobile_2:
                sendCommand_MusicBar(b, f, level);
                break;
            case LightMode::Music_3:
            case LightMode::Mobile_3:
                sendCommand_MusicPair(b, f, level);
                break;
            default:
                break;
            }
        }
    }
}

void SoftwareEffects::sendCommandCPUTemp()
{
    const TemperatureWalk walk = walkTemperatureColor(m_temperature, m_previousTemperature, m_shown);
    if (!walk.send) {
        qCDebug(lcLighting) << "preTemp == maxTemp:" << m_previousTemperature;
        return;
    }
    m_shown = walk.shown;
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = boxArray[b];
        if (!box.gIsConnected || box.isVaylaBox())
            continue;
        for (int f = 0; f < kRainbowFanCount; ++f) {
            if (effectiveLightMode(box.rainbowFan[f]) == LightMode::Temperature)
                sendCommand_TempColor(b, f, m_shown.r, m_shown.g, m_shown.b);
        }
    }
}

void SoftwareEffects::updateCPUTemp()
{
    if (!m_sensors)
        return;
    m_previousTemperature = m_temperature;
    const TemperaturePass pass = readCpuTemperature(*m_sensors);
    m_temperature = pass.temperature;
    emit temperatureChanged(m_temperature);
    if (!pass.cpuFound) {
        // "No reading" is not 0 degrees: slowing every fan to its minimum
        // while the processor may be hot would be the worst guess.
        qWarning() << "updateCPUTemp:" << "no CPU temperature reading; fans keep their duty";
        return;
    }
    applyTemperatureDuty(m_temperature);
}

QStringList SoftwareEffects::sensorInfo()
{
    return m_sensors ? sensorInfoLines(*m_sensors) : QStringList();
}
