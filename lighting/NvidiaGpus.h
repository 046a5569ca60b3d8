// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVector>

#include <functional>
#include <memory>

// GPU temperatures from NVIDIA's proprietary driver through its management
// library (NVML: "libnvidia-ml.so.1" on Linux, "nvml.dll" on Windows),
// loaded at run time when it is there: nothing is built against it, and
// without it (or without an NVIDIA GPU) nothing is offered. The few calls
// used, as the driver exports them by name:
//
//   int nvmlInit_v2(void);                                          0 = success
//   int nvmlDeviceGetCount_v2(unsigned *count);
//   int nvmlDeviceGetHandleByIndex_v2(unsigned index, nvmlDevice_t *device);
//   int nvmlDeviceGetUUID(nvmlDevice_t device, char *text, unsigned size);
//   int nvmlDeviceGetName(nvmlDevice_t device, char *text, unsigned size);
//   int nvmlDeviceGetTemperature(nvmlDevice_t device, int sensor, unsigned *celsius);
//                                                                   sensor 0 = the GPU die
//
// The library stays loaded and initialised for the life of the process:
// shutting the driver's library down at exit could block the exit.
class NvidiaGpus {
public:
    using Device = void *;
    struct Calls {
        int (*init)() = nullptr;
        int (*count)(unsigned *) = nullptr;
        int (*handle)(unsigned, Device *) = nullptr;
        int (*uuid)(Device, char *, unsigned) = nullptr;
        int (*name)(Device, char *, unsigned) = nullptr;
        int (*temperature)(Device, int, unsigned *) = nullptr;

        // The name of the first call still missing, or null.
        const char *firstMissing() const;
    };

    struct Reading {
        QString chip;  // "nvidia-" + the GPU's UUID: stable across boots and slots
        QString label; // "GPU"
        QString model; // "NVIDIA GeForce RTX 4070"
        double celsius = 0;
    };

    static constexpr int kMaxGpus = 16;
    static constexpr unsigned kTextSize = 96;

    static QString defaultLibraryPath();
    // Loads the library, initialises it and lists the GPUs. Null when the
    // library or a call is missing, initialisation fails or there is no GPU
    // with a UUID; `error` then says which.
    static std::unique_ptr<NvidiaGpus> load(const QString &path = defaultLibraryPath(), QString *error = nullptr);
    // The same from calls a backend resolved.
    static std::unique_ptr<NvidiaGpus> make(const Calls &calls, QString *error = nullptr);
    // make() from the calls of a loaded library, each looked up by its name
    // with the platform's `symbol`; errors name `path`. *complete: the
    // library had every call (one that lacks a call was never initialised
    // and may be unloaded).
    static std::unique_ptr<NvidiaGpus> makeFromLibrary(const QString &path,
                                                       const std::function<void *(const char *name)> &symbol,
                                                       bool *complete, QString *error);

    int count() const { return m_gpus.size(); }
    // One reading per GPU that answers; a GPU that does not is left out.
    QVector<Reading> read();

private:
    struct Gpu {
        Device device = nullptr;
        QString chip;
        QString model;
    };
    NvidiaGpus(const Calls &calls, QVector<Gpu> gpus);

    Calls m_calls;
    QVector<Gpu> m_gpus;
};
