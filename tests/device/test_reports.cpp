// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoxTable.h"
#include "device/Reports.h"

#include <QtTest>

#include <cmath>
#include <limits>

// Pure report building, byte by byte.
class TestReports : public QObject {
    Q_OBJECT

private:
    static RainbowFanRecord singleRedHalfBright()
    {
        RainbowFanRecord fan;
        fan.colorMode = ColorMode::Single;
        for (int i = 0; i < kColorEntries; ++i) {
            fan.rValue_Led[i] = 10 * i;
            fan.gValue_Led[i] = 200;
            fan.bValue_Led[i] = 30;
            fan.brightValue[i] = 1.0f;
        }
        fan.rValue_Led[12] = 255;
        fan.gValue_Led[12] = 0;
        fan.bValue_Led[12] = 0;
        fan.brightValue[12] = 0.5f;
        return fan;
    }

    static void expectZeroFrom(const Report &r, int first)
    {
        for (int i = first; i < kReportSize; ++i)
            QVERIFY2(r[i] == 0, qPrintable(QStringLiteral("byte %1 is %2").arg(i).arg(r[i])));
    }

private slots:
    void colourBytesTruncateAndNeverWrap()
    {
        QCOMPARE(Reports::colorByte(255, 1.0f), uint8_t(255));
        QCOMPARE(Reports::colorByte(255, 0.5f), uint8_t(127)); // 127.5 truncated
        QCOMPARE(Reports::colorByte(200, 0.5f), uint8_t(100));
        QCOMPARE(Reports::colorByte(255, 1.0f, 0.3f), uint8_t(76));
        // Out-of-range input saturates instead of wrapping.
        QCOMPARE(Reports::colorByte(300, 1.0f), uint8_t(255));
        QCOMPARE(Reports::colorByte(255, 7.0f), uint8_t(255));
        QCOMPARE(Reports::colorByte(255, 1.0f, 2.5f), uint8_t(255));
        QCOMPARE(Reports::colorByte(-20, 1.0f), uint8_t(0));
        QCOMPARE(Reports::colorByte(255, -1.0f), uint8_t(0));
        QCOMPARE(Reports::colorByte(255, std::numeric_limits<float>::quiet_NaN()), uint8_t(0));
    }

    void fixedCommandsHaveTheirHeaders()
    {
        const Report probe = Reports::probe();
        QCOMPARE(probe[0], uint8_t(0));
        QCOMPARE(probe[1], uint8_t(0xFE));
        QCOMPARE(probe[2], uint8_t(0x33));
        expectZeroFrom(probe, 3);

        const Report fw = Reports::readFirmwareVersion();
        QCOMPARE(fw[1], uint8_t(0x33));
        QCOMPARE(fw[2], uint8_t(0x50));
        expectZeroFrom(fw, 3);

        const Report poll = Reports::readFanSpeed(4);
        QCOMPARE(poll[1], uint8_t(0x33));
        QCOMPARE(poll[2], uint8_t(0x51));
        QCOMPARE(poll[3], uint8_t(4));
        expectZeroFrom(poll, 4);

        const Report save = Reports::saveSettings();
        QCOMPARE(save[1], uint8_t(0x32));
        QCOMPARE(save[2], uint8_t(0x53));
        expectZeroFrom(save, 3);
    }

    void speedReportsCarryTheirValues()
    {
        const Report duty = Reports::fanDuty(2, 55);
        QCOMPARE(duty[1], uint8_t(0x32));
        QCOMPARE(duty[2], uint8_t(0x51));
        QCOMPARE(duty[3], uint8_t(2));
        QCOMPARE(duty[4], uint8_t(0x01));
        QCOMPARE(duty[5], uint8_t(55));
        expectZeroFrom(duty, 6);

        const Report target = Reports::fanTargetSpeed(5, 1400);
        QCOMPARE(target[4], uint8_t(0x02));
        QCOMPARE(target[5], uint8_t(0));
        QCOMPARE(target[6], uint8_t(0x78)); // 1400 = 0x0578, little-endian
        QCOMPARE(target[7], uint8_t(0x05));
        expectZeroFrom(target, 8);

        const Report vayla = Reports::vaylaDuty(3, 60);
        QCOMPARE(vayla[4], uint8_t(0x03));
        QCOMPARE(vayla[5], uint8_t(60));

        const Report perf = Reports::vaylaPerformance(1);
        QCOMPARE(perf[3], uint8_t(1));
        QCOMPARE(perf[4], uint8_t(0x02));
        expectZeroFrom(perf, 5);
    }

    void singleColourFillsEveryTripleFromEntry12()
    {
        const RainbowFanRecord fan = singleRedHalfBright();
        const Report r = Reports::fanLighting(fan, 1, Reports::effectModeByte(LightMode::Blink, 2),
                                              Reports::Colours::ByColorMode);
        QCOMPARE(r[4], uint8_t(14));
        for (int led = 0; led < kLedCount; ++led) {
            QCOMPARE(r[5 + 3 * led], uint8_t(0));   // green
            QCOMPARE(r[6 + 3 * led], uint8_t(127)); // red 255 x 0.5
            QCOMPARE(r[7 + 3 * led], uint8_t(0));   // blue
        }
        expectZeroFrom(r, 41);
    }

    void perLedColoursIgnoreEntry12()
    {
        RainbowFanRecord fan = singleRedHalfBright();
        fan.colorMode = ColorMode::RGB;
        const Report r = Reports::fanLighting(fan, 2, 20, Reports::Colours::ByColorMode);
        for (int led = 0; led < kLedCount; ++led) {
            QCOMPARE(r[5 + 3 * led], uint8_t(200));
            QCOMPARE(r[6 + 3 * led], uint8_t(10 * led));
            QCOMPARE(r[7 + 3 * led], uint8_t(30));
        }
        // Whirl's colours are per LED whatever the colour mode.
        fan.colorMode = ColorMode::Single;
        const Report whirl = Reports::fanLighting(fan, 2, 20, Reports::Colours::PerLed);
        QCOMPARE(whirl[6 + 3 * 11], uint8_t(110));
    }

    void singleTripleFillsOnlyTheFirstTriple()
    {
        RainbowFanRecord fan = singleRedHalfBright();
        fan.colorMode = ColorMode::RGB; // Radar sends the single colour even so
        const Report r = Reports::fanLighting(fan, 3, Reports::effectModeByte(LightMode::Radar, 0),
                                              Reports::Colours::SingleTriple);
        QCOMPARE(r[3], uint8_t(3));
        QCOMPARE(r[4], uint8_t(8));
        QCOMPARE(r[5], uint8_t(0));
        QCOMPARE(r[6], uint8_t(127));
        QCOMPARE(r[7], uint8_t(0));
        expectZeroFrom(r, 8);

        const Report none = Reports::fanLighting(fan, 1, 3, Reports::Colours::None);
        QCOMPARE(none[4], uint8_t(3));
        expectZeroFrom(none, 5);
    }

    void levelScalesEveryByte()
    {
        RainbowFanRecord fan;
        for (int i = 0; i < kColorEntries; ++i) {
            fan.rValue_Led[i] = 255;
            fan.gValue_Led[i] = 100;
            fan.bValue_Led[i] = 0;
            fan.brightValue[i] = 1.0f;
        }
        const Report r = Reports::fanLighting(fan, 1, Reports::kSteadyPerLed, Reports::Colours::PerLed, 0.5f);
        QCOMPARE(r[4], uint8_t(24));
        QCOMPARE(r[5], uint8_t(50));
        QCOMPARE(r[6], uint8_t(127));
        QCOMPARE(r[40], uint8_t(0));
    }

    void defaultPreviewIsTheFixedWheel()
    {
        const Report breath = Reports::defaultPreview(1, LightMode::Breath, ColorMode::RGB);
        QCOMPARE(breath[4], uint8_t(19)); // slowest Breath
        QCOMPARE(breath[5], uint8_t(127)); // triple 0: g 127, r 0, b 255
        QCOMPARE(breath[6], uint8_t(0));
        QCOMPARE(breath[7], uint8_t(255));
        // LED 6 is (255, 127, 0), sent as g, r, b
        QCOMPARE(breath[5 + 18], uint8_t(127));
        QCOMPARE(breath[6 + 18], uint8_t(255));
        QCOMPARE(breath[7 + 18], uint8_t(0));
        // LED 11 is blue
        QCOMPARE(breath[5 + 33], uint8_t(0));
        QCOMPARE(breath[6 + 33], uint8_t(0));
        QCOMPARE(breath[7 + 33], uint8_t(255));

        const Report light = Reports::defaultPreview(1, LightMode::Light, ColorMode::Single);
        QCOMPARE(light[4], uint8_t(24));
        QCOMPARE(light[5], uint8_t(0)); // triple 0 red in Single
        QCOMPARE(light[6], uint8_t(255));
        QCOMPARE(light[7], uint8_t(0));
    }

    void speedRepliesAreCheckedBeforeUse()
    {
        Reply reply{};
        reply[0] = 0x33;
        reply[1] = 0x51;
        reply[2] = 2;
        reply[5] = 0xDC;
        reply[6] = 0x05;
        int port = 0;
        int rpm = 0;
        QVERIFY(Reports::decodeFanSpeed(reply, 64, &port, &rpm));
        QCOMPARE(port, 2);
        QCOMPARE(rpm, 1500);

        Reply wrongEcho = reply;
        wrongEcho[1] = 0x50;
        QVERIFY(!Reports::decodeFanSpeed(wrongEcho, 64, &port, &rpm));
        wrongEcho = reply;
        wrongEcho[0] = 0x32;
        QVERIFY(!Reports::decodeFanSpeed(wrongEcho, 64, &port, &rpm));
        for (int badPort : {0, 6, 255}) {
            Reply r = reply;
            r[2] = static_cast<uint8_t>(badPort);
            QVERIFY(!Reports::decodeFanSpeed(r, 64, &port, &rpm));
        }
        QVERIFY(!Reports::decodeFanSpeed(reply, 0, &port, &rpm));
        QVERIFY(!Reports::decodeFanSpeed(reply, -1, &port, &rpm));
        QVERIFY(!Reports::decodeFanSpeed(reply, 6, &port, &rpm)); // speed bytes missing
    }

    void firmwareTextIsThreeUnsignedNumbers()
    {
        Reply reply{};
        reply[2] = 1;
        reply[3] = 2;
        reply[4] = 3;
        QCOMPARE(Reports::firmwareVersionText(reply), QStringLiteral("1.2.3"));
        reply[2] = 255;
        QCOMPARE(Reports::firmwareVersionText(reply), QStringLiteral("255.2.3"));
    }
};

QTEST_APPLESS_MAIN(TestReports)
#include "test_reports.moc"
