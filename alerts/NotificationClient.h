// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"

#include <QDBusConnection>
#include <QHash>
#include <QObject>
#include <QQueue>

// Alerts on the desktop's notification service (org.freedesktop.Notifications
// on the session bus): a raised alert with the program's icon and an action
// that opens the window; its clear replaces it. Calls never wait for the
// service. A missing or failing service is logged once until it works again.
class NotificationClient : public QObject {
    Q_OBJECT
public:
    // Calls on their way; more are dropped (a hung service must not pile them up).
    static constexpr int kMaxPending = 8;
    // Notifications whose action is still answered.
    static constexpr int kIdsKept = 64;
    // The icon-theme name the package installs and the desktop entry's name.
    static constexpr const char *kIcon = "aurivent";
    static constexpr const char *kDesktopEntry = "aurivent";

    explicit NotificationClient(const QDBusConnection &bus, QObject *parent = nullptr);

    void show(const Alert &alert);

signals:
    // The user clicked one of our notifications or its "open" action.
    void openRequested();
    // The service showed the notification for this alert as `id`.
    void shown(const QString &key, uint id);
    void failed(const QString &reason);
    // The alert of this key did not reach the desktop (refused, or dropped).
    void notShown(const QString &key);

private slots:
    void onActionInvoked(uint id, const QString &action);
    void onClosed(uint id, uint reason);

private:
    void remember(const QString &key, uint id, bool raised);
    void forget(uint id);

    QDBusConnection m_bus;
    int m_pending = 0;
    bool m_failing = false;
    bool m_markup = false;
    QHash<uint, QString> m_keyOfId;
    QHash<QString, uint> m_idOfKey;
    QQueue<uint> m_order;
};
