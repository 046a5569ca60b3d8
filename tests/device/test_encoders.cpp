// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFixture.h"

#include "device/Encoders.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

// The device commands, checked on what a simulated box receives.
class TestEncoders : public QObject {
    Q_OBJECT

private:
    SimulatedBoxes *sim = nullptr;

    Report lastTo(int box)
    {
        const auto reports = sentTo(sim, box);
        return reports.empty() ? Report{} : reports.back();
    }

    static void fillFan(RainbowFanRecord &fan)
    {
        for (int i = 0; i < kColorEntries; ++i) {
            fan.rValue_Led[i] = 20 * (i % 12);
            fan.gValue_Led[i] = 100;
            fan.bValue_Led[i] = 255;
            fan.brightValue[i] = 1.0f;
        }
        fan.rValue_Led[12] = 255;
        fan.gValue_Led[12] = 0;
        fan.bValue_Led[12] = 0;
        fan.brightValue[12] = 0.5f;
    }

private slots:
    void init()
    {
        sim = installSimulator(boxes, bus, QStringLiteral("1,0,-,1"));
        for (int f = 0; f < kRainbowFanCount; ++f)
            fillFan(boxes[0].rainbowFan[f]);
    }

    void fanSpeedFamily()
    {
        encoders.sendCommand_FanSpeed(0, 2, 11);
        Report r = lastTo(0);
        QCOMPARE(r[1], uint8_t(0x32));
        QCOMPARE(r[2], uint8_t(0x51));
        QCOMPARE(r[3], uint8_t(3));
        QCOMPARE(r[4], uint8_t(0x02));
        QCOMPARE(r[6], uint8_t(0));
        QCOMPARE(r[7], uint8_t(0));

        encoders.sendCommand_FanSpeed(0, 0, 10);
        r = lastTo(0);
        QCOMPARE(r[6] + 256 * r[7], 1400);
        encoders.sendCommand_FanSpeed(0, 0, 0);
        QCOMPARE(lastTo(0)[6] + 256 * lastTo(0)[7], 400);
        encoders.sendCommand_FanSpeed(0, 0, -1);
        QCOMPARE(lastTo(0)[6] + 256 * lastTo(0)[7], 0);

        encoders.sendCommand_FanDuty(0, 1, 0);
        QCOMPARE(lastTo(0)[4], uint8_t(0x01));
        QCOMPARE(lastTo(0)[5], uint8_t(30));
        encoders.sendCommand_FanDuty(0, 1, 29);
        QCOMPARE(lastTo(0)[5], uint8_t(30));
        encoders.sendCommand_FanDuty(0, 1, 100);
        QCOMPARE(lastTo(0)[5], uint8_t(100));

        boxes[0].rainbowFan[4].speedPer = 2;
        encoders.sendCommand_FanTempDuty(58, 0, 4);
        QCOMPARE(lastTo(0)[3], uint8_t(5));
        QCOMPARE(lastTo(0)[5], uint8_t(70)); // curve 90 capped at (2 + 5) x 10
        encoders.sendCommand_FanTempDuty(41, 0, 4);
        QCOMPARE(lastTo(0)[5], uint8_t(30));
    }

    void vaylaSpeedFamily()
    {
        encoders.SetFanNormal(1, 0, 3);
        Report r = lastTo(1);
        QCOMPARE(r[3], uint8_t(1));
        QCOMPARE(r[4], uint8_t(0x03));
        QCOMPARE(r[5], uint8_t(60));
        encoders.SetFanNormal(1, 0, 6);
        QCOMPARE(lastTo(1)[5], uint8_t(0));
        encoders.SetFanNormal(1, 0, -1);
        QCOMPARE(lastTo(1)[5], uint8_t(0));
        encoders.SetFanNormalPercent(1, 2, 77);
        QCOMPARE(lastTo(1)[3], uint8_t(3));
        QCOMPARE(lastTo(1)[5], uint8_t(77));
        encoders.SetFanSilent(1, 1);
        QCOMPARE(lastTo(1)[5], uint8_t(0));
        encoders.SetFanPerformance(1, 1);
        QCOMPARE(lastTo(1)[4], uint8_t(0x02));
        QCOMPARE(lastTo(1)[5], uint8_t(0));
    }

    void rainbowLightingFamily()
    {
        RainbowFanRecord &fan = boxes[0].rainbowFan[1];
        fan.colorMode = ColorMode::Single;
        encoders.sendCommand_Blink(0, 1, 1);
        Report r = lastTo(0);
        QCOMPARE(r[3], uint8_t(2));
        QCOMPARE(r[4], uint8_t(13));
        for (int led = 0; led < kLedCount; ++led) {
            QCOMPARE(r[5 + 3 * led], uint8_t(0));
            QCOMPARE(r[6 + 3 * led], uint8_t(127));
            QCOMPARE(r[7 + 3 * led], uint8_t(0));
        }
        encoders.sendCommand_Breath(0, 1, 3);
        QCOMPARE(lastTo(0)[4], uint8_t(19));
        QCOMPARE(lastTo(0)[6 + 3 * 5], uint8_t(127));

        // Whirl ignores the colour mode.
        encoders.sendCommand_Whirl(0, 1, 0);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(20));
        QCOMPARE(r[6 + 3 * 5], uint8_t(100));

        fan.colorMode = ColorMode::RGB;
        encoders.sendCommand_Radar(0, 1, 2);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(10));
        QCOMPARE(r[6], uint8_t(127));
        for (int i = 8; i < kReportSize; ++i)
            QCOMPARE(r[i], uint8_t(0));

        encoders.sendCommand_Snake(0, 1, 3);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(3));
        for (int i = 5; i < kReportSize; ++i)
            QCOMPARE(r[i], uint8_t(0));
        encoders.sendCommand_Cycle(0, 1, 0);
        QCOMPARE(lastTo(0)[4], uint8_t(4));

        encoders.sendCommand_Light(0, 1, 50);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(24));
        QCOMPARE(r[5], uint8_t(50));  // green 100 x 0.5
        QCOMPARE(r[7], uint8_t(127)); // blue 255 x 0.5

        encoders.sendCommand_Music(0, 1, 100);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(25));
        QCOMPARE(r[6], uint8_t(127));
        QCOMPARE(r[9], uint8_t(0));

        encoders.sendCommand_MusicLeds(0, 1, 10);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(24));
        QCOMPARE(r[7], uint8_t(25));

        encoders.sendCommand_turnoff(0, 1);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(24));
        for (int i = 5; i < kReportSize; ++i)
            QCOMPARE(r[i], uint8_t(0));

        encoders.sendCommand_TempColor(0, 1, 255, 128, 0);
        r = lastTo(0);
        QCOMPARE(r[4], uint8_t(25));
        QCOMPARE(r[5], uint8_t(128)); // green first
        QCOMPARE(r[6], uint8_t(255));
        QCOMPARE(r[7], uint8_t(0));
    }

    void defaultPreviewReadsTheCurrentBox()
    {
        boxes[3].rainbowFan[2].lightMode = LightMode::Blink; // the box the preview goes to
        boxes.setCurrentBox(0);
        boxes[0].rainbowFan[2].lightMode = LightMode::Copy;
        boxes[0].rainbowFan[2].copyLightMode = LightMode::Radar;
        encoders.sendCommand_Default(3, 2, boxes.currentBox());
        const Report r = lastTo(3);
        QCOMPARE(r[4], uint8_t(11)); // Radar, slowest, from box 0's fan 2
    }

    void scriptFrameScalesAndToleratesShortLists()
    {
        QStringList r, g, b, br;
        for (int i = 0; i < 12; ++i) {
            r << QStringLiteral("200");
            g << QStringLiteral("10");
            b << QStringLiteral("0");
            br << QStringLiteral("0.5");
        }
        encoders.sendCommand_ScriptFrame(0, 4, r, g, b, br);
        Report out = lastTo(0);
        QCOMPARE(out[3], uint8_t(5));
        QCOMPARE(out[4], uint8_t(24));
        QCOMPARE(out[5], uint8_t(5));
        QCOMPARE(out[6], uint8_t(100));

        encoders.sendCommand_ScriptFrame(0, 4, r.mid(0, 2), g, b, br.mid(0, 1));
        out = lastTo(0);
        QCOMPARE(out[6], uint8_t(100));    // LED 0 complete
        QCOMPARE(out[6 + 3], uint8_t(0));  // LED 1 has no brightness: dark
        QCOMPARE(out[6 + 33], uint8_t(0)); // LED 11 has no red
    }

    void vaylaLightingUsesTheLowByteAndBrightness()
    {
        encoders.SetFanColor(1, 2, 256 + 200, 100, 50, 0.5f);
        Report r = lastTo(1);
        QCOMPARE(r[1], uint8_t(0x32));
        QCOMPARE(r[2], uint8_t(0x52));
        QCOMPARE(r[3], uint8_t(3));
        QCOMPARE(r[4], uint8_t(0));
        QCOMPARE(r[5], uint8_t(100));
        QCOMPARE(r[6], uint8_t(50));
        QCOMPARE(r[7], uint8_t(25));
        encoders.SetFanBlink(1, 0, 255, 0, 0, 2.0f); // brightness held to 1
        QCOMPARE(lastTo(1)[4], uint8_t(2));
        QCOMPARE(lastTo(1)[5], uint8_t(255));
        encoders.SetFanRGB(1, 0);
        QCOMPARE(lastTo(1)[4], uint8_t(1));
        QCOMPARE(lastTo(1)[5], uint8_t(0));
    }

    void nothingIsSentToAbsentBoxesOrFans()
    {
        encoders.sendCommand_Blink(2, 0, 0);   // empty slot
        encoders.sendCommand_Blink(16, 0, 0);  // no such box
        encoders.sendCommand_Blink(-1, 0, 0);
        encoders.sendCommand_Blink(0, 5, 0);   // no such fan
        encoders.sendCommand_FanDuty(0, -1, 50);
        encoders.SetFanColor(1, 3, 1, 2, 3, 1.0f); // a single-colour box has three fans
        encoders.SetFanColor(2, 0, 1, 2, 3, 1.0f); // a slot with no box open
        encoders.sendCommand_SaveSettings(2);
        QVERIFY(sim->sent().empty());

        encoders.sendCommand_SaveSettings(3);
        QCOMPARE(sentTo(sim, 3).size(), size_t(1));
        QCOMPARE(lastTo(3)[1], uint8_t(0x32));
        QCOMPARE(lastTo(3)[2], uint8_t(0x53));
    }

    void queriesDecodeTheReplies()
    {
        boxes.setCurrentBox(0);
        QCOMPARE(encoders.readFirmwareVersion(boxes.currentBox()), QStringLiteral("1.2.3"));
        boxes.setCurrentBox(2);
        QCOMPARE(encoders.readFirmwareVersion(boxes.currentBox()), QStringLiteral("0"));

        int port = 0;
        int rpm = -1;
        encoders.requestFanSpeed(0, 3, [&](int p, int r) { port = p; rpm = r; });
        QVERIFY(bus.waitForIdle());
        QCOMPARE(port, 4);
        QCOMPARE(rpm, 1000); // power-on speed of a simulated fan
        sim->stall(0, 3);
        encoders.requestFanSpeed(0, 3, [&](int p, int r) { port = p; rpm = r; });
        QVERIFY(bus.waitForIdle());
        QCOMPARE(rpm, 0);
        const Report poll = lastTo(0);
        QCOMPARE(poll[1], uint8_t(0x33));
        QCOMPARE(poll[2], uint8_t(0x51));
        QCOMPARE(poll[3], uint8_t(4));
    }
};

QTEST_GUILESS_MAIN(TestEncoders)
#include "test_encoders.moc"
