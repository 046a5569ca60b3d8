// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/AlertLog.h"
#include "monitoring/AlertLogFile.h"

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

    // The marks written at the end of one run are the marks of the next:
    // every kind with its own fields, in time order.
    void theFileKeepsEveryKindOfMark()
    {
        const qint64 now = 2000000000;
        AlertLog log;
        log.record(stall(1, 4, true, now - 50), now);
        Alert silent;
        silent.kind = AlertKind::BoxSilent;
        silent.box = 15;
        silent.boxGone = true;
        silent.time = QDateTime::fromSecsSinceEpoch(now - 40, Qt::UTC);
        log.record(silent, now);
        Alert high;
        high.kind = AlertKind::TemperatureHigh;
        high.source = QStringLiteral("amdgpu-pci-0300/edge \"x\"");
        high.celsius = 91.5;
        high.limit = 85;
        high.limitSeconds = 30;
        high.time = QDateTime::fromSecsSinceEpoch(now - 30, Qt::UTC);
        log.record(high, now);
        Alert save;
        save.kind = AlertKind::SaveFailed;
        save.raised = false;
        save.path = QStringLiteral("/home/me/.config/Kq/Device.ini");
        save.time = QDateTime::fromSecsSinceEpoch(now - 20, Qt::UTC);
        log.record(save, now);

        AlertLog again;
        int skipped = -1;
        AlertLogFile::decode(AlertLogFile::encode(log), now, &again, &skipped);
        QCOMPARE(skipped, 0);
        QCOMPARE(again.size(), 4);
        const auto &e = again.entries();
        QCOMPARE(e[0].second, now - 50);
        QCOMPARE(e[0].alert.kind, AlertKind::Stall);
        QCOMPARE(e[0].alert.box, 1);
        QCOMPARE(e[0].alert.fan, 4);
        QVERIFY(e[0].alert.raised);
        QCOMPARE(e[1].alert.box, 15);
        QVERIFY(e[1].alert.boxGone);
        QCOMPARE(e[2].alert.source, high.source);
        QCOMPARE(e[2].alert.celsius, 91.5);
        QCOMPARE(e[2].alert.limit, 85.0);
        QCOMPARE(e[2].alert.limitSeconds, 30);
        QCOMPARE(e[3].alert.path, save.path);
        QVERIFY(!e[3].alert.raised);
        QCOMPARE(again.events(0, now).size(), 4);
    }

    // The file is outside input: what is not a sound mark is skipped and
    // counted, and the marks around it are kept.
    void unsoundLinesAreSkipped_data()
    {
        QTest::addColumn<QByteArray>("line");
        const qint64 now = 2000000000;
        const QByteArray t = QByteArray::number(now - 10);
        QTest::newRow("not JSON") << QByteArray("stall 1 2");
        QTest::newRow("not an object") << QByteArray("[1,2]");
        QTest::newRow("unknown kind") << "{\"t\":" + t + ",\"kind\":\"fire\",\"raised\":true}";
        QTest::newRow("box past the last") << "{\"t\":" + t + ",\"kind\":\"stall\",\"raised\":true,\"box\":16,\"fan\":0}";
        QTest::newRow("negative fan") << "{\"t\":" + t + ",\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":-1}";
        QTest::newRow("fan as text") << "{\"t\":" + t + ",\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":\"1\"}";
        QTest::newRow("fractional box") << "{\"t\":" + t + ",\"kind\":\"box-silent\",\"raised\":true,\"box\":1.5}";
        QTest::newRow("raised missing") << "{\"t\":" + t + ",\"kind\":\"stall\",\"box\":0,\"fan\":0}";
        QTest::newRow("older than a day") << "{\"t\":" + QByteArray::number(now - 24 * 3600 - 1)
                                               + ",\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":0}";
        QTest::newRow("in the future") << "{\"t\":" + QByteArray::number(now + 1)
                                            + ",\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":0}";
        QTest::newRow("time huge") << QByteArray("{\"t\":1e300,\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":0}");
        QTest::newRow("source missing") << "{\"t\":" + t + ",\"kind\":\"temperature-lost\",\"raised\":true}";
        QTest::newRow("source too long") << "{\"t\":" + t + ",\"kind\":\"temperature-lost\",\"raised\":true,\"source\":\""
                                              + QByteArray(5000, 'a') + "\"}";
        QTest::newRow("repeated key") << "{\"t\":" + t + ",\"t\":" + t + ",\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":0}";
    }
    void unsoundLinesAreSkipped()
    {
        QFETCH(QByteArray, line);
        const qint64 now = 2000000000;
        const QByteArray good = "{\"t\":" + QByteArray::number(now - 20)
                                + ",\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":1}\n";
        AlertLog log;
        int skipped = 0;
        AlertLogFile::decode(good + line + "\n" + good, now, &log, &skipped);
        QCOMPARE(skipped, 1);
        QCOMPARE(log.size(), 2);
    }

    // However long the file, the log keeps its bound.
    void aLongFileKeepsTheNewestMarks()
    {
        const qint64 now = 2000000000;
        QByteArray bytes;
        for (int i = 0; i < AlertLog::kCapacity + 100; ++i)
            bytes += "{\"t\":" + QByteArray::number(now - 5000 + i)
                     + ",\"kind\":\"stall\",\"raised\":true,\"box\":0,\"fan\":0}\n";
        AlertLog log;
        int skipped = 0;
        AlertLogFile::decode(bytes, now, &log, &skipped);
        QCOMPARE(log.size(), AlertLog::kCapacity);
        QCOMPARE(log.entries().back().second, now - 5000 + AlertLog::kCapacity + 99);
    }
};

QTEST_GUILESS_MAIN(TestAlertLog)
#include "test_alertlog.moc"
