#include "LightModes.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"

#include <QDebug>

int normalisedColorMode(int mode, int current)
{
    switch (mode) {
    case LightMode::Snake:
    case LightMode::Cycle:
        return ColorMode::Off; // the box's own colours
    case LightMode::Radar:
        return ColorMode::Single;
    case LightMode::Whirl:
        return ColorMode::RGB;
    case LightMode::Blink:
    case LightMode::Breath:
    case LightMode::Light:
        return (current >= 0 && current < ColorMode::Count) ? current : ColorMode::RGB;
    default:
        return current;
    }
}

void applyBoxSettings(int box, LightingTimers &timers, Resend kind)
{
    if (!isValidBox(box) || !boxArray[box].gIsConnected)
        return;
    for (int f = 0; f < kRainbowFanCount; ++f) {
        RainbowFanRecord &fan = boxArray[box].rainbowFan[f];
        sendFixedSpeed(box, f);
        const int m = effectiveLightMode(fan);
        if (!fan.isTurnOffLed && kind == Resend::Reapply) {
            fan.colorMode = normalisedColorMode(m, fan.colorMode);
            qCDebug(lcLighting) << "lightType:" << m;
        }
        if (sendStoredLighting(box, f))
            continue;
        if (m == LightMode::Copy) {
            if (kind == Resend::Reapply)
                copyColor(box, f);
        } else if (LightMode::isMusic(m)) {
            timers.startMusicTimers();
        } else if (m == LightMode::Temperature) {
            if (kind == Resend::Startup)
                timers.applyTemperatureColor(box, f);
            else
                timers.startTemperatureColorTimer();
        }
    }
}

void applyFanLight(int box, int fan, LightingTimers &timers)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !boxArray[box].gIsConnected)
        return;
    if (sendStoredLighting(box, fan))
        return;
    if (effectiveLightMode(boxArray[box].rainbowFan[fan]) == LightMode::Temperature)
        timers.applyTemperatureColor(box, fan);
    // A copied "Copy" has nothing to play; music modes are driven by their timer.
}

void resendFanLight(int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !boxArray[box].gIsConnected)
        return;
    sendStoredLighting(box, fan);
}

void copyFirstFanLook(int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return;
    const RainbowFanRecord &first = boxArray[box].rainbowFan[0];
    RainbowFanRecord &record = boxArray[box].rainbowFan[fan];
    record.copyLightMode = first.lightMode;
    record.colorMode = first.colorMode;
    record.lightSpeed = first.lightSpeed;
    record.isTurnOffLed = first.isTurnOffLed;
    for (int i = 0; i < kColorEntries; ++i) {
        record.rValue_Led[i] = first.rValue_Led[i];
        record.gValue_Led[i] = first.gValue_Led[i];
        record.bValue_Led[i] = first.bValue_Led[i];
        record.brightValue[i] = first.brightValue[i];
    }
}

void copyFirstVaylaFan(int box, int fan)
{
    if (!isValidBox(box) || !isValidVaylaFan(fan))
        return;
    const VaylaFanRecord &first = boxArray[box].vaylaFan[0];
    VaylaFanRecord &record = boxArray[box].vaylaFan[fan];
    record.lightMode = first.lightMode;
    record.isTurnOffLed = first.isTurnOffLed;
    record.rValue = first.rValue;
    record.gValue = first.gValue;
    record.bValue = first.bValue;
    record.brightValue = first.brightValue;
}

void copyColor(int box, int fan)
{
    qCDebug(lcLighting) << "copyColor";
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !isValidBox(controllerBoxNumber))
        return;
    RainbowFanRecord &record = boxArray[box].rainbowFan[fan];
    record.copyLightMode = boxArray[controllerBoxNumber].rainbowFan[0].lightMode;
    qCDebug(lcLighting) << "copyColor-copyLightMode:" << record.copyLightMode;
    if (record.isTurnOffLed) {
        sendCommand_turnoff(box, fan);
        return;
    }
    sendLightModeCommand(box, fan, record.copyLightMode);
}

namespace {

template <typename Pred>
bool anyWatchedFan(Pred pred)
{
    for (const ControllerBox &box : boxArray) {
        if (!box.gIsConnected || box.isVaylaBox())
            continue;
        for (const RainbowFanRecord &fan : box.rainbowFan) {
            if (fan.isMonitor && pred(fan.lightMode))
                return true;
        }
    }
    return false;
}

} // namespace

bool anyFanInMusicMode()
{
    return anyWatchedFan([](int m) { return LightMode::isMusic(m); });
}

bool anyFanInTemperatureMode()
{
    return anyWatchedFan([](int m) { return m == LightMode::Temperature; });
}

void stopUnusedSoftwareTimers(LightingTimers &timers)
{
    if (!anyFanInMusicMode())
        timers.stopMusicTimers();
    if (!anyFanInTemperatureMode())
        timers.stopTemperatureColorTimer();
}

void sendVaylaLighting(int box, int fan)
{
    if (!isValidBox(box) || !isValidVaylaFan(fan))
        return;
    const VaylaFanRecord &record = boxArray[box].vaylaFan[fan];
    if (record.isTurnOffLed) {
        SetFanColor(box, fan, 0, 0, 0, 0.0f);
        return;
    }
    switch (record.lightMode) {
    case VaylaLightMode::Steady:
        SetFanColor(box, fan, record.rValue, record.gValue, record.bValue, record.brightValue);
        break;
    case VaylaLightMode::RGB:
        SetFanRGB(box, fan);
        break;
    case VaylaLightMode::Blink:
        SetFanBlink(box, fan, record.rValue, record.gValue, record.bValue, record.brightValue);
        break;
    default:
        qWarning() << "sendVaylaLighting: unknown light mode" << record.lightMode;
        break;
    }
}
