// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveWiring.h"

#include "core/CurveController.h"
#include "lighting/SoftwareEffects.h"
#include "lighting/TemperatureSources.h"
#include "storage/CurvesFile.h"

void startCurves(CurveController &curves, SoftwareEffects &effects)
{
    // Refused curves are logged where they are read; their fans follow Classic.
    curves.setSettings(CurvesFile::read());
    effects.setReadingPeriod(curves.readingPeriodMs());
    QObject::connect(&effects, &SoftwareEffects::temperatureSampled, &curves,
                     [&curves](const TemperatureSample &sample) { curves.onPass(sourceValues(sample)); });
}
