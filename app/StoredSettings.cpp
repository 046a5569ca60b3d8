#include "StoredSettings.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

void applyStoredSettings(MainViewInterface *view, LightingTimers &timers, FanMonitorHost &monitor)
{
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &box = boxArray[i];
        qCDebug(lcApp).nospace() << "boxArray[" << i << "].boxType:" << box.boxType;
        if (!box.gIsConnected)
            continue;
        if (box.boxType == BoxType::Vayla) {
            IniHelper::parseVaylaProfile(i, IniHelper::readVaylaProfileIni(box.profileValue));
            if (i == controllerBoxNumber && view)
                view->resetVaylaViews();
            for (int j = 0; j < kVaylaFanCount; ++j) {
                sendVaylaStartSpeed(i, j);
                if (!box.vaylaFan[j].isTurnOffLed)
                    qCDebug(lcApp) << "boxArray[i].vaylaFan[j].lightMode:" << box.vaylaFan[j].lightMode;
                sendVaylaLighting(i, j);
            }
        } else {
            IniHelper::parseProfile(i, IniHelper::readProfileIni(box.profileValue));
            if (i == controllerBoxNumber)
                resetFanView(monitor);
            applyBoxSettings(i, timers, Resend::Startup);
        }
    }
}

void resendBoxSettings(int b, LightingTimers &timers, bool haveReading, int temperature)
{
    if (!isValidBox(b) || !boxArray[b].gIsConnected)
        return;
    qCInfo(lcApp) << "box" << b << "is sent its settings";
    if (boxArray[b].isVaylaBox()) {
        for (int j = 0; j < kVaylaFanCount; ++j) {
            sendVaylaStartSpeed(b, j);
            sendVaylaLighting(b, j);
        }
    } else {
        applyBoxSettings(b, timers, Resend::Startup);
    }
    applyFollowingDuty(b, haveReading, temperature);
}
