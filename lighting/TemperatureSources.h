// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SensorPlugin.h"
#include "TemperatureReading.h"

#include <QHash>
#include <QString>
#include <QVector>

class NvidiaGpus;

// Every temperature input the sensor plug-in (and NVIDIA's driver) reports,
// each under a stable name: the sensor's (chip's) name and the reading's
// label, "amdgpu-pci-0300/edge" - never an index, which can change between
// boots.
using SourceKind = SensorPlugin::ChipKind;

struct TemperatureSource {
    QString id;    // chip + "/" + label, made unique within a sample
    QString chip;  // "amdgpu-pci-0300"
    QString label; // "edge"
    SourceKind kind = SourceKind::Other;
    QString model; // what the device calls itself, where the library says (NVIDIA GPUs)
};

struct SourceReading {
    TemperatureSource source;
    double celsius = 0;
};

// One sample of every source: what one reading pass gives.
struct TemperatureSample {
    // The classic CPU reading, exactly as readCpuTemperature() finds it.
    TemperaturePass cpu;
    // Every plausible temperature, in the order the library lists them, then
    // the NVIDIA GPUs. A reading outside the plausible range of a CPU
    // reading is no reading here too.
    QVector<SourceReading> sources;
};

// "cpu", "gpu", "disk", "board", "other".
const char *sourceKindName(SourceKind kind);

// One pass over every sensor and reading index (the plug-in's calls are
// made once per pass, whatever the number of sources), and over the NVIDIA
// GPUs. Either may be null. Run it where the plug-in's calls are allowed to
// block (the sensor worker).
TemperatureSample sampleTemperatures(SensorPlugin *plugin, NvidiaGpus *gpus = nullptr);

// The values of a sample by source id, the classic CPU reading as
// kCpuSourceId ("cpu") when the pass found one.
QHash<QString, double> sourceValues(const TemperatureSample &sample);
