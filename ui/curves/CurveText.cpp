// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveText.h"

#include "common/Limits.h"

QString CurveText::source(const QString &id)
{
    if (id == QLatin1String(kCpuSourceId))
        return tr("CPU");
    return id;
}

QString CurveText::source(const CurveSource &source)
{
    QStringList names;
    for (const QString &id : source.ids)
        names << CurveText::source(id);
    if (names.size() <= 1)
        return names.value(0);
    const QString list = names.join(QStringLiteral(", "));
    return source.mix == SourceMix::Average ? tr("average of %1").arg(list) : tr("highest of %1").arg(list);
}

QString CurveText::listed(const Curve &curve)
{
    return isPresetName(curve.name) ? tr("%1 (preset)").arg(curve.name) : curve.name;
}
