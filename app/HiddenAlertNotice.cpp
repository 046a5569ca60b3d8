// SPDX-License-Identifier: GPL-3.0-or-later
#include "HiddenAlertNotice.h"

#include "Tray.h"
#include "alerts/AlertText.h"
#include "alerts/NotificationClient.h"

HiddenAlertNotice::HiddenAlertNotice(Tray *tray, std::function<bool()> windowPutAway,
                                     NotificationClient *notifications, std::function<bool(AlertKind)> notifies,
                                     QObject *parent)
    : QObject(parent), m_tray(tray), m_windowPutAway(std::move(windowPutAway)), m_notifies(std::move(notifies))
{
    if (!notifications) {
        m_notifies = [](AlertKind) { return false; };
        return;
    }
    connect(notifications, &NotificationClient::shown, this, [this](const QString &key, uint) {
        m_waiting.remove(key);
    });
    connect(notifications, &NotificationClient::notShown, this, [this](const QString &key) {
        const auto it = m_waiting.find(key);
        if (it == m_waiting.end())
            return;
        const Alert alert = it.value();
        m_waiting.erase(it);
        toTray(alert);
    });
}

void HiddenAlertNotice::alertRaised(const Alert &alert)
{
    // What the window would show in front: a fan, a box, a sensor gone.
    if (alert.kind != AlertKind::Stall && alert.kind != AlertKind::BoxSilent
        && alert.kind != AlertKind::TemperatureLost)
        return;
    if (!m_windowPutAway())
        return;
    if (m_notifies(alert.kind) && m_waiting.size() < kMaxWaiting) {
        m_waiting.insert(alert.key(), alert);
        return;
    }
    toTray(alert);
}

void HiddenAlertNotice::toTray(const Alert &alert)
{
    m_tray->showMessage(AlertText::summary(alert), AlertText::body(alert), QSystemTrayIcon::Warning);
}
