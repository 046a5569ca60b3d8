// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A session bus of the test's own: a dbus-daemon with a minimal configuration
// (no service activation, so nothing of the machine's answers on it), and
// stand-in services from python3-dbusmock started on it. Everything it starts
// is stopped when it goes.

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>
#include <vector>

class PrivateSessionBus {
public:
    PrivateSessionBus() = default;
    PrivateSessionBus(const PrivateSessionBus &) = delete;
    PrivateSessionBus &operator=(const PrivateSessionBus &) = delete;

    ~PrivateSessionBus()
    {
        if (!m_name.isEmpty())
            QDBusConnection::disconnectFromBus(m_name);
        for (auto &p : m_services)
            stop(*p);
        stop(m_daemon);
    }

    // Starts the daemon; an empty text, or why it could not start.
    QString start(const QString &connectionName = QStringLiteral("aurivent-test-bus"))
    {
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
        if (exe.isEmpty())
            return QStringLiteral("no dbus-daemon (package dbus) on PATH");
        if (!m_dir.isValid())
            return QStringLiteral("no temporary folder");
        const QString config = m_dir.filePath(QStringLiteral("bus.conf"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return QStringLiteral("cannot write ") + config;
        file.write("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                   " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                   "<busconfig><type>session</type><listen>unix:dir=" +
                   QFile::encodeName(m_dir.path()) +
                   "</listen><auth>EXTERNAL</auth>"
                   "<policy context=\"default\"><allow send_destination=\"*\" eavesdrop=\"true\"/>"
                   "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n");
        file.close();
        m_daemon.setProcessChannelMode(QProcess::SeparateChannels);
        m_daemon.start(exe, {QStringLiteral("--config-file=") + config, QStringLiteral("--nofork"),
                             QStringLiteral("--print-address=1"), QStringLiteral("--nopidfile")});
        if (!m_daemon.waitForStarted(10000))
            return QStringLiteral("dbus-daemon did not start: ") + m_daemon.errorString();
        QElapsedTimer clock;
        clock.start();
        while (!m_daemon.canReadLine() && clock.elapsed() < 20000 && m_daemon.state() == QProcess::Running)
            m_daemon.waitForReadyRead(500);
        m_address = QString::fromLocal8Bit(m_daemon.readLine()).trimmed();
        if (m_address.isEmpty())
            return QStringLiteral("dbus-daemon gave no address: ") + QString::fromLocal8Bit(m_daemon.readAllStandardError());
        m_name = connectionName;
        QDBusConnection bus = QDBusConnection::connectToBus(m_address, m_name);
        if (!bus.isConnected())
            return QStringLiteral("cannot connect to ") + m_address + QStringLiteral(": ") + bus.lastError().message();
        return QString();
    }

    QString address() const { return m_address; }
    QDBusConnection connection() const { return QDBusConnection(m_name); }

    // Starts a python3-dbusmock template (Debian's python3, which has the
    // module) and waits until it owns `busName`; empty text or why not. A
    // system service's template (logind) is put on this bus all the same.
    QString startMock(const QString &templateName, const QString &busName)
    {
        auto p = std::make_unique<QProcess>();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), m_address);
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::MergedChannels);
        p->start(QStringLiteral("/usr/bin/python3"),
                 {QStringLiteral("-m"), QStringLiteral("dbusmock"), QStringLiteral("--session"), QStringLiteral("--template"),
                  templateName});
        if (!p->waitForStarted(10000))
            return QStringLiteral("python3 -m dbusmock did not start: ") + p->errorString();
        QElapsedTimer clock;
        clock.start();
        while (!connection().interface()->isServiceRegistered(busName)) {
            if (p->state() != QProcess::Running)
                return QStringLiteral("dbusmock ended: ") + QString::fromLocal8Bit(p->readAll());
            if (clock.elapsed() > 30000)
                return QStringLiteral("dbusmock did not take ") + busName;
            p->waitForReadyRead(100);
        }
        m_services.push_back(std::move(p));
        return QString();
    }

    // Stops the mocks started so far (their names leave the bus).
    void stopMocks()
    {
        for (auto &p : m_services)
            stop(*p);
        m_services.clear();
    }

private:
    static void stop(QProcess &p)
    {
        if (p.state() == QProcess::NotRunning)
            return;
        p.terminate();
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(5000);
        }
    }

    QTemporaryDir m_dir{QDir::tempPath() + QStringLiteral("/aurivent-bus-XXXXXX")};
    QProcess m_daemon;
    QString m_address;
    QString m_name;
    std::vector<std::unique_ptr<QProcess>> m_services;
};
