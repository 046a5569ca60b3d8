// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "lighting/SoftwareEffects.h"

#include <QSignalSpy>
#include <QString>

// The plug-in is called on a thread of its own: these wait (with a generous
// time-out) for what used to happen inside the call.

// One reading pass, applied.
inline bool runSensorPass(SoftwareEffects &effects)
{
    QSignalSpy done(&effects, &SoftwareEffects::sensorPassFinished);
    effects.updateCPUTemp();
    return done.count() > 0 || done.wait(10000);
}

inline bool startSensorsAndWait(SoftwareEffects &effects, const QString &path)
{
    QSignalSpy bound(&effects, &SoftwareEffects::sensorsBound);
    effects.startSensors(path);
    return bound.count() > 0 || bound.wait(10000);
}

// A retry, and its binding when it starts one.
inline bool retrySensorsAndWait(SoftwareEffects &effects)
{
    QSignalSpy bound(&effects, &SoftwareEffects::sensorsBound);
    if (!effects.retrySensorPlugin())
        return true;
    return bound.count() > 0 || bound.wait(10000);
}
