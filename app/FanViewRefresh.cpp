#include "FanViewRefresh.h"

#include "device/BoxTable.h"
#include "ui/MainViewInterface.h"

void showRainbowFan(MainViewInterface *view, int box, int fan)
{
    if (!view || !isValidBox(box) || !isValidRainbowFan(fan))
        return;
    const RainbowFanRecord &f = boxArray[box].rainbowFan[fan];
    view->setRGBByFan(fan, f.rValue_Led, f.gValue_Led, f.bValue_Led, f.brightValue);
    view->setCopyLightModeByFan(fan, f.copyLightMode);
    view->setLightModeByFan(fan, f.lightMode);
    view->setLightSpeedByFan(fan, f.lightSpeed);
    view->setColorModeByFan(fan, f.colorMode);
    view->setPWMByFan(fan, f.isPWM);
    view->setFanSpeedByFan(fan, f.speedPer, f.speedNum);
    view->setTurnOffLedByFan(fan, f.isTurnOffLed);
    view->setMonitorByFan(fan, f.isMonitor);
    view->resetFanView(fan);
}

void showVaylaFan(MainViewInterface *view, int box, int fan)
{
    if (!view || !isValidBox(box) || !isValidVaylaFan(fan))
        return;
    const VaylaFanRecord &f = boxArray[box].vaylaFan[fan];
    view->setVaylaRGB(fan, f.rValue, f.gValue, f.bValue, f.brightValue);
    view->setVaylaLightMode(fan, f.lightMode);
    view->setVaylaTurnOff(fan, f.isTurnOffLed);
    view->setVaylaBright(fan, f.brightValue);
    view->setVaylaFanSpeed(fan, f.speed);
    view->setVaylaPWM(fan, f.isPWM);
    view->setVaylaMonitor(fan, f.isMonitor);
}

void showBoxFans(MainViewInterface *view, int box)
{
    if (!view || !isValidBox(box))
        return;
    view->setBoxType(boxArray[box].boxType);
    if (boxArray[box].isVaylaBox()) {
        for (int j = 0; j < kVaylaFanCount; ++j)
            showVaylaFan(view, box, j);
    } else {
        for (int k = 0; k < kRainbowFanCount; ++k)
            showRainbowFan(view, box, k);
    }
}
