// SPDX-License-Identifier: GPL-3.0-or-later
// The sleep watch on a system bus of the test's own: systemd-logind's
// PrepareForSleep from a stand-in (python3-dbusmock's logind template), and
// buses where no logind answers.

#include "power/LogindSleepWatch_linux.h"

#include "../support/PrivateSessionBus.h"

#include <QSignalSpy>
#include <QtTest>

namespace {
QDBusMessage prepareForSleep(bool sleeping)
{
    // The stand-in sends the signal as logind itself would.
    QDBusMessage m = QDBusMessage::createMethodCall(QStringLiteral("org.freedesktop.login1"),
                                                    QStringLiteral("/org/freedesktop/login1"),
                                                    QStringLiteral("org.freedesktop.DBus.Mock"),
                                                    QStringLiteral("EmitSignal"));
    m.setArguments({QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"),
                    QStringLiteral("b"), QVariant::fromValue(QVariantList{sleeping})});
    return m;
}
} // namespace

class TestSleepWatch : public QObject {
    Q_OBJECT

private slots:
    void logindsNewsBecomeSleepAndWakeUp()
    {
        PrivateSessionBus bus;
        QVERIFY2(bus.start().isEmpty(), "no private bus");
        const QString mock = bus.startMock(QStringLiteral("logind"), QStringLiteral("org.freedesktop.login1"));
        QVERIFY2(mock.isEmpty(), qPrintable(mock));

        LogindSleepWatch watch(bus.connection());
        QVERIFY(watch.listening());
        QSignalSpy sleeping(&watch, &SleepWatch::aboutToSleep);
        QSignalSpy woke(&watch, &SleepWatch::resumed);

        QDBusMessage reply = bus.connection().call(prepareForSleep(true));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(sleeping.count(), 1, 30000);
        QCOMPARE(woke.count(), 0);

        reply = bus.connection().call(prepareForSleep(false));
        QCOMPARE(reply.type(), QDBusMessage::ReplyMessage);
        QTRY_COMPARE_WITH_TIMEOUT(woke.count(), 1, 30000);
        QCOMPARE(sleeping.count(), 1);

        // A wake-up without a sleep before it (the program started while
        // the computer went down) is still a wake-up.
        bus.connection().call(prepareForSleep(false));
        QTRY_COMPARE_WITH_TIMEOUT(woke.count(), 2, 30000);
    }

    void noLogindMeansNoNewsAndOneLine()
    {
        PrivateSessionBus bus;
        QVERIFY2(bus.start().isEmpty(), "no private bus");
        QTest::ignoreMessage(QtInfoMsg,
                             "no systemd-logind on the system bus: boxes are not sent their settings again after suspend");
        LogindSleepWatch watch(bus.connection());
        QVERIFY(!watch.listening());
    }

    void noSystemBusMeansNoNewsAndOneLine()
    {
        const QDBusConnection none = QDBusConnection::connectToBus(
            QStringLiteral("unix:path=/nonexistent/aurivent-no-bus"), QStringLiteral("aurivent-no-bus"));
        QVERIFY(!none.isConnected());
        QTest::ignoreMessage(QtInfoMsg, "no system bus: boxes are not sent their settings again after suspend");
        LogindSleepWatch watch(none);
        QVERIFY(!watch.listening());
        QDBusConnection::disconnectFromBus(QStringLiteral("aurivent-no-bus"));
    }
};

QTEST_GUILESS_MAIN(TestSleepWatch)
#include "test_sleepwatch.moc"
