// SPDX-License-Identifier: GPL-3.0-or-later
#include "FanCurve.h"

#include "common/Limits.h"

int temperatureCurveDuty(int t)
{
    if (t < 42)
        return 30;
    if (t >= 60)
        return 100;
    // 42..44 → 40, 45..47 → 50, … 57..59 → 90
    return 40 + 10 * ((t - 42) / 3);
}

int temperatureCapDuty(int level)
{
    // A level from a damaged file must never cap a fan below its lowest step.
    const int held = level < 0 ? 0 : (level > kMaxSpeedStep ? kMaxSpeedStep : level);
    return (held + 5) * 10;
}

int temperatureDuty(int temperature, int level)
{
    const int curve = temperatureCurveDuty(temperature);
    const int cap = temperatureCapDuty(level);
    return curve < cap ? curve : cap;
}
