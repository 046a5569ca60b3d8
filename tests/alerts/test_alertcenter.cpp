// SPDX-License-Identifier: GPL-3.0-or-later
// The alert center with its real ways out: reports go in as the core will
// send them, and the stand-in notification service on a bus of the test's
// own, the user's command and the center's own signals show one alert per
// outage, none in the warm-up.
#include "alerts/AlertCenter.h"
#include "alerts/AlertSound.h"
#include "alerts/CommandAction.h"
#include "alerts/NotificationClient.h"

#include "MockNotifications.h"
#include "PrivateSessionBus.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

// A sound player that counts: the real ones are tested on their own.
class CountingSound final : public AlertSound {
public:
    CountingSound() : AlertSound(nullptr) {}
    bool play(const QString &file) override
    {
        files << file;
        return true;
    }
    QStringList files;
};

} // namespace

class TestAlertCenter : public QObject {
    Q_OBJECT

private:
    PrivateSessionBus m_bus;
    QTemporaryDir m_dir;
    QString m_log;
    QString m_program;

    QStringList commandLines() const
    {
        QFile f(m_log);
        if (!f.open(QIODevice::ReadOnly))
            return {};
        return QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QStringList summaries() const
    {
        QStringList out;
        for (const NotifyCall &c : notifyCalls(m_bus.connection()))
            out << c.summary;
        return out;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_bus.start().isEmpty(), "no private session bus");
        const QString mock = m_bus.startMock(QStringLiteral("notification_daemon"),
                                             QStringLiteral("org.freedesktop.Notifications"));
        QVERIFY2(mock.isEmpty(), qPrintable(mock));
        m_log = m_dir.filePath(QStringLiteral("commands.log"));
        m_program = m_dir.filePath(QStringLiteral("on-alert.sh"));
        QFile f(m_program);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\necho \"$1 $2 $3 $4\" >> '" + QFile::encodeName(m_log) + "'\n");
        f.close();
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
    }

    void init()
    {
        clearMockCalls(m_bus.connection());
        QFile::remove(m_log);
    }

    void oneAlertPerOutageAfterTheWarmUp()
    {
        AlertSettings settings;
        settings.timing.warmUpSeconds = 1;
        settings.timing.recoverSeconds = 1;
        settings.action(AlertKind::Stall).command = m_program;
        settings.action(AlertKind::Stall).sound = true;
        NotificationClient notifications(m_bus.connection());
        CommandAction commands;
        CountingSound sound;
        AlertCenter center(settings, {&notifications, &commands, &sound});
        QSignalSpy raised(&center, &AlertCenter::alertRaised);
        QSignalSpy cleared(&center, &AlertCenter::alertCleared);
        QSignalSpy shown(&notifications, &NotificationClient::shown);
        QSignalSpy ran(&commands, &CommandAction::finished);

        center.started();
        // Fan 2 of box 1 reads 0 while it spins up and the warm-up runs.
        center.fanStall(0, 1, true);
        center.fanStall(0, 1, false);
        // Fan 3 stays stopped: raised once the warm-up is over, and only then.
        center.fanStall(0, 2, true);
        QCOMPARE(raised.count(), 0);
        QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, 20000);
        QCOMPARE(raised.first().first().value<Alert>().key(), QStringLiteral("stall/0/2"));
        QVERIFY(raised.first().first().value<Alert>().time.isValid());
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(ran.count(), 1, 20000);
        QCOMPARE(commandLines(), QStringList{QStringLiteral("stall raised 1 3")});
        QCOMPARE(sound.files, QStringList{QString()});

        // It flaps: the same outage, told nothing more, until it has turned
        // for the recovery time.
        center.fanStall(0, 2, false);
        center.fanStall(0, 2, true);
        center.fanStall(0, 2, false);
        QTRY_COMPARE_WITH_TIMEOUT(cleared.count(), 1, 20000);
        QCOMPARE(raised.count(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 2, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(ran.count(), 2, 20000);
        QCOMPARE(summaries(), (QStringList{QStringLiteral("Fan stopped"), QStringLiteral("Fan turns again")}));
        QCOMPARE(commandLines(), (QStringList{QStringLiteral("stall raised 1 3"), QStringLiteral("stall cleared 1 3")}));
        QCOMPARE(notifyCalls(m_bus.connection()).last().replaces, shown.first().at(1).toUInt());
        QCOMPARE(sound.files.size(), 1); // a clear makes no sound
        QVERIFY(center.active().isEmpty());
    }

    void eachKindGoesWhereItsSettingsSay()
    {
        AlertSettings settings;
        settings.timing.warmUpSeconds = 0;
        settings.action(AlertKind::SaveFailed).notify = false;
        settings.action(AlertKind::SaveFailed).command = m_program;
        settings.action(AlertKind::BoxSilent).sound = true;
        settings.soundFile = QStringLiteral("/usr/share/sounds/x.oga");
        NotificationClient notifications(m_bus.connection());
        CommandAction commands;
        CountingSound sound;
        AlertCenter center(settings, {&notifications, &commands, &sound});
        QSignalSpy raised(&center, &AlertCenter::alertRaised);
        QSignalSpy shown(&notifications, &NotificationClient::shown);
        QSignalSpy ran(&commands, &CommandAction::finished);
        center.started();
        center.saveFailed(QStringLiteral("/data/Device.ini"));
        center.boxHealth(4, BoxCondition::NotAnswering);
        QCOMPARE(raised.count(), 2);
        QTRY_COMPARE_WITH_TIMEOUT(ran.count(), 1, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        QCOMPARE(summaries(), QStringList{QStringLiteral("Controller not answering")});
        QCOMPARE(commandLines(), QStringList{QStringLiteral("save-failed raised  ")});
        QCOMPARE(sound.files, QStringList{settings.soundFile});
        QCOMPARE(center.active().size(), 2);
    }

    void temperaturesFromTheCoreAsNumbersOrNaN()
    {
        AlertSettings settings;
        settings.timing.warmUpSeconds = 0;
        settings.timing.temperatureLostSeconds = 1;
        settings.limits = {{QStringLiteral("cpu"), 80.0, 0}};
        AlertCenter center(settings, {});
        QSignalSpy raised(&center, &AlertCenter::alertRaised);
        center.started();
        center.temperature(QStringLiteral("cpu"), 95.0);
        QCOMPARE(raised.count(), 1);
        QCOMPARE(raised.last().first().value<Alert>().kind, AlertKind::TemperatureHigh);
        center.temperature(QStringLiteral("cpu"), std::nan(""));
        QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 2, 20000);
        QCOMPARE(raised.last().first().value<Alert>().kind, AlertKind::TemperatureLost);
        // New settings take the limit away: its outage ends.
        QSignalSpy cleared(&center, &AlertCenter::alertCleared);
        settings.limits.clear();
        center.setSettings(settings);
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(cleared.first().first().value<Alert>().kind, AlertKind::TemperatureHigh);
    }

    void theNotificationActionOpensTheWindow()
    {
        AlertSettings settings;
        settings.timing.warmUpSeconds = 0;
        NotificationClient notifications(m_bus.connection());
        AlertCenter center(settings, {&notifications, nullptr, nullptr});
        QSignalSpy shown(&notifications, &NotificationClient::shown);
        QSignalSpy open(&center, &AlertCenter::openWindowRequested);
        center.started();
        center.boxHealth(0, BoxCondition::Gone);
        QTRY_COMPARE_WITH_TIMEOUT(shown.count(), 1, 20000);
        QVERIFY(emitActionInvoked(m_bus.connection(), shown.first().at(1).toUInt(), QStringLiteral("default")));
        QTRY_COMPARE_WITH_TIMEOUT(open.count(), 1, 20000);
        QCOMPARE(notifyCalls(m_bus.connection()).first().body,
                 QStringLiteral("Controller 1 is gone: its fans are not watched."));
    }
};

QTEST_GUILESS_MAIN(TestAlertCenter)
#include "test_alertcenter.moc"
