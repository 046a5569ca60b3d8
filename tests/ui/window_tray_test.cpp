// SPDX-License-Identifier: GPL-3.0-or-later
// An alert while the window is put away in the tray: the tray says it too,
// unless the desktop's notification of it got through (a private session
// bus with a stand-in notification service).
#include "../../tools/screenshot/Scenes.h"
#include "../alerts/MockNotifications.h"
#include "../support/PrivateSessionBus.h"

#include "alerts/NotificationClient.h"
#include "app/Aurivent.h"
#include "app/Tray.h"
#include "device/sim/SimulatedBoxes.h"
#include "monitoring/Monitoring.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
PrivateSessionBus *s_bus = nullptr;

// What the numbered command 0x8105 does: 0 when it ends the program (its
// quit ends the loop before the loop's own exit with 1 comes round), 1 when
// it leaves it running.
int resultOf8105(Aurivent &program)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        program.handleWindowMessage(0x8105, 1, 0);
        QTimer::singleShot(0, &loop, [&loop] { loop.exit(1); });
    });
    return loop.exec();
}

// The desktop's tray: tests/support/sni_watcher.py on the private bus.
class StandInTray {
public:
    StandInTray()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral("/usr/bin/python3"),
                        {QStringLiteral(AURIVENT_SOURCE_DIR "/tests/support/sni_watcher.py")});
        m_process.waitForStarted(30000);
    }
    ~StandInTray()
    {
        m_process.closeWriteChannel(); // it ends when its input closes
        if (!m_process.waitForFinished(30000)) {
            m_process.kill();
            m_process.waitForFinished(30000);
        }
    }

private:
    QProcess m_process;
};

// The stand-in service refuses every notification from now on.
bool refuseNotifications(const QDBusConnection &bus)
{
    const QDBusMessage reply = bus.call(mockCall(
        QStringLiteral("AddMethod"),
        {QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"), QStringLiteral("susssasa{sv}i"),
         QStringLiteral("u"),
         QStringLiteral("raise dbus.exceptions.DBusException('refused', name='org.freedesktop.DBus.Error.Failed')")}));
    return reply.type() == QDBusMessage::ReplyMessage;
}
} // namespace

class TestWindowTray : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        qRegisterMetaType<Alert>();
        QVERIFY(s_bus);
        const QString mock = s_bus->startMock(QStringLiteral("notification_daemon"),
                                              QStringLiteral("org.freedesktop.Notifications"));
        QVERIFY2(mock.isEmpty(), qPrintable(mock));
    }

    // Shown: the alert is in the window, the tray keeps quiet. Put away: a
    // notified alert that got through is not said again; one the user keeps
    // off the notifications, or one the service refused, comes from the tray.
    void alertWhileHiddenAlsoComesFromTheTray()
    {
        Scenes scenes(QStringLiteral("1,1"), 0, QByteArray(), true,
                      "[Alerts]\nWarmUpSeconds=0\n[BoxSilent]\nNotify=0\n");
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        auto *tray = program.findChild<Tray *>();
        QVERIFY(tray);
        Monitoring *monitoring = program.control().monitoring();
        QSignalSpy trayMessages(tray, &Tray::messageShown);
        QSignalSpy raised(monitoring, &Monitoring::alertRaised);
        QSignalSpy delivered(monitoring->notifications(), &NotificationClient::shown);
        auto *alert = program.findChild<AlertView *>();
        auto dismiss = [&] {
            alert->hide();
            program.alertViewReceiveData(QString());
        };
        view->show();
        scenes.poll();

        scenes.simulator()->stall(0, 1);
        scenes.poll();
        QTRY_COMPARE_WITH_TIMEOUT(delivered.count(), 1, 10000);
        scenes.simulator()->mute(1, true);
        for (int i = 0; i < 3 && raised.count() < 2; ++i)
            scenes.poll();
        QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 2, 10000);
        QCOMPARE(trayMessages.count(), 0);
        dismiss();

        view->hide();
        scenes.simulator()->stall(0, 2);
        scenes.poll();
        QTRY_COMPARE_WITH_TIMEOUT(delivered.count(), 2, 10000);
        QCOMPARE(notifyCalls(s_bus->connection()).size(), 2);
        QCOMPARE(trayMessages.count(), 0);
        dismiss();

        QVERIFY(refuseNotifications(s_bus->connection()));
        scenes.simulator()->stall(0, 3);
        scenes.poll();
        QTRY_COMPARE_WITH_TIMEOUT(trayMessages.count(), 1, 10000);
        QCOMPARE(trayMessages.at(0).at(0).toString(), QStringLiteral("Fan stopped"));
        QVERIFY(trayMessages.at(0).at(1).toString().contains(QLatin1String("Fan 4")));
        dismiss();

        scenes.simulator()->mute(0, true);
        for (int i = 0; i < 3 && trayMessages.count() < 2; ++i)
            scenes.poll();
        QTRY_COMPARE_WITH_TIMEOUT(trayMessages.count(), 2, 10000);
        QCOMPARE(trayMessages.at(1).at(0).toString(), QStringLiteral("Controller not answering"));
        QCOMPARE(delivered.count(), 2);
    }

    // 0x8105 ends the program only when the user put the window away:
    // minimised beside a tray it is still in use, minimised where there is
    // no tray it is put away (hidden in the tray ends it as before; a quit
    // can be seen only once per process, so that is left to the fan-safety test).
    void endCommandOnlyWhenPutAway()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        auto *tray = program.findChild<Tray *>();
        QVERIFY(tray && !tray->isReachable());
        view->show();
        QCOMPARE(resultOf8105(program), 1);
        {
            StandInTray desktopTray;
            QTRY_VERIFY_WITH_TIMEOUT(tray->isReachable(), 30000);
            view->showMinimized();
            QCOMPARE(resultOf8105(program), 1);
        }
        QTRY_VERIFY_WITH_TIMEOUT(!tray->isReachable(), 30000);
        QVERIFY(view->isMinimized());
        QCOMPARE(resultOf8105(program), 0);
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    Scenes::isolateSettings(home.path());
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    PrivateSessionBus bus;
    const QString why = bus.start();
    if (!why.isEmpty())
        qFatal("private session bus: %s", qPrintable(why));
    // The program's notifications go to the session bus: this one.
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    s_bus = &bus;
    TestWindowTray test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_tray_test.moc"
