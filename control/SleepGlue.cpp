// SPDX-License-Identifier: GPL-3.0-or-later
#include "SleepGlue.h"

#include "common/Logging.h"
#include "core/DeviceMonitor.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "power/SleepWatch.h"

void followSleep(SleepWatch &watch, DeviceMonitor &devices, SoftwareEffects &effects, Monitoring &monitoring)
{
    QObject::connect(&watch, &SleepWatch::aboutToSleep, &devices, [] {
        qCInfo(lcApp) << "the computer goes to sleep";
    });
    QObject::connect(&watch, &SleepWatch::resumed, &devices, [&devices, &effects, &monitoring] {
        qCInfo(lcApp) << "the computer woke up: every box is sent its settings again";
        // First: the settings sent next carry the cap, not a reading from before the sleep.
        effects.startTemperatureAfresh();
        devices.resumed();
        monitoring.resumed();
    });
}
