// SPDX-License-Identifier: GPL-3.0-or-later
#include "LateTray.h"

#include "DBusMenu_linux.h"
#include "common/Logging.h"

#include <QDBusAbstractAdaptor>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDBusVariant>
#include <QIcon>
#include <QImage>
#include <QMenu>
#include <QtEndian>

#include <unistd.h>

// The wire types of org.kde.StatusNotifierItem: an icon as ARGB32 pixels in
// network byte order, and the tool tip.
struct SniPixmap {
    int width = 0;
    int height = 0;
    QByteArray argb;
};
Q_DECLARE_METATYPE(SniPixmap)
using SniPixmapList = QList<SniPixmap>;
Q_DECLARE_METATYPE(SniPixmapList)

struct SniToolTip {
    QString iconName;
    SniPixmapList pixmaps;
    QString title;
    QString description;
};
Q_DECLARE_METATYPE(SniToolTip)

QDBusArgument &operator<<(QDBusArgument &argument, const SniPixmap &pixmap)
{
    argument.beginStructure();
    argument << pixmap.width << pixmap.height << pixmap.argb;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, SniPixmap &pixmap)
{
    argument.beginStructure();
    argument >> pixmap.width >> pixmap.height >> pixmap.argb;
    argument.endStructure();
    return argument;
}

QDBusArgument &operator<<(QDBusArgument &argument, const SniToolTip &tip)
{
    argument.beginStructure();
    argument << tip.iconName << tip.pixmaps << tip.title << tip.description;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, SniToolTip &tip)
{
    argument.beginStructure();
    argument >> tip.iconName >> tip.pixmaps >> tip.title >> tip.description;
    argument.endStructure();
    return argument;
}

namespace {

const char kWatcherService[] = "org.kde.StatusNotifierWatcher";
const char kWatcherPath[] = "/StatusNotifierWatcher";
const char kWatcherInterface[] = "org.kde.StatusNotifierWatcher";
const char kItemPath[] = "/StatusNotifierItem";
const char kMenuPath[] = "/MenuBar";

SniPixmapList pixmapsOf(const QIcon &icon)
{
    SniPixmapList out;
    for (int size : {16, 22, 24, 32, 48, 64}) {
        const QImage image = icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32);
        if (image.isNull())
            continue;
        SniPixmap pixmap{image.width(), image.height(), QByteArray()};
        pixmap.argb.resize(image.width() * image.height() * 4);
        auto *out32 = reinterpret_cast<quint32 *>(pixmap.argb.data());
        for (int y = 0; y < image.height(); ++y) {
            const auto *line = reinterpret_cast<const quint32 *>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                *out32++ = qToBigEndian(line[x]);
        }
        out << pixmap;
    }
    return out;
}

class ItemObject;

class ItemAdaptor : public QDBusAbstractAdaptor {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.kde.StatusNotifierItem")
    Q_PROPERTY(QString Category READ category)
    Q_PROPERTY(QString Id READ id)
    Q_PROPERTY(QString Title READ title)
    Q_PROPERTY(QString Status READ status)
    Q_PROPERTY(int WindowId READ windowId)
    Q_PROPERTY(QString IconThemePath READ empty)
    Q_PROPERTY(QString IconName READ empty)
    Q_PROPERTY(SniPixmapList IconPixmap READ iconPixmap)
    Q_PROPERTY(QString OverlayIconName READ empty)
    Q_PROPERTY(SniPixmapList OverlayIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionIconName READ empty)
    Q_PROPERTY(SniPixmapList AttentionIconPixmap READ noPixmap)
    Q_PROPERTY(QString AttentionMovieName READ empty)
    Q_PROPERTY(SniToolTip ToolTip READ toolTip)
    Q_PROPERTY(bool ItemIsMenu READ itemIsMenu)
    Q_PROPERTY(QDBusObjectPath Menu READ menu)

public:
    ItemAdaptor(QObject *parent, QSystemTrayIcon *icon, LateTray *tray)
        : QDBusAbstractAdaptor(parent), m_icon(icon), m_tray(tray)
    {
        setAutoRelaySignals(false);
    }

    QString category() const { return QStringLiteral("Hardware"); }
    QString id() const { return QStringLiteral("aurivent"); }
    QString title() const { return QStringLiteral("Aurivent"); }
    QString status() const { return QStringLiteral("Active"); }
    int windowId() const { return 0; }
    QString empty() const { return QString(); }
    SniPixmapList iconPixmap() const { return pixmapsOf(m_icon->icon()); }
    SniPixmapList noPixmap() const { return {}; }
    SniToolTip toolTip() const { return SniToolTip{QString(), {}, m_icon->toolTip(), QString()}; }
    bool itemIsMenu() const { return false; }
    QDBusObjectPath menu() const { return QDBusObjectPath(QLatin1String(kMenuPath)); }

public slots:
    // A host's clicks, reported as Qt reports them for its own tray icon.
    void Activate(int x, int y)
    {
        Q_UNUSED(x)
        Q_UNUSED(y)
        emit m_tray->activated(QSystemTrayIcon::Trigger);
    }
    void SecondaryActivate(int x, int y)
    {
        Q_UNUSED(x)
        Q_UNUSED(y)
        emit m_tray->activated(QSystemTrayIcon::MiddleClick);
    }
    void ContextMenu(int x, int y)
    {
        Q_UNUSED(x)
        Q_UNUSED(y)
        emit m_tray->activated(QSystemTrayIcon::Context);
    }
    void Scroll(int delta, const QString &orientation)
    {
        Q_UNUSED(delta)
        Q_UNUSED(orientation)
    }

signals:
    void NewTitle();
    void NewIcon();
    void NewToolTip();
    void NewStatus(const QString &status);

private:
    QSystemTrayIcon *m_icon;
    LateTray *m_tray;
};

class SniLateTray final : public LateTray {
    Q_OBJECT
public:
    SniLateTray(QSystemTrayIcon *icon, QMenu *menu, QObject *parent)
        : LateTray(parent), m_bus(QDBusConnection::sessionBus()), m_icon(icon), m_menu(menu)
    {
        m_watch = new QDBusServiceWatcher(QLatin1String(kWatcherService), m_bus,
                                          QDBusServiceWatcher::WatchForOwnerChange, this);
        connect(m_watch, &QDBusServiceWatcher::serviceOwnerChanged, this,
                [this](const QString &, const QString &, const QString &newOwner) {
                    setShown(false); // a new watcher knows nothing of us
                    if (!newOwner.isEmpty())
                        askForHost();
                });
        m_bus.connect(QLatin1String(kWatcherService), QLatin1String(kWatcherPath), QLatin1String(kWatcherInterface),
                      QStringLiteral("StatusNotifierHostRegistered"), this, SLOT(askForHost()));
        askForHost();
    }

    ~SniLateTray() override
    {
        if (!m_exported)
            return;
        m_bus.unregisterObject(QLatin1String(kItemPath));
        m_bus.unregisterObject(QLatin1String(kMenuPath));
        m_bus.unregisterService(m_service);
    }

    bool isShown() const override { return m_shown; }

private slots:
    // Asked without waiting: a watcher that hangs must not stop the window.
    void askForHost()
    {
        if (m_shown)
            return;
        if (m_asking) {
            m_askAgain = true; // the answer on its way may be from before the host
            return;
        }
        QDBusMessage get = QDBusMessage::createMethodCall(
            QLatin1String(kWatcherService), QLatin1String(kWatcherPath), QStringLiteral("org.freedesktop.DBus.Properties"),
            QStringLiteral("Get"));
        get << QLatin1String(kWatcherInterface) << QStringLiteral("IsStatusNotifierHostRegistered");
        m_asking = true;
        auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(get, 5000), this);
        connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
            call->deleteLater();
            m_asking = false;
            QDBusPendingReply<QDBusVariant> reply = *call;
            if (!reply.isError() && reply.value().variant().toBool())
                registerItem();
            else if (m_askAgain)
                askForHost();
            // Otherwise no watcher, or no host yet: the signals say when.
            m_askAgain = false;
        });
    }

private:
    void registerItem()
    {
        // Qt found a tray meanwhile (an XEmbed one): one icon is enough.
        if (QSystemTrayIcon::isSystemTrayAvailable() || !exportObjects())
            return;
        QDBusMessage add = QDBusMessage::createMethodCall(QLatin1String(kWatcherService), QLatin1String(kWatcherPath),
                                                          QLatin1String(kWatcherInterface),
                                                          QStringLiteral("RegisterStatusNotifierItem"));
        add << m_service;
        auto *call = new QDBusPendingCallWatcher(m_bus.asyncCall(add, 5000), this);
        connect(call, &QDBusPendingCallWatcher::finished, this, [this, call] {
            call->deleteLater();
            if (call->isError()) {
                qCWarning(lcApp).noquote() << "tray: the StatusNotifier watcher refused the icon:"
                                           << call->error().message();
                return;
            }
            qCInfo(lcApp) << "tray: a StatusNotifier host appeared; the icon is shown there";
            setShown(true);
        });
    }

    bool exportObjects()
    {
        if (m_exported)
            return true;
        qDBusRegisterMetaType<SniPixmap>();
        qDBusRegisterMetaType<SniPixmapList>();
        qDBusRegisterMetaType<SniToolTip>();
        static int instance = 0;
        m_service = QStringLiteral("org.kde.StatusNotifierItem-%1-%2").arg(::getpid()).arg(++instance);
        auto *object = new QObject(this);
        new ItemAdaptor(object, m_icon, this);
        if (!m_bus.registerObject(QLatin1String(kItemPath), object) || !exportDBusMenu(m_menu, m_bus, QLatin1String(kMenuPath))
            || !m_bus.registerService(m_service)) {
            qCWarning(lcApp).noquote() << "tray: cannot offer the icon on the session bus:"
                                       << m_bus.lastError().message();
            delete object;
            m_bus.unregisterObject(QLatin1String(kItemPath));
            m_bus.unregisterObject(QLatin1String(kMenuPath));
            return false;
        }
        m_exported = true;
        return true;
    }

    void setShown(bool shown)
    {
        if (shown == m_shown)
            return;
        m_shown = shown;
        emit shownChanged(shown);
    }

    QDBusConnection m_bus;
    QSystemTrayIcon *m_icon;
    QMenu *m_menu;
    QDBusServiceWatcher *m_watch = nullptr;
    QString m_service;
    bool m_exported = false;
    bool m_asking = false;
    bool m_askAgain = false;
    bool m_shown = false;
};

} // namespace

LateTray *createLateTray(QSystemTrayIcon *icon, QMenu *menu, QObject *parent)
{
    if (!QDBusConnection::sessionBus().isConnected())
        return nullptr;
    return new SniLateTray(icon, menu, parent);
}

#include "LateTray_linux.moc"
