// SPDX-License-Identifier: GPL-3.0-or-later
#include "TemperatureSources.h"

#include "NvidiaGpus.h"
#include "common/Limits.h"
#include "common/Logging.h"

#include <QDebug>
#include <QSet>

#include <cmath>

namespace {

// A source id separates the sources of a mix with ",", so none may carry one.
QString idPart(QString text)
{
    for (QChar &c : text)
        if (c == QLatin1Char(',') || c.category() == QChar::Other_Control)
            c = QLatin1Char('_');
    return text;
}

// Two inputs of one chip may share a label (a sensors.conf that names two
// the same): the second gets " #2", and so on, in the library's order.
void addSource(TemperatureSample &sample, QSet<QString> &ids, TemperatureSource source, double celsius)
{
    const QString base = idPart(source.chip) + QLatin1Char('/') + idPart(source.label);
    source.id = base;
    for (int n = 2; ids.contains(source.id); ++n)
        source.id = base + QStringLiteral(" #") + QString::number(n);
    ids.insert(source.id);
    sample.sources.append({source, celsius});
}

} // namespace

const char *sourceKindName(SourceKind kind)
{
    switch (kind) {
    case SourceKind::Cpu: return "cpu";
    case SourceKind::Gpu: return "gpu";
    case SourceKind::Disk: return "disk";
    case SourceKind::Board: return "board";
    case SourceKind::Other:
    case SourceKind::Unknown: break;
    }
    return "other";
}

TemperatureSample sampleTemperatures(SensorPlugin *plugin, NvidiaGpus *gpus)
{
    TemperatureSample sample;
    QSet<QString> ids;
    const int count = plugin ? plugin->sensorCount() : 0;
    QString label;
    for (int s = 0; s < count; ++s) {
        plugin->selectSensor(s);
        QString chip = plugin->sensorName(s);
        qCDebug(lcLighting) << "sensorName:" << chip;
        if (chip.isEmpty())
            chip = QStringLiteral("sensor") + QString::number(s);
        const SourceKind chipKind = plugin->sensorKind(s);
        for (int r = 0; r < SensorPlugin::kReadingsPerSensor; ++r) {
            const double v = plugin->reading(SensorPlugin::Kind::Temperature, s, r, &label);
            if (SensorPlugin::isNoReading(v) || !std::isfinite(v))
                continue;
            ++sample.cpu.readings;
            const bool plausible = isPlausibleCpuTemperature(v);
            const bool cpuLabel = isCpuTemperatureLabel(label);
            if (cpuLabel && !plausible)
                qCDebug(lcLighting) << "implausibleReading:" << label << v;
            if (cpuLabel && plausible) {
                sample.cpu.cpuFound = true;
                if (v > sample.cpu.temperature)
                    sample.cpu.temperature = static_cast<int>(std::trunc(v));
            }
            if (!plausible)
                continue;
            // A library that cannot say what a chip is: its CPU labels are the CPU.
            SourceKind kind = chipKind;
            if (kind == SourceKind::Unknown)
                kind = cpuLabel ? SourceKind::Cpu : SourceKind::Other;
            addSource(sample, ids, {QString(), chip, label, kind, QString()}, v);
        }
    }
    if (gpus) {
        for (const NvidiaGpus::Reading &gpu : gpus->read())
            if (isPlausibleCpuTemperature(gpu.celsius))
                addSource(sample, ids, {QString(), gpu.chip, gpu.label, SourceKind::Gpu, gpu.model}, gpu.celsius);
    }
    return sample;
}

QHash<QString, double> sourceValues(const TemperatureSample &sample)
{
    QHash<QString, double> values;
    if (sample.cpu.cpuFound)
        values.insert(QString::fromLatin1(kCpuSourceId), sample.cpu.temperature);
    for (const SourceReading &r : sample.sources)
        values.insert(r.source.id, r.celsius);
    return values;
}
