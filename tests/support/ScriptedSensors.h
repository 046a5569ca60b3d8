// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

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

// While one of these holds, every pass of the scripted plug-in waits (as a
// hung driver would, at most a minute); release() or the end of its scope
// lets the passes go on.
class HeldSensorPasses {
public:
    HeldSensorPasses()
        : m_file(m_dir.filePath(QStringLiteral("hold")))
    {
        QFile file(m_file);
        m_held = file.open(QIODevice::WriteOnly);
        qputenv("FAKE_SENSORS_HANG_WHILE", QFile::encodeName(m_file));
    }
    ~HeldSensorPasses()
    {
        release();
        qunsetenv("FAKE_SENSORS_HANG_WHILE");
    }
    HeldSensorPasses(const HeldSensorPasses &) = delete;
    HeldSensorPasses &operator=(const HeldSensorPasses &) = delete;

    bool held() const { return m_held; }
    bool release()
    {
        m_held = false;
        return QFile::remove(m_file);
    }

private:
    QTemporaryDir m_dir;
    QString m_file;
    bool m_held = false;
};
