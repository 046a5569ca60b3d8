// SPDX-License-Identifier: GPL-3.0-or-later
// The recorder that the core will drive: its slots feed the history, its
// clock samples it, and its state file outlives it.
#include "history/HistoryFile.h"
#include "history/HistoryRecorder.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <memory>

namespace {

constexpr qint64 kStart = 1'800'000'000;

struct FakeClock {
    qint64 ms = kStart * 1000;
};

std::unique_ptr<HistoryRecorder> recorder(FakeClock &clock, const QString &path = QString(), int saveSeconds = 600)
{
    HistoryRecorder::Options options;
    options.path = path;
    options.saveIntervalSeconds = saveSeconds;
    options.clock = [&clock] { return clock.ms; };
    options.tickIntervalMs = 2;
    return std::make_unique<HistoryRecorder>(HistoryLimits(), options);
}

} // namespace

class TestHistoryRecorder : public QObject {
    Q_OBJECT

private slots:
    void samplesWhatItIsToldOncePerSecondOfItsClock()
    {
        FakeClock clock;
        auto r = recorder(clock);
        QSignalSpy sampled(r.get(), &HistoryRecorder::sampled);
        r->recordFanRpm(2, 3, 1100);
        r->recordFanDuty(2, 3, 60);
        r->recordTemperature(QStringLiteral("coretemp/Package id 0"), 48.5);
        r->recordBoxHealth(2, HealthCode::NotAnswering);
        r->start();
        QCOMPARE(sampled.count(), 1);
        QCOMPARE(sampled.first().first().toLongLong(), kStart);
        r->recordTemperatureAbsent(QStringLiteral("coretemp/Package id 0"));
        clock.ms += 1000;
        QTRY_COMPARE_WITH_TIMEOUT(sampled.count(), 2, 10000);
        QCOMPARE(sampled.last().first().toLongLong(), kStart + 1);
        r->recordBoxClosed(2);
        clock.ms += 1000;
        QTRY_COMPARE_WITH_TIMEOUT(sampled.count(), 3, 10000);

        const History &h = r->history();
        const auto at = [&h](const SeriesKey &key) {
            const HistoryPoints p = h.points(key, kStart, kStart + 2);
            QVector<double> v;
            for (float x : p.mean)
                v << (std::isnan(x) ? -1.0 : double(x));
            return v;
        };
        QCOMPARE(at(SeriesKey::fanRpm(2, 3)), (QVector<double>{1100, 1100, -1}));
        QCOMPARE(at(SeriesKey::fanDuty(2, 3)), (QVector<double>{60, 60, -1}));
        QCOMPARE(at(SeriesKey::temperature(QStringLiteral("coretemp/Package id 0"))), (QVector<double>{48.5, -1, -1}));
        QCOMPARE(at(SeriesKey::boxHealth(2)), (QVector<double>{1, 1, -1}));
    }

    void keepsItsStateFileAcrossARestart()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state/history.bin"));
        FakeClock clock;
        {
            auto r = recorder(clock, path, 1);
            QSignalSpy sampled(r.get(), &HistoryRecorder::sampled);
            QSignalSpy saved(r.get(), &HistoryRecorder::savedInBackground);
            r->start();
            for (int i = 0; i < 5; ++i) {
                r->recordFanRpm(0, 0, 700 + i);
                clock.ms += 1000;
                QTRY_COMPARE_WITH_TIMEOUT(sampled.count(), i + 2, 10000);
            }
            // Saved every second of real time while it runs, off its thread.
            QTRY_VERIFY_WITH_TIMEOUT(saved.count() >= 1, 10000);
            QVERIFY(saved.first().first().toBool());
            QVERIFY(QFileInfo::exists(path));
            r->recordFanRpm(0, 0, 999);
            clock.ms += 1000;
            QTRY_COMPARE_WITH_TIMEOUT(sampled.count(), 7, 10000);
        } // and once more when it goes

        clock.ms += 60 * 1000;
        auto again = recorder(clock, path);
        again->start();
        const HistoryPoints p = again->history().points(SeriesKey::fanRpm(0, 0), kStart, kStart + 66);
        QCOMPARE(p.size(), 67);
        QCOMPARE(double(p.mean[1]), 700.0);
        QCOMPARE(double(p.mean[6]), 999.0);
        // The minute it was stopped is absent, not the last value carried on.
        QVERIFY(std::isnan(p.mean[30]));
        QVERIFY(std::isnan(p.mean[66]));
    }

    // Going away while a save is on its way: it ends first, then the last
    // save; the file is whole.
    void goingAwayDuringABackgroundSave()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("history.bin"));
        FakeClock clock;
        {
            auto r = recorder(clock, path);
            for (int box = 0; box < kBoxCount; ++box)
                for (int fan = 0; fan < kRainbowFanCount; ++fan)
                    r->recordFanRpm(box, fan, 1000 + box);
            r->start();
            r->saveInBackground();
            r->saveInBackground(); // one at a time: this one is skipped or waits its turn
        }
        History back;
        QVERIFY(HistoryFile::load(back, path));
        QCOMPARE(back.seriesKeys().size(), kBoxCount * kRainbowFanCount);
        QCOMPARE(double(back.points(SeriesKey::fanRpm(15, 4), kStart, kStart).mean[0]), 1015.0);
    }

    void withoutAPathNothingIsWritten()
    {
        QTemporaryDir dir;
        qputenv("XDG_STATE_HOME", QFile::encodeName(dir.path()));
        FakeClock clock;
        {
            auto r = recorder(clock, QString(), 1);
            r->start();
            QVERIFY(!r->saveNow());
        }
        QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }

    void followsTheRealClockByDefault()
    {
        HistoryRecorder::Options options;
        HistoryRecorder r(HistoryLimits(), options);
        QSignalSpy sampled(&r, &HistoryRecorder::sampled);
        const qint64 before = QDateTime::currentSecsSinceEpoch();
        r.start();
        QCOMPARE(sampled.count(), 1);
        QVERIFY(sampled.first().first().toLongLong() >= before);
        // The next tick lands in the next second of the wall clock.
        QTRY_VERIFY_WITH_TIMEOUT(sampled.count() >= 2, 5000);
        QVERIFY(sampled.last().first().toLongLong() > sampled.first().first().toLongLong());
    }
};

QTEST_GUILESS_MAIN(TestHistoryRecorder)
#include "test_historyrecorder.moc"
