#include "StoredSettings.h"

#include "common/Logging.h"
#include "ProfileService.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"
#include "ui/MainViewInterface.h"

#include <QDebug>

void applyStoredSettings(BoxModel &boxes, ProfileService &profiles, MainViewInterface *view, LightingTimers &timers,
                         FanMonitorHost &monitor)
{
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &box = boxes[i];
        qCDebug(lcApp).nospace() << "boxArray[" << i << "].boxType:" << box.boxType;
        if (!box.gIsConnected)
            continue;
        profiles.loadOwn(i);
        if (box.boxType == BoxType::Vayla) {
            if (i == boxes.currentBox() && view)
                view->resetVaylaViews();
        } else if (i == boxes.currentBox()) {
            resetFanView(boxes, monitor);
        }
        profiles.apply(i, timers, Resend::Startup);
    }
}

void resendBoxSettings(BoxModel &boxes, ProfileService &profiles, int b, LightingTimers &timers, bool haveReading,
                       int temperature)
{
    if (!isValidBox(b) || !boxes[b].gIsConnected)
        return;
    // First seen after start-up: its own stored profile, as start-up gives
    // the boxes present then, never the record's defaults.
    if (!profiles.hasLoaded(b)) {
        qCInfo(lcApp) << "box" << b << "loads its profile" << boxes[b].profileValue;
        profiles.loadOwn(b);
    }
    qCInfo(lcApp) << "box" << b << "is sent its settings";
    profiles.apply(b, timers, Resend::Startup);
    applyFollowingDuty(boxes, b, haveReading, temperature);
}
