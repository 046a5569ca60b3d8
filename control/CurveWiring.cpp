// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveWiring.h"

#include "common/Logging.h"
#include "core/CurveController.h"
#include "lighting/NvidiaGpus.h"
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
    // NVIDIA's GPUs are sources too where their driver is installed; most
    // computers have none, which is no news.
    QObject::connect(&effects, &SoftwareEffects::gpusBound, &curves, [](bool ok, const QString &failure) {
        if (ok)
            qCInfo(lcLighting) << "NVIDIA GPUs: their temperatures are read through the driver";
        else
            qCDebug(lcLighting).noquote() << "no NVIDIA GPUs:" << failure;
    });
    effects.startGpus(NvidiaGpus::defaultLibraryPath());
}
