// SPDX-License-Identifier: GPL-3.0-or-later
// The notification client against a stand-in notification service on a
// session bus of the test's own: what a raised alert and its clear look like
// on the bus, the action that opens the window, and a missing service.
#include "alerts/NotificationClient.h"

#include "MockNotifications.h"
#include "PrivateSessionBus.h"

#include <QSignalSpy>
#include <QTranslator>
#include <QtTest>

namespace {

Alert stall(bool raised)
{
    Alert a;
    a.kind = AlertKind::Stall;
    a.raised = raised;
    a.box = 0;
    a.fan = 1;
    return a;
}

int g_warnings = 0;
QtMessageHandler g_previous = nullptr;
void countWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.contains(QLatin1String("notification service failed")))
        ++g_warnings;
    g_previous(type, context, text);
}

} // namespace

class TestNotifications : public QObject {
    Q_OBJECT

private:
    PrivateSessionBus m_bus;

private slots:
    void initTestCase()
    {
        const QString why = m_bus.start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const QString mock = m_bus.startMock(QStringLiteral("notification_daemon"),
                                             QStringLiteral("org.freedesktop.Notifications"));
        QVERIFY2(mock.isEmpty(), qPrintable(mock));
    }

    void init() { clearMockCalls(m_bus.connection()); }

    void aRaisedAlertAndItsClear()
    {
        NotificationClient client(m_bus.connection());
        QSignalSpy shown(&client, &NotificationClient::shown);
        client.show(stall(true));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        const uint id = shown.first().at(1).toUInt();
        QCOMPARE(shown.first().at(0).toString(), QStringLiteral("stall/0/1"));
        QVERIFY(id != 0);

        QList<NotifyCall> calls = notifyCalls(m_bus.connection());
        QCOMPARE(calls.size(), 1);
        const NotifyCall raised = calls.first();
        QCOMPARE(raised.app, QStringLiteral("Aurivent"));
        QCOMPARE(raised.replaces, 0u);
        QCOMPARE(raised.icon, QStringLiteral("aurivent"));
        QCOMPARE(raised.summary, QStringLiteral("Fan stopped"));
        QCOMPARE(raised.body, QStringLiteral("Fan 2 of controller 1 has stopped."));
        QCOMPARE(raised.actions, (QStringList{QStringLiteral("default"), QStringLiteral("Open Aurivent")}));
        QCOMPARE(raised.hints.value(QStringLiteral("urgency")).toInt(), 2);
        QCOMPARE(raised.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("aurivent"));
        QCOMPARE(raised.hints.value(QStringLiteral("category")).toString(), QStringLiteral("device.error"));
        QCOMPARE(raised.timeout, -1);

        // The clear of the same outage takes the raised one's place.
        client.show(stall(false));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 2, 20000);
        calls = notifyCalls(m_bus.connection());
        QCOMPARE(calls.size(), 2);
        QCOMPARE(calls[1].replaces, id);
        QCOMPARE(calls[1].summary, QStringLiteral("Fan turns again"));
        QCOMPARE(calls[1].hints.value(QStringLiteral("urgency")).toInt(), 0);
        QVERIFY(!calls[1].hints.contains(QStringLiteral("category")));
    }

    void itsActionOpensTheWindow()
    {
        NotificationClient client(m_bus.connection());
        QSignalSpy shown(&client, &NotificationClient::shown);
        QSignalSpy open(&client, &NotificationClient::openRequested);
        client.show(stall(true));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        const uint id = shown.first().at(1).toUInt();
        // Another program's notification, another action of ours: nothing.
        QVERIFY(emitActionInvoked(m_bus.connection(), id + 1000, QStringLiteral("default")));
        QVERIFY(emitActionInvoked(m_bus.connection(), id, QStringLiteral("something-else")));
        QVERIFY(emitActionInvoked(m_bus.connection(), id, QStringLiteral("default")));
        QTRY_COMPARE_WITH_TIMEOUT(open.count(), 1, 20000);
        // The signals came in order: had the first two counted, they would be seen by now.
        QCOMPARE(open.count(), 1);
    }

    void aClosedNotificationIsNotReplaced()
    {
        NotificationClient client(m_bus.connection());
        QSignalSpy shown(&client, &NotificationClient::shown);
        QSignalSpy open(&client, &NotificationClient::openRequested);
        client.show(stall(true));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        const uint id = shown.first().at(1).toUInt();
        QVERIFY(emitClosed(m_bus.connection(), id, 2));
        QVERIFY(emitActionInvoked(m_bus.connection(), id, QStringLiteral("default")));
        // A later own notification's action shows the signals are through.
        Alert other = stall(true);
        other.fan = 3;
        client.show(other);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 2, 20000);
        QVERIFY(emitActionInvoked(m_bus.connection(), shown.last().at(1).toUInt(), QStringLiteral("default")));
        QTRY_COMPARE_WITH_TIMEOUT(open.count(), 1, 20000);
        client.show(stall(false));
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 3, 20000);
        QCOMPARE(notifyCalls(m_bus.connection()).last().replaces, 0u);
    }

    void textsAreEscapedForAServiceThatReadsMarkup()
    {
        NotificationClient client(m_bus.connection());
        QSignalSpy shown(&client, &NotificationClient::shown);
        // The capabilities are asked for first; the stand-in lists body-markup.
        Alert lost;
        lost.kind = AlertKind::TemperatureLost;
        lost.source = QStringLiteral("chip<b>/a&b");
        client.show(stall(true)); // answered after the capabilities
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        client.show(lost);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 2, 20000);
        QCOMPARE(notifyCalls(m_bus.connection()).last().body, QStringLiteral("No reading from chip&lt;b&gt;/a&amp;b."));
    }

    // The words go out in the language the program runs in.
    void inTheProgramsLanguage()
    {
        QTranslator japanese;
        QVERIFY(japanese.load(QCoreApplication::applicationDirPath() + QStringLiteral("/Language/jp.qm")));
        QCoreApplication::installTranslator(&japanese);
        NotificationClient client(m_bus.connection());
        QSignalSpy shown(&client, &NotificationClient::shown);
        Alert gone;
        gone.kind = AlertKind::BoxSilent;
        gone.box = 6;
        gone.boxGone = true;
        client.show(gone);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        QCoreApplication::removeTranslator(&japanese);
        const NotifyCall call = notifyCalls(m_bus.connection()).last();
        QCOMPARE(call.summary, QStringLiteral("コントローラーが応答しません"));
        QCOMPARE(call.body, QStringLiteral("コントローラー 7 が取り外されました：ファンは監視されていません。"));
        QCOMPARE(call.actions.value(1), QStringLiteral("Aurivent を開く"));
    }

    void noServiceIsToldOnceAndChangesNothing()
    {
        PrivateSessionBus empty;
        const QString why = empty.start(QStringLiteral("aurivent-empty-bus"));
        QVERIFY2(why.isEmpty(), qPrintable(why));
        g_warnings = 0;
        g_previous = qInstallMessageHandler(countWarnings);
        {
            NotificationClient client(empty.connection());
            QSignalSpy failed(&client, &NotificationClient::failed);
            QSignalSpy shown(&client, &NotificationClient::shown);
            client.show(stall(true));
            client.show(stall(false));
            QTRY_COMPARE_WITH_TIMEOUT(failed.count(), 2, 20000);
            QVERIFY(failed.first().first().toString().contains(QLatin1String("ServiceUnknown")));
            QCOMPARE(shown.count(), 0);
        }
        qInstallMessageHandler(g_previous);
        QCOMPARE(g_warnings, 1);
    }

    void aHungServiceDoesNotPileUpCalls()
    {
        // A name that takes calls and never answers them: a process that owns
        // it on the test's bus and does nothing else.
        PrivateSessionBus hung;
        QVERIFY(hung.start(QStringLiteral("aurivent-hung-bus")).isEmpty());
        QProcess owner;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), hung.address());
        owner.setProcessEnvironment(env);
        owner.start(QStringLiteral("/usr/bin/python3"),
                    {QStringLiteral("-c"),
                     QStringLiteral("import dbus, time\n"
                                    "b = dbus.SessionBus()\n"
                                    "b.request_name('org.freedesktop.Notifications')\n"
                                    "print('ready', flush=True)\n"
                                    "time.sleep(600)\n")});
        QVERIFY(owner.waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(
            hung.connection().interface()->isServiceRegistered(QStringLiteral("org.freedesktop.Notifications")), 30000);
        NotificationClient client(hung.connection());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("notification dropped:.*")));
        for (int i = 0; i < NotificationClient::kMaxPending + 1; ++i) {
            Alert a = stall(true);
            a.box = i;
            client.show(a);
        }
        owner.kill();
        owner.waitForFinished(5000);
    }
};

QTEST_GUILESS_MAIN(TestNotifications)
#include "test_notifications.moc"
