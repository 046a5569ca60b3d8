#include "StoredSettings.h"

#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

void applyStoredSettings(BoxModel &boxes, MainViewInterface *view, LightingTimers &timers, FanMonitorHost &monitor)
{
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &box = boxes[i];
        qCDebug(lcApp).nospace() << "boxArray[" << i << "].boxType:" << box.boxType;
        if (!box.gIsConnected)
            continue;
        if (box.boxType == BoxType::Vayla) {
            IniHelper::parseVaylaProfile(i, IniHelper::readVaylaProfileIni(box.profileValue), boxes[i]);
            if (i == boxes.currentBox() && view)
                view->resetVaylaViews();
            for (int j = 0; j < kVaylaFanCount; ++j) {
                sendVaylaStartSpeed(boxes, i, j);
                if (!box.vaylaFan[j].isTurnOffLed)
                    qCDebug(lcApp) << "boxArray[i].vaylaFan[j].lightMode:" << box.vaylaFan[j].lightMode;
                sendVaylaLighting(boxes, i, j);
            }
        } else {
            IniHelper::parseProfile(i, IniHelper::readProfileIni(box.profileValue), boxes[i]);
            if (i == boxes.currentBox())
                resetFanView(boxes, monitor);
            applyBoxSettings(boxes, i, timers, Resend::Startup);
        }
    }
}

void resendBoxSettings(BoxModel &boxes, int b, LightingTimers &timers, bool haveReading, int temperature)
{
    if (!isValidBox(b) || !boxes[b].gIsConnected)
        return;
    qCInfo(lcApp) << "box" << b << "is sent its settings";
    if (boxes[b].isVaylaBox()) {
        for (int j = 0; j < kVaylaFanCount; ++j) {
            sendVaylaStartSpeed(boxes, b, j);
            sendVaylaLighting(boxes, b, j);
        }
    } else {
        applyBoxSettings(boxes, b, timers, Resend::Startup);
    }
    applyFollowingDuty(boxes, b, haveReading, temperature);
}
