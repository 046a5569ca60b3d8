#include "SoftwareEffects.h"

#include "common/Logging.h"
#include "ComputerVolume.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanSpeed.h"
#include "MusicFrames.h"
#include "SensorPlugin.h"
#include "TemperatureReading.h"

#include <QDebug>
#include <QTimer>

namespace {

// "Start" of an effect timer that runs already must not shift its beat.
void startUnlessRunning(QTimer *timer, int periodMs)
{
    if (!timer->isActive())
        timer->start(periodMs);
}

QTimer *makeTimer(QObject *owner, const char *setupLog)
{
    auto *timer = new QTimer(owner);
    timer->setTimerType(Qt::PreciseTimer);
    qCDebug(lcLighting) << setupLog;
    return timer;
}

} // namespace

SoftwareEffects::SoftwareEffects(Encoders &encoders, QObject *parent)
    : QObject(parent)
    , m_encoders(encoders)
    , m_boxes(encoders.boxes())
    , m_volumeTimer(makeTimer(this, "computerMusicTimer start"))
    , m_musicTimer(makeTimer(this, "setupMusicModeTimer start"))
    , m_temperatureColorTimer(makeTimer(this, "setupcomputTempTimer setup"))
    , m_cpuTemperatureTimer(new QTimer(this))
    , m_sensorRetryTimer(new QTimer(this))
    , m_shown(temperatureScaleColor(0))
{
    m_cpuTemperatureTimer->setInterval(kSensorPassMs);
    m_sensorRetryTimer->setInterval(kSensorRetryMs);
    connect(m_cpuTemperatureTimer, &QTimer::timeout, this, &SoftwareEffects::updateCPUTemp, Qt::DirectConnection);
    connect(m_sensorRetryTimer, &QTimer::timeout, this, &SoftwareEffects::retrySensorPlugin, Qt::DirectConnection);
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

void SoftwareEffects::startSensors(const QString &libraryPath)
{
    m_sensorPath = libraryPath;
    if (!bindSensors(true) && !m_sensorRetryTimer->isActive())
        m_sensorRetryTimer->start();
    m_cpuTemperatureTimer->start();
}

void SoftwareEffects::setSensorPeriods(int passMs, int retryMs)
{
    m_cpuTemperatureTimer->setInterval(passMs);
    m_sensorRetryTimer->setInterval(retryMs);
}

bool SoftwareEffects::isSensorRetryRunning() const { return m_sensorRetryTimer->isActive(); }

bool SoftwareEffects::bindSensors(bool firstAttempt)
{
    QString failure;
    std::unique_ptr<SensorPlugin> plugin = bindSensorPlugin(m_sensorPath, &failure);
    if (plugin) {
        // Started again while it runs (to find a driver loaded since): no news.
        if (firstAttempt || !m_sensors)
            qCInfo(lcLighting) << "INIT OK";
        m_sensorFailure.clear();
        m_sensors = std::move(plugin);
        return true;
    }
    // A plug-in that stopped working is no plug-in.
    m_sensors.reset();
    // Said once; a retry that fails the same way only says it when asked.
    if (firstAttempt || failure != m_sensorFailure)
        qCInfo(lcLighting).noquote() << failure;
    else
        qCDebug(lcLighting).noquote() << "sensorRetry:" << failure;
    m_sensorFailure = failure;
    return false;
}

void SoftwareEffects::retrySensorPlugin()
{
    if (m_sensors && m_hasTemperature) {
        m_sensorRetryTimer->stop();
        return;
    }
    bindSensors(false);
}

void SoftwareEffects::setPhoneLevel(int level)
{
    m_levels.setPhoneLevel(level < 0 ? 0 : (level > 100 ? 100 : level));
}

bool SoftwareEffects::isTemperatureColorRunning() const { return m_temperatureColorTimer->isActive(); }

void SoftwareEffects::startMusicTimers()
{
    startUnlessRunning(m_volumeTimer, kVolumeSampleMs);
    startMusicEffectTimer();
}

void SoftwareEffects::startMusicEffectTimer()
{
    startUnlessRunning(m_musicTimer, kMusicFrameMs);
}

void SoftwareEffects::stopMusicTimers()
{
    m_musicTimer->stop();
    m_volumeTimer->stop();
}

void SoftwareEffects::startTemperatureColorTimer()
{
    startUnlessRunning(m_temperatureColorTimer, kTemperatureColorStepMs);
}

void SoftwareEffects::stopTemperatureColorTimer()
{
    m_temperatureColorTimer->stop();
}

void SoftwareEffects::applyTemperatureColor(int box, int fan)
{
    // No reading, no colour: the first reading sends it (an unknown
    // temperature must not look cold).
    if (!m_hasTemperature) {
        startTemperatureColorTimer();
        return;
    }
    m_shown = temperatureScaleColor(m_temperature);
    m_encoders.sendCommand_TempColor(box, fan, m_shown.r, m_shown.g, m_shown.b);
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
        const ControllerBox &box = m_boxes[b];
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
                    m_encoders.sendCommand_Music(b, f, level);
                else
                    m_encoders.sendCommand_MusicLeds(b, f, level);
                break;
            case LightMode::Music_2:
            case LightMode::Mobile_2:
                sendCommand_MusicBar(m_encoders, b, f, level);
                break;
            case LightMode::Music_3:
            case LightMode::Mobile_3:
                sendCommand_MusicPair(m_encoders, b, f, level);
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
    sendShownColor();
}

void SoftwareEffects::sendShownColor()
{
    for (int b = 0; b < kBoxCount; ++b) {
        const ControllerBox &box = m_boxes[b];
        if (!box.gIsConnected || box.isVaylaBox())
            continue;
        for (int f = 0; f < kRainbowFanCount; ++f) {
            if (effectiveLightMode(box.rainbowFan[f]) == LightMode::Temperature)
                m_encoders.sendCommand_TempColor(b, f, m_shown.r, m_shown.g, m_shown.b);
        }
    }
}

void SoftwareEffects::updateCPUTemp()
{
    TemperaturePass pass;
    if (m_sensors)
        pass = readCpuTemperature(*m_sensors);
    const CpuReadingWatch::Decision decision = m_watch.afterPass(pass.cpuFound);

    if (pass.cpuFound) {
        const bool first = !m_hasTemperature;
        m_hasTemperature = true;
        // The first reading after none shows its colour at once; the walk
        // starts from there with the next one.
        m_previousTemperature = first ? pass.temperature : m_temperature;
        m_temperature = pass.temperature;
        emit temperatureChanged(m_temperature);
        applyTemperatureDuty(m_encoders, m_temperature);
        if (first) {
            m_shown = temperatureScaleColor(m_temperature);
            sendShownColor();
        }
        if (decision.outageEnds)
            qCInfo(lcLighting) << "updateCPUTemp:" << "CPU temperature reading back:" << m_temperature;
        return;
    }

    // "No reading" is not 0 degrees: the temperature keeps its last value
    // (the colour never walks towards "cold"), and the fans keep their duty
    // for a short gap, then run at their cap.
    m_hasTemperature = false;
    emit temperatureMissing();
    if (decision.fans == CpuReadingWatch::Fans::Cap)
        applyCapDuty(m_encoders);
    if (decision.outageBegins) {
        qCWarning(lcLighting) << "updateCPUTemp:"
                              << "no CPU temperature reading; fans that follow it run at their cap";
        emit temperatureReadingLost();
    } else {
        qCDebug(lcLighting) << "updateCPUTemp:" << "no CPU temperature reading";
    }
    if (!m_sensorRetryTimer->isActive())
        m_sensorRetryTimer->start();
}

QStringList SoftwareEffects::sensorInfo()
{
    return m_sensors ? sensorInfoLines(*m_sensors) : QStringList();
}
