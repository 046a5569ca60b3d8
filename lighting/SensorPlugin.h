// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <memory>

// The hardware-monitoring plug-in library, by role. On Windows this is
// "HWiNFO32.dll" bound by ordinals; on Linux the project's own library
// "libAuriventSensors.so" (built on libsensors) beside the executable, or any
// library exporting these C functions by name:
//
//   int    aurivent_sensors_init(int flags);               0 = ready
//   int    aurivent_sensors_reserved(void);                resolved, never called
//   int    aurivent_sensors_count(void);                   number of sensors
//   int    aurivent_sensors_select(int sensor);            before a sensor's name is read
//   int    aurivent_sensors_name(int sensor, char *text, int size);
//   double aurivent_sensors_temperature(int sensor, int reading, char *label, int size);
//   double aurivent_sensors_voltage(...same...);
//   double aurivent_sensors_fan(...same...);
//   double aurivent_sensors_current(...same...);
//   double aurivent_sensors_power(...same...);
//   double aurivent_sensors_clock(...same...);
//   double aurivent_sensors_usage(...same...);
//   double aurivent_sensors_other(int sensor, int reading, char *label, int size,
//                                 char *unit, int unitSize);
//
// and, optionally (a library without them still loads):
//
//   int    aurivent_sensors_kind(int sensor);              what the sensor measures:
//          0 other, 1 CPU, 2 GPU, 3 disk, 4 board (anything else: other)
//   int    aurivent_sensors_reason(char *text, int size);   why no CPU temperature
//                                                           will come; 0 = none to tell
//
// Sensor and reading indices are 0-based. A reading of exactly 0.0 or -9999.0
// means "no such reading". Text buffers are 256 bytes; the library writes a
// zero-terminated string, and the binding terminates them again itself.
class SensorPlugin {
public:
    enum class Kind { Temperature, Voltage, Fan, Current, Power, Clock, Usage };
    // What a sensor (a chip) measures; Unknown when the library cannot say.
    enum class ChipKind { Unknown = -1, Other = 0, Cpu = 1, Gpu = 2, Disk = 3, Board = 4 };
    static constexpr int kKindCount = 7;
    static constexpr int kTextSize = 256;
    static constexpr int kReadingsPerSensor = 64;
    // A count above this is taken as garbage and clamped.
    static constexpr int kMaxSensors = 256;
    static constexpr double kNoReading = -9999.0;

    virtual ~SensorPlugin() = default;

    // The name of a reading kind as logged and shown: "HWi32_GetTemperature" ...
    static const char *kindName(Kind kind);
    static bool isNoReading(double v) { return v == 0.0 || v == kNoReading; }

    // Loads the library at `path` and resolves all thirteen entry points.
    // Null when the library or any entry point is missing (`error` says which).
    static std::unique_ptr<SensorPlugin> load(const QString &path, QString *error = nullptr);
    // Where the program looks for the library.
    static QString defaultLibraryPath();

    virtual int initialise(int flags) = 0;
    // Clamped to 0..kMaxSensors.
    virtual int sensorCount() = 0;
    virtual void selectSensor(int sensor) = 0;
    virtual QString sensorName(int sensor) = 0;
    // Reading `reading` (0..63) of `kind` on `sensor`; kNoReading when an
    // index is out of range.
    virtual double reading(Kind kind, int sensor, int reading, QString *label) = 0;
    virtual double otherReading(int sensor, int reading, QString *label, QString *unit) = 0;
    // Unknown for an index out of range or a library without the call.
    virtual ChipKind sensorKind(int sensor) = 0;
    // Why initialise() failed, or why its sensors hold no CPU temperature, in
    // the library's words; empty when it has nothing to tell (or cannot).
    virtual QString failureReason() = 0;
};

// The start-up binding: load, then initialise with 0. Logs "CANNOT LOAD DLL",
// "INIT FAILED:" with the code and the library's reason, or "INIT OK" (and
// the reason when its sensors hold no CPU temperature). Null unless initialised.
// With `failure` given, nothing is logged and a failure is described there
// (for a caller that retries and logs only what changed).
std::unique_ptr<SensorPlugin> bindSensorPlugin(const QString &path = SensorPlugin::defaultLibraryPath(),
                                               QString *failure = nullptr);
