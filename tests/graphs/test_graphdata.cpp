// SPDX-License-Identifier: GPL-3.0-or-later
#include "FedHistory.h"

#include "ui/graphs/GraphCsv.h"
#include "ui/graphs/GraphPlan.h"
#include "ui/graphs/GraphPoints.h"
#include "ui/graphs/GraphRange.h"
#include "ui/graphs/GraphScope.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(GraphScope)
Q_DECLARE_METATYPE(GraphRange)
Q_DECLARE_METATYPE(QVector<CsvColumn>)
Q_DECLARE_METATYPE(QVector<HistoryEvent>)
Q_DECLARE_METATYPE(HistoryPoints)

namespace {

// "T:cpu", "D:1.2:Fan 2", "R:1.2:Box 1 fan 2": quantity, box.fan, label.
QStringList describe(const QVector<GraphLine> &lines)
{
    QStringList out;
    for (const GraphLine &l : lines) {
        const char q = l.quantity == GraphQuantity::Temperature ? 'T' : l.quantity == GraphQuantity::Duty ? 'D' : 'R';
        if (l.quantity == GraphQuantity::Temperature)
            out << QStringLiteral("%1:%2").arg(QLatin1Char(q)).arg(l.label);
        else
            out << QStringLiteral("%1:%2.%3:%4").arg(QLatin1Char(q)).arg(l.key.box).arg(l.key.fan).arg(l.label);
    }
    return out;
}

HistoryPoints seconds(qint64 first, const QVector<float> &values)
{
    HistoryPoints p;
    p.firstSecond = first;
    p.stepSeconds = 1;
    p.min = p.mean = p.max = values;
    return p;
}

HistoryEvent alertAt(qint64 second, int box, int fan, const QString &text, bool raised = true)
{
    HistoryEvent e;
    e.second = second;
    e.box = box;
    e.fan = fan;
    e.text = text;
    e.raised = raised;
    e.kind = QStringLiteral("stall");
    return e;
}

} // namespace

class TestGraphData : public QObject {
    Q_OBJECT

private slots:
    void linesOfAScope_data()
    {
        QTest::addColumn<GraphScope>("scope");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("everything") << GraphScope::everything()
                                    << QStringList{"T:cpu", "T:nct/fan2", "D:0.1:Box 1 fan 2", "R:0.0:Box 1 fan 1",
                                                   "R:0.1:Box 1 fan 2", "R:3.4:Box 4 fan 5"};
        QTest::newRow("one box") << GraphScope::ofBox(0)
                                 << QStringList{"T:cpu", "T:nct/fan2", "D:0.1:Fan 2", "R:0.0:Fan 1", "R:0.1:Fan 2"};
        QTest::newRow("box with no fan read") << GraphScope::ofBox(7) << QStringList{"T:cpu", "T:nct/fan2"};
        QTest::newRow("fan with both") << GraphScope::ofFan(0, 1)
                                       << QStringList{"T:cpu", "T:nct/fan2", "D:0.1:Fan 2", "R:0.1:Fan 2"};
        QTest::newRow("fan never commanded a duty")
            << GraphScope::ofFan(3, 4) << QStringList{"T:cpu", "T:nct/fan2", "D:3.4:Fan 5", "R:3.4:Fan 5"};
        QTest::newRow("fan never read") << GraphScope::ofFan(9, 0)
                                        << QStringList{"T:cpu", "T:nct/fan2", "D:9.0:Fan 1", "R:9.0:Fan 1"};
    }
    void linesOfAScope()
    {
        QFETCH(GraphScope, scope);
        QFETCH(QStringList, expected);
        // Fed out of order, with a box's health that no chart shows.
        const QVector<SeriesKey> available{SeriesKey::fanRpm(3, 4), SeriesKey::temperature(QStringLiteral("nct/fan2")),
                                           SeriesKey::fanRpm(0, 1), SeriesKey::boxHealth(0),
                                           SeriesKey::fanDuty(0, 1), SeriesKey::fanRpm(0, 0),
                                           SeriesKey::temperature(QStringLiteral("cpu"))};
        QCOMPARE(describe(selectLines(scope, available)), expected);
    }

    void secondsOfARange_data()
    {
        QTest::addColumn<GraphRange>("range");
        QTest::addColumn<qint64>("head");
        QTest::addColumn<qint64>("from");
        QTest::addColumn<qint64>("to");
        QTest::addColumn<bool>("minutes");
        QTest::newRow("5 min") << GraphRange::FiveMinutes << qint64(100000) << qint64(99701) << qint64(100000) << false;
        QTest::newRow("1 h") << GraphRange::OneHour << qint64(100000) << qint64(96401) << qint64(100000) << false;
        QTest::newRow("24 h by minute") << GraphRange::Day << qint64(100000) << qint64(13601) << qint64(100000) << true;
        QTest::newRow("nothing sampled yet") << GraphRange::OneHour << qint64(0) << qint64(1) << qint64(0) << false;
    }
    void secondsOfARange()
    {
        QFETCH(GraphRange, range);
        QFETCH(qint64, head);
        QFETCH(qint64, from);
        QFETCH(qint64, to);
        QFETCH(bool, minutes);
        const GraphSpan span = cutRange(range, head);
        QCOMPARE(span.fromSecond, from);
        QCOMPARE(span.toSecond, to);
        QCOMPARE(span.isEmpty(), head == 0);
        if (!span.isEmpty())
            QCOMPARE(span.resolution == HistoryResolution::Minutes, minutes);
    }

    void pointsAndGaps()
    {
        // Every value kept, at its second in ms; absent values break the line.
        QVector<GraphSegment> s = toSegments(seconds(1000, {1, 2, NAN, NAN, 5, 6, 7}), 100);
        QCOMPARE(s.size(), 2);
        QCOMPARE(s[0], (GraphSegment{QPointF(1000000, 1), QPointF(1001000, 2)}));
        QCOMPARE(s[1].size(), 3);
        QCOMPARE(s[1].first(), QPointF(1004000, 5));
        QVERIFY(toSegments(seconds(1000, {NAN, NAN}), 100).isEmpty());
        QVERIFY(toSegments(HistoryPoints(), 100).isEmpty());

        // A minute step: x moves by 60 s.
        HistoryPoints minutes = seconds(6000, {3, 4});
        minutes.stepSeconds = 60;
        QCOMPARE(toSegments(minutes, 100).value(0).value(1), QPointF(6060000, 4));
    }

    void downSamplingKeepsWhatMatters()
    {
        // An hour at 1 s with one stall second and one surge second.
        QVector<float> v(3600, 1000.f);
        v[537] = 0;
        v[2999] = 2400;
        const QVector<GraphSegment> s = toSegments(seconds(0, v), 400);
        QCOMPARE(s.size(), 1);
        QVERIFY(pointCount(s) <= 800);
        QVERIFY(pointCount(s) >= 400);
        bool stall = false, surge = false;
        for (const QPointF &p : s[0]) {
            stall = stall || (p == QPointF(537000, 0));
            surge = surge || (p == QPointF(2999000, 2400));
        }
        QVERIFY(stall);
        QVERIFY(surge);
        for (int i = 1; i < s[0].size(); ++i)
            QVERIFY(s[0][i].x() > s[0][i - 1].x()); // time order inside each bucket too

        // A bucket with nothing in it breaks the line; a shorter gap does not.
        QVector<float> gaps(3600, 800.f);
        for (int i = 1000; i < 1040; ++i)
            gaps[i] = NAN;
        gaps[2000] = NAN;
        QCOMPARE(toSegments(seconds(0, gaps), 400).size(), 2);
    }

    void eventsOfAScope_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("fan");
        QTest::addColumn<GraphScope>("scope");
        QTest::addColumn<bool>("marked");
        QTest::newRow("fan's own stall") << 1 << 2 << GraphScope::ofFan(1, 2) << true;
        QTest::newRow("neighbour's stall") << 1 << 3 << GraphScope::ofFan(1, 2) << false;
        QTest::newRow("its box silent") << 1 << -1 << GraphScope::ofFan(1, 2) << true;
        QTest::newRow("other box silent") << 0 << -1 << GraphScope::ofFan(1, 2) << false;
        QTest::newRow("temperature lost") << -1 << -1 << GraphScope::ofFan(1, 2) << true;
        QTest::newRow("box: its fan") << 1 << 4 << GraphScope::ofBox(1) << true;
        QTest::newRow("box: other box's fan") << 2 << 4 << GraphScope::ofBox(1) << false;
        QTest::newRow("everything") << 2 << 4 << GraphScope::everything() << true;
    }
    void eventsOfAScope()
    {
        QFETCH(int, box);
        QFETCH(int, fan);
        QFETCH(GraphScope, scope);
        QFETCH(bool, marked);
        QCOMPARE(eventInScope(alertAt(0, box, fan, QString()), scope), marked);
    }

    void csvTable_data()
    {
        QTest::addColumn<QVector<CsvColumn>>("columns");
        QTest::addColumn<QVector<HistoryEvent>>("events");
        QTest::addColumn<QString>("expected");

        // 1970-01-01T00:16:40Z is second 1000.
        QTest::newRow("seconds, absent and negative values")
            << QVector<CsvColumn>{{QStringLiteral("cpu (°C)"), seconds(1000, {41.5f, NAN, -5})},
                                  {QStringLiteral("Fan 1 (RPM)"), seconds(1000, {1200, 1180, 0})}}
            << QVector<HistoryEvent>{}
            << QStringLiteral("time (UTC),cpu (°C),Fan 1 (RPM),alerts\r\n"
                              "1970-01-01T00:16:40Z,41.5,1200,\r\n"
                              "1970-01-01T00:16:41Z,,1180,\r\n"
                              "1970-01-01T00:16:42Z,-5,0,\r\n");

        HistoryPoints minute;
        minute.firstSecond = 960;
        minute.stepSeconds = 60;
        minute.min = {1000, NAN};
        minute.mean = {1012.75f, NAN};
        minute.max = {1030, NAN};
        QTest::newRow("minutes: min, mean, max")
            << QVector<CsvColumn>{{QStringLiteral("Fan 2"), minute}} << QVector<HistoryEvent>{}
            << QStringLiteral("time (UTC),Fan 2 min,Fan 2 mean,Fan 2 max,alerts\r\n"
                              "1970-01-01T00:16:00Z,1000,1012.8,1030,\r\n"
                              "1970-01-01T00:17:00Z,,,,\r\n");

        QTest::newRow("names from outside are quoted and defused")
            << QVector<CsvColumn>{{QStringLiteral("a,b \"x\""), seconds(1000, {1})},
                                  {QStringLiteral("=cmd|' /C calc'!A0"), seconds(1000, {2})},
                                  {QStringLiteral("line\nbreak"), seconds(1000, {3})}}
            << QVector<HistoryEvent>{}
            << QStringLiteral("time (UTC),\"a,b \"\"x\"\"\",'=cmd|' /C calc'!A0,\"line\nbreak\",alerts\r\n"
                              "1970-01-01T00:16:40Z,1,2,3,\r\n");

        QTest::newRow("events in their step, none from before")
            << QVector<CsvColumn>{{QStringLiteral("r"), seconds(1000, {1, 2, 3})}}
            << QVector<HistoryEvent>{alertAt(999, 0, 0, QStringLiteral("early")),
                                     alertAt(1001, 0, 0, QStringLiteral("Fan 1 of controller 1 has stopped.")),
                                     alertAt(1001, 0, 1, QStringLiteral("second, same step")),
                                     alertAt(1002, 0, 0, QStringLiteral("turns again"), false),
                                     alertAt(1003, 0, 0, QStringLiteral("after the table"))}
            << QStringLiteral("time (UTC),r,alerts\r\n"
                              "1970-01-01T00:16:40Z,1,\r\n"
                              "1970-01-01T00:16:41Z,2,\"Fan 1 of controller 1 has stopped.; second, same step\"\r\n"
                              "1970-01-01T00:16:42Z,3,turns again\r\n");

        QTest::newRow("columns of different lengths")
            << QVector<CsvColumn>{{QStringLiteral("a"), seconds(1000, {1, 2})}, {QStringLiteral("b"), seconds(1001, {7})}}
            << QVector<HistoryEvent>{}
            << QStringLiteral("time (UTC),a,b,alerts\r\n"
                              "1970-01-01T00:16:40Z,1,,\r\n"
                              "1970-01-01T00:16:41Z,2,7,\r\n");

        QTest::newRow("nothing to show") << QVector<CsvColumn>{} << QVector<HistoryEvent>{}
                                         << QStringLiteral("time (UTC),alerts\r\n");
    }
    void csvTable()
    {
        QFETCH(QVector<CsvColumn>, columns);
        QFETCH(QVector<HistoryEvent>, events);
        QFETCH(QString, expected);
        QCOMPARE(historyCsv(columns, events), expected);
    }

    // A box's stretches of not answering: a run of failing steps is one
    // stretch, from its first step to the end of its last; no health (the box
    // closed) ends it; a minute with any failing second counts.
    void outagesOfAHealthSeries_data()
    {
        QTest::addColumn<HistoryPoints>("health");
        QTest::addColumn<QString>("expected");
        const float none = NAN;
        const float ok = HealthCode::Answering, silent = HealthCode::NotAnswering, gone = HealthCode::Gone;
        QTest::newRow("always answering") << seconds(100, {ok, ok, ok}) << QString();
        QTest::newRow("one silent second") << seconds(100, {ok, silent, ok}) << QStringLiteral("101-102");
        QTest::newRow("silent then gone is one") << seconds(100, {silent, gone, ok, ok}) << QStringLiteral("100-102");
        QTest::newRow("two outages") << seconds(100, {silent, ok, silent, silent}) << QStringLiteral("100-101 102-104");
        QTest::newRow("closed ends it") << seconds(100, {silent, none, silent}) << QStringLiteral("100-101 102-103");
        QTest::newRow("never read") << seconds(100, {none, none}) << QString();
        HistoryPoints minutes;
        minutes.firstSecond = 600;
        minutes.stepSeconds = 60;
        minutes.min = {ok, ok, ok};
        minutes.mean = {ok, 0.1f, ok};
        minutes.max = {ok, silent, ok};
        QTest::newRow("a minute with a silent second") << minutes << QStringLiteral("660-720");
    }

    void outagesOfAHealthSeries()
    {
        QFETCH(HistoryPoints, health);
        QFETCH(QString, expected);
        QStringList got;
        for (const GraphOutage &o : outagesOf(health, 3)) {
            QCOMPARE(o.box, 3);
            got << QStringLiteral("%1-%2").arg(qint64(o.fromMs / 1000)).arg(qint64(o.toMs / 1000));
        }
        QCOMPARE(got.join(QLatin1Char(' ')), expected);
    }

    void planReadsThroughTheInterface()
    {
        FedHistory h;
        h.head = 10000;
        for (qint64 s = 9000; s <= 10000; ++s) {
            h.set(SeriesKey::fanRpm(0, 0), s, s < 9800 ? 1200 : 0);
            h.set(SeriesKey::fanRpm(1, 0), s, 900);
            h.set(SeriesKey::fanDuty(0, 0), s, 60);
            h.set(SeriesKey::temperature(QStringLiteral("cpu")), s, 50);
            h.set(SeriesKey::boxHealth(0), s, s >= 9850 && s < 9870 ? HealthCode::NotAnswering : HealthCode::Answering);
            h.set(SeriesKey::boxHealth(1), s, s >= 9900 && s < 9910 ? HealthCode::NotAnswering : HealthCode::Answering);
        }
        h.eventList = {alertAt(9600, 0, 0, QStringLiteral("old")), alertAt(9800, 0, 0, QStringLiteral("stall")),
                       alertAt(9900, 1, 0, QStringLiteral("other box"))};
        const GraphPlan plan = makePlan(h, GraphScope::ofFan(0, 0), GraphRange::FiveMinutes, 400);
        QCOMPARE(plan.span.fromSecond, qint64(9701));
        QCOMPARE(plan.lines[int(GraphQuantity::Temperature)].size(), 1);
        QCOMPARE(plan.lines[int(GraphQuantity::Duty)].size(), 1);
        QCOMPARE(plan.lines[int(GraphQuantity::Rpm)].size(), 1);
        const GraphSegment rpm = plan.lines[int(GraphQuantity::Rpm)][0].segments.value(0);
        QCOMPARE(rpm.size(), 300);
        QCOMPARE(rpm.first(), QPointF(9701000, 1200));
        QCOMPARE(rpm.last(), QPointF(10000000, 0));
        // Only the fan's own alert inside the five minutes, at its second.
        QCOMPARE(plan.marks.size(), 1);
        QCOMPARE(plan.marks[0].ms, qreal(9800000));
        QCOMPARE(plan.marks[0].text, QStringLiteral("stall"));
        // Its box's silence is shaded; the other box's only where every box is.
        QCOMPARE(plan.outages.size(), 1);
        QCOMPARE(plan.outages[0].box, 0);
        QCOMPARE(plan.outages[0].fromMs, qreal(9850000));
        QCOMPARE(plan.outages[0].toMs, qreal(9870000));
        const GraphPlan all = makePlan(h, GraphScope::everything(), GraphRange::FiveMinutes, 400);
        QCOMPARE(all.outages.size(), 2);
        QCOMPARE(all.outages[1].box, 1);
        QCOMPARE(makePlan(h, GraphScope::ofBox(1), GraphRange::FiveMinutes, 400).outages.size(), 1);

        // The export reads the same lines at full resolution, labelled by unit.
        const QVector<CsvColumn> columns = csvColumns(h, GraphScope::ofBox(0), GraphRange::Day);
        QCOMPARE(columns.size(), 3);
        QCOMPARE(columns[0].label, QStringLiteral("cpu (°C)"));
        QCOMPARE(columns[1].label, QStringLiteral("Fan 1 duty (%)"));
        QCOMPARE(columns[2].label, QStringLiteral("Fan 1 (RPM)"));
        QCOMPARE(columns[2].points.stepSeconds, 60);

        // Before the first second: nothing read but the head.
        FedHistory empty;
        QVERIFY(makePlan(empty, GraphScope::everything(), GraphRange::OneHour, 400).span.isEmpty());
        QCOMPARE(empty.reads, 1);
    }
};

QTEST_GUILESS_MAIN(TestGraphData)
#include "test_graphdata.moc"
