// SPDX-License-Identifier: GPL-3.0-or-later
#include "LightDispatch.h"

#include "BoxModel.h"
#include "Encoders.h"

namespace {
// "Light" shows the fan's stored colours at their full level.
constexpr int kSteadyLevelPercent = 100;
}

bool sendLightModeCommand(const Encoders &encoders, int box, int fan, int mode)
{
    const BoxModel &boxes = encoders.boxes();
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return false;
    const int speed = boxes[box].rainbowFan[fan].lightSpeed;
    switch (mode) {
    case LightMode::Snake: encoders.sendCommand_Snake(box, fan, speed); return true;
    case LightMode::Cycle: encoders.sendCommand_Cycle(box, fan, speed); return true;
    case LightMode::Radar: encoders.sendCommand_Radar(box, fan, speed); return true;
    case LightMode::Blink: encoders.sendCommand_Blink(box, fan, speed); return true;
    case LightMode::Breath: encoders.sendCommand_Breath(box, fan, speed); return true;
    case LightMode::Whirl: encoders.sendCommand_Whirl(box, fan, speed); return true;
    case LightMode::Light: encoders.sendCommand_Light(box, fan, kSteadyLevelPercent); return true;
    default: return false;
    }
}

bool sendStoredLighting(const Encoders &encoders, int box, int fan)
{
    const BoxModel &boxes = encoders.boxes();
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return false;
    const RainbowFanRecord &record = boxes[box].rainbowFan[fan];
    if (record.isTurnOffLed) {
        encoders.sendCommand_turnoff(box, fan);
        return true;
    }
    return sendLightModeCommand(encoders, box, fan, effectiveLightMode(record));
}
