#include "FanCurve.h"

int temperatureCurveDuty(int t)
{
    if (t < 42)
        return 30;
    if (t >= 60)
        return 100;
    // 42..44 → 40, 45..47 → 50, … 57..59 → 90
    return 40 + 10 * ((t - 42) / 3);
}

int temperatureDuty(int temperature, int level)
{
    const int curve = temperatureCurveDuty(temperature);
    const int cap = (level + 5) * 10;
    return curve < cap ? curve : cap;
}
