// SPDX-License-Identifier: GPL-3.0-or-later
#include "SensorPlugin.h"
#include "SensorPluginCalls.h"

#include <windows.h>

namespace {

template <typename Fn>
Fn resolve(HMODULE library, int ordinal)
{
    return reinterpret_cast<Fn>(GetProcAddress(library, MAKEINTRESOURCEA(ordinal)));
}

} // namespace

QString SensorPlugin::defaultLibraryPath()
{
    // Found on the DLL search path, beside the executable first.
    return QStringLiteral("HWiNFO32.dll");
}

std::unique_ptr<SensorPlugin> SensorPlugin::load(const QString &path, QString *error)
{
    // Loaded for the life of the process, never freed.
    HMODULE library = LoadLibraryW(reinterpret_cast<const wchar_t *>(path.utf16()));
    if (!library) {
        if (error)
            *error = path + QStringLiteral(": LoadLibrary error ") + QString::number(GetLastError());
        return nullptr;
    }
    SensorPluginCalls calls;
    using C = SensorPluginCalls;
    calls.init = resolve<C::InitFn>(library, 338);
    calls.reserved = resolve<C::ReservedFn>(library, 501);
    calls.count = resolve<C::CountFn>(library, 462);
    calls.select = resolve<C::SelectFn>(library, 280);
    calls.name = resolve<C::NameFn>(library, 947);
    // Temperature, voltage, fan, current, power, clock, usage.
    static const int readingOrdinals[kKindCount] = {253, 808, 129, 754, 923, 631, 590};
    for (int k = 0; k < kKindCount; ++k)
        calls.readings[k] = resolve<C::ReadingFn>(library, readingOrdinals[k]);
    calls.other = resolve<C::OtherFn>(library, 475);
    if (const char *missing = calls.firstMissing()) {
        if (error)
            *error = path + QStringLiteral(": no entry point for ") + QLatin1String(missing);
        return nullptr;
    }
    return SensorPluginCalls::make(calls);
}
