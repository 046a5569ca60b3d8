// SPDX-License-Identifier: GPL-3.0-or-later
// The alert rules as tables: what the program reports over time, and the
// alerts that come out (one per outage, none in the warm-up, each after its
// own delay).
#include "alerts/AlertRules.h"

#include <QtTest>

namespace {

// Runs events written one per item as "MS what ...":
//   start | tick | stall BOX FAN 1|0 | box BOX ok|silent|gone
//   temp SOURCE CELSIUS|none | save PATH | saved PATH
// and gives what came out as "MS raised|cleared KEY".
QStringList run(AlertRules &rules, const QStringList &events)
{
    QStringList out;
    for (const QString &event : events) {
        const QStringList w = event.split(QLatin1Char(' '));
        const qint64 t = w[0].toLongLong();
        const QString what = w[1];
        QVector<Alert> alerts;
        if (what == QLatin1String("start"))
            alerts = rules.started(t);
        else if (what == QLatin1String("tick"))
            alerts = rules.tick(t);
        else if (what == QLatin1String("stall"))
            alerts = rules.fanStall(t, w[2].toInt(), w[3].toInt(), w[4] == QLatin1String("1"));
        else if (what == QLatin1String("box"))
            alerts = rules.boxHealth(t, w[2].toInt(),
                                     w[3] == QLatin1String("ok")       ? BoxCondition::Answering
                                     : w[3] == QLatin1String("silent") ? BoxCondition::NotAnswering
                                                                       : BoxCondition::Gone);
        else if (what == QLatin1String("temp"))
            alerts = rules.temperature(t, w[2], w[3] == QLatin1String("none") ? std::nullopt
                                                                              : std::optional<double>(w[3].toDouble()));
        else if (what == QLatin1String("save"))
            alerts = rules.saveFailed(t, w[2]);
        else if (what == QLatin1String("saved"))
            alerts = rules.saveSucceeded(t, w[2]);
        else
            qFatal("unknown event %s", qPrintable(event));
        for (const Alert &a : alerts)
            out << QStringLiteral("%1 %2 %3").arg(t).arg(a.raised ? QStringLiteral("raised") : QStringLiteral("cleared"), a.key());
    }
    return out;
}

AlertTiming timing(int warmUp, int recover = 10, int lost = 15)
{
    AlertTiming t;
    t.warmUpSeconds = warmUp;
    t.recoverSeconds = recover;
    t.temperatureLostSeconds = lost;
    t.saveQuietSeconds = 600;
    return t;
}

} // namespace

class TestAlertRules : public QObject {
    Q_OBJECT

private slots:
    void outages_data()
    {
        QTest::addColumn<int>("warmUp");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<QStringList>("alerts");
        using L = QStringList;

        // Stalls and the warm-up.
        QTest::newRow("a fan spinning up in the warm-up is no alert") << 30
            << L{"0 start", "100 stall 0 0 1", "2000 stall 0 0 0", "60000 tick"} << L{};
        QTest::newRow("still stopped when the warm-up ends: raised then") << 30
            << L{"0 start", "100 stall 0 0 1", "29999 tick", "30000 tick", "31000 tick"}
            << L{"30000 raised stall/0/0"};
        QTest::newRow("after the warm-up: at once") << 30
            << L{"0 start", "31000 stall 2 4 1"} << L{"31000 raised stall/2/4"};
        QTest::newRow("no warm-up before a start is told") << 30
            << L{"5 stall 2 4 1"} << L{"5 raised stall/2/4"};
        QTest::newRow("flapping is one outage") << 0
            << L{"0 start", "1000 stall 0 1 1", "2000 stall 0 1 0", "3000 stall 0 1 1", "4000 stall 0 1 0",
                 "5000 stall 0 1 1", "6000 stall 0 1 0", "15999 tick", "16000 tick", "20000 tick"}
            << L{"1000 raised stall/0/1", "16000 cleared stall/0/1"};
        QTest::newRow("a new outage after the recovery raises again") << 0
            << L{"0 start", "1000 stall 0 1 1", "2000 stall 0 1 0", "12000 tick", "13000 stall 0 1 1"}
            << L{"1000 raised stall/0/1", "12000 cleared stall/0/1", "13000 raised stall/0/1"};
        QTest::newRow("a resume starts a new warm-up") << 30
            << L{"0 start", "40000 start", "40100 stall 0 0 1", "69999 tick", "70000 tick"}
            << L{"70000 raised stall/0/0"};
        QTest::newRow("an outage goes on through a resume, not raised again") << 30
            << L{"0 start", "31000 stall 0 0 1", "40000 start", "40001 stall 0 0 1", "90000 tick"}
            << L{"31000 raised stall/0/0"};
        QTest::newRow("two fans, two outages") << 0
            << L{"0 start", "10 stall 0 0 1", "20 stall 0 1 1", "30 stall 0 0 1"}
            << L{"10 raised stall/0/0", "20 raised stall/0/1"};
        QTest::newRow("a fan out of range is refused") << 0
            << L{"0 start", "10 stall 16 0 1", "20 stall 0 5 1", "30 stall -1 0 1"} << L{};

        // Boxes.
        QTest::newRow("silent then gone: one outage") << 0
            << L{"0 start", "1000 box 2 silent", "2000 box 2 gone", "3000 box 2 ok", "12999 tick", "13000 tick"}
            << L{"1000 raised box-silent/2", "13000 cleared box-silent/2"};
        QTest::newRow("a box answering is nothing") << 0 << L{"0 start", "1000 box 2 ok", "9000 tick"} << L{};
        QTest::newRow("a silent box in the warm-up that answers again") << 30
            << L{"0 start", "1000 box 3 silent", "5000 box 3 ok", "60000 tick"} << L{};

        // Temperatures: lost after its time, high above its limit for its time.
        QTest::newRow("lost after 15 s without a reading") << 0
            << L{"0 start", "1000 temp cpu none", "6000 temp cpu none", "15999 tick", "16000 tick"}
            << L{"16000 raised temperature-lost/cpu"};
        QTest::newRow("a short gap is not lost") << 0
            << L{"0 start", "1000 temp cpu none", "5000 temp cpu 50", "60000 tick"} << L{};
        QTest::newRow("never came: lost once the warm-up is over") << 30
            << L{"0 temp cpu none", "0 start", "5000 temp cpu none", "29999 tick", "30000 tick"}
            << L{"30000 raised temperature-lost/cpu"};
        QTest::newRow("lost and back") << 0
            << L{"0 start", "1000 temp cpu none", "16000 tick", "17000 temp cpu 45", "26999 tick", "27000 tick"}
            << L{"16000 raised temperature-lost/cpu", "27000 cleared temperature-lost/cpu"};
        QTest::newRow("above 80 for 20 s") << 0
            << L{"0 start", "1000 temp cpu 85", "10000 temp cpu 86", "20999 tick", "21000 tick"}
            << L{"21000 raised temperature-high/cpu"};
        QTest::newRow("a dip under the limit starts the time again") << 0
            << L{"0 start", "1000 temp cpu 85", "15000 temp cpu 79", "16000 temp cpu 85", "35999 tick", "36000 tick"}
            << L{"36000 raised temperature-high/cpu"};
        QTest::newRow("exactly at the limit is not above it") << 0
            << L{"0 start", "1000 temp cpu 80", "60000 temp cpu 80"} << L{};
        QTest::newRow("a missing reading breaks a run above the limit") << 0
            << L{"0 start", "1000 temp cpu 85", "10000 temp cpu none", "11000 temp cpu 85", "30999 tick", "31000 tick"}
            << L{"31000 raised temperature-high/cpu"};
        QTest::newRow("raised, then no reading: it stays until a reading says it is over") << 0
            << L{"0 start", "1000 temp cpu 85", "21000 tick", "22000 temp cpu none", "36999 tick", "37000 tick",
                 "90000 tick", "91000 temp cpu 70", "100999 tick", "101000 tick"}
            << L{"21000 raised temperature-high/cpu", "37000 raised temperature-lost/cpu",
                 "101000 cleared temperature-high/cpu", "101000 cleared temperature-lost/cpu"};
        QTest::newRow("a source without a limit is never high") << 0
            << L{"0 start", "1000 temp gpu 120", "90000 temp gpu 120"} << L{};
        QTest::newRow("high in the warm-up, still high after it") << 30
            << L{"0 start", "1000 temp cpu 90", "21000 temp cpu 90", "29999 tick", "30000 tick"}
            << L{"30000 raised temperature-high/cpu"};

        // Saves: real at once, once until a save of that file works.
        QTest::newRow("a failed save, warm-up or not, once") << 30
            << L{"0 start", "100 save /d/Device.ini", "200 save /d/Device.ini", "300 save /d/Device.ini"}
            << L{"100 raised save-failed//d/Device.ini"};
        QTest::newRow("a save of the file that works ends it") << 30
            << L{"0 start", "100 save /d/Device.ini", "400 saved /d/Device.ini", "500 save /d/Device.ini"}
            << L{"100 raised save-failed//d/Device.ini", "400 cleared save-failed//d/Device.ini",
                 "500 raised save-failed//d/Device.ini"};
        QTest::newRow("quiet for ten minutes: forgotten without a clear") << 0
            << L{"0 start", "100 save /a.ini", "300000 save /a.ini", "600200 save /a.ini", "1200199 tick",
                 "1200200 tick", "1200300 save /a.ini"}
            << L{"100 raised save-failed//a.ini", "1200300 raised save-failed//a.ini"};
        QTest::newRow("two files, two outages") << 0
            << L{"0 start", "100 save /a.ini", "200 save /b.ini", "300 saved /c.ini"}
            << L{"100 raised save-failed//a.ini", "200 raised save-failed//b.ini"};
    }
    void outages()
    {
        QFETCH(int, warmUp);
        QFETCH(QStringList, events);
        QFETCH(QStringList, alerts);
        AlertRules rules(timing(warmUp), {{QStringLiteral("cpu"), 80.0, 20}});
        QCOMPARE(run(rules, events), alerts);
    }

    // When the caller's timer must next call tick().
    void deadlines()
    {
        AlertRules rules(timing(30), {{QStringLiteral("cpu"), 80.0, 20}});
        QCOMPARE(rules.nextDeadline(), qint64(-1));
        rules.started(0);
        QCOMPARE(rules.nextDeadline(), qint64(-1)); // nothing waits on time
        rules.fanStall(100, 0, 0, true);
        QCOMPARE(rules.nextDeadline(), qint64(30000)); // the warm-up's end
        rules.tick(30000);
        QCOMPARE(rules.nextDeadline(), qint64(-1));
        rules.fanStall(31000, 0, 0, false);
        QCOMPARE(rules.nextDeadline(), qint64(41000)); // the recovery
        rules.temperature(35000, QStringLiteral("cpu"), 90.0);
        QCOMPARE(rules.nextDeadline(), qint64(41000));
        rules.tick(41000);
        QCOMPARE(rules.nextDeadline(), qint64(55000)); // 20 s above the limit
        rules.temperature(42000, QStringLiteral("cpu"), std::nullopt);
        QCOMPARE(rules.nextDeadline(), qint64(57000)); // lost after 15 s; the run above the limit is broken
        rules.saveFailed(43000, QStringLiteral("/x.ini"));
        QCOMPARE(rules.nextDeadline(), qint64(57000));
        rules.tick(57000);
        QCOMPARE(rules.nextDeadline(), qint64(43000 + 600000)); // the save's quiet time
    }

    void activeAlertsInTheOrderTheyCame()
    {
        AlertRules rules(timing(0));
        rules.started(0);
        rules.boxHealth(10, 3, BoxCondition::Gone);
        rules.fanStall(20, 1, 1, true);
        rules.saveFailed(30, QStringLiteral("/p.ini"));
        const QVector<Alert> active = rules.active();
        QCOMPARE(active.size(), 3);
        QCOMPARE(active[0].key(), QStringLiteral("box-silent/3"));
        QVERIFY(active[0].boxGone);
        QCOMPARE(active[1].key(), QStringLiteral("stall/1/1"));
        QCOMPARE(active[2].key(), QStringLiteral("save-failed//p.ini"));
        rules.fanStall(40, 1, 1, false);
        rules.tick(10040);
        QCOMPARE(rules.active().size(), 2);
    }

    void whatARaisedAlertCarries()
    {
        AlertRules rules(timing(0), {{QStringLiteral("cpu"), 80.0, 20}});
        rules.started(0);
        rules.temperature(1000, QStringLiteral("cpu"), 84.5);
        rules.temperature(5000, QStringLiteral("cpu"), 86.0);
        const QVector<Alert> out = rules.tick(21000);
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0].kind, AlertKind::TemperatureHigh);
        QCOMPARE(out[0].source, QStringLiteral("cpu"));
        QCOMPARE(out[0].celsius, 86.0);
        QCOMPARE(out[0].limit, 80.0);
        QCOMPARE(out[0].limitSeconds, 20);
        QVERIFY(out[0].raised);
    }

    void limitsTakenAwayEndTheirOutage()
    {
        AlertRules rules(timing(0), {{QStringLiteral("cpu"), 80.0, 0}, {QStringLiteral("gpu"), 70.0, 0}});
        rules.started(0);
        QCOMPARE(rules.temperature(10, QStringLiteral("cpu"), 90.0).size(), 1);
        QCOMPARE(rules.temperature(10, QStringLiteral("gpu"), 90.0).size(), 1);
        const QVector<Alert> out = rules.setLimits(20, {{QStringLiteral("gpu"), 95.0, 0}});
        QCOMPARE(out.size(), 1);
        QCOMPARE(out[0].key(), QStringLiteral("temperature-high/cpu"));
        QVERIFY(!out[0].raised);
        // The new limit holds for what comes next.
        rules.temperature(30, QStringLiteral("gpu"), 90.0);
        QCOMPARE(rules.tick(10030).size(), 1); // under 95 for the recovery time: cleared
    }

    void followsABoundedNumberOfSourcesAndFiles()
    {
        AlertRules rules(timing(0));
        rules.started(0);
        for (int i = 0; i < AlertRules::kMaxSources; ++i)
            rules.temperature(10, QStringLiteral("s%1").arg(i), std::nullopt);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alerts: temperature source s32 refused.*")));
        rules.temperature(10, QStringLiteral("s32"), std::nullopt);
        QCOMPARE(rules.tick(15010).size(), AlertRules::kMaxSources);
        // A source that reads again and has nothing pending makes room.
        for (int i = 0; i < AlertRules::kMaxSources; ++i)
            rules.temperature(16000, QStringLiteral("s%1").arg(i), 40.0);
        rules.tick(26000);
        QVERIFY(rules.temperature(27000, QStringLiteral("s32"), std::nullopt).isEmpty());
        QCOMPARE(rules.tick(42000).size(), 1);

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alerts: temperature source name refused.*")));
        QVERIFY(rules.temperature(50000, QString(300, QLatin1Char('x')), std::nullopt).isEmpty());

        for (int i = 0; i < AlertRules::kMaxSavePaths; ++i)
            QCOMPARE(rules.saveFailed(50000, QStringLiteral("/f%1").arg(i)).size(), 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alerts: failed save of /f16 not followed.*")));
        QVERIFY(rules.saveFailed(50000, QStringLiteral("/f16")).isEmpty());
    }
};

QTEST_APPLESS_MAIN(TestAlertRules)
#include "test_alertrules.moc"
