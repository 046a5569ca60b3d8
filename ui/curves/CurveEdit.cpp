// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveEdit.h"

#include "curves/CurveEval.h"

#include <cmath>

QString CurveEdit::problem(const Curve &curve, const CurveSettings &settings, const QString &original)
{
    if (curve.name.trimmed().isEmpty())
        return tr("The curve needs a name.");
    if (isPresetName(curve.name))
        return tr("\"%1\" is the name of a preset.").arg(curve.name);
    const Curve *same = settings.find(curve.name);
    if (same && !sameCurveName(same->name, original))
        return tr("Another curve is named \"%1\".").arg(curve.name);
    if (curve.points.size() < CurveLimit::kMinPoints || curve.points.size() > CurveLimit::kMaxPoints)
        return tr("A curve has %1 to %2 points, not %3.")
            .arg(CurveLimit::kMinPoints)
            .arg(CurveLimit::kMaxPoints)
            .arg(curve.points.size());
    for (int i = 1; i < curve.points.size(); ++i) {
        if (curve.points[i].celsius <= curve.points[i - 1].celsius)
            return tr("Point %1 must be warmer than point %2.").arg(i + 1).arg(i);
        if (curve.points[i].duty < curve.points[i - 1].duty)
            return tr("Point %1 must not run slower than point %2.").arg(i + 1).arg(i);
    }
    if (curve.source.ids.isEmpty())
        return tr("Choose at least one temperature source.");
    // What is left (ranges the widgets already keep) in the curves' own words.
    const QString other = curveProblem(curve);
    return other.isEmpty() ? QString() : tr("Not saved: %1").arg(other);
}

CurveSettings CurveEdit::withCurve(const CurveSettings &settings, const Curve &curve, const QString &original)
{
    CurveSettings out = settings;
    for (Curve &mine : out.curves) {
        if (!original.isEmpty() && sameCurveName(mine.name, original)) {
            mine = curve;
            return out;
        }
    }
    out.curves << curve;
    return out;
}

QString CurveEdit::copyName(const CurveSettings &settings, const QString &base)
{
    for (int n = 2;; ++n) {
        const QString name = QStringLiteral("%1 %2").arg(base.left(CurveLimit::kMaxNameLength - 4)).arg(n);
        if (!settings.find(name))
            return name;
    }
}

bool CurveEdit::marker(const Curve &curve, const QHash<QString, double> &readings, Marker *out)
{
    double sum = 0;
    double highest = 0;
    int count = 0;
    for (const QString &id : curve.source.ids) {
        const auto it = readings.constFind(id);
        if (it == readings.constEnd())
            continue;
        highest = count == 0 ? it.value() : std::max(highest, it.value());
        sum += it.value();
        ++count;
    }
    if (count == 0)
        return false;
    out->celsius = curve.source.mix == SourceMix::Average ? sum / count : highest;
    out->duty = std::max(curve.minDuty, int(std::lround(pointsDuty(curve, out->celsius))));
    return true;
}
