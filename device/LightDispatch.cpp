// SPDX-License-Identifier: GPL-3.0-or-later
#include "LightDispatch.h"

#include "BoxModel.h"
#include "Encoders.h"

namespace {
// "Light" shows the fan's stored colours at their full level.
constexpr int kSteadyLevelPercent = 100;
}

bool sendLightModeCommand(const BoxModel &boxes, int box, int fan, int mode)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return false;
    const int speed = boxes[box].rainbowFan[fan].lightSpeed;
    switch (mode) {
    case LightMode::Snake: sendCommand_Snake(boxes, box, fan, speed); return true;
    case LightMode::Cycle: sendCommand_Cycle(boxes, box, fan, speed); return true;
    case LightMode::Radar: sendCommand_Radar(boxes, box, fan, speed); return true;
    case LightMode::Blink: sendCommand_Blink(boxes, box, fan, speed); return true;
    case LightMode::Breath: sendCommand_Breath(boxes, box, fan, speed); return true;
    case LightMode::Whirl: sendCommand_Whirl(boxes, box, fan, speed); return true;
    case LightMode::Light: sendCommand_Light(boxes, box, fan, kSteadyLevelPercent); return true;
    default: return false;
    }
}

bool sendStoredLighting(const BoxModel &boxes, int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return false;
    const RainbowFanRecord &record = boxes[box].rainbowFan[fan];
    if (record.isTurnOffLed) {
        sendCommand_turnoff(boxes, box, fan);
        return true;
    }
    return sendLightModeCommand(boxes, box, fan, effectiveLightMode(record));
}
