// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"
#include "SensorPasses.h"

#include "core/Core.h"
#include "ScriptedSensors.h"

#include "app/Aurivent.h"
#include "device/FanSpeed.h"
#include "device/Reports.h"
#include "lighting/LightModes.h"
#include "lighting/SoftwareEffects.h"
#include "storage/IniHelper.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSet>
#include <QSignalSpy>
#include <QtTest>

#include <atomic>
#include <map>
#include <memory>

namespace {

// Duty reports as (port, percent), as sentDuties() gives them.
using Duties = SentDuties;

Duties every(int ports, int percent)
{
    Duties out;
    for (int port = 1; port <= ports; ++port)
        out.emplace_back(port, percent);
    return out;
}

} // namespace

namespace QTest {
template <>
char *toString(const Duties &duties)
{
    QStringList items;
    for (const auto &d : duties)
        items << QStringLiteral("%1:%2").arg(d.first).arg(d.second);
    return qstrdup(qPrintable(items.join(QLatin1Char(' '))));
}
} // namespace QTest

// The whole program on simulated boxes, at the joints where the rules that
// keep fans and people safe pass from one part to the next: a lost CPU
// reading, a stalled fan, a profile loaded by another program.
class TestSafetyGlue : public QObject {
    Q_OBJECT

private:
    // A fresh core for every case, as every start of the program has.
    std::unique_ptr<Core> core = std::make_unique<Core>();
    DeviceBus &bus() { return core->bus(); }
    SimulatedBoxes *sim = nullptr;
    BoxModel *boxes = nullptr;

    // The records of the program under test.
    ControllerBox &box(int b) { return (*boxes)[b]; }

    // Polls and sensor passes are driven by hand; the sensors are the scripted plug-in.
    void takeOver(Aurivent &program)
    {
        boxes = &program.boxes();
        program.stopSpeedPoll();
        program.effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
        QVERIFY(startSensorsAndWait(*program.effects(), pluginLibrary("FakeSensors")));
        QVERIFY(program.effects()->hasSensors());
        QVERIFY(bus().waitForIdle());
        sim->clearSent();
    }

    // One round of the speed poll with every reply handed to the program.
    void poll(Aurivent &program)
    {
        program.updateSpeed();
        QVERIFY(bus().waitForIdle());
        QCoreApplication::processEvents();
    }

    QString temperatureLabel(Aurivent &program)
    {
        auto *label = program.view()->findChild<QLabel *>(QStringLiteral("label_temperature"));
        return label ? label->text() : QStringLiteral("(no label)");
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("FAKE_SENSORS_LIVE", "1");
        qputenv("FAKE_SENSORS_INIT", "0");
    }

    void init()
    {
        core = std::make_unique<Core>();
        scriptSensorReading("Cpu|T:CPU=45");
    }

    void cleanup()
    {
        core.reset();
    }

    // Without a reading the fans that follow the CPU temperature run at their
    // cap - on every pass, for a box that comes back meanwhile, and for the
    // temperature colour - never at what the curve gives a cold CPU.
    // A plug-in call that hangs holds up neither the speed poll nor the fans' cap.
    void theSpeedPollGoesOnWhileTheSensorPluginHangs()
    {
        sim = startWithSettings(bus(), QStringLiteral("1"));
        Aurivent program(*core);
        takeOver(program);
        HeldSensorPasses hang;
        QVERIFY(hang.held());
        QSignalSpy lost(program.effects(), &SoftwareEffects::temperatureReadingLost);
        program.effects()->setSensorDeadline(100);
        program.effects()->setSensorPeriods(200, 3600 * 1000);
        program.startSpeedPoll();
        sim->clearSent();
        // Three rounds of the poll on box 0 while the plug-in's call hangs.
        const auto polls = [this] {
            int n = 0;
            for (const Report &r : sentTo(sim, 0))
                n += r[1] == 0x33 && r[2] == 0x51 ? 1 : 0;
            return n;
        };
        QTRY_VERIFY_WITH_TIMEOUT(polls() >= 15, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(lost.size(), 1, 30000);
        // Every pass while it hangs is one without a reading: the fans stay at their cap.
        const Duties sent = sentDuties(sim, 0);
        QVERIFY(sent.size() >= 5);
        QCOMPARE(Duties(sent.end() - 5, sent.end()), every(5, 100));
        QVERIFY(!program.effects()->hasTemperature());
        program.stopSpeedPoll();
    }

    void aLostReadingNeverDrivesTheFansAsIfTheCpuWereCold()
    {
        sim = startWithSettings(bus(), QStringLiteral("1,0"), "[Device1]\nBoxType=0\n");
        Aurivent program(*core);
        takeOver(program);
        for (VaylaFanRecord &fan : box(1).vaylaFan)
            fan.isPWM = true; // the single-colour fans follow the temperature too
        const QString degrees = QString(QChar(0x00B0)) + QLatin1Char('C');

        QVERIFY(runSensorPass(*program.effects())); // 45 degrees: the curve's 50 %
        QCOMPARE(sentDuties(sim, 0), every(5, 50));
        QCOMPARE(sentDuties(sim, 1), every(3, 50));
        QVERIFY2(temperatureLabel(program).contains(QStringLiteral("45") + degrees), qPrintable(temperatureLabel(program)));

        // The reading goes for good: a short gap keeps the duty, then the cap.
        scriptSensorReading("Cpu|T:GPU=70");
        sim->clearSent();
        for (int pass = 0; pass < 3; ++pass)
            QVERIFY(runSensorPass(*program.effects()));
        QCOMPARE(sentDuties(sim, 0), every(5, 100));
        QCOMPARE(sentDuties(sim, 1), every(3, 100));
        QVERIFY2(!temperatureLabel(program).contains(degrees), qPrintable(temperatureLabel(program)));

        // More passes without a reading keep the cap.
        sim->clearSent();
        QVERIFY(runSensorPass(*program.effects()));
        QCOMPARE(sentDuties(sim, 0), every(5, 100));

        // Box 1 is power-cycled during the outage: it answers again with its
        // defaults and is sent its settings - the cap, not the curve of a reading.
        sim->unplug(1);
        sim->plug(1, 0);
        poll(program);
        QCOMPARE(bus().health(1), BoxHealth::Gone);
        sim->clearSent();
        program.deviceChanged();
        QVERIFY(bus().waitForIdle());
        QCOMPARE(bus().health(1), BoxHealth::Answering);
        // Every port is sent (the settings and the curve may each send them,
        // interleaved on the wire), and only the cap.
        QSet<int> ports;
        for (const auto &duty : sentDuties(sim, 1)) {
            ports << duty.first;
            QVERIFY2(duty.second == 100, qPrintable(QStringLiteral("port %1 at %2 %").arg(duty.first).arg(duty.second)));
        }
        QCOMPARE(ports, (QSet<int>{1, 2, 3}));

        // The reading is back: the curve again.
        scriptSensorReading("Cpu|T:CPU=54");
        sim->clearSent();
        QVERIFY(runSensorPass(*program.effects()));
        QCOMPARE(sentDuties(sim, 0), every(5, 80));
        QCOMPARE(sentDuties(sim, 1), every(3, 80));
    }

    // A box that comes back while there is a reading gets the curve's duty
    // for it, as the other boxes have: not its cap.
    void aBoxBackWhileThereIsAReadingGetsTheCurve()
    {
        sim = startWithSettings(bus(), QStringLiteral("1,0"), "[Device1]\nBoxType=0\n");
        Aurivent program(*core);
        takeOver(program);
        for (VaylaFanRecord &fan : box(1).vaylaFan)
            fan.isPWM = true;
        QVERIFY(runSensorPass(*program.effects())); // 45 degrees: the curve's 50 %
        QCOMPARE(sentDuties(sim, 1), every(3, 50));

        sim->unplug(1);
        sim->plug(1, 0);
        poll(program);
        QCOMPARE(bus().health(1), BoxHealth::Gone);
        sim->clearSent();
        program.deviceChanged();
        QVERIFY(bus().waitForIdle());
        QCOMPARE(bus().health(1), BoxHealth::Answering);
        // What each port was left at.
        std::map<int, int> last;
        for (const auto &duty : sentDuties(sim, 1))
            last[duty.first] = duty.second;
        QCOMPARE(last, (std::map<int, int>{{1, 50}, {2, 50}, {3, 50}}));
        QVERIFY(sentDuties(sim, 0).empty()); // the other box is left alone
    }

    // The service has no tray to tell: a lost reading still caps the fans
    // (the log says so) and the service goes on.
    void theServiceSurvivesALostReading()
    {
        scriptSensorReading("");
        sim = startWithSettings(bus(), QStringLiteral("1"));
        StartOptions options;
        options.simulated = true;
        options.headless = true;
        Aurivent program(*core, options);
        QVERIFY(!program.view());
        takeOver(program);
        QSignalSpy lost(program.effects(), &SoftwareEffects::temperatureReadingLost);
        QVERIFY(runSensorPass(*program.effects()));
        QCOMPARE(lost.size(), 1);
        QCOMPARE(sentDuties(sim, 0), every(5, 100));
        poll(program); // and it goes on watching the fans
        QCOMPARE(bus().health(0), BoxHealth::Answering);
    }

    void aTemperatureColourWaitsForTheFirstReading()
    {
        scriptSensorReading("");
        sim = startWithSettings(bus(), QStringLiteral("1"));
        Aurivent program(*core);
        takeOver(program);
        auto steadyColours = [this] {
            std::vector<Report> out;
            for (const Report &r : sentTo(sim, 0))
                if (r[1] == 0x32 && r[2] == 0x52 && r[3] == 2 && r[4] == Reports::kSteadySingle)
                    out.push_back(r);
            return out;
        };
        // Fan 1 is put in the temperature mode, as its editor's "Done" does.
        program.receiveMainData({QStringLiteral("btn_done"), QStringLiteral("1"),
                                 QString::number(LightMode::Temperature), QStringLiteral("0"), QStringLiteral("0")});
        QCOMPARE(box(0).rainbowFan[1].lightMode, int(LightMode::Temperature));
        QVERIFY(runSensorPass(*program.effects()));
        QVERIFY(bus().waitForIdle());
        // No colour for an unknown temperature: the scale's "cold" would lie.
        QVERIFY(steadyColours().empty());

        scriptSensorReading("Cpu|T:CPU=70");
        QVERIFY(runSensorPass(*program.effects()));
        const Rgb hot = temperatureScaleColor(70);
        Report expected = Reports::rainbowLighting(2, Reports::kSteadySingle);
        Reports::setTriple(expected, 0, uint8_t(hot.r), uint8_t(hot.g), uint8_t(hot.b));
        QVERIFY(!steadyColours().empty());
        QCOMPARE(steadyColours().back(), expected);
    }

    void aStalledFanRaisesTheAlertUntilItIsDismissed_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::addColumn<QByteArray>("deviceFile");
        QTest::addColumn<int>("fan");
        QTest::newRow("12-LED fan 3 of box 2") << QStringLiteral("-,1") << QByteArray() << 2;
        QTest::newRow("single-colour fan 2 of box 1") << QStringLiteral("0") << QByteArray("[Device0]\nBoxType=0\n") << 1;
    }

    void aStalledFanRaisesTheAlertUntilItIsDismissed()
    {
        QFETCH(QString, spec);
        QFETCH(QByteArray, deviceFile);
        QFETCH(int, fan);
        sim = startWithSettings(bus(), spec, deviceFile);
        const int b = spec.startsWith(QLatin1Char('-')) ? 1 : 0;
        Aurivent program(*core);
        takeOver(program);
        auto *alert = program.findChild<AlertView *>();
        QVERIFY(alert);

        poll(program); // every fan turns
        QVERIFY(alert->isHidden());
        QVERIFY(program.isEnabled());

        sim->stall(b, fan);
        poll(program);
        QVERIFY(!alert->isHidden());
        QCOMPARE(alert->controllerText(), QStringLiteral("Controller No. %1").arg(b + 1));
        QCOMPARE(alert->fanText(), QStringLiteral("Stopped: FAN %1").arg(fan + 1));
        // Nothing else can be done until the alert is seen to.
        QVERIFY(!program.isEnabled());
        QVERIFY(alert->isEnabled());

        auto *ok = alert->findChild<QPushButton *>(QStringLiteral("btn_fanAlertOK"));
        QVERIFY(ok);
        QTest::mouseClick(ok, Qt::LeftButton);
        QVERIFY(alert->isHidden());
        QVERIFY(program.isEnabled());

        // Still stopped: one alert per stop, not one per poll.
        poll(program);
        QVERIFY(alert->isHidden());
        // Turning again and stopping again is a new stop.
        sim->run(b, fan);
        sim->setClock([] { return qint64(1) << 40; }); // long after: at full speed again
        poll(program);
        sim->stall(b, fan);
        poll(program);
        QVERIFY(!alert->isHidden());
        QVERIFY(!program.isEnabled());
        QTest::mouseClick(ok, Qt::LeftButton);
    }

    // A fan the user told to stand still is no stall; told to turn again, it
    // is given the time to spin up, and one that stays still is a stall.
    void aFanStoppedOnPurposeIsNoStallAndGetsTimeToSpinUp()
    {
        sim = startWithSettings(bus(), QStringLiteral("0"), "[Device0]\nBoxType=0\n");
        static std::atomic<qint64> now{0};
        sim->setClock([] { return now.load(); });
        Aurivent program(*core);
        takeOver(program);
        auto *alert = program.findChild<AlertView *>();
        QVERIFY(alert);
        box(0).vaylaFan[0].isPWM = false;

        program.receiveVaylaMainData({QStringLiteral("btn_silent"), QStringLiteral("0")});
        QVERIFY(bus().waitForIdle());
        now += 10000; // long stopped
        QCOMPARE(sim->rpm(0, 0), 0);
        poll(program);
        poll(program);
        QVERIFY(alert->isHidden());

        // Back to full speed; the clock stands still, so it reads 0 meanwhile.
        program.receiveVaylaMainData({QStringLiteral("btn_performance"), QStringLiteral("0")});
        QVERIFY(bus().waitForIdle());
        for (int second = 0; second < 3; ++second) {
            poll(program);
            QVERIFY2(alert->isHidden(), qPrintable(QStringLiteral("alert at poll %1 of the spin-up").arg(second + 1)));
        }
        poll(program); // still nothing: that is a stall
        QVERIFY(!alert->isHidden());
        QCOMPARE(alert->fanText(), QStringLiteral("Stopped: FAN 1"));
        QTest::mouseClick(alert->findChild<QPushButton *>(QStringLiteral("btn_fanAlertOK")), Qt::LeftButton);

        now += 10000;
        QVERIFY(sim->rpm(0, 0) > 0);
        poll(program);
        QVERIFY(!box(0).vaylaFan[0].isAlarmShown);
        QVERIFY(alert->isHidden());
    }

    // 0x8107 loads the 12-LED kind of profile into the current box, whatever
    // kind of box it is, and only the records of that kind change.
    void profileCommandLoadsThe12LedKind_data()
    {
        QTest::addColumn<int>("type");
        QTest::newRow("12-LED box") << 1;
        QTest::newRow("single-colour box") << 0;
    }

    void profileCommandLoadsThe12LedKind()
    {
        QFETCH(int, type);
        sim = startWithSettings(bus(), QString::number(type), QByteArrayLiteral("[Device0]\nBoxType=") + QByteArray::number(type) + '\n');
        Aurivent program(*core);
        takeOver(program);

        // Profile 3 of each kind, told apart by what they hold.
        const ControllerBox stored = box(0);
        for (RainbowFanRecord &fan : box(0).rainbowFan) {
            fan.isTurnOffLed = false;
            fan.lightMode = LightMode::Breath;
            fan.lightSpeed = 2;
            fan.isPWM = false;
            fan.speedMode = SpeedMode::Custom;
            fan.speedNum = 3;
        }
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, box(0)), 3));
        for (VaylaFanRecord &fan : box(0).vaylaFan) {
            fan.isTurnOffLed = false;
            fan.lightMode = VaylaLightMode::Count - 1;
            fan.speed = 1;
            fan.speedMode = SpeedMode::Custom;
            fan.isPWM = false;
        }
        QVERIFY(IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(0, box(0)), 3));
        box(0) = stored;
        sim->clearSent();

        QVERIFY(program.handleWindowMessage(0x8107, 2, 0));
        QCOMPARE(program.state().currentProfile, 3);
        for (const RainbowFanRecord &fan : box(0).rainbowFan) {
            QCOMPARE(fan.lightMode, int(LightMode::Breath));
            QCOMPARE(fan.speedNum, 3);
            QVERIFY(!fan.isTurnOffLed);
        }
        for (int f = 0; f < kVaylaFanCount; ++f) {
            const VaylaFanRecord &fan = box(0).vaylaFan[f];
            QCOMPARE(fan.lightMode, stored.vaylaFan[f].lightMode);
            QCOMPARE(fan.speed, stored.vaylaFan[f].speed);
            QCOMPARE(fan.isTurnOffLed, stored.vaylaFan[f].isTurnOffLed);
        }
        // ...and the box is sent it, whatever its kind.
        QVERIFY(bus().waitForIdle());
        std::vector<int> ports;
        for (const Report &r : sentTo(sim, 0)) {
            if (r[1] != 0x32 || r[2] != 0x52)
                continue;
            ports.push_back(r[3]);
            QCOMPARE(int(r[4]), Reports::effectModeByte(LightMode::Breath, 2));
        }
        QCOMPARE(ports, (std::vector<int>{1, 2, 3, 4, 5}));
    }

    // The phone's save (12) and load (14) go through the program to the files
    // of each box's own kind: what one writes, the other brings back.
    void phoneProfilesKeepEachKindOfBox()
    {
        sim = startWithSettings(bus(), QStringLiteral("1,0"), "[Device1]\nBoxType=0\n");
        Aurivent program(*core);
        takeOver(program);
        auto phone = [this, &program](int command, const QVariantMap &data) {
            program.socketHelperReceiveData({{QStringLiteral("command"), command}, {QStringLiteral("Data"), data}});
            QVERIFY(bus().waitForIdle());
        };

        // Box 1's single-colour fans as the window left them; the phone saves
        // them as profile 4 (of their own kind).
        for (VaylaFanRecord &fan : box(1).vaylaFan) {
            fan.lightMode = VaylaLightMode::Blink;
            fan.rValue = 12;
            fan.speed = 2;
        }
        QVariantMap save{{QStringLiteral("BoxNum"), QStringLiteral("01")}, {QStringLiteral("FanNum"), QStringLiteral("01")},
                         {QStringLiteral("LED1"), QStringLiteral("1")}, {QStringLiteral("ColorMode"), 0},
                         {QStringLiteral("LightMode"), int(LightMode::Breath)}, {QStringLiteral("Speed"), 2},
                         {QStringLiteral("RColor"), 10}, {QStringLiteral("GColor"), 20}, {QStringLiteral("BColor"), 30},
                         {QStringLiteral("Bright"), 10}, {QStringLiteral("Profile"), 4}, {QStringLiteral("Status"), 0}};
        phone(12, save);
        QCOMPARE(box(1).profileValue, 4);
        QCOMPARE(program.currentProfile(), 1); // box 0 is the one shown

        // Box 0 saves profile 3 with fan 2 breathing: sent, and now the current profile.
        save[QStringLiteral("BoxNum")] = QStringLiteral("1");
        save[QStringLiteral("Profile")] = 3;
        phone(12, save);
        QCOMPARE(program.currentProfile(), 3);
        QCOMPARE(box(0).profileValue, 3);
        QCOMPARE(int(sim->lastLighting(0, 1)[4]), Reports::effectModeByte(LightMode::Breath, 2));

        // Everything changes; loading profile 3 and 4 brings each box back.
        box(0).rainbowFan[1] = RainbowFanRecord();
        for (VaylaFanRecord &fan : box(1).vaylaFan)
            fan = VaylaFanRecord();
        sim->clearSent();
        phone(14, {{QStringLiteral("BoxNum"), QStringLiteral("1")}, {QStringLiteral("Profile"), 3}});
        QCOMPARE(box(0).rainbowFan[1].lightMode, int(LightMode::Breath));
        QCOMPARE(box(0).rainbowFan[1].lightSpeed, 2);
        QCOMPARE(box(0).rainbowFan[1].gValue_Led[0], 20);
        QCOMPARE(int(sim->lastLighting(0, 1)[4]), Reports::effectModeByte(LightMode::Breath, 2));
        QCOMPARE(program.currentProfile(), 3);

        phone(14, {{QStringLiteral("BoxNum"), QStringLiteral("01")}, {QStringLiteral("Profile"), 4}});
        for (const VaylaFanRecord &fan : box(1).vaylaFan) {
            QCOMPARE(fan.lightMode, int(VaylaLightMode::Blink));
            QCOMPARE(fan.rValue, 12);
            QCOMPARE(fan.speed, 2);
        }
        QCOMPARE(box(1).profileValue, 4);
        QCOMPARE(program.currentProfile(), 3); // box 1 is not the one shown
    }

    // The window's profile buttons on a single-colour box: saving writes its
    // kind and hands it to the other boxes of that kind on the profile (not
    // to a 12-LED box on it); selecting reads that kind back.
    void windowProfilesOfASingleColourBoxStayWithItsKind()
    {
        sim = startWithSettings(bus(), QStringLiteral("0,1,0"), "[Device0]\nBoxType=0\n[Device2]\nBoxType=0\n");
        Aurivent program(*core);
        takeOver(program);
        QCOMPARE(box(2).profileValue, 1);
        QCOMPARE(box(1).profileValue, 1);
        const RainbowFanRecord rgbBefore = box(1).rainbowFan[0];
        for (VaylaFanRecord &fan : box(0).vaylaFan) {
            fan.isTurnOffLed = false;
            fan.lightMode = VaylaLightMode::Blink;
            fan.rValue = 40;
        }

        program.receiveMainData({QStringLiteral("saveProfile")});
        QVERIFY(bus().waitForIdle());
        for (int f = 0; f < kVaylaFanCount; ++f) {
            QCOMPARE(box(2).vaylaFan[f].lightMode, int(VaylaLightMode::Blink));
            QCOMPARE(sim->lastLighting(2, f), Reports::vaylaLighting(f + 1, 2, 40, 0, 0));
        }
        QCOMPARE(box(1).rainbowFan[0].lightMode, rgbBefore.lightMode);
        QCOMPARE(box(1).rainbowFan[0].isTurnOffLed, rgbBefore.isTurnOffLed);
        for (const Report &r : sentTo(sim, 1))
            QVERIFY2(!(r[1] == 0x32 && r[2] == 0x52), "the 12-LED box was sent lighting");

        // Profile 2 was never saved: its defaults; profile 1 brings the saved kind back.
        program.receiveMainData({QStringLiteral("selectProfile"), QStringLiteral("1")});
        QCOMPARE(program.currentProfile(), 2);
        QCOMPARE(box(0).vaylaFan[0].lightMode, int(VaylaLightMode::Steady));
        program.receiveMainData({QStringLiteral("selectProfile"), QStringLiteral("0")});
        QVERIFY(bus().waitForIdle());
        for (int f = 0; f < kVaylaFanCount; ++f) {
            QCOMPARE(box(0).vaylaFan[f].lightMode, int(VaylaLightMode::Blink));
            QCOMPARE(box(0).vaylaFan[f].rValue, 40);
            QCOMPARE(sim->lastLighting(0, f), Reports::vaylaLighting(f + 1, 2, 40, 0, 0));
        }
    }
};

QTEST_MAIN(TestSafetyGlue)
#include "test_safetyglue.moc"
