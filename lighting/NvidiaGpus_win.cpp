// SPDX-License-Identifier: GPL-3.0-or-later
#include "NvidiaGpus.h"

#include <windows.h>

namespace {

template <typename Fn>
void resolve(HMODULE library, const char *name, Fn &fn)
{
    fn = reinterpret_cast<Fn>(GetProcAddress(library, name));
}

} // namespace

QString NvidiaGpus::defaultLibraryPath()
{
    // The driver installs it in the system folder.
    return QStringLiteral("nvml.dll");
}

std::unique_ptr<NvidiaGpus> NvidiaGpus::load(const QString &path, QString *error)
{
    HMODULE library = LoadLibraryW(reinterpret_cast<const wchar_t *>(path.utf16()));
    if (!library) {
        if (error)
            *error = path + QStringLiteral(": LoadLibrary error ") + QString::number(GetLastError());
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
        FreeLibrary(library);
        return nullptr;
    }
    QString why;
    std::unique_ptr<NvidiaGpus> gpus = make(calls, &why);
    if (!gpus && error)
        *error = path + QStringLiteral(": ") + why;
    return gpus;
}
