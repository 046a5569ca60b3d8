// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoxTable.h"
#include "lighting/MusicFrames.h"
#include "lighting/MusicLevels.h"
#include "lighting/SoftwareEffects.h"

#include "SimFixture.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

// Level smoothing and the frames of the two ring effects.
class TestMusic : public QObject {
    Q_OBJECT

private:
    // LED i red 10 + 20i, green 255, blue 100, full brightness; entry 12 blue.
    static RainbowFanRecord ring()
    {
        RainbowFanRecord fan;
        for (int i = 0; i < kLedCount; ++i) {
            fan.rValue_Led[i] = 10 + 20 * i;
            fan.gValue_Led[i] = 255;
            fan.bValue_Led[i] = 100;
            fan.brightValue[i] = 1.0f;
        }
        fan.rValue_Led[12] = 0;
        fan.gValue_Led[12] = 0;
        fan.bValue_Led[12] = 200;
        fan.brightValue[12] = 0.5f;
        return fan;
    }

    struct Rgb3 {
        int r, g, b;
    };
    static Rgb3 led(const Report &report, int i)
    {
        return {report[6 + 3 * i], report[5 + 3 * i], report[7 + 3 * i]};
    }
    static void expectLed(const Report &report, int i, int r, int g, int b)
    {
        const Rgb3 c = led(report, i);
        QVERIFY2(c.r == r && c.g == g && c.b == b,
                 qPrintable(QStringLiteral("LED %1 is (%2, %3, %4), expected (%5, %6, %7)")
                                .arg(i).arg(c.r).arg(c.g).arg(c.b).arg(r).arg(g).arg(b)));
    }
    static void expectHeader(const Report &report, int port)
    {
        QCOMPARE(report[0], uint8_t(0));
        QCOMPARE(report[1], uint8_t(0x32));
        QCOMPARE(report[2], uint8_t(0x52));
        QCOMPARE(report[3], uint8_t(port));
        QCOMPARE(report[4], uint8_t(24));
        for (int i = 41; i < kReportSize; ++i)
            QCOMPARE(report[i], uint8_t(0));
    }

private slots:
    void smoothingHalvesTowardTheTarget()
    {
        QList<int> seen;
        int s = 100;
        for (int i = 0; i < 8; ++i) {
            s = MusicLevels::smoothStep(s, 0);
            seen << s;
        }
        QCOMPARE(seen, (QList<int>{50, 25, 12, 6, 3, 1, 0, 0}));

        QCOMPARE(MusicLevels::smoothStep(0, 40), 40);   // from zero: at once
        QCOMPARE(MusicLevels::smoothStep(10, 40), 25);
        QCOMPARE(MusicLevels::smoothStep(10, 11), 10);  // 10.5 truncated
        QCOMPARE(MusicLevels::smoothStep(40, 40), 40);
        QCOMPARE(MusicLevels::smoothStep(-5, 40), 40);
        QCOMPARE(MusicLevels::smoothStep(100, 99), 99); // 99.5 truncated
        QCOMPARE(MusicLevels::smoothStep(150, 20), 20); // above 100: at once
        QCOMPARE(MusicLevels::smoothStep(0, 0), 0);
    }

    void levelsStartAtHundredAndFollowTheirOwnSource()
    {
        MusicLevels levels;
        QCOMPARE(levels.smoothedComputer(), 100);
        QCOMPARE(levels.smoothedPhone(), 100);
        levels.setComputerLevel(0);
        levels.setPhoneLevel(100);
        levels.tick();
        QCOMPARE(levels.smoothedComputer(), 50);
        QCOMPARE(levels.smoothedPhone(), 100);
        levels.setPhoneLevel(20);
        levels.tick();
        QCOMPARE(levels.smoothedComputer(), 25);
        QCOMPARE(levels.smoothedPhone(), 60);
        // "Music_2" follows the computer, "Mobile_2" only the phone.
        QCOMPARE(levels.levelFor(LightMode::Music_2), 25);
        QCOMPARE(levels.levelFor(LightMode::Mobile_2), 60);
        QCOMPARE(levels.levelFor(LightMode::Music_1), 25);
        QCOMPARE(levels.levelFor(LightMode::Mobile_3), 60);
        QCOMPARE(levels.levelFor(LightMode::Light), -1);
        QCOMPARE(levels.levelFor(LightMode::Temperature), -1);
    }

    void levelMeterFillsTheRing()
    {
        const RainbowFanRecord fan = ring();
        Report r = MusicFrames::musicBar(fan, 3, 30);
        expectHeader(r, 3);
        // Level 30: thresholds 0, 8, 16, 25 are reached.
        for (int i = 0; i < 4; ++i)
            expectLed(r, i, int((10 + 20 * i) * 0.3f), 76, 30);
        expectLed(r, 4, 2, 7, 3); // (90, 255, 100) x 0.3 x 0.1
        for (int i = 5; i < kLedCount; ++i)
            expectLed(r, i, 0, 0, 0);

        r = MusicFrames::musicBar(fan, 1, 0);
        expectLed(r, 0, 0, 0, 0); // level 0 scales LED 0 to nothing
        for (int i = 1; i < kLedCount; ++i)
            expectLed(r, i, 0, 0, 0);

        r = MusicFrames::musicBar(fan, 1, 91);
        for (int i = 0; i < kLedCount; ++i)
            expectLed(r, i, int((10 + 20 * i) * 0.91f), int(255 * 0.91f), 91);

        // A full level lights the whole ring.
        r = MusicFrames::musicBar(fan, 1, 100);
        expectHeader(r, 1);
        for (int i = 0; i < kLedCount; ++i)
            expectLed(r, i, 10 + 20 * i, 255, 100);

        for (int bad : {-1, 101, 5000}) {
            r = MusicFrames::musicBar(fan, 1, bad);
            expectHeader(r, 1);
            for (int i = 0; i < kLedCount; ++i)
                expectLed(r, i, 0, 0, 0);
        }

        // "Single" puts entry 12 on every LED.
        RainbowFanRecord single = ring();
        single.colorMode = ColorMode::Single;
        r = MusicFrames::musicBar(single, 2, 50);
        for (int i = 0; i < 7; ++i)
            expectLed(r, i, 0, 0, 50);
        expectLed(r, 7, 0, 0, 5);
        expectLed(r, 8, 0, 0, 0);
    }

    void pairStepsAroundOverAGlow()
    {
        const RainbowFanRecord fan = ring();
        Report r = MusicFrames::musicPair(fan, 5, 55);
        expectHeader(r, 5);
        for (int i = 0; i < kLedCount; ++i) {
            if (i == 6 || i == 0)
                expectLed(r, i, 10 + 20 * i, 255, 100);
            else
                expectLed(r, i, (10 + 20 * i) / 10, 25, 10);
        }

        r = MusicFrames::musicPair(fan, 5, 100);
        for (int i = 0; i < kLedCount; ++i) {
            if (i == 11 || i == 5)
                expectLed(r, i, 10 + 20 * i, 255, 100);
            else
                expectLed(r, i, (10 + 20 * i) / 10, 25, 10);
        }

        // Band edges: 7 is band 0, 8 band 1, 91 band 11.
        r = MusicFrames::musicPair(fan, 1, 7);
        expectLed(r, 0, 10, 255, 100);
        expectLed(r, 6, 130, 255, 100);
        expectLed(r, 1, 3, 25, 10);
        r = MusicFrames::musicPair(fan, 1, 8);
        expectLed(r, 1, 30, 255, 100);
        expectLed(r, 7, 150, 255, 100);
        expectLed(r, 0, 1, 25, 10);
        r = MusicFrames::musicPair(fan, 1, 91);
        expectLed(r, 11, 230, 255, 100);
        expectLed(r, 5, 110, 255, 100);

        for (int bad : {-3, 101}) {
            r = MusicFrames::musicPair(fan, 1, bad);
            for (int i = 0; i < kLedCount; ++i)
                expectLed(r, i, (10 + 20 * i) / 10, 25, 10);
        }

        RainbowFanRecord single = ring();
        single.colorMode = ColorMode::Single;
        r = MusicFrames::musicPair(single, 1, 30);
        expectLed(r, 3, 0, 0, 100); // 200 x 0.5, no level scaling
        expectLed(r, 9, 0, 0, 100);
        expectLed(r, 0, 0, 0, 10);
    }

    void sendersReachOnlyConnectedBoxes()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1,-"));
        boxes[0].rainbowFan[2] = ring();
        sendCommand_MusicBar(encoders, 0, 2, 100);
        // A newer frame for the same fan would replace one still waiting in the queue.
        QVERIFY(bus.waitForIdle());
        sendCommand_MusicPair(encoders, 0, 2, 55);
        sendCommand_MusicBar(encoders, 1, 0, 50);   // not connected
        sendCommand_MusicPair(encoders, 16, 0, 50); // no such box
        sendCommand_MusicBar(encoders, 0, 5, 50);   // no such fan
        sendCommand_MusicPair(encoders, -1, 0, 50);
        const std::vector<Report> sent = sentTo(sim, 0);
        QCOMPARE(int(sim->sent().size()), 2);
        QCOMPARE(int(sent.size()), 2);
        QVERIFY(sent[0] == MusicFrames::musicBar(boxes[0].rainbowFan[2], 3, 100));
        QVERIFY(sent[1] == MusicFrames::musicPair(boxes[0].rainbowFan[2], 3, 55));
    }

    // The effect timer's frame: each music mode of the computer and of the
    // phone sends its own effect (levels at their start, 100: the meter
    // dark, the pair in the last band), and the modes of one source are not
    // each other's.
    void eachMusicModeSendsItsOwnEffect()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1"));
        SoftwareEffects effects(encoders);
        const int modes[kRainbowFanCount] = {LightMode::Music_2, LightMode::Music_3, LightMode::Mobile_2,
                                             LightMode::Mobile_3, LightMode::Breath};
        for (int f = 0; f < kRainbowFanCount; ++f) {
            boxes[0].rainbowFan[f] = ring();
            boxes[0].rainbowFan[f].lightMode = modes[f];
        }
        effects.runMusicModeTimer();
        QVERIFY(bus.waitForIdle());
        const RainbowFanRecord &fan = boxes[0].rainbowFan[0];
        QVERIFY(sim->lastLighting(0, 0) == MusicFrames::musicBar(fan, 1, 100));
        QVERIFY(sim->lastLighting(0, 1) == MusicFrames::musicPair(fan, 2, 100));
        QVERIFY(sim->lastLighting(0, 2) == MusicFrames::musicBar(fan, 3, 100));
        QVERIFY(sim->lastLighting(0, 3) == MusicFrames::musicPair(fan, 4, 100));
        QVERIFY(MusicFrames::musicBar(fan, 1, 100) != MusicFrames::musicPair(fan, 1, 100));
        // A mode that is not music gets no frame.
        for (const Report &r : sentTo(sim, 0))
            QVERIFY(r[3] != 5);
    }
};

QTEST_GUILESS_MAIN(TestMusic)
#include "test_music.moc"
