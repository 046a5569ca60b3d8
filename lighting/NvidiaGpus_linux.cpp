// SPDX-License-Identifier: GPL-3.0-or-later
#include "NvidiaGpus.h"

#include <QFile>

#include <dlfcn.h>

namespace {

template <typename Fn>
void resolve(void *library, const char *name, Fn &fn)
{
    fn = reinterpret_cast<Fn>(dlsym(library, name));
}

} // namespace

QString NvidiaGpus::defaultLibraryPath()
{
    // Where the driver's packages put it; the loader's search path finds it.
    return QStringLiteral("libnvidia-ml.so.1");
}

std::unique_ptr<NvidiaGpus> NvidiaGpus::load(const QString &path, QString *error)
{
    void *library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        if (error)
            *error = QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    Calls calls;
    resolve(library, "nvmlInit_v2", calls.init);
    resolve(library, "nvmlDeviceGetCount_v2", calls.count);
    resolve(library, "nvmlDeviceGetHandleByIndex_v2", calls.handle);
    resolve(library, "nvmlDeviceGetUUID", calls.uuid);
    resolve(library, "nvmlDeviceGetName", calls.name);
    resolve(library, "nvmlDeviceGetTemperature", calls.temperature);
    if (const char *missing = calls.firstMissing()) {
        if (error)
            *error = path + QStringLiteral(": no entry point for ") + QLatin1String(missing);
        dlclose(library);
        return nullptr;
    }
    QString why;
    std::unique_ptr<NvidiaGpus> gpus = make(calls, &why);
    if (!gpus && error)
        *error = path + QStringLiteral(": ") + why;
    // Kept loaded even so: an initialised driver library is not unloaded.
    return gpus;
}
