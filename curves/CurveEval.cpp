// SPDX-License-Identifier: GPL-3.0-or-later
#include "CurveEval.h"

#include <algorithm>
#include <cmath>

double pointsDuty(const Curve &curve, double t)
{
    const QVector<CurvePoint> &p = curve.points;
    if (p.isEmpty())
        return CurveLimit::kMaxDuty;
    if (t <= p.first().celsius)
        return p.first().duty;
    if (t >= p.last().celsius)
        return p.last().duty;
    // The segment i .. i + 1 that holds t; never past the last one.
    int i = 0;
    while (i + 2 < p.size() && p.at(i + 1).celsius <= t)
        ++i;
    const CurvePoint &lo = p.at(i);
    const CurvePoint &hi = p.at(i + 1);
    if (curve.shape == CurveShape::Steps || hi.celsius <= lo.celsius)
        return lo.duty;
    return lo.duty + (t - lo.celsius) * (hi.duty - lo.duty) / (hi.celsius - lo.celsius);
}

CurveStep evaluateCurve(const Curve &curve, const CurveState &state, double t, int capDuty, int elapsedMs)
{
    const double cap = std::clamp(capDuty, 0, CurveLimit::kMaxDuty);
    if (!std::isfinite(t))
        return {state, static_cast<int>(cap)};

    double effective = t;
    if (state.started && curve.hysteresis > 0)
        effective = std::clamp(state.effective, t, t + curve.hysteresis);

    const double target = std::min(std::max(pointsDuty(curve, effective), double(curve.minDuty)), cap);
    double duty = target;
    if (state.started) {
        const double seconds = std::clamp(elapsedMs, 0, kMaxStepElapsedMs) / 1000.0;
        if (target > state.duty && curve.stepUp > 0)
            duty = std::min(target, state.duty + curve.stepUp * seconds);
        else if (target < state.duty && curve.stepDown > 0)
            duty = std::max(target, state.duty - curve.stepDown * seconds);
    }
    // A level lowered since the last pass applies at once.
    duty = std::min(duty, cap);
    return {{true, effective, duty}, static_cast<int>(std::lround(duty))};
}

CurveState stateAtDuty(const CurveState &state, int duty)
{
    if (!state.started)
        return state;
    CurveState s = state;
    s.duty = std::clamp(duty, 0, CurveLimit::kMaxDuty);
    return s;
}
