// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingAppHost.h"
#include "SimFixture.h"

#include "control/AppState.h"
#include "control/ProfileService.h"
#include "control/ViewMessageHandler.h"
#include "device/FanSpeed.h"
#include "storage/IniHelper.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

namespace {

QStringList repeated(int n, const QString &item)
{
    QStringList list;
    for (int i = 0; i < n; ++i)
        list << item;
    return list;
}

QStringList msg(std::initializer_list<const char *> items)
{
    QStringList list;
    for (const char *item : items)
        list << QString::fromLatin1(item);
    return list;
}

} // namespace

// What each view message does to the box table, the boxes and the files.
class TestViewMessages : public QObject {
    Q_OBJECT

private:
    SimulatedBoxes *sim = nullptr;
    std::unique_ptr<AppState> state;
    std::unique_ptr<RecordingAppHost> host;
    std::unique_ptr<ProfileService> profiles;
    std::unique_ptr<ViewMessageHandler> handler;

    RainbowFanRecord &fan(int f, int box = 0) { return boxes[box].rainbowFan[f]; }

    std::vector<Report> reportsOf(int box, uint8_t kind, int port) { return lightingReportsOf(sim, box, kind, port); }

private slots:
    void init()
    {
        QDir(IniHelper::dataFolder()).removeRecursively();
        sim = installSimulator(boxes, bus, QStringLiteral("1,1,0,1"));
        state = std::make_unique<AppState>();
        host = std::make_unique<RecordingAppHost>();
        profiles = std::make_unique<ProfileService>(encoders, state->settings);
        handler = std::make_unique<ViewMessageHandler>(*state, encoders, *profiles, *host);
        boxes.setCurrentBox(0);
        for (int b = 0; b < 4; ++b)
            for (int f = 0; f < kRainbowFanCount; ++f)
                for (int i = 0; i < kColorEntries; ++i) {
                    fan(f, b).rValue_Led[i] = 10 * f + b;
                    fan(f, b).brightValue[i] = 1.0f;
                }
        boxes[2].boxType = BoxType::Vayla;
    }

    void itemsAreReadByPosition()
    {
        fan(0).isPWM = false;
        handler->receiveMainData(msg({"btn_performance"})); // no item 1: fan 0
        QCOMPARE(fan(0).speedMode, int(SpeedMode::Performance));
        QCOMPARE(reportsOf(0, 0x51, 1).back()[5], uint8_t(100));

        handler->receiveMainData(msg({"btn_default", "2", "5", "1", "3"}));
        QCOMPARE(fan(2).lightMode, 5);
        QCOMPARE(fan(2).colorMode, 1);
        QCOMPARE(fan(2).lightSpeed, 3);
        QCOMPARE(fan(2).rValue_Led[4], 127); // the default wheel
        QCOMPARE(fan(2).brightValue[0], 1.0f);
        QCOMPARE(reportsOf(0, 0x52, 3).back()[4], uint8_t(23)); // the preview, slowest Whirl

        handler->receiveMainData(msg({"btn_done", "2", "5", "1", "3"}));
        QCOMPARE(fan(2).lightMode, 5);
        QCOMPARE(fan(2).lightSpeed, 1);
        QCOMPARE(fan(2).colorMode, 3);
        QVERIFY(!fan(2).isTurnOffLed);
        QCOMPARE(reportsOf(0, 0x52, 3).back()[4], uint8_t(21));
    }

    void malformedMessagesChangeNothing()
    {
        const RainbowFanRecord before = fan(1);
        const std::vector<QStringList> bad = {
            msg({"btn_done", "1", "4", "2"}),              // too short
            msg({"btn_done", "1", "15", "0", "0"}),        // no light mode 15
            msg({"btn_done", "1", "4", "4", "0"}),         // no light speed 4
            msg({"btn_done", "5", "4", "0", "0"}),         // no fan 5
            msg({"btn_done", "-1", "4", "0", "0"}),
            msg({"slider_Light", "1", "4", "0", "0", "0.5,0.5"}), // 13 values needed
            msg({"slider_FanSpeed_Per", "1", "6"}),
            msg({"slider_FanSpeed_Num", "1", "11"}),
            msg({"btn_pwm", "1"}),
        };
        for (const QStringList &m : bad)
            handler->receiveMainData(m);
        QCOMPARE(fan(1).lightMode, before.lightMode);
        QCOMPARE(fan(1).speedPer, before.speedPer);
        QCOMPARE(fan(1).speedNum, before.speedNum);
        QCOMPARE(fan(1).isPWM, before.isPWM);
        QCOMPARE(fan(1).brightValue[3], before.brightValue[3]);
        QVERIFY(sim->sent().empty());

        handler->receiveRGBData(repeated(13, QStringLiteral("1")), repeated(13, QStringLiteral("1")),
                                repeated(12, QStringLiteral("1")), repeated(13, QStringLiteral("1")), 1);
        handler->receiveRGBData(repeated(13, QStringLiteral("1")), repeated(13, QStringLiteral("1")),
                                repeated(13, QStringLiteral("1")), repeated(13, QStringLiteral("1")), 7);
        QCOMPARE(fan(1).rValue_Led[0], before.rValue_Led[0]);
        handler->receiveMainData(msg({"changeControllerBox", "16"}));
        handler->receiveMainData(msg({"selectProfile", "5"}));
        QCOMPARE(boxes.currentBox(), 0);
        QCOMPARE(state->currentProfile, 1);
    }

    void colourEditsAreStoredNotSent()
    {
        QStringList r, g, b, br;
        for (int i = 0; i < 13; ++i) {
            r << QString::number(i);
            g << QStringLiteral("300"); // held to a byte
            b << QStringLiteral("7");
            br << QStringLiteral("0.5");
        }
        handler->receiveRGBData(r, g, b, br, 3);
        QCOMPARE(fan(3).rValue_Led[12], 12);
        QCOMPARE(fan(3).gValue_Led[0], 255);
        QCOMPARE(fan(3).brightValue[5], 0.5f);
        QVERIFY(sim->sent().empty());
    }

    void firstFanLeadsItsCopies()
    {
        fan(2).lightMode = LightMode::Copy;
        fan(4).lightMode = LightMode::Copy;
        fan(0).isTurnOffLed = true;
        for (int i = 0; i < kColorEntries; ++i)
            fan(0).rValue_Led[i] = 200;
        handler->receiveMainData(msg({"btn_done", "0", "4", "2", "1"}));
        for (int k : {2, 4}) {
            QCOMPARE(fan(k).lightMode, int(LightMode::Copy));
            QCOMPARE(fan(k).copyLightMode, 4);
            QCOMPARE(fan(k).lightSpeed, 2);
            QCOMPARE(fan(k).colorMode, 1);
            QVERIFY(!fan(k).isTurnOffLed);
            QCOMPARE(fan(k).rValue_Led[7], 200);
            QCOMPARE(reportsOf(0, 0x52, k + 1).back()[4], uint8_t(18)); // Breath, speed 2
            QCOMPARE(host->view.fans[k].copyLightMode, 4);                // the panel shows it
            QCOMPARE(host->view.fans[k].r[0], 200);
        }
        QVERIFY(reportsOf(0, 0x52, 2).empty());

        sim->clearSent();
        handler->receiveMainData(msg({"btn_done", "3", "1", "0", "2"}));
        QCOMPARE(fan(2).copyLightMode, 4);
        QVERIFY(reportsOf(0, 0x52, 3).empty());
        QVERIFY(reportsOf(0, 0x52, 5).empty());
        QCOMPARE(reportsOf(0, 0x52, 4).back()[4], uint8_t(4)); // Cycle, speed 0 on fan 3
    }

    void fanSpeedControls()
    {
        handler->receiveMainData(msg({"slider_FanSpeed_Per", "1", "0"}));
        QCOMPARE(fan(1).speedMode, int(SpeedMode::Silent));
        QCOMPARE(reportsOf(0, 0x51, 2).back()[5], uint8_t(30));
        handler->receiveMainData(msg({"slider_FanSpeed_Per", "1", "5"}));
        QCOMPARE(fan(1).speedMode, int(SpeedMode::Performance));
        QCOMPARE(reportsOf(0, 0x51, 2).back()[5], uint8_t(50));
        handler->receiveMainData(msg({"slider_FanSpeed_Per", "1", "3"}));
        QCOMPARE(fan(1).speedMode, int(SpeedMode::Custom));

        fan(1).isPWM = true;
        handler->receiveMainData(msg({"btn_performance", "1"}));
        Report r = reportsOf(0, 0x51, 2).back();
        QCOMPARE(r[4], uint8_t(0x02));
        QCOMPARE(r[6] + 256 * r[7], 1400);
        handler->receiveMainData(msg({"btn_silent", "1"}));
        r = reportsOf(0, 0x51, 2).back();
        QCOMPARE(r[6] + 256 * r[7], 400);
        fan(1).isPWM = false;
        handler->receiveMainData(msg({"btn_performance", "1"}));
        r = reportsOf(0, 0x51, 2).back();
        QCOMPARE(r[4], uint8_t(0x01));
        QCOMPARE(r[5], uint8_t(100));

        handler->receiveMainData(msg({"slider_FanSpeed_Num", "1", "4"}));
        QVERIFY(!fan(1).isPWM);
        r = reportsOf(0, 0x51, 2).back();
        QCOMPARE(r[6] + 256 * r[7], 800);

        handler->receiveMainData(msg({"btn_pwm", "1", "1"}));
        QVERIFY(fan(1).isPWM);
    }

    void boxesAndProfiles()
    {
        boxes[1].profileValue = 4;
        handler->receiveMainData(msg({"changeControllerBox", "1"}));
        QCOMPARE(boxes.currentBox(), 1);
        QCOMPARE(state->currentProfile, 4);
        QCOMPARE(state->firmwareVersion, QStringLiteral("1.2.3"));
        QCOMPARE(host->view.profileLabel, 4);
        QCOMPARE(host->view.boxType, 1);
        QVERIFY(host->speedPoll);

        // An absent box changes nothing.
        handler->receiveMainData(msg({"changeControllerBox", "9"}));
        QCOMPARE(boxes.currentBox(), 1);

        // A profile chosen but not saved is forgotten when the box is left.
        handler->receiveMainData(msg({"selectProfile", "0"}));
        QCOMPARE(state->currentProfile, 1);
        QCOMPARE(fan(0, 1).lightMode, 5); // the stored profile 1 (defaults)
        handler->receiveMainData(msg({"changeControllerBox", "0"}));
        handler->receiveMainData(msg({"changeControllerBox", "1"}));
        QCOMPARE(state->currentProfile, 4);

        // The single-colour box shows its three views.
        handler->receiveMainData(msg({"changeControllerBox", "2"}));
        QCOMPARE(host->view.boxType, 0);
        QCOMPARE(host->view.vayla[1].r, boxes[2].vaylaFan[1].rValue);
    }

    void savingAProfilePushesItToItsBoxes()
    {
        boxes[1].profileValue = 3;
        boxes[3].profileValue = 3;
        boxes[3].boxType = 2; // neither kind: keeps its own settings
        state->currentProfile = 3;
        fan(2).lightMode = LightMode::Blink;
        fan(2).lightSpeed = 1;
        for (int i = 0; i < kColorEntries; ++i)
            fan(2).rValue_Led[i] = 77;
        fan(2).isTurnOffLed = false;
        handler->receiveMainData(msg({"saveProfile", "1"}));

        QCOMPARE(boxes[0].profileValue, 3);
        QCOMPARE(fan(2, 1).lightMode, int(LightMode::Blink));
        QCOMPARE(fan(2, 1).rValue_Led[5], 77);
        QCOMPARE(fan(2, 3).rValue_Led[5], 23); // its own colour
        QCOMPARE(reportsOf(1, 0x52, 3).back()[4], uint8_t(13));
        QVERIFY(QFile::exists(IniHelper::profilePath(3)));
        QVERIFY(QFile::exists(IniHelper::deviceFilePath()));
        // Saving sends no speed commands.
        QVERIFY(reportsOf(1, 0x51, 1).empty());
    }

    void settingsReachTheDeviceFile()
    {
        handler->receiveMainData(msg({"Password", "1"}));
        handler->receiveMainData(msg({"saveDevice", "0", "1234"}));
        handler->receiveMainData(msg({"saveDevice", "0", "12ab"})); // refused
        handler->receiveMainData(msg({"AutoUpdate", "0"}));
        handler->receiveMainData(msg({"changeLanguage", "3"}));
        QCOMPARE(host->languageLoads, 3);
        QCOMPARE(host->view.language, 3);
        QCOMPARE(host->passwordChanges, 2);
        fan(4).isMonitor = true;
        handler->receiveMainData(msg({"pushMonitor", "4", "0"}));
        QVERIFY(!fan(4).isMonitor);

        AppSettings read;
        boxes.reset();
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), read, boxes.records());
        QVERIFY(read.OpenPassword);
        QCOMPARE(read.Password, QStringLiteral("1234"));
        QVERIFY(!read.isStartAutoUpdate);
        QCOMPARE(read.languageIndex, 3);
        QVERIFY(!boxes[0].rainbowFan[4].isMonitor);

        handler->receiveMainData(msg({"showInfo", "showInfo"}));
        QCOMPARE(host->infoShown, 1);
    }

    void singleColourFanMessages()
    {
        boxes.setCurrentBox(2);
        VaylaFanRecord &v = boxes[2].vaylaFan[1];
        v.isPWM = false;
        handler->receiveVaylaRGBData(10, 20, 30, 0.5f, 1);
        QCOMPARE(v.rValue, 10);
        QVERIFY(sim->sent().empty());
        handler->receiveVaylaMainData(msg({"btn_done", "1", "2"}));
        QCOMPARE(v.lightMode, 2);
        Report r = sentTo(sim, 2).back();
        QCOMPARE(r[3], uint8_t(2));
        QCOMPARE(r[4], uint8_t(2));
        QCOMPARE(r[5], uint8_t(5));

        handler->receiveVaylaMainData(msg({"changeSliderFanSpeed", "1", "3"}));
        QCOMPARE(v.speedMode, int(SpeedMode::Custom));
        QCOMPARE(sentTo(sim, 2).back()[5], uint8_t(60));
        handler->receiveVaylaMainData(msg({"btn_silent", "1"}));
        QCOMPARE(v.speed, 0);
        QCOMPARE(sentTo(sim, 2).back()[5], uint8_t(0));
        handler->receiveVaylaMainData(msg({"btn_turnoff", "1", "1"}));
        QVERIFY(v.isTurnOffLed);
        QCOMPARE(sentTo(sim, 2).back()[5] + sentTo(sim, 2).back()[6], 0);

        boxes[2].vaylaFan[0].rValue = 99;
        handler->receiveVaylaMainData(msg({"btn_copy", "1", "0"}));
        QCOMPARE(v.rValue, 99);
        QCOMPARE(host->view.vayla[1].r, 99);

        const size_t before = sim->sent().size();
        handler->receiveVaylaMainData(msg({"btn_done", "3", "0"}));   // three fans only
        handler->receiveVaylaMainData(msg({"btn_done", "1", "3"}));   // no mode 3
        handler->receiveVaylaRGBData(256, 0, 0, 1.0f, 0);
        QCOMPARE(sim->sent().size(), before);
    }

    void speedControlsRecordWhatTheFanWasTold()
    {
        boxes.forgetCommandedDuties(-1);
        // Single-colour "Silent" stops the fan on purpose; "Performance" does not.
        boxes.setCurrentBox(2);
        boxes[2].vaylaFan[0].isPWM = false;
        handler->receiveVaylaMainData(msg({"btn_silent", "0"}));
        QVERIFY(boxes.isStoppedOnPurpose(2, 0));
        handler->receiveVaylaMainData(msg({"btn_performance", "0"}));
        QCOMPARE(boxes.commandedDuty(2, 0), kNoCommandedDuty);
        handler->receiveVaylaMainData(msg({"changeSliderFanSpeed", "0", "0"}));
        QVERIFY(boxes.isStoppedOnPurpose(2, 0));

        // A 12-LED fan's lowest duty is 30 %; a target speed is no duty.
        boxes.setCurrentBox(0);
        fan(1).isPWM = false;
        handler->receiveMainData(msg({"btn_silent", "1"}));
        QCOMPARE(boxes.commandedDuty(0, 1), 30);
        handler->receiveMainData(msg({"slider_FanSpeed_Per", "1", "4"}));
        QCOMPARE(boxes.commandedDuty(0, 1), 40);
        handler->receiveMainData(msg({"slider_FanSpeed_Num", "1", "4"}));
        QCOMPARE(boxes.commandedDuty(0, 1), kNoCommandedDuty);
        handler->receiveMainData(msg({"btn_performance", "1"}));
        QCOMPARE(boxes.commandedDuty(0, 1), 100);
        fan(1).isPWM = true;
        handler->receiveMainData(msg({"btn_silent", "1"}));
        QCOMPARE(boxes.commandedDuty(0, 1), kNoCommandedDuty);
        handler->receiveMainData(msg({"btn_pwm", "1", "0"}));
        QCOMPARE(boxes.commandedDuty(0, 1), kNoCommandedDuty);
    }

    // The builders the views send with and the tables that read them agree
    // on every item's place.
    void builtMessagesAreReadAsSent()
    {
        float bright[kColorEntries];
        for (int i = 0; i < kColorEntries; ++i)
            bright[i] = 0.1f * (i % 10);
        handler->receiveMainData(ViewMessages::sliderLight(2, LightMode::Breath, 2, ColorMode::Single, bright, kColorEntries));
        QCOMPARE(fan(2).lightMode, int(LightMode::Breath));
        QCOMPARE(fan(2).lightSpeed, 2);
        QCOMPARE(fan(2).colorMode, int(ColorMode::Single));
        QCOMPARE(fan(2).brightValue[3], clampBrightness(0.3f));
        handler->receiveMainData(ViewMessages::fanDefault(3, LightMode::Whirl, ColorMode::Single, LightSpeed::Slow));
        QCOMPARE(fan(3).lightMode, int(LightMode::Whirl));
        QCOMPARE(fan(3).colorMode, int(ColorMode::Single));
        QCOMPARE(fan(3).lightSpeed, int(LightSpeed::Slow));
        handler->receiveMainData(ViewMessages::fanValue(MessageName::sliderFanSpeedNum, 1, 4));
        QCOMPARE(fan(1).speedNum, 4);
        fan(4).isMonitor = true;
        handler->receiveMainData(ViewMessages::fanFlag(MessageName::pushMonitor, 4, false));
        QVERIFY(!fan(4).isMonitor);
        handler->receiveMainData(ViewMessages::command(MessageName::selectProfile, 2));
        QCOMPARE(state->currentProfile, 3);
        handler->receiveMainData(ViewMessages::saveDevice(QStringLiteral("0042")));
        QCOMPARE(state->settings.Password, QStringLiteral("0042"));
        handler->receiveMainData(ViewMessages::flagCommand(MessageName::autoUpdate, false));
        QVERIFY(!state->settings.isStartAutoUpdate);

        boxes.setCurrentBox(2);
        handler->receiveVaylaMainData(ViewMessages::vaylaBrightness(1, 0.25f));
        QCOMPARE(boxes[2].vaylaFan[1].brightValue, 0.25f);
        handler->receiveVaylaMainData(ViewMessages::fanValue(MessageName::changeSliderFanSpeed, 1, 3));
        QCOMPARE(boxes[2].vaylaFan[1].speed, 3);
        handler->receiveVaylaMainData(ViewMessages::fanFlag(MessageName::btnTurnOff, 0, true));
        QVERIFY(boxes[2].vaylaFan[0].isTurnOffLed);
    }

    void tableRowsRefuse_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<bool>("vaylaView");
        QTest::addColumn<QStringList>("message");
        // 12-LED fans
        QTest::newRow("music: no light mode 15") << 0 << false << QStringList{"btn_music", "1", "15", "0", "0"};
        QTest::newRow("copy: no light speed -1") << 0 << false << QStringList{"btn_copy", "1", "3", "-1", "0"};
        QTest::newRow("turnon: too short") << 0 << false << QStringList{"btn_turnon", "1", "3", "0"};
        QTest::newRow("default: speed is item 4") << 0 << false << QStringList{"btn_default", "1", "3", "0", "4"};
        QTest::newRow("default: too short") << 0 << false << QStringList{"btn_default", "1", "3", "0"};
        QTest::newRow("turnoff: no fan 5") << 0 << false << QStringList{"btn_turnoff", "5"};
        QTest::newRow("performance: no fan -1") << 0 << false << QStringList{"btn_performance", "-1"};
        QTest::newRow("speed step -1") << 0 << false << QStringList{"slider_FanSpeed_Per", "1", "-1"};
        QTest::newRow("monitor: too short") << 0 << false << QStringList{"pushMonitor", "1"};
        QTest::newRow("fan type: too short") << 0 << false << QStringList{"selectFanType", "1"};
        // The 12-LED editor's names on a single-colour box
        QTest::newRow("done on a single-colour box: fan 3") << 2 << false << QStringList{"btn_done", "3", "1", "0", "0"};
        QTest::newRow("copy on a single-colour box: fan 4") << 2 << false << QStringList{"btn_copy", "4", "1", "0", "0"};
        QTest::newRow("done on a single-colour box: too short") << 2 << false << QStringList{"btn_done", "1"};
        // Single-colour fans
        QTest::newRow("single: pwm too short") << 2 << true << QStringList{"btn_pwm", "1"};
        QTest::newRow("single: speed step 6") << 2 << true << QStringList{"changeSliderFanSpeed", "1", "6"};
        QTest::newRow("single: brightness too short") << 2 << true << QStringList{"changeSliderLight", "1"};
        QTest::newRow("single: turnon too short") << 2 << true << QStringList{"btn_turnon", "0"};
        QTest::newRow("single: no fan 3") << 2 << true << QStringList{"btn_performance", "3"};
        // Settings
        QTest::newRow("remote access: text") << 0 << false << QStringList{"RemoteAccess", "two"};
        QTest::newRow("remote access: 3") << 0 << false << QStringList{"RemoteAccess", "3"};
        QTest::newRow("box type 2") << 0 << false << QStringList{"selectBoxType", "2"};
        QTest::newRow("profile -1") << 0 << false << QStringList{"selectProfile", "-1"};
        QTest::newRow("profile beyond int") << 0 << false << QStringList{"selectProfile", "2147483647"};
        QTest::newRow("password: too short") << 0 << false << QStringList{"saveDevice", "0"};
        QTest::newRow("password on: too short") << 0 << false << QStringList{"Password"};
        QTest::newRow("language: too short") << 0 << false << QStringList{"changeLanguage"};
    }

    // A refused message changes no record, no setting, no file and sends nothing.
    void tableRowsRefuse()
    {
        QFETCH(int, box);
        QFETCH(bool, vaylaView);
        QFETCH(QStringList, message);
        boxes.setCurrentBox(box);
        for (int f = 0; f < kRainbowFanCount; ++f)
            fan(f, box).isMonitor = true;
        handler->syncView(); // the window shows this
        const int shown = host->view.changes;
        const QByteArray before(reinterpret_cast<const char *>(&boxes[box]), sizeof(ControllerBox));
        const AppSettings settings = state->settings;
        const int profile = state->currentProfile;
        if (vaylaView)
            handler->receiveVaylaMainData(message);
        else
            handler->receiveMainData(message);
        QVERIFY(QByteArray(reinterpret_cast<const char *>(&boxes[box]), sizeof(ControllerBox)) == before);
        QCOMPARE(state->settings.Password, settings.Password);
        QCOMPARE(state->settings.remoteAccess, settings.remoteAccess);
        QCOMPARE(state->settings.OpenPassword, settings.OpenPassword);
        QCOMPARE(state->settings.languageIndex, settings.languageIndex);
        QCOMPARE(state->currentProfile, profile);
        QCOMPARE(host->view.changes, shown); // the window has nothing new to show
        QCOMPARE(host->languageLoads, -1);
        QVERIFY(!QFile::exists(IniHelper::deviceFilePath()));
        QVERIFY(sim->sent().empty());
    }
};

QTEST_GUILESS_MAIN(TestViewMessages)
#include "test_viewmessages.moc"
