// SPDX-License-Identifier: GPL-3.0-or-later
#include "StoredSettings.h"

#include "common/Logging.h"
#include "core/CurveController.h"
#include "ProfileService.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"
#include "lighting/LightModes.h"
#include "storage/IniHelper.h"

#include <QDebug>

void applyStoredSettings(BoxModel &boxes, ProfileService &profiles, LightingTimers &timers, FanMonitor &monitor)
{
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &box = boxes[i];
        qCDebug(lcApp).nospace() << "boxArray[" << i << "].boxType:" << box.boxType;
        if (!box.gIsConnected)
            continue;
        profiles.loadOwn(i);
        if (box.boxType != BoxType::Vayla && i == boxes.currentBox())
            monitor.raiseLatchedStalls();
        profiles.apply(i, timers, Resend::Startup);
    }
}

void resendBoxSettings(Encoders &encoders, ProfileService &profiles, int b, LightingTimers &timers,
                       CurveController &curves)
{
    if (!isValidBox(b) || !encoders.boxes()[b].gIsConnected)
        return;
    // First seen after start-up: its own stored profile, as start-up gives
    // the boxes present then, never the record's defaults.
    if (!profiles.hasLoaded(b)) {
        qCInfo(lcApp) << "box" << b << "loads its profile" << encoders.boxes()[b].profileValue;
        profiles.loadOwn(b);
    }
    qCInfo(lcApp) << "box" << b << "is sent its settings";
    profiles.apply(b, timers, Resend::Startup);
    curves.resendBox(b);
}
