// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/AlertLog.h"

#include <QtTest>

namespace {

Alert stall(int box, int fan, bool raised, qint64 second)
{
    Alert a;
    a.kind = AlertKind::Stall;
    a.raised = raised;
    a.box = box;
    a.fan = fan;
    if (second > 0)
        a.time = QDateTime::fromSecsSinceEpoch(second, Qt::UTC);
    return a;
}

} // namespace

// The alerts kept for the graphs' time line.
class TestAlertLog : public QObject {
    Q_OBJECT

private slots:
    void eventsOfARangeInTimeOrder()
    {
        AlertLog log;
        log.record(stall(0, 1, true, 1000), 5000);
        log.record(stall(0, 1, false, 1010), 5000);
        // No time of its own: now.
        log.record(stall(2, 0, true, 0), 1020);
        // The clock went back: still after the one before.
        log.record(stall(3, 4, true, 900), 1030);

        const QVector<HistoryEvent> all = log.events(0, 10000);
        QCOMPARE(all.size(), 4);
        QCOMPARE(all[0].second, qint64(1000));
        QCOMPARE(all[0].kind, QStringLiteral("stall"));
        QCOMPARE(all[0].box, 0);
        QCOMPARE(all[0].fan, 1);
        QVERIFY(all[0].raised);
        QCOMPARE(all[0].text, QStringLiteral("Fan 2 of controller 1 has stopped."));
        QVERIFY(!all[1].raised);
        QCOMPARE(all[2].second, qint64(1020));
        QCOMPARE(all[3].second, qint64(1020));

        // Both ends count.
        QCOMPARE(log.events(1000, 1010).size(), 2);
        QCOMPARE(log.events(1001, 1009).size(), 0);
        QCOMPARE(log.events(1011, 1020).size(), 2);
        QCOMPARE(log.events(2000, 1000).size(), 0);
    }

    void boundedBySizeAndByAge()
    {
        AlertLog log;
        // A fan that flickers all day long.
        for (int i = 0; i < 3 * AlertLog::kCapacity; ++i)
            log.record(stall(0, 0, i % 2 == 0, 100000 + i), 0);
        QCOMPARE(log.size(), AlertLog::kCapacity);
        const QVector<HistoryEvent> kept = log.events(0, 1000000);
        QCOMPARE(kept.first().second, qint64(100000 + 2 * AlertLog::kCapacity));
        QCOMPARE(kept.last().second, qint64(100000 + 3 * AlertLog::kCapacity - 1));

        // A day later the old ones are gone.
        log.record(stall(1, 1, true, 100000 + 3 * AlertLog::kCapacity + AlertLog::kKeepSeconds), 0);
        QCOMPARE(log.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestAlertLog)
#include "test_alertlog.moc"
