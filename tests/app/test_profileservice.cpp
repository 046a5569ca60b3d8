// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFixture.h"

#include "control/ProfileService.h"
#include "device/Reports.h"
#include "storage/IniHelper.h"

#include <QDir>
#include <QtTest>

namespace {

class CountingTimers final : public LightingTimers {
public:
    int music = 0;
    int temperatureColours = 0;
    void startMusicTimers() override { ++music; }
    void stopMusicTimers() override {}
    void startTemperatureColorTimer() override {}
    void stopTemperatureColorTimer() override {}
    void applyTemperatureColor(int, int) override { ++temperatureColours; }
};

} // namespace

// Loading, sending and saving a profile: the one path the window, the phone,
// the numbered commands and start-up share.
class TestProfileService : public QObject {
    Q_OBJECT

private:
    TestDevices devices;
    BoxModel &boxes = devices.boxes;
    DeviceBus &bus = devices.bus;
    Encoders &encoders = devices.encoders;
    AppSettings settings;
    SimulatedBoxes *sim = nullptr;

    std::vector<Report> settled(int box)
    {
        bus.waitForIdle();
        return sentTo(sim, box);
    }

private slots:
    void init()
    {
        QDir(IniHelper::dataFolder()).removeRecursively();
        sim = installSimulator(boxes, bus, QStringLiteral("1,0"));
        boxes[1].boxType = BoxType::Vayla;
    }

    void savedProfilesLoadBackByKind()
    {
        ProfileService profiles(encoders, settings);
        boxes[0].rainbowFan[3].gValue_Led[5] = 77;
        boxes[1].vaylaFan[2].rValue = 12;
        QVERIFY(profiles.save(0, 4));
        QVERIFY(profiles.save(1, 4));
        QCOMPARE(boxes[0].profileValue, 4);

        // The device file holds each box's profile number.
        AppSettings read;
        BoxRecords stored{};
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), read, stored);
        QCOMPARE(stored[0].profileValue, 4);
        QCOMPARE(stored[1].profileValue, 4);

        boxes[0].rainbowFan[3].gValue_Led[5] = 0;
        boxes[1].vaylaFan[2].rValue = 0;
        profiles.load(0, 4);
        profiles.load(1, 4);
        QCOMPARE(boxes[0].rainbowFan[3].gValue_Led[5], 77);
        QCOMPARE(boxes[1].vaylaFan[2].rValue, 12);
        QCOMPARE(profiles.rgbRows(4).at(3).at(RgbProfileKey::GColor).split(QLatin1Char(',')).at(5),
                 QStringLiteral("77"));

        // The 12-LED kind asked for a single-colour box fills its 12-LED
        // records and leaves its own alone.
        QVERIFY(profiles.isVaylaKind(1, ProfileService::Kind::OfTheBox));
        QVERIFY(!profiles.isVaylaKind(1, ProfileService::Kind::RgbFans));
        profiles.load(1, 4, ProfileService::Kind::RgbFans);
        QCOMPARE(boxes[1].rainbowFan[3].gValue_Led[5], 77);
        QCOMPARE(boxes[1].vaylaFan[2].rValue, 12);

        // A box's own profile follows its profile number.
        boxes[0].rainbowFan[3].gValue_Led[5] = 1;
        profiles.loadOwn(0);
        QCOMPARE(boxes[0].rainbowFan[3].gValue_Led[5], 77);

        QTest::ignoreMessage(QtWarningMsg, "profile save refused: box 16");
        QVERIFY(!profiles.save(kBoxCount, 4));
        QTest::ignoreMessage(QtWarningMsg, "profile load refused: box -1");
        profiles.load(-1, 4);
    }

    void startupAndReapplySendDifferentSpeeds()
    {
        ProfileService profiles(encoders, settings);
        CountingTimers timers;
        for (VaylaFanRecord &fan : boxes[1].vaylaFan) {
            fan.speed = 2;
            fan.speedMode = SpeedMode::Performance;
            fan.isPWM = false; // on a fixed speed, not the temperature's
        }
        sim->clearSent();
        // At start-up a single-colour fan gets what its mode says ...
        profiles.apply(1, timers, Resend::Startup);
        std::vector<Report> sent = settled(1);
        QCOMPARE(sent.size(), size_t(2 * kVaylaFanCount));
        QVERIFY(sent.at(0) == Reports::vaylaDuty(1, 100));
        QCOMPARE(sent.at(1)[2], Reports::vaylaLighting(1, 0, 0, 0, 0)[2]);
        QVERIFY(sent.at(4) == Reports::vaylaDuty(3, 100));

        // ... after a profile change its level, whatever the mode.
        sim->clearSent();
        profiles.apply(1, timers, Resend::Reapply);
        sent = settled(1);
        QCOMPARE(sent.size(), size_t(2 * kVaylaFanCount));
        QVERIFY(sent.at(0) == Reports::vaylaDuty(1, 40));
        QVERIFY(sent.at(2) == Reports::vaylaDuty(2, 40));

        // The 12-LED kind sends 12-LED reports, even to this box.
        sim->clearSent();
        profiles.apply(1, timers, Resend::Reapply, ProfileService::Kind::RgbFans);
        sent = settled(1);
        QCOMPARE(sent.size(), size_t(kRainbowFanCount)); // its 12-LED fans follow the temperature
        for (int f = 0; f < kRainbowFanCount; ++f)
            QVERIFY(sent.at(f)[2] == 0x52 && sent.at(f)[3] == f + 1);

        // A 12-LED box whose fans follow the temperature: a look for each of
        // its five fans, no fixed speed.
        sim->clearSent();
        profiles.apply(0, timers, Resend::Startup);
        sent = settled(0);
        QCOMPARE(sent.size(), size_t(kRainbowFanCount));
        for (int f = 0; f < kRainbowFanCount; ++f)
            QVERIFY(sent.at(f)[2] == 0x52 && sent.at(f)[3] == f + 1);
        QVERIFY(settled(1).empty());
    }
};

QTEST_GUILESS_MAIN(TestProfileService)
#include "test_profileservice.moc"
