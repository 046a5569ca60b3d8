// SPDX-License-Identifier: GPL-3.0-or-later
#include "Curve.h"

namespace {

bool hasControlCharacter(const QString &text)
{
    for (const QChar c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
            || c.category() == QChar::Other_Surrogate || c.category() == QChar::Other_NotAssigned)
            return true;
    return false;
}

QString rangeProblem(const char *what, int value, int lo, int hi)
{
    if (value >= lo && value <= hi)
        return QString();
    return QStringLiteral("%1 %2 outside %3..%4").arg(QLatin1String(what)).arg(value).arg(lo).arg(hi);
}

Curve preset(const char *name, CurveShape shape, QVector<CurvePoint> points, int hysteresis, int stepUp,
             int stepDown, int minDuty)
{
    Curve c;
    c.name = QString::fromLatin1(name);
    c.shape = shape;
    c.points = std::move(points);
    c.hysteresis = hysteresis;
    c.stepUp = stepUp;
    c.stepDown = stepDown;
    c.minDuty = minDuty;
    return c;
}

} // namespace

bool operator==(const CurvePoint &a, const CurvePoint &b)
{
    return a.celsius == b.celsius && a.duty == b.duty;
}

bool operator==(const CurveSource &a, const CurveSource &b)
{
    return a.ids == b.ids && a.mix == b.mix;
}

bool operator==(const Curve &a, const Curve &b)
{
    return a.name == b.name && a.points == b.points && a.shape == b.shape && a.hysteresis == b.hysteresis
        && a.stepUp == b.stepUp && a.stepDown == b.stepDown && a.minDuty == b.minDuty && a.source == b.source;
}

QString curveNameProblem(const QString &name)
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("empty name");
    if (name.size() > CurveLimit::kMaxNameLength)
        return QStringLiteral("name longer than %1 characters").arg(CurveLimit::kMaxNameLength);
    if (name.trimmed() != name)
        return QStringLiteral("name with spaces around it");
    if (hasControlCharacter(name))
        return QStringLiteral("name with a control character");
    return QString();
}

QString sourceIdProblem(const QString &id)
{
    if (id.isEmpty())
        return QStringLiteral("empty source");
    if (id.size() > CurveLimit::kMaxSourceIdLength)
        return QStringLiteral("source longer than %1 characters").arg(CurveLimit::kMaxSourceIdLength);
    // "," separates the sources of a mix in the file.
    if (hasControlCharacter(id) || id.contains(QLatin1Char(',')))
        return QStringLiteral("source with a control character or a comma");
    return QString();
}

QString curveProblem(const Curve &c)
{
    QString problem = curveNameProblem(c.name);
    if (!problem.isEmpty())
        return problem;
    if (c.points.size() < CurveLimit::kMinPoints || c.points.size() > CurveLimit::kMaxPoints)
        return QStringLiteral("%1 points, not %2..%3")
            .arg(c.points.size())
            .arg(CurveLimit::kMinPoints)
            .arg(CurveLimit::kMaxPoints);
    for (int i = 0; i < c.points.size(); ++i) {
        const CurvePoint &p = c.points.at(i);
        problem = rangeProblem("temperature", p.celsius, CurveLimit::kMinCelsius, CurveLimit::kMaxCelsius);
        if (problem.isEmpty())
            problem = rangeProblem("duty", p.duty, 0, CurveLimit::kMaxDuty);
        if (!problem.isEmpty())
            return QStringLiteral("point %1: ").arg(i + 1) + problem;
        if (i > 0 && p.celsius <= c.points.at(i - 1).celsius)
            return QStringLiteral("point %1: temperatures must rise").arg(i + 1);
        // A fan that slows down as it gets hotter is never what anyone wants.
        if (i > 0 && p.duty < c.points.at(i - 1).duty)
            return QStringLiteral("point %1: duty falls as the temperature rises").arg(i + 1);
    }
    problem = rangeProblem("hysteresis", c.hysteresis, 0, CurveLimit::kMaxHysteresis);
    if (problem.isEmpty())
        problem = rangeProblem("step up", c.stepUp, 0, CurveLimit::kMaxStepRate);
    if (problem.isEmpty())
        problem = rangeProblem("step down", c.stepDown, 0, CurveLimit::kMaxStepRate);
    if (problem.isEmpty())
        problem = rangeProblem("minimum duty", c.minDuty, 0, CurveLimit::kMaxDuty);
    if (!problem.isEmpty())
        return problem;
    if (c.source.ids.isEmpty() || c.source.ids.size() > CurveLimit::kMaxSources)
        return QStringLiteral("%1 sources, not 1..%2").arg(c.source.ids.size()).arg(CurveLimit::kMaxSources);
    for (int i = 0; i < c.source.ids.size(); ++i) {
        problem = sourceIdProblem(c.source.ids.at(i));
        if (!problem.isEmpty())
            return problem;
        if (c.source.ids.indexOf(c.source.ids.at(i)) != i)
            return QStringLiteral("source named twice: ") + c.source.ids.at(i);
    }
    return QString();
}

bool sameCurveName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

const QVector<Curve> &curvePresets()
{
    static const QVector<Curve> presets{
        // Each step holds for three degrees: 41 and below 30 %, 42..44 40 %, ... 60 and above 100 %.
        preset(kClassicCurveName, CurveShape::Steps,
               {{41, 30}, {42, 40}, {45, 50}, {48, 60}, {51, 70}, {54, 80}, {57, 90}, {60, 100}}, 0, 0, 0, 0),
        preset("Quiet", CurveShape::Linear, {{35, 30}, {55, 40}, {70, 60}, {80, 80}, {90, 100}}, 3, 5, 2,
               kMinFanDuty),
        preset("Balanced", CurveShape::Linear, {{30, 30}, {45, 45}, {60, 70}, {75, 100}}, 2, 10, 5,
               kMinFanDuty),
        preset("Cooling", CurveShape::Linear, {{30, 50}, {45, 70}, {55, 90}, {65, 100}}, 2, 0, 5, 50),
    };
    return presets;
}

const Curve &classicCurve()
{
    return curvePresets().first();
}

bool isPresetName(const QString &name)
{
    for (const Curve &c : curvePresets())
        if (sameCurveName(c.name, name))
            return true;
    return false;
}

const Curve *CurveSettings::find(const QString &name) const
{
    for (const Curve &c : curvePresets())
        if (sameCurveName(c.name, name))
            return &c;
    for (const Curve &c : curves)
        if (sameCurveName(c.name, name))
            return &c;
    return nullptr;
}

const Curve &CurveSettings::curveFor(const QString &name) const
{
    const Curve *c = find(name);
    return c ? *c : classicCurve();
}

QString CurveSettings::problem() const
{
    QString problem = rangeProblem("reading period", readingPeriod, CurveLimit::kMinReadingPeriod,
                                   CurveLimit::kMaxReadingPeriod);
    if (!problem.isEmpty())
        return problem;
    if (curves.size() > CurveLimit::kMaxCurves)
        return QStringLiteral("%1 curves, more than %2").arg(curves.size()).arg(CurveLimit::kMaxCurves);
    for (int i = 0; i < curves.size(); ++i) {
        const Curve &c = curves.at(i);
        problem = curveProblem(c);
        if (!problem.isEmpty())
            return c.name + QStringLiteral(": ") + problem;
        if (isPresetName(c.name))
            return c.name + QStringLiteral(": the name of a preset");
        for (int j = 0; j < i; ++j)
            if (sameCurveName(curves.at(j).name, c.name))
                return c.name + QStringLiteral(": name used twice");
    }
    return QString();
}
