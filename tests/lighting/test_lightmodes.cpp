// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingTimers.h"
#include "SimFixture.h"

#include "device/Encoders.h"
#include "lighting/LightModes.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

// How a fan's record turns into lighting commands.
class TestLightModes : public QObject {
    Q_OBJECT

private:
    SimulatedBoxes *sim = nullptr;
    RecordingTimers timers;

    RainbowFanRecord &fan(int f) { return boxes[0].rainbowFan[f]; }

    void paint(RainbowFanRecord &record, int red)
    {
        for (int i = 0; i < kColorEntries; ++i) {
            record.rValue_Led[i] = red;
            record.gValue_Led[i] = i;
            record.bValue_Led[i] = 0;
            record.brightValue[i] = 1.0f;
        }
    }

    // Lighting reports of box 0, fan f (speed reports left out).
    std::vector<Report> lightingOf(int f)
    {
        std::vector<Report> out;
        for (const Report &r : sentTo(sim, 0))
            if (r[1] == 0x32 && r[2] == 0x52 && r[3] == f + 1)
                out.push_back(r);
        return out;
    }

private slots:
    void init()
    {
        sim = installSimulator(boxes, bus, QStringLiteral("1,0"));
        timers = RecordingTimers();
        for (int f = 0; f < kRainbowFanCount; ++f) {
            fan(f).isTurnOffLed = false;
            fan(f).isPWM = true;
            fan(f).lightMode = LightMode::Light;
            paint(fan(f), 100 + f);
        }
    }

    void reapplyNormalisesTheColourMode()
    {
        fan(0).lightMode = LightMode::Snake;
        fan(0).colorMode = ColorMode::RGB;
        fan(0).lightSpeed = 2;
        fan(1).lightMode = LightMode::Radar;
        fan(1).colorMode = ColorMode::RGB;
        fan(2).lightMode = LightMode::Whirl;
        fan(2).colorMode = ColorMode::Single;
        fan(3).lightMode = LightMode::Breath;
        fan(3).colorMode = 7; // out of range from a file
        fan(4).lightMode = LightMode::Blink;
        fan(4).colorMode = ColorMode::Single;
        applyBoxSettings(encoders, 0, timers);

        QCOMPARE(fan(0).colorMode, int(ColorMode::Off));
        QCOMPARE(fan(1).colorMode, int(ColorMode::Single));
        QCOMPARE(fan(2).colorMode, int(ColorMode::RGB));
        QCOMPARE(fan(3).colorMode, int(ColorMode::RGB));
        QCOMPARE(fan(4).colorMode, int(ColorMode::Single));

        const Report snake = lightingOf(0).back();
        QCOMPARE(snake[4], uint8_t(2));
        for (int i = 5; i < kReportSize; ++i)
            QCOMPARE(snake[i], uint8_t(0));
        const Report radar = lightingOf(1).back();
        QCOMPARE(radar[4], uint8_t(8));
        QCOMPARE(radar[6], uint8_t(101));
        for (int i = 8; i < kReportSize; ++i)
            QCOMPARE(radar[i], uint8_t(0));
    }

    void startupKeepsTheStoredColourMode()
    {
        fan(0).lightMode = LightMode::Snake;
        fan(0).colorMode = ColorMode::RGB;
        applyBoxSettings(encoders, 0, timers, Resend::Startup);
        QCOMPARE(fan(0).colorMode, int(ColorMode::RGB));
        QCOMPARE(lightingOf(0).back()[4], uint8_t(0));
    }

    void copyPlaysFirstFanModeWithOwnColours()
    {
        fan(0).lightMode = LightMode::Breath;
        fan(3).lightMode = LightMode::Copy;
        fan(3).copyLightMode = LightMode::Breath;
        fan(3).lightSpeed = 1;
        fan(3).colorMode = ColorMode::RGB;
        applyBoxSettings(encoders, 0, timers);
        const Report r = lightingOf(3).back();
        QCOMPARE(r[4], uint8_t(17));
        QCOMPARE(r[6], uint8_t(103)); // fan 3's own red

        // A never-set copied mode plays "Snake".
        fan(2).lightMode = LightMode::Copy;
        fan(2).copyLightMode = 0;
        applyFanLight(encoders, 0, 2, timers);
        QCOMPARE(lightingOf(2).back()[4], uint8_t(fan(2).lightSpeed));
    }

    void followingCopiesTheWholeLook()
    {
        fan(0).lightMode = LightMode::Blink;
        fan(0).colorMode = ColorMode::Single;
        fan(0).lightSpeed = 3;
        fan(0).isTurnOffLed = true;
        fan(0).brightValue[12] = 0.25f;
        fan(2).lightMode = LightMode::Copy;
        copyFirstFanLook(boxes, 0, 2);
        QCOMPARE(fan(2).lightMode, int(LightMode::Copy));
        QCOMPARE(fan(2).copyLightMode, int(LightMode::Blink));
        QCOMPARE(fan(2).colorMode, int(ColorMode::Single));
        QCOMPARE(fan(2).lightSpeed, 3);
        QVERIFY(fan(2).isTurnOffLed);
        for (int i = 0; i < kColorEntries; ++i) {
            QCOMPARE(fan(2).rValue_Led[i], 100);
            QCOMPARE(fan(2).brightValue[i], fan(0).brightValue[i]);
        }
        QVERIFY(sim->sent().empty()); // copying alone sends nothing
    }

    void turnedOffWinsOverEveryMode()
    {
        for (int mode = 0; mode < LightMode::Count; ++mode) {
            sim->clearSent();
            fan(1).lightMode = mode;
            fan(1).copyLightMode = LightMode::Blink;
            fan(1).isTurnOffLed = true;
            applyBoxSettings(encoders, 0, timers);
            const auto reports = lightingOf(1);
            QCOMPARE(reports.size(), size_t(1));
            QCOMPARE(reports.back()[4], uint8_t(24));
            for (int i = 5; i < kReportSize; ++i)
                QCOMPARE(reports.back()[i], uint8_t(0));
        }
        QCOMPARE(timers.musicStarts + timers.temperatureStarts, 0);
    }

    void speedFollowsTheModeUnlessPwm()
    {
        applyBoxSettings(encoders, 0, timers);
        for (const Report &r : sentTo(sim, 0))
            QVERIFY2(!(r[1] == 0x32 && r[2] == 0x51), "a fan following the temperature got a speed command");

        sim->clearSent();
        fan(0).isPWM = false;
        fan(0).speedMode = SpeedMode::Silent;
        fan(1).isPWM = false;
        fan(1).speedMode = SpeedMode::Custom;
        fan(1).speedNum = 3;
        fan(2).isPWM = false;
        fan(2).speedMode = SpeedMode::Performance;
        applyBoxSettings(encoders, 0, timers);
        std::vector<int> rpms;
        for (const Report &r : sentTo(sim, 0))
            if (r[1] == 0x32 && r[2] == 0x51)
                rpms.push_back(r[6] + 256 * r[7]);
        QCOMPARE(rpms, (std::vector<int>{400, 700, 1400}));
    }

    void softwareModesStartAndStopTheirTimers()
    {
        fan(0).lightMode = LightMode::Music_2;
        fan(1).lightMode = LightMode::Temperature;
        applyBoxSettings(encoders, 0, timers);
        QVERIFY(timers.music);
        QVERIFY(timers.temperature);
        QVERIFY(lightingOf(0).empty()); // the timer draws music frames

        stopUnusedSoftwareTimers(boxes, timers);
        QVERIFY(timers.music && timers.temperature);

        // An unwatched fan keeps no timer alive; neither does a "Copy" of a software mode.
        fan(0).isMonitor = false;
        fan(1).lightMode = LightMode::Copy;
        fan(1).copyLightMode = LightMode::Temperature;
        stopUnusedSoftwareTimers(boxes, timers);
        QVERIFY(!timers.music);
        QVERIFY(!timers.temperature);

        applyFanLight(encoders, 0, 3, timers);
        QVERIFY(timers.temperatureColorFans.empty());
        fan(3).lightMode = LightMode::Temperature;
        applyFanLight(encoders, 0, 3, timers);
        QCOMPARE(timers.temperatureColorFans.size(), size_t(1));
    }

    void nothingForAnAbsentBox()
    {
        boxes[2].rainbowFan[0].isTurnOffLed = false;
        applyBoxSettings(encoders, 2, timers);
        applyBoxSettings(encoders, 99, timers);
        applyFanLight(encoders, 0, 7, timers);
        resendFanLight(encoders, -1, 0);
        copyFirstFanLook(boxes, 0, 5);
        QVERIFY(sim->sent().empty());
    }

    void singleColourFanModes()
    {
        VaylaFanRecord &v = boxes[1].vaylaFan[2];
        v.isTurnOffLed = false;
        v.rValue = 200;
        v.gValue = 100;
        v.bValue = 50;
        v.brightValue = 0.5f;
        const int expected[3][4] = {{0, 100, 50, 25}, {1, 0, 0, 0}, {2, 100, 50, 25}};
        for (const auto &row : expected) {
            v.lightMode = row[0];
            sendVaylaLighting(encoders, 1, 2);
            const Report r = sentTo(sim, 1).back();
            QCOMPARE(r[3], uint8_t(3));
            QCOMPARE(r[4], uint8_t(row[0]));
            QCOMPARE(r[5], uint8_t(row[1]));
            QCOMPARE(r[6], uint8_t(row[2]));
            QCOMPARE(r[7], uint8_t(row[3]));
        }
        v.isTurnOffLed = true;
        sendVaylaLighting(encoders, 1, 2);
        const Report off = sentTo(sim, 1).back();
        QCOMPARE(off[4], uint8_t(0));
        QCOMPARE(off[5] + off[6] + off[7], 0);
    }
};

QTEST_GUILESS_MAIN(TestLightModes)
#include "test_lightmodes.moc"
