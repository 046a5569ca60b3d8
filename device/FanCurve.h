// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Duty percent of the temperature curve for a CPU temperature in whole degrees.
int temperatureCurveDuty(int temperature);

// The highest duty the curve allows a fan of level `level` (0..5; outside
// values are held to that range): (level + 5) x 10, so 50 to 100.
int temperatureCapDuty(int level);

// The curve capped by a fan's level: min(curve, cap).
int temperatureDuty(int temperature, int level);
