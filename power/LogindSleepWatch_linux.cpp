// SPDX-License-Identifier: GPL-3.0-or-later
#include "power/LogindSleepWatch_linux.h"

#include "common/Logging.h"

#include <QDBusConnectionInterface>

namespace {
const QString kLogind = QStringLiteral("org.freedesktop.login1");
}

SleepWatch *SleepWatch::create(QObject *parent)
{
    return new LogindSleepWatch(QDBusConnection::systemBus(), parent);
}

LogindSleepWatch::LogindSleepWatch(const QDBusConnection &bus, QObject *parent)
    : SleepWatch(parent)
{
    // Told once at start: without these news a box that loses power in
    // suspend keeps its power-on defaults until it is plugged in again.
    if (!bus.isConnected()) {
        qCInfo(lcApp) << "no system bus: boxes are not sent their settings again after suspend";
        return;
    }
    QDBusConnectionInterface *names = bus.interface();
    const bool present = names
        && (names->isServiceRegistered(kLogind).value()
            || names->activatableServiceNames().value().contains(kLogind));
    if (!present) {
        qCInfo(lcApp) << "no systemd-logind on the system bus: boxes are not sent their settings again after suspend";
        return;
    }
    QDBusConnection connection(bus);
    m_listening = connection.connect(kLogind, QStringLiteral("/org/freedesktop/login1"),
                                     QStringLiteral("org.freedesktop.login1.Manager"),
                                     QStringLiteral("PrepareForSleep"), this, SLOT(prepareForSleep(bool)));
    if (!m_listening)
        qCWarning(lcApp) << "cannot follow systemd-logind's sleep news:" << connection.lastError().message();
}

void LogindSleepWatch::prepareForSleep(bool sleeping)
{
    qCDebug(lcApp) << "PrepareForSleep" << sleeping;
    if (sleeping)
        emit aboutToSleep();
    else
        emit resumed();
}
