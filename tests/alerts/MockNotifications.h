// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the stand-in notification service (python3-dbusmock's
// notification_daemon template) was asked, and signals it sends as the
// desktop would.

#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QStringList>
#include <QVariantMap>

struct NotifyCall {
    QString app;
    uint replaces = 0;
    QString icon;
    QString summary;
    QString body;
    QStringList actions;
    QVariantMap hints;
    int timeout = 0;
};

inline QDBusMessage mockCall(const QString &method, const QVariantList &args = {})
{
    QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.Notifications"),
                                                    QStringLiteral("/org/freedesktop/Notifications"),
                                                    QStringLiteral("org.freedesktop.DBus.Mock"), method);
    m.setArguments(args);
    return m;
}

// Every Notify call the service got, oldest first.
inline QList<NotifyCall> notifyCalls(const QDBusConnection &bus)
{
    QList<NotifyCall> calls;
    const QDBusMessage reply = bus.call(mockCall(QStringLiteral("GetMethodCalls"), {QStringLiteral("Notify")}));
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return calls;
    const QDBusArgument list = reply.arguments().at(0).value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
        quint64 stamp = 0;
        QVariantList args;
        list.beginStructure();
        list >> stamp >> args;
        list.endStructure();
        if (args.size() != 8)
            continue;
        NotifyCall c;
        c.app = args[0].toString();
        c.replaces = args[1].toUInt();
        c.icon = args[2].toString();
        c.summary = args[3].toString();
        c.body = args[4].toString();
        c.actions = args[5].canConvert<QDBusArgument>() ? qdbus_cast<QStringList>(args[5]) : args[5].toStringList();
        c.hints = qdbus_cast<QVariantMap>(args[6]);
        c.timeout = args[7].toInt();
        calls << c;
    }
    list.endArray();
    return calls;
}

inline void clearMockCalls(const QDBusConnection &bus)
{
    bus.call(mockCall(QStringLiteral("ClearCalls")));
}

// The desktop says the user chose `action` on notification `id`.
inline bool emitActionInvoked(const QDBusConnection &bus, uint id, const QString &action)
{
    const QDBusMessage reply = bus.call(mockCall(QStringLiteral("EmitSignal"),
                                                 {QStringLiteral("org.freedesktop.Notifications"),
                                                  QStringLiteral("ActionInvoked"), QStringLiteral("us"),
                                                  QVariantList{uint(id), action}}));
    return reply.type() == QDBusMessage::ReplyMessage;
}

inline bool emitClosed(const QDBusConnection &bus, uint id, uint reason)
{
    const QDBusMessage reply = bus.call(mockCall(QStringLiteral("EmitSignal"),
                                                 {QStringLiteral("org.freedesktop.Notifications"),
                                                  QStringLiteral("NotificationClosed"), QStringLiteral("uu"),
                                                  QVariantList{uint(id), uint(reason)}}));
    return reply.type() == QDBusMessage::ReplyMessage;
}
