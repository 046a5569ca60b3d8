// SPDX-License-Identifier: GPL-3.0-or-later
#include "NvidiaGpus.h"

#include <windows.h>

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
    bool complete = false;
    std::unique_ptr<NvidiaGpus> gpus = makeFromLibrary(
        path, [library](const char *name) { return reinterpret_cast<void *>(GetProcAddress(library, name)); },
        &complete, error);
    // A library that lacks a call was never initialised.
    if (!complete)
        FreeLibrary(library);
    return gpus;
}
