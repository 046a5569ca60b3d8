// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/NotificationClient.h"

#include "alerts/AlertText.h"
#include "common/Logging.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>

namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kOpen = QStringLiteral("default");

enum Urgency : uchar { Low = 0, Normal = 1, Critical = 2 };

uchar urgencyOf(const Alert &a)
{
    if (!a.raised)
        return Low;
    switch (a.kind) {
    case AlertKind::Stall:
    case AlertKind::BoxSilent:
    case AlertKind::TemperatureHigh:
        return Critical;
    case AlertKind::TemperatureLost:
    case AlertKind::SaveFailed:
        return Normal;
    }
    return Normal;
}

} // namespace

NotificationClient::NotificationClient(const QDBusConnection &bus, QObject *parent)
    : QObject(parent), m_bus(bus)
{
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
                  SLOT(onActionInvoked(uint, QString)));
    m_bus.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
                  SLOT(onClosed(uint, uint)));
    // Whether bodies are read as markup: then our texts are escaped.
    auto *watcher = new QDBusPendingCallWatcher(
        m_bus.asyncCall(QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("GetCapabilities"))),
        this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher *w) {
        const QDBusPendingReply<QStringList> reply = *w;
        if (!reply.isError())
            m_markup = reply.value().contains(QStringLiteral("body-markup"));
        w->deleteLater();
    });
}

void NotificationClient::show(const Alert &alert)
{
    if (m_pending >= kMaxPending) {
        qCWarning(lcAlerts) << "notification dropped:" << m_pending << "wait for the notification service already";
        // Told after the caller has finished with this alert, as a refusal is.
        QMetaObject::invokeMethod(this, [this, key = alert.key()] { emit notShown(key); }, Qt::QueuedConnection);
        return;
    }
    const QString key = alert.key();
    const uint replaces = alert.raised ? 0u : m_idOfKey.value(key, 0u);
    QString body = AlertText::body(alert);
    if (m_markup)
        body = body.toHtmlEscaped();
    QVariantMap hints;
    hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(urgencyOf(alert)));
    hints.insert(QStringLiteral("desktop-entry"), QString::fromLatin1(kDesktopEntry));
    if (alert.raised && alert.kind != AlertKind::SaveFailed)
        hints.insert(QStringLiteral("category"), QStringLiteral("device.error"));

    QDBusMessage call = QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Notify"));
    call << QStringLiteral("Aurivent") << replaces << QString::fromLatin1(kIcon) << AlertText::summary(alert) << body
         << QStringList{kOpen, AlertText::openAction()} << hints << qint32(-1);
    ++m_pending;
    auto *watcher = new QDBusPendingCallWatcher(m_bus.asyncCall(call), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, key, raised = alert.raised](QDBusPendingCallWatcher *w) {
        --m_pending;
        const QDBusPendingReply<uint> reply = *w;
        w->deleteLater();
        if (reply.isError()) {
            const QString reason = reply.error().name() + QStringLiteral(": ") + reply.error().message();
            if (!m_failing)
                qCWarning(lcAlerts).noquote() << "notification service failed, alerts reach the log and the tray only:" << reason;
            m_failing = true;
            emit failed(reason);
            emit notShown(key);
            return;
        }
        if (m_failing)
            qCInfo(lcAlerts) << "notification service answers again";
        m_failing = false;
        const uint id = reply.value();
        remember(key, id, raised);
        emit shown(key, id);
    });
}

// Every notification shown answers its action; a raised one is also what
// the clear of its outage replaces.
void NotificationClient::remember(const QString &key, uint id, bool raised)
{
    if (!m_keyOfId.contains(id))
        m_order.enqueue(id);
    m_keyOfId.insert(id, key);
    if (raised)
        m_idOfKey.insert(key, id);
    else if (m_idOfKey.value(key, 0u) == id)
        m_idOfKey.remove(key);
    while (m_order.size() > kIdsKept)
        forget(m_order.head());
}

void NotificationClient::forget(uint id)
{
    if (!m_keyOfId.contains(id))
        return;
    const QString key = m_keyOfId.take(id);
    if (m_idOfKey.value(key, 0u) == id)
        m_idOfKey.remove(key);
    m_order.removeOne(id);
}

void NotificationClient::onActionInvoked(uint id, const QString &action)
{
    // Other programs' notifications come through the same signal.
    if (!m_keyOfId.contains(id))
        return;
    if (action == kOpen)
        emit openRequested();
}

void NotificationClient::onClosed(uint id, uint)
{
    forget(id);
}
