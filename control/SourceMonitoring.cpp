// SPDX-License-Identifier: GPL-3.0-or-later
#include "SourceMonitoring.h"

#include "lighting/SoftwareEffects.h"
#include "lighting/TemperatureSources.h"
#include "monitoring/Monitoring.h"

void followSources(SoftwareEffects &effects, Monitoring &monitoring)
{
    QObject::connect(&effects, &SoftwareEffects::temperatureSampled, &monitoring,
                     [&monitoring](const TemperatureSample &sample) {
                         QVector<SourceTemperature> readings;
                         readings.reserve(sample.sources.size());
                         for (const SourceReading &r : sample.sources)
                             readings.append({r.source.id, QString::fromLatin1(sourceKindName(r.source.kind)),
                                              r.celsius});
                         monitoring.sourcesRead(readings);
                     });
}
