// SPDX-License-Identifier: GPL-3.0-or-later
#include "FanSpeed.h"

#include "BoxModel.h"
#include "common/Logging.h"
#include "Encoders.h"
#include "FanCurve.h"

#include <QDebug>

void switchPWM(Encoders &encoders, int fan, bool on)
{
    switchPWM(encoders, encoders.boxes().currentBox(), fan, on);
}

void switchPWM(Encoders &encoders, int b, int fan, bool on)
{
    BoxModel &boxes = encoders.boxes();
    qCDebug(lcDevice) << "switchPWM";
    if (!isValidBox(b) || !isValidRainbowFan(fan)) {
        qWarning() << "switchPWM refused: box" << b << "fan" << fan;
        return;
    }
    RainbowFanRecord &record = boxes[b].rainbowFan[fan];
    record.isPWM = on;
    if (!on)
        encoders.sendFanTargetSpeed(b, fan, fanSpeedLevelRpm(record.speedNum));
}

bool followsTemperature(const BoxModel &boxes, int b, int f)
{
    if (!isValidBox(b) || f < 0)
        return false;
    const ControllerBox &box = boxes[b];
    if (box.boxType == BoxType::Rainbow && f < kRainbowFanCount)
        return box.rainbowFan[f].isMonitor && box.rainbowFan[f].isPWM;
    if (box.boxType == BoxType::Vayla && f < kVaylaFanCount)
        return box.vaylaFan[f].isMonitor && box.vaylaFan[f].isPWM;
    return false;
}

namespace {

// Every temperature-following fan of box `only` (-1: of every connected box)
// gets the duty `dutyOf(level)` for its level, through the duty command of its
// kind; the duty is recorded as commanded.
template <typename DutyOf>
void sendFollowingDuty(Encoders &encoders, int only, DutyOf dutyOf)
{
    BoxModel &boxes = encoders.boxes();
    for (int b = 0; b < kBoxCount; ++b) {
        ControllerBox &box = boxes[b];
        if (!box.gIsConnected || (only >= 0 && b != only))
            continue;
        for (int f = 0; f < fanCountOf(box); ++f) {
            if (!followsTemperature(boxes, b, f))
                continue;
            if (box.isVaylaBox()) {
                encoders.sendVaylaPercent(b, f, dutyOf(box.vaylaFan[f].speed));
            } else {
                // Both the curve and the cap are at least 30 %, the duty command's floor.
                encoders.sendFanDuty(b, f, dutyOf(box.rainbowFan[f].speedPer));
            }
        }
    }
}

} // namespace

void applyTemperatureDuty(Encoders &encoders, int temperature, int only)
{
    sendFollowingDuty(encoders, only, [temperature](int level) { return temperatureDuty(temperature, level); });
}

void applyCapDuty(Encoders &encoders, int only)
{
    sendFollowingDuty(encoders, only, [](int level) { return temperatureCapDuty(level); });
}

void sendFixedSpeed(Encoders &encoders, int b, int f)
{
    const BoxModel &boxes = encoders.boxes();
    if (!isValidBox(b) || !isValidRainbowFan(f))
        return;
    const RainbowFanRecord &fan = boxes[b].rainbowFan[f];
    if (fan.isPWM)
        return;
    switch (fan.speedMode) {
    case SpeedMode::Custom:
        encoders.sendFanSpeedLevel(b, f, fan.speedNum);
        break;
    case SpeedMode::Silent:
        encoders.sendFanTargetSpeed(b, f, kSilentRpm);
        qCDebug(lcDevice) << "sendCommand_FanSpeed";
        break;
    case SpeedMode::Performance:
        encoders.sendFanTargetSpeed(b, f, kPerformanceRpm);
        qCDebug(lcDevice) << "sendCommand_FanSpeed";
        break;
    default:
        break;
    }
}

void sendVaylaStartSpeed(Encoders &encoders, int b, int f)
{
    const BoxModel &boxes = encoders.boxes();
    if (!isValidBox(b) || !isValidVaylaFan(f))
        return;
    const VaylaFanRecord &fan = boxes[b].vaylaFan[f];
    if (fan.isPWM)
        return;
    int level;
    switch (fan.speedMode) {
    case SpeedMode::Custom:
        level = fan.speed;
        break;
    case SpeedMode::Silent:
        level = 0;
        break;
    case SpeedMode::Performance:
        level = 5;
        break;
    default:
        return;
    }
    encoders.sendVaylaLevel(b, f, level);
}

void resetVaylaFan(Encoders &encoders, int b, int f)
{
    const BoxModel &boxes = encoders.boxes();
    if (!isValidBox(b) || !isValidVaylaFan(f))
        return;
    const VaylaFanRecord &fan = boxes[b].vaylaFan[f];
    qCDebug(lcDevice) << "resetVaylaFan:" << fan.isPWM;
    if (fan.isPWM)
        return;
    qCDebug(lcDevice) << "resetVaylaFan------enter";
    encoders.sendVaylaLevel(b, f, fan.speed);
}
