#pragma once

// Duty percent of the temperature curve for a CPU temperature in whole degrees.
int temperatureCurveDuty(int temperature);

// The curve capped by a fan's level: min(curve, (level + 5) x 10).
int temperatureDuty(int temperature, int level);
