// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

// A session bus of the test's own (dbus-daemon), named in
// DBUS_SESSION_BUS_ADDRESS before anything in the process opens the session
// bus. Ended with the object.
class PrivateBus {
public:
    PrivateBus()
    {
        m_daemon.setProgram(QStringLiteral("dbus-daemon"));
        m_daemon.setArguments({QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--nopidfile"),
                               QStringLiteral("--print-address=1"),
                               QStringLiteral("--address=unix:path=") + m_dir.path() + QStringLiteral("/bus")});
        m_daemon.start();
        if (!m_daemon.waitForStarted(30000))
            return;
        // The address line comes once the bus listens.
        while (!m_daemon.canReadLine() && m_daemon.state() == QProcess::Running)
            m_daemon.waitForReadyRead(30000);
        m_address = m_daemon.readLine().trimmed();
        if (!m_address.isEmpty())
            qputenv("DBUS_SESSION_BUS_ADDRESS", m_address);
    }

    ~PrivateBus()
    {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(30000)) {
            m_daemon.kill();
            m_daemon.waitForFinished(30000);
        }
    }

    bool isRunning() const { return !m_address.isEmpty(); }
    QString error() { return m_daemon.errorString() + QLatin1Char(' ') + QString::fromLocal8Bit(m_daemon.readAllStandardError()); }

private:
    QTemporaryDir m_dir;
    QProcess m_daemon;
    QByteArray m_address;
};
