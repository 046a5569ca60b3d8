// SPDX-License-Identifier: GPL-3.0-or-later
// The ring buffers: what each tier keeps, how minutes are summed up, how
// readings lapse and values hold, what a jump of the clock does, and the
// memory bound.
#include "history/History.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(SeriesKind)

namespace {

constexpr qint64 kStart = 1'800'000'000 - 1'800'000'000 % 86400; // midnight UTC, a whole minute

bool isAbsent(float v)
{
    return std::isnan(v);
}

// Feeds `seconds` seconds from `first`, the RPM of box 0 fan 0 being what
// valueAt(second) returns (a negative value: no reading that second).
template <typename F> void feedRpm(History &h, qint64 first, qint64 seconds, F valueAt)
{
    for (qint64 t = first; t < first + seconds; ++t) {
        const int v = valueAt(t);
        if (v >= 0)
            h.setFanRpm(0, 0, v);
        h.advanceTo(t);
    }
}

HistoryPoints allSeconds(const History &h, const SeriesKey &key)
{
    return h.points(key, h.headSecond() - kFineSeconds + 1, h.headSecond(), HistoryResolution::Seconds);
}

HistoryPoints allMinutes(const History &h, const SeriesKey &key)
{
    return h.points(key, 0, h.headSecond(), HistoryResolution::Minutes);
}

// Equal, with NaN (absent) equal to NaN.
bool sameValues(const QVector<float> &a, const QVector<float> &b)
{
    if (a.size() != b.size())
        return false;
    for (int i = 0; i < a.size(); ++i)
        if (!(a[i] == b[i] || (std::isnan(a[i]) && std::isnan(b[i]))))
            return false;
    return true;
}

int presentCount(const QVector<float> &values)
{
    return int(std::count_if(values.cbegin(), values.cend(), [](float v) { return !std::isnan(v); }));
}

} // namespace

class TestHistory : public QObject {
    Q_OBJECT

private slots:
    void valuesAreCheckedWhereTheyEnter_data()
    {
        QTest::addColumn<SeriesKind>("kind");
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("stored"); // NaN: absent
        const double absent = std::nan("");
        QTest::newRow("rpm 0 is a reading") << SeriesKind::FanRpm << 0.0 << 0.0;
        QTest::newRow("rpm 1480") << SeriesKind::FanRpm << 1480.0 << 1480.0;
        QTest::newRow("rpm negative") << SeriesKind::FanRpm << -1.0 << absent;
        QTest::newRow("rpm past 16 bits saturates") << SeriesKind::FanRpm << 65535.0 << 32767.0;
        QTest::newRow("duty 0") << SeriesKind::FanDuty << 0.0 << 0.0;
        QTest::newRow("duty 100") << SeriesKind::FanDuty << 100.0 << 100.0;
        QTest::newRow("duty 101") << SeriesKind::FanDuty << 101.0 << absent;
        QTest::newRow("duty none known") << SeriesKind::FanDuty << -1.0 << absent;
        QTest::newRow("temperature tenths") << SeriesKind::Temperature << 47.26 << 47.3;
        QTest::newRow("temperature -50") << SeriesKind::Temperature << -50.0 << -50.0;
        QTest::newRow("temperature 200") << SeriesKind::Temperature << 200.0 << 200.0;
        QTest::newRow("temperature past 200") << SeriesKind::Temperature << 200.1 << absent;
        QTest::newRow("temperature under -50") << SeriesKind::Temperature << -50.1 << absent;
        QTest::newRow("temperature NaN") << SeriesKind::Temperature << absent << absent;
        QTest::newRow("temperature infinite") << SeriesKind::Temperature << double(INFINITY) << absent;
        QTest::newRow("health gone") << SeriesKind::BoxHealth << 2.0 << 2.0;
        QTest::newRow("health 3") << SeriesKind::BoxHealth << 3.0 << absent;
    }
    void valuesAreCheckedWhereTheyEnter()
    {
        QFETCH(SeriesKind, kind);
        QFETCH(double, value);
        QFETCH(double, stored);
        History h;
        SeriesKey key;
        switch (kind) {
        case SeriesKind::FanRpm:
            QVERIFY(h.setFanRpm(3, 4, int(std::max(-1.0, std::min(value, 1e6)))));
            key = SeriesKey::fanRpm(3, 4);
            break;
        case SeriesKind::FanDuty:
            QVERIFY(h.setFanDuty(3, 4, int(value)));
            key = SeriesKey::fanDuty(3, 4);
            break;
        case SeriesKind::Temperature:
            QVERIFY(h.setTemperature(QStringLiteral("coretemp/Package id 0"), value));
            key = SeriesKey::temperature(QStringLiteral("coretemp/Package id 0"));
            break;
        case SeriesKind::BoxHealth:
            QVERIFY(h.setBoxHealth(3, int(value)));
            key = SeriesKey::boxHealth(3);
            break;
        }
        h.advanceTo(kStart);
        const HistoryPoints p = h.points(key, kStart, kStart);
        QCOMPARE(p.size(), 1);
        if (std::isnan(stored))
            QVERIFY2(isAbsent(p.mean[0]), qPrintable(QString::number(double(p.mean[0]))));
        else
            QCOMPARE(double(p.mean[0]), double(float(stored)));
    }

    // How many seconds the fine tier gives back after n seconds, and which.
    void secondsTierKeepsTheLastHour_data()
    {
        QTest::addColumn<int>("fed");
        QTest::addColumn<int>("kept");
        QTest::newRow("one") << 1 << 1;
        QTest::newRow("a minute") << 60 << 60;
        QTest::newRow("one short of an hour") << 3599 << 3599;
        QTest::newRow("an hour") << 3600 << 3600;
        QTest::newRow("an hour and a second") << 3601 << 3600;
        QTest::newRow("two hours and a bit") << 7300 << 3600;
    }
    void secondsTierKeepsTheLastHour()
    {
        QFETCH(int, fed);
        QFETCH(int, kept);
        History h;
        feedRpm(h, kStart, fed, [](qint64 t) { return int((t - kStart) % 30000); });
        const qint64 last = kStart + fed - 1;
        QCOMPARE(h.headSecond(), last);
        const HistoryPoints p = h.points(SeriesKey::fanRpm(0, 0), last - 10 * kFineSeconds, last,
                                         HistoryResolution::Seconds);
        // The whole hour is given back; what came before the first sample is absent.
        QCOMPARE(p.size(), kFineSeconds);
        QCOMPARE(p.stepSeconds, 1);
        QCOMPARE(p.firstSecond, last - kFineSeconds + 1);
        QCOMPARE(presentCount(p.mean), kept);
        const int oldest = kFineSeconds - kept;
        if (oldest > 0)
            QVERIFY(isAbsent(p.mean[oldest - 1]));
        QCOMPARE(double(p.mean[oldest]), double((fed - kept) % 30000));
        QCOMPARE(double(p.mean.last()), double((fed - 1) % 30000));
        QVERIFY(sameValues(p.min, p.mean));
        QVERIFY(sameValues(p.max, p.mean));
    }

    // One minute of samples and the minimum, mean and maximum it sums up to.
    void minutesSumUpTheirSeconds_data()
    {
        QTest::addColumn<QVector<int>>("samples"); // 60 values, -1 absent
        QTest::addColumn<double>("min");
        QTest::addColumn<double>("mean");
        QTest::addColumn<double>("max");
        QVector<int> ramp(60), steady(60, 900), none(60, -1), half(60, -1), one(60, -1), spike(60, 1000);
        for (int i = 0; i < 60; ++i)
            ramp[i] = i * 10;
        for (int i = 0; i < 30; ++i)
            half[i * 2] = 100 + i;
        one[59] = 1234;
        spike[17] = 0;
        const double absent = std::nan("");
        QTest::newRow("ramp") << ramp << 0.0 << 295.0 << 590.0;
        QTest::newRow("steady") << steady << 900.0 << 900.0 << 900.0;
        QTest::newRow("no reading: absent, not 0") << none << absent << absent << absent;
        QTest::newRow("every other second") << half << 100.0 << 115.0 << 129.0; // mean 114.5 rounds up
        QTest::newRow("only the last second") << one << 1234.0 << 1234.0 << 1234.0;
        QTest::newRow("a stall in the minute") << spike << 0.0 << 983.0 << 1000.0;
    }
    void minutesSumUpTheirSeconds()
    {
        QFETCH(QVector<int>, samples);
        QFETCH(double, min);
        QFETCH(double, mean);
        QFETCH(double, max);
        // RPM readings lapse after 3 s; a hold of 1 s makes each second stand alone.
        HistoryLimits limits;
        limits.rpmHoldSeconds = 1;
        History exact(limits);
        for (int i = 0; i < 60; ++i) {
            if (samples[i] >= 0)
                exact.setFanRpm(0, 0, samples[i]);
            exact.advanceTo(kStart + i);
        }
        // The minute in progress, and the same minute once it is complete.
        for (bool complete : {false, true}) {
            if (complete)
                exact.advanceTo(kStart + 60);
            const HistoryPoints p = exact.points(SeriesKey::fanRpm(0, 0), kStart, kStart + 59, HistoryResolution::Minutes);
            QCOMPARE(p.size(), 1);
            QCOMPARE(p.firstSecond, kStart);
            QCOMPARE(p.stepSeconds, 60);
            const auto same = [](float got, double want) {
                return std::isnan(want) ? std::isnan(got) : double(got) == want;
            };
            QVERIFY2(same(p.min[0], min), qPrintable(QString::number(double(p.min[0]))));
            QVERIFY2(same(p.mean[0], mean), qPrintable(QString::number(double(p.mean[0]))));
            QVERIFY2(same(p.max[0], max), qPrintable(QString::number(double(p.max[0]))));
        }
    }

    void minutesTierKeepsTheLastDay()
    {
        History h;
        // 25 hours, each minute's RPM its number of minutes since the start.
        feedRpm(h, kStart, 25 * 3600, [](qint64 t) { return int((t - kStart) / 60); });
        const HistoryPoints p = allMinutes(h, SeriesKey::fanRpm(0, 0));
        // 1440 complete minutes and the one in progress.
        QCOMPARE(p.size(), kCoarseMinutes + 1);
        QCOMPARE(p.stepSeconds, 60);
        const qint64 lastMinute = (kStart + 25 * 3600 - 1) / 60;
        QCOMPARE(p.firstSecond, (lastMinute - kCoarseMinutes) * 60);
        QCOMPARE(double(p.mean.first()), double(25 * 60 - 1 - kCoarseMinutes));
        QCOMPARE(double(p.mean.last()), double(25 * 60 - 1));
        QCOMPARE(presentCount(p.mean), kCoarseMinutes + 1);
        for (int i = 1; i < p.size(); ++i)
            QCOMPARE(double(p.mean[i] - p.mean[i - 1]), 1.0);
    }

    void readingsLapseAndDutiesHold()
    {
        History h;
        const QString cpu = QStringLiteral("k10temp/Tctl");
        h.setFanRpm(1, 2, 800);
        h.setFanDuty(1, 2, 40);
        h.setTemperature(cpu, 51.5);
        h.setBoxHealth(1, HealthCode::Answering);
        for (qint64 t = kStart; t < kStart + 20; ++t)
            h.advanceTo(t);
        const HistoryPoints rpm = h.points(SeriesKey::fanRpm(1, 2), kStart, kStart + 19);
        const HistoryPoints duty = h.points(SeriesKey::fanDuty(1, 2), kStart, kStart + 19);
        const HistoryPoints temp = h.points(SeriesKey::temperature(cpu), kStart, kStart + 19);
        const HistoryPoints health = h.points(SeriesKey::boxHealth(1), kStart, kStart + 19);
        QCOMPARE(rpm.size(), 20);
        // A speed stands for 3 s, a temperature for 12 s; a duty and a health hold.
        QCOMPARE(presentCount(rpm.mean), 3);
        QVERIFY(isAbsent(rpm.mean[3]));
        QCOMPARE(presentCount(temp.mean), 12);
        QCOMPARE(double(temp.mean[11]), 51.5);
        QCOMPARE(presentCount(duty.mean), 20);
        QCOMPARE(presentCount(health.mean), 20);

        // Said absent, absent from the next second; a duty no longer known too.
        h.setTemperature(cpu, 52.0);
        h.advanceTo(kStart + 20);
        h.setTemperatureAbsent(cpu);
        h.setFanDuty(1, 2, -1);
        h.advanceTo(kStart + 21);
        const HistoryPoints later = h.points(SeriesKey::temperature(cpu), kStart + 20, kStart + 21);
        QCOMPARE(double(later.mean[0]), 52.0);
        QVERIFY(isAbsent(later.mean[1]));
        QVERIFY(isAbsent(h.points(SeriesKey::fanDuty(1, 2), kStart + 21, kStart + 21).mean[0]));

        // A reading from before the machine slept does not stand after it;
        // one that came since the last sample is as new as the clock.
        h.setFanRpm(1, 2, 990);
        h.advanceTo(kStart + 22);
        h.advanceTo(kStart + 22 + 600);
        QVERIFY(isAbsent(h.points(SeriesKey::fanRpm(1, 2), kStart + 622, kStart + 622).mean[0]));
        h.setFanRpm(1, 2, 1010);
        h.advanceTo(kStart + 622 + 600);
        QCOMPARE(double(h.points(SeriesKey::fanRpm(1, 2), kStart + 1222, kStart + 1222).mean[0]), 1010.0);

        // A box that closes takes its fans and its health with it.
        h.setFanDuty(1, 2, 70);
        h.setFanRpm(1, 2, 990);
        h.advanceTo(kStart + 1223);
        QVERIFY(h.forgetBox(1));
        h.advanceTo(kStart + 1224);
        for (const SeriesKey &key : {SeriesKey::fanRpm(1, 2), SeriesKey::fanDuty(1, 2), SeriesKey::boxHealth(1)}) {
            const HistoryPoints p = h.points(key, kStart + 1223, kStart + 1224);
            QVERIFY(!isAbsent(p.mean[0]));
            QVERIFY(isAbsent(p.mean[1]));
        }
    }

    // A step of the clock from the newest sampled second, and what the
    // seconds before the new one hold afterwards.
    void clockJumps_data()
    {
        QTest::addColumn<qint64>("step");
        QTest::addColumn<int>("absentBefore"); // absent seconds just before the new head
        QTest::addColumn<int>("minutesKept");  // minutes of the first hour still present
        QTest::newRow("next second") << qint64(1) << 0 << 60;
        QTest::newRow("a late timer: filled") << qint64(2) << 0 << 60;
        QTest::newRow("two ticks late: filled") << qint64(3) << 0 << 60;
        QTest::newRow("four seconds: a gap") << qint64(4) << 3 << 60;
        QTest::newRow("a suspend of two hours") << qint64(7200) << 3599 << 60;
        QTest::newRow("23 hours") << qint64(23 * 3600) << 3599 << 60;
        QTest::newRow("30 hours: all gone") << qint64(30 * 3600) << 3599 << 0;
    }
    void clockJumps()
    {
        QFETCH(qint64, step);
        QFETCH(int, absentBefore);
        QFETCH(int, minutesKept);
        HistoryLimits limits;
        limits.rpmHoldSeconds = 1000000; // the duty-like reading outlasts any step here
        History h(limits);
        h.setFanRpm(0, 0, 600);
        for (qint64 t = kStart; t < kStart + 3600; ++t)
            h.advanceTo(t);
        const qint64 head = h.headSecond();
        h.advanceTo(head + step);
        QCOMPARE(h.headSecond(), head + step);
        const HistoryPoints p = allSeconds(h, SeriesKey::fanRpm(0, 0));
        QCOMPARE(p.size(), kFineSeconds);
        QVERIFY(!isAbsent(p.mean.last()));
        int absent = 0;
        for (int i = p.size() - 2; i >= 0 && isAbsent(p.mean[i]); --i)
            ++absent;
        QCOMPARE(absent, absentBefore);
        const HistoryPoints minutes = h.points(SeriesKey::fanRpm(0, 0), kStart, kStart + 3599, HistoryResolution::Minutes);
        QCOMPARE(presentCount(minutes.mean), minutesKept);
    }

    void clockGoingBackMovesThePastBack()
    {
        History h;
        feedRpm(h, kStart, 600, [](qint64 t) { return int(t - kStart); });
        const HistoryPoints before = allSeconds(h, SeriesKey::fanRpm(0, 0));
        // The clock is set back five minutes: the newest sample stays newest,
        // now labelled with the new time, and older ones keep their spacing.
        const qint64 back = h.headSecond() - 300;
        h.advanceTo(back);
        QCOMPARE(h.headSecond(), back);
        const HistoryPoints after = allSeconds(h, SeriesKey::fanRpm(0, 0));
        QCOMPARE(after.firstSecond, before.firstSecond - 300);
        QVERIFY(sameValues(after.mean, before.mean));
        // Going on from there overwrites nothing that was recorded.
        h.setFanRpm(0, 0, 5000);
        h.advanceTo(back + 1);
        const HistoryPoints on = h.points(SeriesKey::fanRpm(0, 0), back - 599, back + 1);
        QCOMPARE(on.size(), 601);
        QCOMPARE(double(on.mean[0]), 0.0);
        QCOMPARE(double(on.mean[599]), 599.0);
        QCOMPARE(double(on.mean[600]), 5000.0);
        // A clock reading of 0 or less is refused.
        h.advanceTo(0);
        QCOMPARE(h.headSecond(), back + 1);
    }

    void rangesAreClippedAndResolutionPicked()
    {
        History h;
        const SeriesKey key = SeriesKey::fanRpm(0, 0);
        QCOMPARE(h.points(key, kStart, kStart + 10).size(), 0); // nothing sampled yet
        feedRpm(h, kStart, 2 * 3600, [](qint64) { return 700; });
        const qint64 head = h.headSecond();
        // Within the last hour: seconds; reaching further: minutes.
        QCOMPARE(h.points(key, head - 299, head).stepSeconds, 1);
        QCOMPARE(h.points(key, head - 299, head).size(), 300);
        QCOMPARE(h.points(key, head - 3599, head).stepSeconds, 1);
        QCOMPARE(h.points(key, head - 3600, head).stepSeconds, 60);
        // head is the last second of its minute: 24 h are 1440 whole minutes.
        QCOMPARE(head % 60, qint64(59));
        const HistoryPoints day = h.points(key, head - 86399, head);
        QCOMPARE(day.stepSeconds, 60);
        QCOMPARE(day.size(), kCoarseMinutes);
        QCOMPARE(presentCount(day.mean), 120);
        // Into the future, reversed, or a series never fed.
        QCOMPARE(h.points(key, head + 1, head + 100).size(), 0);
        QCOMPARE(h.points(key, head, head - 1).size(), 0);
        const HistoryPoints never = h.points(SeriesKey::fanRpm(15, 4), head - 59, head);
        QCOMPARE(never.size(), 60);
        QCOMPARE(presentCount(never.mean), 0);
        const HistoryPoints outside = h.points(SeriesKey::fanRpm(16, 0), head - 59, head);
        QCOMPARE(presentCount(outside.mean), 0);
    }

    void refusesWhatItCannotHold()
    {
        History h;
        QVERIFY(!h.setFanRpm(16, 0, 100));
        QVERIFY(!h.setFanRpm(-1, 0, 100));
        QVERIFY(!h.setFanRpm(0, 5, 100));
        QVERIFY(!h.setFanDuty(0, -1, 50));
        QVERIFY(!h.setBoxHealth(16, 0));
        QVERIFY(!h.forgetBox(16));
        QVERIFY(!h.setTemperature(QString(), 40));
        QVERIFY(!h.setTemperature(QString(129, QLatin1Char('x')), 40));
        QVERIFY(h.setTemperature(QString(128, QLatin1Char('x')), 40));
        QCOMPARE(h.seriesKeys().size(), 1);

        // Eight sources; a ninth finds no room while each of the eight has a reading.
        History s;
        for (int i = 0; i < 8; ++i)
            QVERIFY(s.setTemperature(QStringLiteral("chip/t%1").arg(i), 40 + i));
        s.advanceTo(kStart);
        QVERIFY(!s.setTemperature(QStringLiteral("chip/ninth"), 40));
        QCOMPARE(s.seriesKeys().size(), 8);
        // A source that never had a reading gives its place up.
        History t;
        for (int i = 0; i < 7; ++i)
            QVERIFY(t.setTemperature(QStringLiteral("chip/t%1").arg(i), 40 + i));
        QVERIFY(t.setTemperatureAbsent(QStringLiteral("chip/silent")));
        for (qint64 sec = kStart; sec < kStart + 100; ++sec)
            t.advanceTo(sec);
        QVERIFY(t.setTemperature(QStringLiteral("chip/new"), 45));
        const QVector<SeriesKey> keys = t.seriesKeys();
        QCOMPARE(keys.size(), 8);
        QVERIFY(keys.contains(SeriesKey::temperature(QStringLiteral("chip/new"))));
        QVERIFY(!keys.contains(SeriesKey::temperature(QStringLiteral("chip/silent"))));
        QVERIFY(keys.contains(SeriesKey::temperature(QStringLiteral("chip/t0"))));
    }

    // 16 boxes x 5 fans, 8 sources with the longest names, 16 box healths:
    // everything the history can hold, after more than a day.
    void memoryStaysWithinItsBound()
    {
        const HistoryLimits limits;
        QCOMPARE(limits.seriesCapacity(), 184);
        const std::size_t bound = History::bytesBound(limits);
        QVERIFY2(bound <= 8u * 1024 * 1024, qPrintable(QString::number(bound)));
        History h(limits);
        const auto feedAll = [&](qint64 t) {
            for (int box = 0; box < kBoxCount; ++box) {
                for (int fan = 0; fan < kRainbowFanCount; ++fan) {
                    h.setFanRpm(box, fan, 900 + fan);
                    h.setFanDuty(box, fan, 50);
                }
                h.setBoxHealth(box, HealthCode::Answering);
            }
            for (int i = 0; i < 8; ++i)
                h.setTemperature(QString(125, QLatin1Char('a' + i)) + QStringLiteral("/%1").arg(i), 40);
            // More sources than there is room for are refused and remembered (bounded).
            for (int i = 0; i < 40; ++i)
                h.setTemperature(QString(128, QLatin1Char('z')).left(120) + QString::number(i), 40);
            h.advanceTo(t);
        };
        feedAll(kStart);
        QCOMPARE(h.seriesKeys().size(), 184);
        const std::size_t full = h.bytesReserved();
        QVERIFY2(full <= bound, qPrintable(QStringLiteral("%1 > %2").arg(full).arg(bound)));
        for (qint64 t = kStart + 1; t < kStart + 26 * 3600; t += 61)
            feedAll(t);
        QCOMPARE(h.bytesReserved(), full);
        qInfo("history of 184 series: %zu bytes reserved, bound %zu bytes (%.2f MiB)", full, bound,
              double(bound) / (1024.0 * 1024.0));
    }
};

QTEST_APPLESS_MAIN(TestHistory)
#include "test_history.moc"
