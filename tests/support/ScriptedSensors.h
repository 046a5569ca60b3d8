// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>

// The sensor plug-ins built for the tests (libFakeSensors*.so beside them).
inline QString pluginLibrary(const char *name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lib") + QLatin1String(name)
        + QStringLiteral(".so");
}

// What the scripted plug-in's next pass returns.
inline void scriptSensorReading(const char *script)
{
    qputenv("FAKE_SENSORS", script);
}
