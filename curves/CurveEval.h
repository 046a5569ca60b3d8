// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Curve.h"

// Evaluating a curve, one reading pass at a time. Pure: the state a fan
// carries from pass to pass is handed in and handed back.

// The duty of the curve's points at `celsius`: linear between two points
// (or the lower point's duty for a Steps curve), flat below the first point
// and above the last. A curve without points gives 100.
double pointsDuty(const Curve &curve, double celsius);

// What one fan's curve remembers between passes.
struct CurveState {
    bool started = false;
    double effective = 0; // the temperature the duty follows, hysteresis applied
    double duty = 0;      // the duty given last, step rates applied
};

struct CurveStep {
    CurveState state;
    int duty = 0; // percent to send
};

// A pass longer than this counts as this long for the step rates.
constexpr int kMaxStepElapsedMs = 60000;

// One pass: the fan's duty for temperature `celsius`, `elapsedMs` after the
// previous pass, never above `capDuty` (the fan's level cap, 0..100).
//   1. hysteresis: the followed temperature rises with the reading at once,
//      and falls only once the reading is `hysteresis` degrees below it;
//   2. target = max(points at the followed temperature, minimum duty),
//      held to the cap;
//   3. step rates: from the last duty towards the target by at most
//      stepUp / stepDown percent per second (0 = at once); the first pass
//      goes straight to the target.
// A temperature that is not a number gives the cap and keeps the state.
CurveStep evaluateCurve(const Curve &curve, const CurveState &state, double celsius, int capDuty,
                        int elapsedMs);

// The state after a fan was sent to its cap (no reading): the next pass
// steps down from there.
CurveState stateAtDuty(const CurveState &state, int duty);
