// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

class SensorPlugin;

// The sensor labels that count as CPU temperature (exact, case-sensitive):
// "Core MAX", "Core #0".."Core #7", "CPU", "CPU Package", "CPU 0".."CPU 7",
// "Temperature 1".."Temperature 8".
bool isCpuTemperatureLabel(const QString &label);

// A CPU reading outside this range is a broken sensor (-128 is a typical
// value of one), not a temperature; it counts as no reading.
constexpr double kLowestPlausibleCelsius = 0.0;
constexpr double kHighestPlausibleCelsius = 125.0;
bool isPlausibleCpuTemperature(double celsius);

struct TemperaturePass {
    // The highest plausible CPU-labelled reading over all sensors, truncated
    // toward zero; 0 when there is none.
    int temperature = 0;
    // Whether any plausible CPU-labelled reading was found: without one the
    // fan curve must not be driven as if the processor were at 0 degrees.
    bool cpuFound = false;
    // Readings of any label that were not "no reading" (the window's label
    // is updated only when there was at least one).
    int readings = 0;
};

// One reading pass over every sensor and reading index 0..63.
TemperaturePass readCpuTemperature(SensorPlugin &plugin);

// The information dump: one line per reading of the seven named kinds, in
// the order Temperature, Voltage, Fan, Current, Power, Clock, Usage for each
// sensor and reading index, as "HWi32_GetTemperature:" label " = " value.
// Readings with a unit text are only logged.
QStringList sensorInfoLines(SensorPlugin &plugin);
