// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingAppHost.h"
#include "SimFixture.h"

#include "control/AppState.h"
#include "control/ProfileService.h"
#include "control/ViewMessageHandler.h"
#include "control/WindowMessages.h"
#include "storage/IniHelper.h"

#include <QtTest>

namespace {

// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;

class RecordingWindowHost final : public WindowMessageHost {
public:
    int hides = 0;
    int closes = 0;
    int deviceChanges = 0;

    void hideApplicationWindow() override { ++hides; }
    void closeApplicationWindow() override { ++closes; }
    void deviceChanged() override { ++deviceChanges; }
    MainViewInterface *view = nullptr;
    MainViewInterface *mainView() override { return view; }
};

QString flag(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace

// The numbered commands of other local programs, each through the real
// handlers, on simulated boxes, with a recording view and fan editors.
class TestWindowMessages : public QObject {
    Q_OBJECT

private:
    SimulatedBoxes *sim = nullptr;
    std::unique_ptr<AppState> state;
    std::unique_ptr<RecordingAppHost> host;
    std::unique_ptr<RecordingWindowHost> windowHost;
    std::unique_ptr<ProfileService> profiles;
    std::unique_ptr<ViewMessageHandler> handler;
    std::unique_ptr<WindowMessages> messages;

    RainbowFanRecord &fan(int f, int box = 0) { return boxes[box].rainbowFan[f]; }

    std::vector<Report> reportsOf(int box, uint8_t kind, int port) { return lightingReportsOf(sim, box, kind, port); }

    // Every editor's presses, as "fan:call".
    QString editorCalls() const
    {
        QStringList all;
        for (int f = 0; f < 5; ++f)
            for (const QString &call : host->view.editors[f].calls)
                all << QStringLiteral("%1:%2").arg(f).arg(call);
        return all.join(QLatin1Char(','));
    }

    AppSettings deviceFile() const
    {
        AppSettings read;
        if (QFile::exists(IniHelper::deviceFilePath())) {
            BoxModel scratch;
            IniHelper::parseDeviceData(IniHelper::readDeviceIni(), read, scratch.records());
        }
        else {
            read.Password = QStringLiteral("none");
        }
        return read;
    }

    // What an application command may change, one aspect at a time.
    QString observe(const QString &what)
    {
        const RecordingMainView &view = host->view;
        const AppSettings &s = state->settings;
        if (what == QLatin1String("window"))
            return QStringLiteral("hides=%1 closes=%2 deviceChanges=%3 view=%4")
                .arg(windowHost->hides)
                .arg(windowHost->closes)
                .arg(windowHost->deviceChanges)
                .arg(view.calls.join(QLatin1Char('+')));
        if (what == QLatin1String("autoUpdate"))
            return QStringLiteral("state=%1 view=%2 file=%3")
                .arg(flag(s.isStartAutoUpdate), flag(view.autoUpdate), flag(deviceFile().isStartAutoUpdate));
        if (what == QLatin1String("password")) {
            const AppSettings file = deviceFile();
            return QStringLiteral("state=%1,%2 view=%3,%4 file=%5,%6 changes=%7")
                .arg(flag(s.OpenPassword), s.Password, flag(view.passwordOn), view.password,
                     flag(file.OpenPassword), file.Password)
                .arg(host->passwordChanges);
        }
        if (what == QLatin1String("box"))
            return QStringLiteral("current=%1 checked=%2").arg(boxes.currentBox()).arg(view.checkedBox);
        if (what == QLatin1String("profile"))
            return QStringLiteral("profile=%1 label=%2 rgbMode=%3 singleMode=%4")
                .arg(state->currentProfile)
                .arg(view.profileLabel)
                .arg(boxes[boxes.currentBox()].rainbowFan[0].lightMode)
                .arg(boxes[boxes.currentBox()].vaylaFan[0].lightMode);
        if (what == QLatin1String("saved"))
            return QStringLiteral("profile3=%1 device=%2 box1Mode=%3 shown=%4")
                .arg(flag(QFile::exists(IniHelper::profilePath(3))), flag(QFile::exists(IniHelper::deviceFilePath())))
                .arg(fan(2, 1).lightMode)
                .arg(view.calls.join(QLatin1Char('+')));
        return QStringLiteral("no such aspect");
    }

private slots:
    void init()
    {
        QDir(IniHelper::dataFolder()).removeRecursively();
        sim = installSimulator(boxes, bus, QStringLiteral("1,1,0,1"));
        state = std::make_unique<AppState>();
        host = std::make_unique<RecordingAppHost>();
        windowHost = std::make_unique<RecordingWindowHost>();
        windowHost->view = &host->view;
        profiles = std::make_unique<ProfileService>(encoders, state->settings);
        handler = std::make_unique<ViewMessageHandler>(*state, encoders, *profiles, *host);
        messages = std::make_unique<WindowMessages>(*state, encoders, *host, *handler, *windowHost);
        boxes.setCurrentBox(0);
        boxes[2].boxType = BoxType::Vayla;
        host->view.hidden = true;
        state->settings.isStartAutoUpdate = true;
        state->settings.OpenPassword = true;
        state->settings.Password = QStringLiteral("7777");
        // The window shows what the program holds before the command.
        handler->syncView();
    }

    void whatIsHandled_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("handled");
        for (int id : {WindowMessages::kDeviceChange, WindowMessages::kClose, 0x8101, 0x8102, 0x8103, 0x8104,
                       0x8105, 0x8106, 0x8107, 0x8108, 0x8109, 0x8110, 0x8111, 0x8112, 0x8113, 0x8115, 0x8117,
                       0x8118, 0x8119, 0x8120, 0x8121, 0x8122, 0x8123, 0x8124, 0x8125, 0x8126, 0x2333})
            QTest::addRow("0x%x", id) << id << true;
        for (int id : {0x8100, 0x810A, 0x8114, 0x8116, 0x8127, 0x11, 0})
            QTest::addRow("0x%x", id) << id << false;
    }

    // Every listed ID is reported handled, every other one not.
    void whatIsHandled()
    {
        QFETCH(int, id);
        QFETCH(bool, handled);
        QCOMPARE(messages->handle(id, 0, 0), handled);
    }

    void applicationCommands_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("wParam");
        QTest::addColumn<QString>("what");
        QTest::addColumn<QString>("expected");
        const QString untouchedWindow = QStringLiteral("hides=0 closes=0 deviceChanges=0 view=");
        // The window shows what the program holds; a refused command changes neither.
        const QString untouchedPassword = QStringLiteral("state=1,7777 view=1,7777 file=0,none changes=0");
        QTest::newRow("0x219 devices changed") << 0 << 0x219 << 0 << "window"
                                               << "hides=0 closes=0 deviceChanges=1 view=";
        QTest::newRow("0x10 hides, never quits") << 0 << 0x10 << 0 << "window" << "hides=1 closes=0 deviceChanges=0 view=";
        QTest::newRow("0x8101 0 hides") << 0 << 0x8101 << 0 << "window" << "hides=0 closes=0 deviceChanges=0 view=hideView";
        QTest::newRow("0x8101 1 shows") << 0 << 0x8101 << 1 << "window" << "hides=0 closes=0 deviceChanges=0 view=showView";
        QTest::newRow("0x8102 0") << 0 << 0x8102 << 0 << "autoUpdate" << "state=0 view=0 file=0";
        QTest::newRow("0x8102 1") << 0 << 0x8102 << 1 << "autoUpdate" << "state=1 view=1 file=1";
        QTest::newRow("0x8103 0") << 0 << 0x8103 << 0 << "password" << "state=0,7777 view=0,7777 file=0,7777 changes=1";
        QTest::newRow("0x8103 1") << 0 << 0x8103 << 1 << "password" << "state=1,7777 view=1,7777 file=1,7777 changes=1";
        QTest::newRow("0x8104 42") << 0 << 0x8104 << 42 << "password" << "state=1,0042 view=1,0042 file=1,0042 changes=1";
        QTest::newRow("0x8104 9999") << 0 << 0x8104 << 9999 << "password" << "state=1,9999 view=1,9999 file=1,9999 changes=1";
        QTest::newRow("0x8104 0 turns it off") << 0 << 0x8104 << 0 << "password" << "state=0,0000 view=0,0000 file=0,0000 changes=1";
        QTest::newRow("0x8104 10000 refused") << 0 << 0x8104 << 10000 << "password" << untouchedPassword;
        QTest::newRow("0x8104 -1 refused") << 0 << 0x8104 << -1 << "password" << untouchedPassword;
        QTest::newRow("0x8105 1 quits") << 0 << 0x8105 << 1 << "window" << "hides=0 closes=1 deviceChanges=0 view=";
        QTest::newRow("0x8105 0 does not") << 0 << 0x8105 << 0 << "window" << untouchedWindow;
        QTest::newRow("0x8106 1") << 0 << 0x8106 << 1 << "box" << "current=1 checked=1";
        QTest::newRow("0x8106 3") << 0 << 0x8106 << 3 << "box" << "current=3 checked=3";
        QTest::newRow("0x8106 absent box") << 0 << 0x8106 << 5 << "box" << "current=0 checked=0";
        QTest::newRow("0x8106 16 refused") << 0 << 0x8106 << 16 << "box" << "current=0 checked=0";
        QTest::newRow("0x8106 -1 refused") << 0 << 0x8106 << -1 << "box" << "current=0 checked=0";
        // Stored profiles are absent: a 12-LED profile reads as light mode 5.
        QTest::newRow("0x8107 2") << 0 << 0x8107 << 2 << "profile" << "profile=3 label=3 rgbMode=5 singleMode=1";
        QTest::newRow("0x8107 on a single-colour box reads a 12-LED profile")
            << 2 << 0x8107 << 4 << "profile" << "profile=5 label=5 rgbMode=5 singleMode=1";
        QTest::newRow("0x8107 5 refused") << 0 << 0x8107 << 5 << "profile" << "profile=1 label=1 rgbMode=1 singleMode=1";
        QTest::newRow("0x8107 -1 refused") << 0 << 0x8107 << -1 << "profile" << "profile=1 label=1 rgbMode=1 singleMode=1";
        QTest::newRow("0x8119 saves and pushes") << 0 << 0x8119 << 0 << "saved" << "profile3=1 device=1 box1Mode=3 shown=showProfileSaved";
        QTest::newRow("0x2333 changes nothing") << 0 << 0x2333 << 0 << "window" << untouchedWindow;
    }

    void applicationCommands()
    {
        QFETCH(int, box);
        QFETCH(int, id);
        QFETCH(int, wParam);
        QFETCH(QString, what);
        QFETCH(QString, expected);
        boxes.setCurrentBox(box);
        for (int b = 0; b < 4; ++b) {
            boxes[b].rainbowFan[0].lightMode = LightMode::Cycle;
            boxes[b].vaylaFan[0].lightMode = VaylaLightMode::RGB;
            boxes[b].rainbowFan[2].lightMode = LightMode::Radar;
        }
        // For 0x8119: box 0 saves its profile 3, which box 1 uses too.
        state->currentProfile = 3;
        boxes[1].profileValue = 3;
        fan(2).lightMode = LightMode::Blink;
        if (id == 0x8107)
            state->currentProfile = 1;
        QVERIFY(messages->handle(id, wParam, 0));
        QCOMPARE(observe(what), expected);
    }

    void editorCommands_data()
    {
        QTest::addColumn<int>("id");
        QTest::addColumn<int>("wParam");
        QTest::addColumn<int>("fan");
        QTest::addColumn<bool>("pwm");
        QTest::addColumn<bool>("off");
        QTest::addColumn<QString>("expected");
        QTest::newRow("0x8109") << 0x8109 << 0 << 2 << false << false << "2:pressPerformance";
        QTest::newRow("0x8110") << 0x8110 << 0 << 4 << false << false << "4:pressSilent";
        QTest::newRow("0x8111 on") << 0x8111 << 1 << 1 << false << false << "1:pressPWM 1";
        QTest::newRow("0x8111 off") << 0x8111 << 0 << 1 << true << false << "1:pressPWM 0";
        QTest::newRow("0x8111 already on") << 0x8111 << 7 << 1 << true << false << "";
        QTest::newRow("0x8111 already off") << 0x8111 << 0 << 1 << false << false << "";
        QTest::newRow("0x8112") << 0x8112 << 3 << 0 << true << false << "0:moveSlider speedPercent 3";
        QTest::newRow("0x8112 5") << 0x8112 << 5 << 0 << true << false << "0:moveSlider speedPercent 5";
        QTest::newRow("0x8112 without PWM") << 0x8112 << 3 << 0 << false << false << "";
        QTest::newRow("0x8112 6 refused") << 0x8112 << 6 << 0 << true << false << "";
        QTest::newRow("0x8112 -1 refused") << 0x8112 << -1 << 0 << true << false << "";
        QTest::newRow("0x8113") << 0x8113 << 10 << 3 << false << false << "3:moveSlider speedLevel 10";
        QTest::newRow("0x8113 with PWM") << 0x8113 << 4 << 3 << true << false << "";
        QTest::newRow("0x8113 11 refused") << 0x8113 << 11 << 3 << false << false << "";
        QTest::newRow("0x8115 off") << 0x8115 << 1 << 0 << false << false << "0:pressTurnOff";
        QTest::newRow("0x8115 on") << 0x8115 << 0 << 0 << false << true << "0:pressTurnOff";
        QTest::newRow("0x8115 already off") << 0x8115 << 1 << 0 << false << true << "";
        QTest::newRow("0x8115 already on") << 0x8115 << 0 << 0 << false << false << "";
        QTest::newRow("0x8117") << 0x8117 << 0 << 1 << false << false << "1:moveSlider brightness 0";
        QTest::newRow("0x8117 10") << 0x8117 << 10 << 1 << false << false << "1:moveSlider brightness 10";
        QTest::newRow("0x8117 11 refused") << 0x8117 << 11 << 1 << false << false << "";
        QTest::newRow("0x8121 right") << 0x8121 << 1 << 0 << false << false << "0:stepLightMode 1";
        QTest::newRow("0x8121 left") << 0x8121 << 0 << 0 << false << false << "0:stepLightMode 0";
        QTest::newRow("0x8122") << 0x8122 << 14 << 2 << false << false << "2:chooseLightMode 14";
        QTest::newRow("0x8122 15 refused") << 0x8122 << 15 << 2 << false << false << "";
        QTest::newRow("0x8122 -1 refused") << 0x8122 << -1 << 2 << false << false << "";
        QTest::newRow("0x8123 right") << 0x8123 << 1 << 3 << false << false << "3:stepColorMode 1";
        QTest::newRow("0x8123 left") << 0x8123 << 0 << 3 << false << false << "3:stepColorMode 0";
        QTest::newRow("0x8124") << 0x8124 << 2 << 4 << false << false << "4:chooseColorMode 2";
        QTest::newRow("0x8124 3 refused") << 0x8124 << 3 << 4 << false << false << "";
        QTest::newRow("0x8125 right") << 0x8125 << 1 << 1 << false << false << "1:stepLightSpeed 1";
        QTest::newRow("0x8125 left") << 0x8125 << 0 << 1 << false << false << "1:stepLightSpeed 0";
        QTest::newRow("0x8126") << 0x8126 << 3 << 0 << false << false << "0:chooseLightSpeed 3";
        QTest::newRow("0x8126 4 refused") << 0x8126 << 4 << 0 << false << false << "";
        QTest::newRow("0x8109 fan 5 refused") << 0x8109 << 0 << 5 << false << false << "";
        QTest::newRow("0x8110 fan -1 refused") << 0x8110 << 0 << -1 << false << false << "";
    }

    // The commands that press a fan editor's own controls: which control,
    // on which fan, and nothing when the fan is already there or the value
    // is out of range.
    void editorCommands()
    {
        QFETCH(int, id);
        QFETCH(int, wParam);
        QFETCH(int, fan);
        QFETCH(bool, pwm);
        QFETCH(bool, off);
        QFETCH(QString, expected);
        for (int f = 0; f < kRainbowFanCount; ++f) {
            this->fan(f).isPWM = pwm;
            this->fan(f).isTurnOffLed = off;
        }
        QVERIFY(messages->handle(id, wParam, fan));
        QCOMPARE(editorCalls(), expected);
        QVERIFY(sim->sent().empty()); // the editor's own message does the sending
    }

    void monitorSwitch_data()
    {
        QTest::addColumn<int>("wParam");
        QTest::addColumn<bool>("monitor");
        QTest::newRow("on") << 1 << true;
        QTest::newRow("any other number is on") << 3 << true;
        QTest::newRow("off") << 0 << false;
    }

    // 0x8108: the record, the panel and the device file follow.
    void monitorSwitch()
    {
        QFETCH(int, wParam);
        QFETCH(bool, monitor);
        fan(3).isMonitor = !monitor;
        handler->syncView(); // the window shows this
        const int resets = host->view.fans[3].resets;
        QVERIFY(messages->handle(0x8108, wParam, 3));
        QCOMPARE(fan(3).isMonitor, monitor);
        QCOMPARE(host->view.fans[3].monitor, monitor);
        QCOMPARE(host->view.fans[3].resets, resets + 1);
        boxes.reset();
        AppSettings read;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), read, boxes.records());
        QCOMPARE(boxes[0].rainbowFan[3].isMonitor, monitor);
    }

    void colourOfSelectedLeds_data()
    {
        QTest::addColumn<int>("mask");
        QTest::addColumn<int>("colour");
        QTest::addColumn<QString>("leds");
        QTest::addColumn<QString>("reds");
        QTest::addColumn<QString>("greens");
        QTest::addColumn<QString>("blues");
        // Character 0 of the mask is LED 0.
        QTest::newRow("first and last") << 0x801 << 0x203040 << "100000000001"
                                        << "64,1,1,1,1,1,1,1,1,1,1,64" << "48,2,2,2,2,2,2,2,2,2,2,48"
                                        << "32,3,3,3,3,3,3,3,3,3,3,32";
        QTest::newRow("LEDs 0, 1 and 10") << 0xC02 << 0x0000FF << "110000000010"
                                          << "255,255,1,1,1,1,1,1,1,1,255,1" << "0,0,2,2,2,2,2,2,2,2,0,2"
                                          << "0,0,3,3,3,3,3,3,3,3,0,3";
        QTest::newRow("none") << 0 << 0xFFFFFF << "000000000000"
                              << "1,1,1,1,1,1,1,1,1,1,1,1" << "2,2,2,2,2,2,2,2,2,2,2,2"
                              << "3,3,3,3,3,3,3,3,3,3,3,3";
        // The word is taken unsigned: the top byte is not a colour.
        QTest::newRow("all, top byte set") << 0xFFF << int(0xFF0000FFu) << "111111111111"
                                           << "255,255,255,255,255,255,255,255,255,255,255,255"
                                           << "0,0,0,0,0,0,0,0,0,0,0,0" << "0,0,0,0,0,0,0,0,0,0,0,0";
    }

    // 0x8120 chooses the LEDs, 0x8118 colours them: stored, shown and sent.
    void colourOfSelectedLeds()
    {
        QFETCH(int, mask);
        QFETCH(int, colour);
        QFETCH(QString, leds);
        for (int i = 0; i < kColorEntries; ++i) {
            fan(1).rValue_Led[i] = 1;
            fan(1).gValue_Led[i] = 2;
            fan(1).bValue_Led[i] = 3;
        }
        fan(1).lightMode = LightMode::Breath;
        fan(1).isTurnOffLed = false;
        QVERIFY(messages->handle(0x8120, mask, 1));
        QString selected;
        for (bool on : host->view.editors[1].leds)
            selected += flag(on);
        QCOMPARE(selected, leds);

        QVERIFY(messages->handle(0x8118, colour, 1));
        auto join = [](const int *v) {
            QStringList parts;
            for (int i = 0; i < kLedCount; ++i)
                parts << QString::number(v[i]);
            return parts.join(QLatin1Char(','));
        };
        QTEST(join(fan(1).rValue_Led), "reds");
        QTEST(join(fan(1).gValue_Led), "greens");
        QTEST(join(fan(1).bValue_Led), "blues");
        QCOMPARE(join(host->view.fans[1].r), join(fan(1).rValue_Led));
        QCOMPARE(fan(1).rValue_Led[12], 1); // the single colour is no LED
        QVERIFY(!reportsOf(0, 0x52, 2).empty());
        QVERIFY(reportsOf(0, 0x52, 1).empty());
    }

    void ledMaskRefused_data()
    {
        QTest::addColumn<int>("mask");
        QTest::newRow("13 bits") << 0x1000;
        QTest::newRow("negative") << -1;
    }

    void ledMaskRefused()
    {
        QFETCH(int, mask);
        host->view.editors[2].leds[4] = true;
        QVERIFY(messages->handle(0x8120, mask, 2));
        for (int led = 0; led < kLedCount; ++led)
            QCOMPARE(host->view.editors[2].leds[led], led == 4);
    }
};

QTEST_GUILESS_MAIN(TestWindowMessages)
#include "test_windowmessages.moc"
