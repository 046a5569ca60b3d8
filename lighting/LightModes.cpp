// SPDX-License-Identifier: GPL-3.0-or-later
#include "LightModes.h"

#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanSpeed.h"

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

void applyBoxSettings(Encoders &encoders, int box, LightingTimers &timers, Resend kind)
{
    BoxModel &boxes = encoders.boxes();
    if (!isValidBox(box) || !boxes[box].gIsConnected)
        return;
    for (int f = 0; f < kRainbowFanCount; ++f) {
        RainbowFanRecord &fan = boxes[box].rainbowFan[f];
        sendFixedSpeed(encoders, box, f);
        const int m = effectiveLightMode(fan);
        if (!fan.isTurnOffLed && kind == Resend::Reapply) {
            fan.colorMode = normalisedColorMode(m, fan.colorMode);
            qCDebug(lcLighting) << "lightType:" << m;
        }
        if (sendStoredLighting(encoders, box, f))
            continue;
        if (m == LightMode::Copy) {
            if (kind == Resend::Reapply)
                copyColor(encoders, box, f);
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

void applyFanLight(Encoders &encoders, int box, int fan, LightingTimers &timers)
{
    const BoxModel &boxes = encoders.boxes();
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !boxes[box].gIsConnected)
        return;
    if (sendStoredLighting(encoders, box, fan))
        return;
    if (effectiveLightMode(boxes[box].rainbowFan[fan]) == LightMode::Temperature)
        timers.applyTemperatureColor(box, fan);
    // A copied "Copy" has nothing to play; music modes are driven by their timer.
}

void resendFanLight(Encoders &encoders, int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !encoders.boxes()[box].gIsConnected)
        return;
    sendStoredLighting(encoders, box, fan);
}

void copyFirstFanLook(BoxModel &boxes, int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return;
    const RainbowFanRecord &first = boxes[box].rainbowFan[0];
    RainbowFanRecord &record = boxes[box].rainbowFan[fan];
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

void copyFirstVaylaFan(BoxModel &boxes, int box, int fan)
{
    if (!isValidBox(box) || !isValidVaylaFan(fan))
        return;
    const VaylaFanRecord &first = boxes[box].vaylaFan[0];
    VaylaFanRecord &record = boxes[box].vaylaFan[fan];
    record.lightMode = first.lightMode;
    record.isTurnOffLed = first.isTurnOffLed;
    record.rValue = first.rValue;
    record.gValue = first.gValue;
    record.bValue = first.bValue;
    record.brightValue = first.brightValue;
}

void copyColor(Encoders &encoders, int box, int fan)
{
    BoxModel &boxes = encoders.boxes();
    qCDebug(lcLighting) << "copyColor";
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !isValidBox(boxes.currentBox()))
        return;
    RainbowFanRecord &record = boxes[box].rainbowFan[fan];
    record.copyLightMode = boxes[boxes.currentBox()].rainbowFan[0].lightMode;
    qCDebug(lcLighting) << "copyColor-copyLightMode:" << record.copyLightMode;
    if (record.isTurnOffLed) {
        encoders.sendCommand_turnoff(box, fan);
        return;
    }
    sendLightModeCommand(encoders, box, fan, record.copyLightMode);
}

namespace {

template <typename Pred>
bool anyWatchedFan(const BoxModel &boxes, Pred pred)
{
    for (const ControllerBox &box : boxes) {
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

bool anyFanInMusicMode(const BoxModel &boxes)
{
    return anyWatchedFan(boxes, [](int m) { return LightMode::isMusic(m); });
}

bool anyFanInTemperatureMode(const BoxModel &boxes)
{
    return anyWatchedFan(boxes, [](int m) { return m == LightMode::Temperature; });
}

void stopUnusedSoftwareTimers(const BoxModel &boxes, LightingTimers &timers)
{
    if (!anyFanInMusicMode(boxes))
        timers.stopMusicTimers();
    if (!anyFanInTemperatureMode(boxes))
        timers.stopTemperatureColorTimer();
}

void sendVaylaLighting(Encoders &encoders, int box, int fan)
{
    const BoxModel &boxes = encoders.boxes();
    if (!isValidBox(box) || !isValidVaylaFan(fan))
        return;
    const VaylaFanRecord &record = boxes[box].vaylaFan[fan];
    if (record.isTurnOffLed) {
        encoders.SetFanColor(box, fan, 0, 0, 0, 0.0f);
        return;
    }
    switch (record.lightMode) {
    case VaylaLightMode::Steady:
        encoders.SetFanColor(box, fan, record.rValue, record.gValue, record.bValue, record.brightValue);
        break;
    case VaylaLightMode::RGB:
        encoders.SetFanRGB(box, fan);
        break;
    case VaylaLightMode::Blink:
        encoders.SetFanBlink(box, fan, record.rValue, record.gValue, record.bValue, record.brightValue);
        break;
    default:
        qWarning() << "sendVaylaLighting: unknown light mode" << record.lightMode;
        break;
    }
}
