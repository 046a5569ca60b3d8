// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "SensorPlugin.h"

// The thirteen entry points (and the optional ones) as plain C function pointers (the default calling
// convention, cdecl). A backend resolves them; SensorPluginCalls::make wraps
// them with the buffer and index checks every caller relies on.
struct SensorPluginCalls {
    using InitFn = int (*)(int);
    using ReservedFn = int (*)();
    using CountFn = int (*)();
    using SelectFn = int (*)(int);
    using NameFn = int (*)(int, char *, int);
    using ReadingFn = double (*)(int, int, char *, int);
    using OtherFn = double (*)(int, int, char *, int, char *, int);
    using KindFn = int (*)(int);
    using ReasonFn = int (*)(char *, int);

    InitFn init = nullptr;
    ReservedFn reserved = nullptr;
    CountFn count = nullptr;
    SelectFn select = nullptr;
    NameFn name = nullptr;
    ReadingFn readings[SensorPlugin::kKindCount] = {};
    OtherFn other = nullptr;
    // Optional: a library without it loads, and its sensors are of unknown kind.
    KindFn kind = nullptr;
    // Optional: why there is no CPU temperature, in the library's words.
    ReasonFn reason = nullptr;

    // The role of the first entry point still missing, or null when all are there.
    const char *firstMissing() const;

    // Null when an entry point is missing.
    static std::unique_ptr<SensorPlugin> make(const SensorPluginCalls &calls);
};
