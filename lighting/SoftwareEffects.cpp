// SPDX-License-Identifier: GPL-3.0-or-later
#include "SoftwareEffects.h"

#include "common/Logging.h"
#include "AudioLoopback.h"
#include "ComputerVolume.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanSpeed.h"
#include "MusicFrames.h"
#include "SensorReader.h"
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
    , m_passDeadline(new QTimer(this))
    , m_reader(new SensorReader(this))
    , m_shown(temperatureScaleColor(0))
{
    m_cpuTemperatureTimer->setInterval(kSensorPassMs);
    m_sensorRetryTimer->setInterval(kSensorRetryMs);
    m_passDeadline->setSingleShot(true);
    connect(m_passDeadline, &QTimer::timeout, this, &SoftwareEffects::onPassDeadline);
    connect(m_reader, &SensorReader::bound, this, &SoftwareEffects::onSensorsBound);
    connect(m_reader, &SensorReader::passDone, this, &SoftwareEffects::onPassDone);
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
    m_firstBind = true;
    m_reader->bind(libraryPath);
    m_cpuTemperatureTimer->start();
}

void SoftwareEffects::setSensorPeriods(int passMs, int retryMs)
{
    m_cpuTemperatureTimer->setInterval(passMs);
    m_sensorRetryTimer->setInterval(retryMs);
}

void SoftwareEffects::startTemperatureAfresh()
{
    m_hasTemperature = false;
    if (!m_cpuTemperatureTimer->isActive())
        return; // no sensors started: there is no reading to ask for
    m_cpuTemperatureTimer->start();
    updateCPUTemp();
}

bool SoftwareEffects::isSensorRetryRunning() const { return m_sensorRetryTimer->isActive(); }

bool SoftwareEffects::hasSensors() const { return m_reader->hasPlugin(); }

int SoftwareEffects::abandonedSensorCalls() const { return m_reader->abandonedCount(); }

void SoftwareEffects::onSensorsBound(bool ok, const QString &failure)
{
    const bool firstAttempt = m_firstBind;
    m_firstBind = false;
    if (ok) {
        // Started again while it runs (to find a driver loaded since): no news.
        if (firstAttempt || !m_sensorFailure.isEmpty()) {
            qCInfo(lcLighting) << "INIT OK";
            // Bound, the plug-in may still say why no CPU temperature will come.
            if (!failure.isEmpty())
                qCInfo(lcLighting).noquote() << "sensorPlugin:" << failure;
        }
        m_sensorFailure.clear();
    } else {
        // Said once; a retry that fails the same way only says it when asked.
        if (firstAttempt || failure != m_sensorFailure)
            qCInfo(lcLighting).noquote() << failure;
        else
            qCDebug(lcLighting).noquote() << "sensorRetry:" << failure;
        m_sensorFailure = failure;
        if (!m_sensorRetryTimer->isActive())
            m_sensorRetryTimer->start();
    }
    emit sensorsBound(ok);
}

bool SoftwareEffects::retrySensorPlugin()
{
    if (m_reader->hasPlugin() && m_hasTemperature) {
        m_sensorRetryTimer->stop();
        return false;
    }
    if (m_reader->isBusy()) {
        if (m_reader->busyMs() < m_deadlineMs)
            return false; // it still has its time
        // A call that has not returned by now may never: leave it behind and start afresh.
        if (!m_reader->abandon()) {
            qCDebug(lcLighting) << "sensorRetry:" << "the plug-in still does not return";
            return false;
        }
        qCWarning(lcLighting) << "sensor plug-in: a call did not return; it is left behind and the plug-in started again";
        m_passPending = false;
        m_passLate = false;
        m_passDeadline->stop();
    }
    return m_reader->bind(m_sensorPath);
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
    const bool capturing = m_volume->capture() && m_volume->capture()->isCapturing();
    m_samplesWithoutCapture = capturing ? 0 : m_samplesWithoutCapture + 1;
    if (capturing != m_captureTold && (capturing || m_samplesWithoutCapture >= kSamplesBeforeNoCapture)) {
        m_captureTold = capturing;
        emit musicCaptureChanged(capturing);
    }
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
    if (m_passPending) {
        // The last call has not come back: while it hangs, every pass is one without a reading.
        if (m_passLate)
            finishPass(TemperaturePass());
        return;
    }
    if (m_reader->isBusy()) {
        // A binding (or the sensor listing) still runs.
        if (m_reader->busyMs() >= m_deadlineMs)
            finishPass(TemperaturePass());
        return;
    }
    if (!m_reader->hasPlugin()) {
        finishPass(TemperaturePass());
        return;
    }
    m_reader->requestPass();
    m_passPending = true;
    m_passLate = false;
    m_passDeadline->start(m_deadlineMs);
}

void SoftwareEffects::onPassDeadline()
{
    if (!m_passPending || m_passLate)
        return;
    m_passLate = true;
    qCDebug(lcLighting) << "updateCPUTemp:" << "the sensor plug-in did not answer within" << m_deadlineMs << "ms";
    finishPass(TemperaturePass());
}

void SoftwareEffects::onPassDone(const TemperaturePass &pass)
{
    m_passDeadline->stop();
    const bool late = m_passLate;
    m_passPending = false;
    m_passLate = false;
    if (late) {
        // Its pass was counted without a reading already; the next one asks afresh.
        qCDebug(lcLighting) << "updateCPUTemp:" << "a late answer of the sensor plug-in is dropped";
        return;
    }
    finishPass(pass);
}

void SoftwareEffects::finishPass(const TemperaturePass &pass)
{
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
        emit sensorPassFinished();
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
    emit sensorPassFinished();
}

QStringList SoftwareEffects::sensorInfo()
{
    return m_reader->info(1000);
}
