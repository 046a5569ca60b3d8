// SPDX-License-Identifier: GPL-3.0-or-later
#include "NvidiaGpus.h"

#include <QFile>

#include <dlfcn.h>

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
    bool complete = false;
    std::unique_ptr<NvidiaGpus> gpus
        = makeFromLibrary(path, [library](const char *name) { return dlsym(library, name); }, &complete, error);
    // A library that lacks a call was never initialised; an initialised
    // driver library is not unloaded.
    if (!complete)
        dlclose(library);
    return gpus;
}
