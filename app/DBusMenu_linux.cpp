// SPDX-License-Identifier: GPL-3.0-or-later
#include "DBusMenu_linux.h"

#include "common/Logging.h"

#include <QAction>
#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMetaType>
#include <QDBusVariant>
#include <QMenu>
#include <QPointer>
#include <QTimer>

// The wire types of com.canonical.dbusmenu.
struct DBusMenuLayout {
    int id = 0;
    QVariantMap properties;
    QList<DBusMenuLayout> children;
};
Q_DECLARE_METATYPE(DBusMenuLayout)

struct DBusMenuItemProperties {
    int id = 0;
    QVariantMap properties;
};
Q_DECLARE_METATYPE(DBusMenuItemProperties)
using DBusMenuItemPropertiesList = QList<DBusMenuItemProperties>;
Q_DECLARE_METATYPE(DBusMenuItemPropertiesList)

struct DBusMenuEvent {
    int id = 0;
    QString eventId;
    QDBusVariant data;
    uint timestamp = 0;
};
Q_DECLARE_METATYPE(DBusMenuEvent)
using DBusMenuEventList = QList<DBusMenuEvent>;
Q_DECLARE_METATYPE(DBusMenuEventList)

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuLayout &item)
{
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.beginArray(qMetaTypeId<QDBusVariant>());
    for (const DBusMenuLayout &child : item.children)
        argument << QDBusVariant(QVariant::fromValue(child));
    argument.endArray();
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuLayout &item)
{
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.beginArray();
    item.children.clear();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        item.children << qdbus_cast<DBusMenuLayout>(child.variant());
    }
    argument.endArray();
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuItemProperties &item)
{
    argument.beginStructure();
    argument << item.id << item.properties;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuItemProperties &item)
{
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const DBusMenuEvent &event)
{
    argument.beginStructure();
    argument << event.id << event.eventId << event.data << event.timestamp;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, DBusMenuEvent &event)
{
    argument.beginStructure();
    argument >> event.id >> event.eventId >> event.data >> event.timestamp;
    argument.endStructure();
    return argument;
}

namespace {

// The object the adaptor hangs on; it only carries the menu.
class MenuObject : public QObject {
    Q_OBJECT
public:
    explicit MenuObject(QMenu *menu) : QObject(menu), m_menu(menu) {}
    QMenu *menu() const { return m_menu; }

private:
    QMenu *m_menu;
};

class MenuAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "com.canonical.dbusmenu")
    Q_PROPERTY(uint Version READ version)
    Q_PROPERTY(QString TextDirection READ textDirection)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(QStringList IconThemePath READ iconThemePath)

public:
    explicit MenuAdaptor(MenuObject *parent) : QDBusAbstractAdaptor(parent), m_menu(parent->menu())
    {
        // Any change of an action (its text in another language, the
        // autostart mark, enabled) is a new layout for the host to fetch.
        m_relayout.setSingleShot(true);
        m_relayout.setInterval(0);
        connect(&m_relayout, &QTimer::timeout, this, [this] { emit LayoutUpdated(++m_revision, 0); });
        watchActions();
    }

    uint version() const { return 3; }
    QString textDirection() const { return QStringLiteral("ltr"); }
    QString status() const { return QStringLiteral("normal"); }
    QStringList iconThemePath() const { return {}; }

public slots:
    uint GetLayout(int parentId, int recursionDepth, const QStringList &propertyNames, DBusMenuLayout &layout)
    {
        Q_UNUSED(propertyNames)
        layout = layoutOf(parentId, recursionDepth);
        return m_revision;
    }

private:
    DBusMenuLayout layoutOf(int parentId, int recursionDepth) const
    {
        DBusMenuLayout root;
        root.id = 0;
        root.properties.insert(QStringLiteral("children-display"), QStringLiteral("submenu"));
        if (recursionDepth != 0) {
            const QList<QAction *> actions = m_menu->actions();
            for (int i = 0; i < actions.size(); ++i)
                root.children << DBusMenuLayout{i + 1, properties(actions.at(i)), {}};
        }
        if (parentId == 0)
            return root;
        for (const DBusMenuLayout &child : qAsConst(root.children))
            if (child.id == parentId)
                return child;
        return DBusMenuLayout{parentId, {}, {}};
    }

public slots:

    DBusMenuItemPropertiesList GetGroupProperties(const QList<int> &ids, const QStringList &propertyNames)
    {
        Q_UNUSED(propertyNames)
        DBusMenuItemPropertiesList out;
        for (int id : ids) {
            if (QAction *action = actionOf(id))
                out << DBusMenuItemProperties{id, properties(action)};
        }
        return out;
    }

    QDBusVariant GetProperty(int id, const QString &name)
    {
        QAction *action = actionOf(id);
        return QDBusVariant(action ? properties(action).value(name) : QVariant());
    }

    void Event(int id, const QString &eventId, const QDBusVariant &data, uint timestamp)
    {
        Q_UNUSED(data)
        Q_UNUSED(timestamp)
        if (eventId != QLatin1String("clicked"))
            return;
        QPointer<QAction> action = actionOf(id);
        if (!action) {
            qCDebug(lcApp) << "dbusMenu: a click on an item that does not exist:" << id;
            return;
        }
        // Later, out of the D-Bus call: the action may end the program.
        QTimer::singleShot(0, action.data(), [action] {
            if (action && action->isEnabled())
                action->trigger();
        });
    }

    QList<int> EventGroup(const DBusMenuEventList &events)
    {
        QList<int> unknown;
        for (const DBusMenuEvent &event : events) {
            if (actionOf(event.id))
                Event(event.id, event.eventId, event.data, event.timestamp);
            else
                unknown << event.id;
        }
        return unknown;
    }

    bool AboutToShow(int id)
    {
        Q_UNUSED(id)
        return false; // the layout is always current
    }

    QList<int> AboutToShowGroup(const QList<int> &ids, QList<int> &idErrors)
    {
        for (int id : ids)
            if (id != 0 && !actionOf(id))
                idErrors << id;
        return {};
    }

signals:
    void LayoutUpdated(uint revision, int parent);
    void ItemActivationRequested(int id, uint timestamp);

private:
    QAction *actionOf(int id) const
    {
        const QList<QAction *> actions = m_menu->actions();
        return id >= 1 && id <= actions.size() ? actions.at(id - 1) : nullptr;
    }

    static QVariantMap properties(QAction *action)
    {
        QVariantMap p;
        if (action->isSeparator()) {
            p.insert(QStringLiteral("type"), QStringLiteral("separator"));
        } else {
            // dbusmenu's mnemonic mark is "_"; a literal one is doubled.
            QString label = action->text();
            label.replace(QLatin1Char('_'), QStringLiteral("__"));
            label.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
            label.replace(QLatin1Char('&'), QLatin1Char('_'));
            label.replace(QLatin1Char('\x01'), QLatin1Char('&'));
            p.insert(QStringLiteral("label"), label);
            // A check mark the host draws itself, as Qt's own menu does.
            if (action->isCheckable()) {
                p.insert(QStringLiteral("toggle-type"), QStringLiteral("checkmark"));
                p.insert(QStringLiteral("toggle-state"), action->isChecked() ? 1 : 0);
            }
        }
        p.insert(QStringLiteral("enabled"), action->isEnabled());
        p.insert(QStringLiteral("visible"), action->isVisible());
        return p;
    }

    void watchActions()
    {
        for (QAction *action : m_menu->actions())
            connect(action, &QAction::changed, &m_relayout, qOverload<>(&QTimer::start), Qt::UniqueConnection);
    }

    QMenu *m_menu;
    uint m_revision = 1;
    QTimer m_relayout;
};

} // namespace

bool exportDBusMenu(QMenu *menu, QDBusConnection &bus, const QString &path)
{
    qDBusRegisterMetaType<DBusMenuLayout>();
    qDBusRegisterMetaType<DBusMenuItemProperties>();
    qDBusRegisterMetaType<DBusMenuItemPropertiesList>();
    qDBusRegisterMetaType<DBusMenuEvent>();
    qDBusRegisterMetaType<DBusMenuEventList>();
    auto *object = new MenuObject(menu);
    new MenuAdaptor(object);
    if (!bus.registerObject(path, object)) {
        delete object;
        return false;
    }
    return true;
}

#include "DBusMenu_linux.moc"
