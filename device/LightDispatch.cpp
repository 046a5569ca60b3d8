#include "LightDispatch.h"

#include "BoxTable.h"
#include "Encoders.h"

bool sendLightModeCommand(int box, int fan, int mode)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return false;
    const int speed = boxArray[box].rainbowFan[fan].lightSpeed;
    switch (mode) {
    case LightMode::Snake: sendCommand_Snake(box, fan, speed); return true;
    case LightMode::Cycle: sendCommand_Cycle(box, fan, speed); return true;
    case LightMode::Radar: sendCommand_Radar(box, fan, speed); return true;
    case LightMode::Blink: sendCommand_Blink(box, fan, speed); return true;
    case LightMode::Breath: sendCommand_Breath(box, fan, speed); return true;
    case LightMode::Whirl: sendCommand_Whirl(box, fan, speed); return true;
    case LightMode::Light: sendCommand_Light(box, fan, 100); return true;
    default: return false;
    }
}

bool sendStoredLighting(int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return false;
    const RainbowFanRecord &record = boxArray[box].rainbowFan[fan];
    if (record.isTurnOffLed) {
        sendCommand_turnoff(box, fan);
        return true;
    }
    return sendLightModeCommand(box, fan, effectiveLightMode(record));
}
