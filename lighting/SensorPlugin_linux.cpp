// SPDX-License-Identifier: GPL-3.0-or-later
#include "SensorPlugin.h"
#include "SensorPluginCalls.h"

#include <QCoreApplication>
#include <QFile>

#include <dlfcn.h>

namespace {

template <typename Fn>
Fn resolve(void *library, const char *name)
{
    return reinterpret_cast<Fn>(dlsym(library, name));
}

} // namespace

QString SensorPlugin::defaultLibraryPath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/libAuriventSensors.so");
}

std::unique_ptr<SensorPlugin> SensorPlugin::load(const QString &path, QString *error)
{
    // Loaded for the life of the process, never closed: the program may hold
    // pointers into it until exit.
    void *library = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        if (error)
            *error = QString::fromLocal8Bit(dlerror());
        return nullptr;
    }
    SensorPluginCalls calls;
    using C = SensorPluginCalls;
    calls.init = resolve<C::InitFn>(library, "aurivent_sensors_init");
    calls.reserved = resolve<C::ReservedFn>(library, "aurivent_sensors_reserved");
    calls.count = resolve<C::CountFn>(library, "aurivent_sensors_count");
    calls.select = resolve<C::SelectFn>(library, "aurivent_sensors_select");
    calls.name = resolve<C::NameFn>(library, "aurivent_sensors_name");
    static const char *const readingNames[kKindCount] = {
        "aurivent_sensors_temperature", "aurivent_sensors_voltage", "aurivent_sensors_fan",
        "aurivent_sensors_current",     "aurivent_sensors_power",   "aurivent_sensors_clock",
        "aurivent_sensors_usage"};
    for (int k = 0; k < kKindCount; ++k)
        calls.readings[k] = resolve<C::ReadingFn>(library, readingNames[k]);
    calls.other = resolve<C::OtherFn>(library, "aurivent_sensors_other");
    calls.kind = resolve<C::KindFn>(library, "aurivent_sensors_kind");
    calls.reason = resolve<C::ReasonFn>(library, "aurivent_sensors_reason");
    if (const char *missing = calls.firstMissing()) {
        if (error)
            *error = path + QStringLiteral(": no entry point for ") + QLatin1String(missing);
        return nullptr;
    }
    return SensorPluginCalls::make(calls);
}
