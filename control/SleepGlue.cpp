// SPDX-License-Identifier: GPL-3.0-or-later
#include "SleepGlue.h"

#include "common/Logging.h"
#include "core/CurveController.h"
#include "core/DeviceMonitor.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "power/SleepWatch.h"

void followSleep(SleepWatch &watch, DeviceMonitor &devices, SoftwareEffects &effects, CurveController &curves,
                 Monitoring &monitoring)
{
    QObject::connect(&watch, &SleepWatch::aboutToSleep, &devices, [] {
        qCInfo(lcApp) << "the computer goes to sleep";
    });
    QObject::connect(&watch, &SleepWatch::resumed, &devices, [&devices, &effects, &curves, &monitoring] {
        qCInfo(lcApp) << "the computer woke up: every box is sent its settings again";
        // The settings carry the cap, not a reading from before the sleep;
        // then a reading is asked for at once. In this order: a first pass
        // that finds nothing keeps what the fans have, and that is the cap.
        curves.startAfresh();
        devices.resumed();
        effects.startTemperatureAfresh();
        monitoring.resumed();
    });
}
