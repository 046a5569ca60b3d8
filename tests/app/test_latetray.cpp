// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateBus.h"
#include "ProgramFixture.h"

#include "app/Aurivent.h"
#include "core/Core.h"
#include "app/Tray.h"
#include "ui/MainView.h"

#include <QAction>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusReply>
#include <QMainWindow>
#include <QProcess>
#include <QSignalSpy>
#include <QtTest>

Q_DECLARE_METATYPE(QSystemTrayIcon::ActivationReason)

namespace {

// The desktop's tray, played by tests/support/sni_watcher.py on the test's
// own session bus; what it printed is kept line by line.
class StandInWatcher {
public:
    explicit StandInWatcher(bool withHost)
    {
        QStringList arguments{QStringLiteral(AURIVENT_SOURCE_DIR "/tests/support/sni_watcher.py")};
        if (!withHost)
            arguments << QStringLiteral("--no-host");
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"), arguments);
        m_process.waitForStarted(30000);
    }
    ~StandInWatcher() { stop(); }

    void stop()
    {
        if (m_process.state() == QProcess::NotRunning)
            return;
        m_process.closeWriteChannel(); // it ends when its input closes
        if (!m_process.waitForFinished(30000)) {
            m_process.kill();
            m_process.waitForFinished(30000);
        }
    }

    void send(const QByteArray &line) { m_process.write(line + '\n'); }

    // The first line starting with `prefix`, waiting for it; empty on a time-out.
    QString waitFor(const QString &prefix)
    {
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < 60000) {
            while (m_process.canReadLine())
                m_lines << QString::fromUtf8(m_process.readLine()).trimmed();
            for (const QString &line : qAsConst(m_lines))
                if (line.startsWith(prefix))
                    return line;
            if (m_process.state() != QProcess::Running)
                return QString();
            // Our own side (the program under test) answers from this event loop.
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            m_process.waitForReadyRead(50);
        }
        return QString();
    }

    QStringList lines() const { return m_lines; }

private:
    QProcess m_process;
    QStringList m_lines;
};

// What a host hears of the menu: it fetches the layout again on this signal.
class LayoutListener : public QObject {
    Q_OBJECT
public:
    QList<uint> revisions;
public slots:
    void layoutUpdated(uint revision, int parent)
    {
        if (parent == 0)
            revisions << revision;
    }
};

struct LayoutItem {
    int id = 0;
    QVariantMap properties;
    QList<LayoutItem> children;
};

// The host's own connection: what it reads went over the bus, marshalled,
// and the program answers from its event loop meanwhile.
QDBusMessage hostCall(const QDBusMessage &message)
{
    QDBusConnection host = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stand-in-host"));
    return host.call(message, QDBus::BlockWithGui, 30000);
}

LayoutItem readLayout(const QDBusArgument &argument)
{
    LayoutItem item;
    argument.beginStructure();
    argument >> item.id >> item.properties;
    argument.beginArray();
    while (!argument.atEnd()) {
        QDBusVariant child;
        argument >> child;
        item.children << readLayout(child.variant().value<QDBusArgument>());
    }
    argument.endArray();
    argument.endStructure();
    return item;
}

QVariant watcherProperty(const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(QStringLiteral("org.kde.StatusNotifierWatcher"),
                                                      QStringLiteral("/StatusNotifierWatcher"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierWatcher") << name;
    const QDBusMessage reply = hostCall(get);
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

QVariant itemProperty(const QString &service, const QString &name)
{
    QDBusMessage get = QDBusMessage::createMethodCall(service, QStringLiteral("/StatusNotifierItem"),
                                                      QStringLiteral("org.freedesktop.DBus.Properties"),
                                                      QStringLiteral("Get"));
    get << QStringLiteral("org.kde.StatusNotifierItem") << name;
    const QDBusMessage reply = hostCall(get);
    return reply.arguments().value(0).value<QDBusVariant>().variant();
}

} // namespace

// A StatusNotifier host that starts after the program (a panel coming up a
// few seconds into the log-in) still gets the icon, its menu and its clicks.
class TestLateTray : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<PrivateBus> bus;

    // The menu as the host reads it: the label of each item, "-" for a separator.
    static QStringList menuLabels(const QString &service, QList<int> *ids = nullptr, QList<bool> *enabled = nullptr,
                                  QList<int> *checked = nullptr)
    {
        QDBusMessage call = QDBusMessage::createMethodCall(service, QStringLiteral("/MenuBar"),
                                                           QStringLiteral("com.canonical.dbusmenu"),
                                                           QStringLiteral("GetLayout"));
        call << 0 << -1 << QStringList();
        const QDBusMessage reply = hostCall(call);
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().size() != 2)
            return {QStringLiteral("error: ") + reply.errorMessage()};
        const LayoutItem root = readLayout(reply.arguments().at(1).value<QDBusArgument>());
        QStringList labels;
        for (const LayoutItem &item : root.children) {
            labels << (item.properties.value(QStringLiteral("type")).toString() == QLatin1String("separator")
                           ? QStringLiteral("-")
                           : item.properties.value(QStringLiteral("label")).toString());
            if (ids)
                *ids << item.id;
            if (enabled)
                *enabled << item.properties.value(QStringLiteral("enabled")).toBool();
            // -1: the item has no check mark.
            if (checked)
                *checked << (item.properties.value(QStringLiteral("toggle-type")).toString() == QLatin1String("checkmark")
                                 ? item.properties.value(QStringLiteral("toggle-state")).toInt()
                                 : -1);
        }
        return labels;
    }

    static void click(const QString &service, int id)
    {
        QDBusMessage event = QDBusMessage::createMethodCall(service, QStringLiteral("/MenuBar"),
                                                            QStringLiteral("com.canonical.dbusmenu"),
                                                            QStringLiteral("Event"));
        event << id << QStringLiteral("clicked") << QVariant::fromValue(QDBusVariant(0)) << 0u;
        hostCall(event);
    }

    static QString serviceOf(const QString &itemLine)
    {
        return itemLine.section(QLatin1Char(' '), 1, 1);
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        qRegisterMetaType<QSystemTrayIcon::ActivationReason>();
        bus = std::make_unique<PrivateBus>();
        QVERIFY2(bus->isRunning(), qPrintable(bus->error()));
        QVERIFY(QDBusConnection::sessionBus().isConnected());
    }

    void cleanupTestCase() { bus.reset(); }

    void aHostThatComesLaterGetsTheIconAndItsMenu()
    {
        QMainWindow window;
        Tray tray(&window, QStringLiteral(":/no-such-icon.png"), false);
        QVERIFY(!tray.isReachable()); // no tray at all on this platform
        QSignalSpy reachable(&tray, &Tray::reachableChanged);
        QSignalSpy clicked(&tray, &Tray::activated);

        // The panel's watcher comes first, its tray (the host) a moment later.
        StandInWatcher watcher(false);
        QVERIFY(!watcher.waitFor(QStringLiteral("ready")).isEmpty());
        QVERIFY(!watcher.waitFor(QStringLiteral("asked IsStatusNotifierHostRegistered")).isEmpty());
        // The answer (no host) reached the tray before this round trip's did;
        // an icon registered on it anyway would be in the second list.
        QCOMPARE(watcherProperty(QStringLiteral("RegisteredStatusNotifierItems")).toStringList(), QStringList());
        QCoreApplication::processEvents();
        QCOMPARE(watcherProperty(QStringLiteral("RegisteredStatusNotifierItems")).toStringList(), QStringList());
        QVERIFY(!tray.isReachable());
        watcher.send("host");
        const QString item = watcher.waitFor(QStringLiteral("item "));
        QVERIFY2(!item.isEmpty(), qPrintable(watcher.lines().join('|')));
        // Only once the host was there.
        QVERIFY(watcher.lines().indexOf(QStringLiteral("host")) < watcher.lines().indexOf(item));
        QTRY_VERIFY_WITH_TIMEOUT(tray.isReachable(), 30000);
        QVERIFY(Tray::anyReachable());
        QCOMPARE(reachable.count(), 1);
        QCOMPARE(reachable.first().first().toBool(), true);
        QCOMPARE(item.section(QLatin1Char(' '), 2, 2), QStringLiteral("/StatusNotifierItem"));

        const QString service = serviceOf(item);
        QCOMPARE(itemProperty(service, QStringLiteral("Id")).toString(), QStringLiteral("aurivent"));
        QCOMPARE(itemProperty(service, QStringLiteral("Status")).toString(), QStringLiteral("Active"));
        QCOMPARE(itemProperty(service, QStringLiteral("Menu")).value<QDBusObjectPath>().path(),
                 QStringLiteral("/MenuBar"));

        QList<int> ids;
        QList<bool> enabled;
        QCOMPARE(menuLabels(service, &ids, &enabled),
                 (QStringList{QStringLiteral("Open Aurivent"), QStringLiteral("Graphs"), Tray::autorunText(),
                              QStringLiteral("-"), QStringLiteral("Exit")}));
        QCOMPARE(enabled, (QList<bool>{true, true, true, true, true}));

        // The menu follows the actions: the autostart mark, a disabled item;
        // the host is told to fetch it again.
        LayoutListener listener;
        QVERIFY(QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("stand-in-host"))
                    .connect(service, QStringLiteral("/MenuBar"), QStringLiteral("com.canonical.dbusmenu"),
                             QStringLiteral("LayoutUpdated"), &listener, SLOT(layoutUpdated(uint, int))));
        hostCall(QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/"),
                                                QStringLiteral("org.freedesktop.DBus.Peer"), QStringLiteral("Ping")));
        tray.setAutorun(true);
        QTRY_VERIFY_WITH_TIMEOUT(!listener.revisions.isEmpty(), 30000);
        tray.autorunAction()->setEnabled(false);
        auto autorunItem = [&] {
            QList<bool> now;
            QList<int> checked;
            const QString label = menuLabels(service, nullptr, &now, &checked).value(2);
            return label + (now.value(2) ? QStringLiteral(" (enabled") : QStringLiteral(" (disabled"))
                + (checked.value(2) == 1 ? QStringLiteral(", checked)") : QStringLiteral(", not checked)"));
        };
        QTRY_COMPARE_WITH_TIMEOUT(autorunItem(), Tray::autorunText() + QStringLiteral(" (disabled, checked)"), 30000);

        // A click in the host's menu is the action's; a disabled one does nothing.
        QSignalSpy launch(tray.launchAction(), &QAction::triggered);
        QSignalSpy autorun(tray.autorunAction(), &QAction::triggered);
        QSignalSpy graphs(tray.graphsAction(), &QAction::triggered);
        click(service, ids.at(2));
        click(service, 999); // no such item
        click(service, ids.at(0));
        QTRY_COMPARE_WITH_TIMEOUT(launch.count(), 1, 30000);
        QCOMPARE(autorun.count(), 0);
        click(service, ids.at(1));
        QTRY_COMPARE_WITH_TIMEOUT(graphs.count(), 1, 30000);

        // A click on the icon, as Qt reports its own.
        QDBusMessage activate = QDBusMessage::createMethodCall(service, QStringLiteral("/StatusNotifierItem"),
                                                               QStringLiteral("org.kde.StatusNotifierItem"),
                                                               QStringLiteral("Activate"));
        activate << 10 << 10;
        hostCall(activate);
        QTRY_COMPARE_WITH_TIMEOUT(clicked.count(), 1, 30000);
        QCOMPARE(clicked.first().first().value<QSystemTrayIcon::ActivationReason>(), QSystemTrayIcon::Trigger);

        // The panel restarts: the icon goes, and comes back with the new one.
        watcher.stop();
        QTRY_VERIFY_WITH_TIMEOUT(!tray.isReachable(), 30000);
        StandInWatcher again(true);
        QVERIFY(!again.waitFor(QStringLiteral("item ")).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(tray.isReachable(), 30000);
    }

    // The whole program: started with no tray, reached through one that
    // comes later; its window comes back from the host's menu.
    void theProgramIsReachedThroughALateTray()
    {
        Core core;
        startWithSettings(core.bus(), QStringLiteral("1"));
        Aurivent program(core);
        QVERIFY(!Tray::anyReachable());
        program.view()->hide();
        StandInWatcher watcher(true);
        const QString item = watcher.waitFor(QStringLiteral("item "));
        QVERIFY2(!item.isEmpty(), qPrintable(watcher.lines().join('|')));
        QTRY_VERIFY_WITH_TIMEOUT(Tray::anyReachable(), 30000);
        QList<int> ids;
        const QStringList labels = menuLabels(serviceOf(item), &ids);
        QCOMPARE(labels.value(0), QStringLiteral("Open Aurivent"));
        click(serviceOf(item), ids.at(0));
        QTRY_VERIFY_WITH_TIMEOUT(program.view()->isVisible(), 30000);
    }
};

QTEST_MAIN(TestLateTray)
#include "test_latetray.moc"
