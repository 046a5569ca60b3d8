// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/AudioLoopback.h"
#include "device/BoxModel.h"
#include "lighting/ComputerVolume.h"
#include "lighting/SoftwareEffects.h"
#include "lighting/VolumeAnalysis.h"

#include "AudioSignals.h"
#include "SimFixture.h"

#include <QElapsedTimer>
#include <QtTest>

#include <deque>
#include <limits>

namespace {

// A capture that hands out scripted chunks, one per drain.
class ScriptedLoopback final : public AudioLoopback {
public:
    std::deque<std::vector<float>> chunks;
    int drains = 0;

    void drain(std::vector<float> &out) override
    {
        ++drains;
        if (chunks.empty())
            return;
        out.insert(out.end(), chunks.front().begin(), chunks.front().end());
        chunks.pop_front();
    }
    int channels() const override { return 2; }
    bool isCapturing() const override { return true; }
};

// A capture that runs or not, as told.
class SwitchedLoopback final : public AudioLoopback {
public:
    bool capturing = false;
    void drain(std::vector<float> &) override {}
    int channels() const override { return 2; }
    bool isCapturing() const override { return capturing; }
};

// Exposes the bounded append of the backends.
class BoundedLoopback final : public AudioLoopback {
public:
    std::vector<float> pending;
    void drain(std::vector<float> &) override {}
    int channels() const override { return 2; }
    bool isCapturing() const override { return false; }
    void add(const std::vector<float> &s) { keepNewest(pending, s.data(), s.size(), 2); }
};

QStringList g_messages;
void collect(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
}

// 50 ms of audio, as one query sees it.
constexpr double kQuery = 0.05;

} // namespace

// The level of the computer's audio, on generated sound.
class TestVolume : public QObject {
    Q_OBJECT

private slots:
    void silenceStaysAtZero()
    {
        VolumeAnalysis analysis;
        const std::vector<float> quiet(4800, 0.0f);
        for (int i = 0; i < 5; ++i)
            QCOMPARE(analysis.query(quiet.data(), quiet.size()), 0);
        QCOMPARE(analysis.query(nullptr, 0), 0);
    }

    void lowToneRisesAtOnceHighToneBarely()
    {
        VolumeAnalysis low;
        const std::vector<float> tone = sineFrames(kLowToneHz, kQuery);
        QCOMPARE(low.query(tone.data(), tone.size()), 100);

        VolumeAnalysis quiet;
        const std::vector<float> soft = sineFrames(kLowToneHz, kQuery, 0.0005f);
        const int softLevel = quiet.query(soft.data(), soft.size());
        QVERIFY2(softLevel > 0 && softLevel < 100, qPrintable(QString::number(softLevel)));

        VolumeAnalysis high;
        const std::vector<float> treble = sineFrames(kHighToneHz, kQuery);
        const int trebleLevel = high.query(treble.data(), treble.size());
        QVERIFY2(trebleLevel < 5, qPrintable(QString::number(trebleLevel)));
    }

    void fallsByAboutAFifthPerQuery()
    {
        VolumeAnalysis analysis;
        const std::vector<float> tone = sineFrames(kLowToneHz, kQuery);
        const std::vector<float> quiet(tone.size(), 0.0f);
        for (int i = 0; i < 3; ++i)
            QCOMPARE(analysis.query(tone.data(), tone.size()), 100);
        QList<int> levels;
        for (int i = 0; i < 40; ++i)
            levels << analysis.query(quiet.data(), quiet.size());
        QVERIFY2(levels.first() >= 75 && levels.first() <= 85, qPrintable(QString::number(levels.first())));
        for (int i = 1; i < levels.size(); ++i) {
            QVERIFY(levels[i] <= levels[i - 1]);
            if (levels[i - 1] >= 20) {
                const double ratio = double(levels[i]) / levels[i - 1];
                QVERIFY2(ratio > 0.7 && ratio < 0.87, qPrintable(QStringLiteral("%1 -> %2").arg(levels[i - 1]).arg(levels[i])));
            }
        }
        QCOMPARE(levels.last(), 0);
        // Sound again: straight back up.
        QCOMPARE(analysis.query(tone.data(), tone.size()), 100);
    }

    void onlyTheNewestWindowCounts()
    {
        // Ten seconds of loud sound that end in silence: the silence fills the
        // whole history, whatever the length and alignment of the buffer.
        for (std::size_t tail : {std::size_t(1024), std::size_t(1030), std::size_t(4002)}) {
            std::vector<float> buffer = sineFrames(kLowToneHz, 10.0);
            buffer.resize(buffer.size() + tail, 0.0f);
            VolumeAnalysis analysis;
            QCOMPARE(analysis.query(buffer.data(), buffer.size()), 0);
        }
        // The reverse: silence, then a window of tone.
        std::vector<float> buffer(480000, 0.0f);
        const std::vector<float> tone = sineFrames(kLowToneHz, 0.03);
        buffer.insert(buffer.end(), tone.begin(), tone.end());
        VolumeAnalysis analysis;
        QCOMPARE(analysis.query(buffer.data(), buffer.size()), 100);
    }

    void brokenSamplesStayInRange()
    {
        VolumeAnalysis analysis;
        std::vector<float> junk(4800);
        for (std::size_t i = 0; i < junk.size(); ++i)
            junk[i] = (i % 3 == 0) ? std::numeric_limits<float>::quiet_NaN()
                                   : (i % 3 == 1 ? std::numeric_limits<float>::infinity() : 1e30f);
        const int level = analysis.query(junk.data(), junk.size());
        QVERIFY(level >= 0 && level <= 100);
        for (float l : analysis.levels())
            QVERIFY(std::isfinite(l) && l >= 0.0f && l <= 1.0f);
        const std::vector<float> quiet(4800, 0.0f);
        for (int i = 0; i < 60; ++i)
            analysis.query(quiet.data(), quiet.size());
        QCOMPARE(analysis.query(quiet.data(), quiet.size()), 0);
    }

    void captureKeepsOnlyTheNewestWholeFrames()
    {
        BoundedLoopback capture;
        capture.setMaxPendingFloats(9); // 4 stereo frames
        capture.pending.reserve(16);
        const float *const storage = capture.pending.data();
        capture.add({1, 2, 3, 4});
        capture.add({5, 6, 7, 8, 9, 10});
        QCOMPARE(capture.pending, (std::vector<float>{3, 4, 5, 6, 7, 8, 9, 10}));
        capture.add({11, 12});
        QCOMPARE(capture.pending, (std::vector<float>{5, 6, 7, 8, 9, 10, 11, 12}));
        capture.add({20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30}); // a half frame at the end is dropped
        QCOMPARE(capture.pending, (std::vector<float>{22, 23, 24, 25, 26, 27, 28, 29}));
        capture.add({});
        QCOMPARE(capture.pending.size(), std::size_t(8));
        QCOMPARE(capture.pending.data(), storage); // no reallocation on the way
    }

    void computerVolumeDrainsItsCapture()
    {
        auto capture = std::make_unique<ScriptedLoopback>();
        ScriptedLoopback *fake = capture.get();
        fake->chunks.push_back(sineFrames(kLowToneHz, kQuery));
        fake->chunks.push_back({});
        ComputerVolume volume(std::move(capture));
        // Only what can reach the analysis is kept by the capture.
        QCOMPARE(fake->maxPendingFloats(), VolumeAnalysis::kWindowFloats);
        QCOMPARE(volume.volumeLevel(), 100);
        const int next = volume.volumeLevel();
        // The first fall after a single loud query is a little steeper.
        QVERIFY2(next >= 70 && next <= 85, qPrintable(QString::number(next)));
        QCOMPARE(fake->drains, 2);

        ComputerVolume none(std::unique_ptr<AudioLoopback>{});
        QCOMPARE(none.volumeLevel(), 0);
    }

    void musicEffectsSayWhenNothingIsHeard()
    {
        TestDevices devices;
        SoftwareEffects effects(devices.encoders);
        auto capture = std::make_unique<SwitchedLoopback>();
        SwitchedLoopback *fake = capture.get();
        effects.setComputerVolume(new ComputerVolume(std::move(capture), &effects));
        QSignalSpy told(&effects, &SoftwareEffects::musicCaptureChanged);
        // A capture still being opened is not yet worth a notice.
        for (int i = 1; i < SoftwareEffects::kSamplesBeforeNoCapture; ++i)
            effects.getVolumeValue();
        QCOMPARE(told.count(), 0);
        effects.getVolumeValue();
        QCOMPARE(told.count(), 1);
        QCOMPARE(told.at(0).at(0).toBool(), false);
        for (int i = 0; i < 100; ++i)
            effects.getVolumeValue();
        QCOMPARE(told.count(), 1); // said once
        // Heard again: said at once.
        fake->capturing = true;
        effects.getVolumeValue();
        QCOMPARE(told.count(), 2);
        QCOMPARE(told.at(1).at(0).toBool(), true);
        // A short gap says nothing.
        fake->capturing = false;
        for (int i = 1; i < SoftwareEffects::kSamplesBeforeNoCapture; ++i)
            effects.getVolumeValue();
        fake->capturing = true;
        effects.getVolumeValue();
        QCOMPARE(told.count(), 2);
    }

    void noSoundServerMeansLevelZeroAndOneLogLine()
    {
        qputenv("PULSE_SERVER", "unix:/nonexistent/aurivent-test/native");
        g_messages.clear();
        QtMessageHandler previous = qInstallMessageHandler(collect);
        QElapsedTimer clock;
        clock.start();
        {
            ComputerVolume volume;
            QVERIFY(volume.capture());
            volume.capture()->setRetryInterval(0); // try again on every query
            for (int i = 0; i < 40; ++i) {
                QCOMPARE(volume.volumeLevel(), 0);
                QVERIFY(!volume.capture()->isCapturing());
            }
        }
        qInstallMessageHandler(previous);
        qunsetenv("PULSE_SERVER");
        // Forty connection attempts, none of them waits.
        QVERIFY2(clock.elapsed() < 10000, qPrintable(QString::number(clock.elapsed())));
        const QStringList outage = g_messages.filter(QStringLiteral("AudioLoopback: no sound server:"));
        QCOMPARE(outage.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestVolume)
#include "test_volume.moc"
