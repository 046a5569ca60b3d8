// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemperatureReading.h"

#include "common/Logging.h"
#include "SensorPlugin.h"
#include "TemperatureSources.h"

#include <QDebug>

#include <cmath>

namespace {

bool numberedLabel(const QString &label, const QString &prefix, int low, int high)
{
    if (!label.startsWith(prefix) || label.size() != prefix.size() + 1)
        return false;
    const int digit = label.at(prefix.size()).digitValue();
    return digit >= low && digit <= high;
}

} // namespace

bool isCpuTemperatureLabel(const QString &label)
{
    return label == QLatin1String("Core MAX") || label == QLatin1String("CPU")
        || label == QLatin1String("CPU Package") || numberedLabel(label, QStringLiteral("Core #"), 0, 7)
        || numberedLabel(label, QStringLiteral("CPU "), 0, 7)
        || numberedLabel(label, QStringLiteral("Temperature "), 1, 8);
}

bool isPlausibleCpuTemperature(double celsius)
{
    return std::isfinite(celsius) && celsius >= kLowestPlausibleCelsius && celsius <= kHighestPlausibleCelsius;
}

TemperaturePass readCpuTemperature(SensorPlugin &plugin)
{
    // One walk serves the classic reading and every other source.
    return sampleTemperatures(&plugin).cpu;
}

QStringList sensorInfoLines(SensorPlugin &plugin)
{
    QStringList lines;
    const int count = plugin.sensorCount();
    QString label;
    QString unit;
    for (int s = 0; s < count; ++s) {
        plugin.selectSensor(s);
        qCDebug(lcLighting) << "sensorName:" << plugin.sensorName(s);
        for (int r = 0; r < SensorPlugin::kReadingsPerSensor; ++r) {
            for (int k = 0; k < SensorPlugin::kKindCount; ++k) {
                const auto kind = static_cast<SensorPlugin::Kind>(k);
                const double v = plugin.reading(kind, s, r, &label);
                if (SensorPlugin::isNoReading(v))
                    continue;
                lines << QLatin1String(SensorPlugin::kindName(kind)) + QLatin1Char(':') + label
                        + QStringLiteral(" = ") + QString::number(v, 'g', 6);
            }
            const double v = plugin.otherReading(s, r, &label, &unit);
            if (!SensorPlugin::isNoReading(v))
                qCDebug(lcLighting) << "sensorOther:" << label << QString::number(v, 'g', 6) << unit;
        }
    }
    return lines;
}
