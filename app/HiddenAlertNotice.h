// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"

#include <QHash>
#include <QObject>

#include <functional>

class NotificationClient;
class Tray;

// An alert that comes while the main window is put away in the tray: the
// tray says so too. Not when the desktop's notification of that alert got
// through: Qt's tray message goes to the same notification service on most
// desktops, and the user would read it twice. So a notified alert waits
// for the service's answer and goes to the tray only when it was refused.
class HiddenAlertNotice : public QObject {
    Q_OBJECT
public:
    // Alerts waiting for the service's answer; past that, the tray says them at once.
    static constexpr int kMaxWaiting = 16;

    // notifications may be null; notifies tells whether a kind is sent to it.
    HiddenAlertNotice(Tray *tray, std::function<bool()> windowPutAway, NotificationClient *notifications,
                      std::function<bool(AlertKind)> notifies, QObject *parent = nullptr);

    void alertRaised(const Alert &alert);

private:
    void toTray(const Alert &alert);

    Tray *m_tray;
    std::function<bool()> m_windowPutAway;
    std::function<bool(AlertKind)> m_notifies;
    QHash<QString, Alert> m_waiting; // by key
};
