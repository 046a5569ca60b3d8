// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"

#include "core/Core.h"

#include "app/Aurivent.h"
#include "control/WindowMessages.h"
#include "device/CrashSafety.h"
#include "device/FanSpeed.h"
#include "device/FanSafety.h"
#include "device/HotplugMonitor.h"
#include "device/Reports.h"
#include "lighting/SoftwareEffects.h"
#include "storage/IniHelper.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"

#include <QAction>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// The whole program on simulated boxes: fans that follow the CPU temperature
// are never left at a cool-CPU duty when the program stops following it, and
// a box that comes back gets what the window shows.
class TestFanSafety : public QObject {
    Q_OBJECT

private:
    // A fresh core for every case, as every start of the program has.
    std::unique_ptr<Core> core = std::make_unique<Core>();
    DeviceBus &bus() { return core->bus(); }
    SimulatedBoxes *sim = nullptr;

    void start(const QString &spec, const QByteArray &deviceFile = QByteArray())
    {
        sim = startWithSettings(bus(), spec, deviceFile);
        QVERIFY(QFile::exists(IniHelper::deviceFilePath()));
    }

    // The last speed report each port of a box got, -1 for none.
    std::map<int, Report> lastSpeed(int box)
    {
        std::map<int, Report> last;
        for (const Report &r : sentTo(sim, box))
            if (r[1] == 0x32 && r[2] == 0x51)
                last[r[3]] = r;
        return last;
    }

    std::vector<int> lightingPorts(int box)
    {
        std::vector<int> ports;
        for (const Report &r : sentTo(sim, box))
            if (r[1] == 0x32 && r[2] == 0x52)
                ports.push_back(r[3]);
        return ports;
    }

    // Box 0: five RGB fans, fan 1 capped at 70 %, fan 3 on a fixed speed.
    // Box 1: three single-colour fans following the temperature, fan 0 capped at 60 %.
    void prepareFans(BoxModel &boxes)
    {
        boxes[0].rainbowFan[1].speedPer = 2;
        boxes[0].rainbowFan[3].isPWM = false;
        for (VaylaFanRecord &fan : boxes[1].vaylaFan)
            fan.isPWM = fan.isMonitor = true;
        boxes[1].vaylaFan[0].speed = 1;
    }

    void expectCaps()
    {
        std::map<int, Report> rgb = lastSpeed(0);
        for (int port : {1, 3, 5})
            QCOMPARE(rgb[port], Reports::fanDuty(port, 100));
        QCOMPARE(rgb[2], Reports::fanDuty(2, 70));
        QCOMPARE(rgb.count(4), size_t(0)); // a fixed speed keeps its own command
        std::map<int, Report> vayla = lastSpeed(1);
        QCOMPARE(vayla[1], Reports::vaylaDuty(1, 60));
        QCOMPARE(vayla[2], Reports::vaylaDuty(2, 100));
        QCOMPARE(vayla[3], Reports::vaylaDuty(3, 100));
    }

    // Box 0 stops answering until the program knows it (three polls).
    void silence(Aurivent &program)
    {
        QVERIFY(bus().waitForIdle());
        sim->mute(0, true);
        for (int i = 0; i < 3; ++i) {
            program.updateSpeed();
            QVERIFY(bus().waitForIdle());
        }
        QCOMPARE(bus().health(0), BoxHealth::NotAnswering);
    }

    // Runs the event loop until `trigger` ends it, as the program's exec() does.
    static void runUntilQuit(const std::function<void()> &trigger)
    {
        QTimer safety; // a net for a path that never quits
        safety.setSingleShot(true);
        connect(&safety, &QTimer::timeout, [] { QCoreApplication::exit(1); });
        safety.start(30000);
        QTimer::singleShot(0, trigger);
        const int result = QCoreApplication::exec();
        safety.stop();
        QCOMPARE(result, 0);
    }

private slots:
    void init() { core = std::make_unique<Core>(); }
    void cleanup() { core.reset(); }
    // As in the program: closing windows never ends it, only an exit does.
    void initTestCase() { QApplication::setQuitOnLastWindowClosed(false); }

    void everyOrderlyEndLeavesFollowingFansAtTheirCap_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("tray Exit") << QStringLiteral("tray");
        QTest::newRow("0x8105 while hidden") << QStringLiteral("8105");
    }

    void everyOrderlyEndLeavesFollowingFansAtTheirCap()
    {
        QFETCH(QString, path);
        start(QStringLiteral("1,0"), "[Device1]\nBoxType=0\n");
        Aurivent program(*core);
        prepareFans(program.boxes());
        QVERIFY(bus().waitForIdle());
        sim->clearSent();
        if (path == QLatin1String("tray")) {
            QAction *exit = nullptr;
            for (QAction *a : program.findChildren<QAction *>())
                if (a->text() == QLatin1String("Exit"))
                    exit = a;
            QVERIFY(exit);
            runUntilQuit([exit] { exit->trigger(); });
        } else {
            program.view()->hide();
            runUntilQuit([&program] { program.handleWindowMessage(0x8105, 1, 0); });
        }
        // The reports went out before the program could leave: no waiting here.
        const std::vector<Report> all = sentTo(sim, 0);
        QVERIFY(!all.empty());
        expectCaps();
    }

    void aCrashSendsThePreparedCaps()
    {
        start(QStringLiteral("1,0"), "[Device1]\nBoxType=0\n");
        int pipes[2][2];
        QVERIFY(pipe(pipes[0]) == 0 && pipe(pipes[1]) == 0);
        sim->setEmergencyDescriptor(0, pipes[0][1]);
        sim->setEmergencyDescriptor(1, pipes[1][1]);
        Aurivent program(*core);
        prepareFans(program.boxes());
        program.updateSpeed(); // the poll keeps the crash reports up to date
        QVERIFY(bus().waitForIdle());

        const pid_t child = fork();
        if (child == 0) {
            CrashSafety::install();
            raise(SIGSEGV);
            _exit(0); // never reached: the signal ends the child
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(WTERMSIG(status), SIGSEGV);
        for (int box : {0, 1}) {
            ::close(pipes[box][1]);
            QByteArray bytes;
            char buffer[1024];
            ssize_t n;
            while ((n = read(pipes[box][0], buffer, sizeof buffer)) > 0)
                bytes.append(buffer, int(n));
            ::close(pipes[box][0]);
            std::vector<Report> expected;
            if (box == 0) {
                for (int port : {1, 2, 3, 5})
                    expected.push_back(Reports::fanDuty(port, port == 2 ? 70 : 100));
            } else {
                expected = {Reports::vaylaDuty(1, 60), Reports::vaylaDuty(2, 100), Reports::vaylaDuty(3, 100)};
            }
            QCOMPARE(bytes.size(), int(expected.size()) * kReportSize);
            for (size_t i = 0; i < expected.size(); ++i)
                QVERIFY(memcmp(bytes.constData() + i * kReportSize, expected[i].data(), kReportSize) == 0);
        }
        sim->setEmergencyDescriptor(0, -1);
        sim->setEmergencyDescriptor(1, -1);
        CrashSafety::prepare({});
    }

    void aClosedBoxIsNeverWrittenByACrash()
    {
        start(QStringLiteral("1"));
        int fds[2];
        QVERIFY(pipe(fds) == 0);
        sim->setEmergencyDescriptor(0, fds[1]);
        Aurivent program(*core);
        program.updateSpeed();
        QVERIFY(bus().waitForIdle());
        // The box goes away; its descriptor's number may be anything's next.
        bus().close(0);
        const pid_t child = fork();
        if (child == 0) {
            CrashSafety::install();
            raise(SIGSEGV);
            _exit(0);
        }
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status));
        ::close(fds[1]);
        char byte;
        QCOMPARE(read(fds[0], &byte, 1), ssize_t(0)); // nothing was written
        ::close(fds[0]);
        sim->setEmergencyDescriptor(0, -1);
    }

    void aBoxRepluggedAtOnceIsOpenedAgainAndGetsItsSettings()
    {
        start(QStringLiteral("1,1"));
        HotplugMonitor hotplug;
        sim->setDeviceSetChangedHandler([&hotplug](const QByteArray &removed) {
            if (removed.isEmpty())
                hotplug.notify();
            else
                hotplug.notifyRemoved(removed);
        });
        StartOptions options;
        options.simulated = true;
        options.hotplug = &hotplug;
        Aurivent program(*core, options);
        // What the window shows for fan 3 of box 1, not saved anywhere.
        program.boxes()[1].rainbowFan[2].lightMode = LightMode::Breath;
        program.boxes()[1].rainbowFan[2].lightSpeed = 1;
        QVERIFY(bus().waitForIdle());
        const quint64 before = bus().openId(1);
        const quint64 other = bus().openId(0);
        sim->clearSent();

        QSignalSpy changed(&hotplug, &HotplugMonitor::deviceSetMayHaveChanged);
        // Away and back at once, well inside the hot-plug settle time.
        sim->unplug(1);
        sim->plug(1, 1);
        QVERIFY(changed.wait(5000));
        QCOMPARE(changed.count(), 1); // one settled change for both events...
        QVERIFY(bus().waitForIdle());

        // ...but the box is known to have gone: it is opened afresh, and gets its settings.
        QVERIFY(bus().openId(1) != before);
        QCOMPARE(bus().openId(0), other); // the other box is left alone
        QCOMPARE(bus().health(1), BoxHealth::Answering);
        std::vector<int> ports = lightingPorts(1);
        std::sort(ports.begin(), ports.end());
        QCOMPARE(ports, (std::vector<int>{1, 2, 3, 4, 5}));
        QCOMPARE(sim->lastLighting(1, 2)[4], uint8_t(Reports::effectModeByte(LightMode::Breath, 1)));
        // No reading yet on this machine: its temperature-following fans get their cap.
        for (int port = 1; port <= 5; ++port)
            QCOMPARE(lastSpeed(1)[port], Reports::fanDuty(port, 100));
        QVERIFY(lightingPorts(0).empty());
    }

    void aBoxPluggedInLateGetsItsOwnStoredProfile()
    {
        // Box 3's device file names profile 2: Blink on every fan, a fixed 900 RPM.
        ControllerBox stored;
        stored.boxType = BoxType::Rainbow;
        for (int f = 0; f < kRainbowFanCount; ++f) {
            RainbowFanRecord &fan = stored.rainbowFan[f];
            fan.isPWM = false;
            fan.isTurnOffLed = false;
            fan.speedMode = SpeedMode::Custom;
            fan.speedNum = 5;
            fan.lightMode = LightMode::Blink;
            fan.lightSpeed = 2;
            for (int i = 0; i < kColorEntries; ++i) {
                fan.rValue_Led[i] = 10 * f + i;
                fan.gValue_Led[i] = 100 + i;
                fan.bValue_Led[i] = 200 + f;
                fan.brightValue[i] = 1.0f;
            }
        }
        start(QStringLiteral("1"), "[Device0]\nBoxType=1\nProfile=1\n[Device3]\nBoxType=1\nProfile=2\n");
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(3, stored), 2));
        HotplugMonitor hotplug;
        sim->setDeviceSetChangedHandler([&hotplug](const QByteArray &removed) {
            if (removed.isEmpty())
                hotplug.notify();
            else
                hotplug.notifyRemoved(removed);
        });
        StartOptions options;
        options.simulated = true;
        options.hotplug = &hotplug;
        Aurivent program(*core, options);
        // No sensor pass of the program's own: it would send box 0 its fans' duties.
        program.effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
        QVERIFY(bus().waitForIdle());
        sim->clearSent();

        QSignalSpy changed(&hotplug, &HotplugMonitor::deviceSetMayHaveChanged);
        QCOMPARE(sim->plug(3, BoxType::Rainbow), QString());
        QVERIFY(changed.wait(5000));
        QTRY_VERIFY_WITH_TIMEOUT(bus().isOpen(3), 5000);
        QVERIFY(bus().waitForIdle());

        // Every report box 3 got, the speed poll's questions aside, in order.
        std::vector<Report> expected{Reports::probe()};
        for (int port = 1; port <= kRainbowFanCount; ++port) {
            expected.push_back(Reports::fanTargetSpeed(port, 900));
            Report blink = Reports::rainbowLighting(port, Reports::effectModeByte(LightMode::Blink, 2));
            for (int i = 0; i < 12; ++i)
                Reports::setTriple(blink, i, uint8_t(10 * (port - 1) + i), uint8_t(100 + i), uint8_t(200 + port - 1));
            expected.push_back(blink);
        }
        std::vector<Report> got;
        for (const Report &r : sentTo(sim, 3)) {
            if (r[1] == 0x33 && r[2] == 0x51)
                QCOMPARE(r, Reports::readFanSpeed(r[3]));
            else
                got.push_back(r);
        }
        QCOMPARE(got.size(), expected.size());
        for (size_t i = 0; i < got.size(); ++i) {
            if (got[i] != expected[i])
                QFAIL(qPrintable(QStringLiteral("report %1 of box 3: %2, expected %3")
                                     .arg(i)
                                     .arg(QString::fromLatin1(QByteArray((const char *)got[i].data(), 8).toHex()))
                                     .arg(QString::fromLatin1(QByteArray((const char *)expected[i].data(), 8).toHex()))));
        }
        // The record now holds the profile, so a later replug re-sends the same.
        QCOMPARE(program.boxes()[3].rainbowFan[4].lightMode, int(LightMode::Blink));
        for (const Report &r : sentTo(sim, 0))
            QCOMPARE(int(r[1]), 0x33); // box 0 is only asked, never re-sent
    }

    void aBoxAnsweringAgainGetsItsSettings()
    {
        start(QStringLiteral("1"));
        bus().setReadTimeout(30);
        Aurivent program(*core);
        silence(program);
        program.findChild<AlertView *>()->hide();
        program.alertViewReceiveData(QString());
        // It was power-cycled meanwhile: back to its defaults, and answering.
        sim->unplug(0);
        sim->plug(0, 1);
        sim->clearSent();
        program.updateSpeed(); // the old handle fails: the box is gone
        QVERIFY(bus().waitForIdle());
        QCOMPARE(bus().health(0), BoxHealth::Gone);
        program.deviceChanged();
        QVERIFY(bus().waitForIdle());
        QCOMPARE(bus().health(0), BoxHealth::Answering);
        QCOMPARE(lightingPorts(0).size(), size_t(5));
        bus().setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);
    }

    void silentThenAnsweringResendsWithoutAReplug()
    {
        start(QStringLiteral("1"));
        bus().setReadTimeout(30);
        Aurivent program(*core);
        silence(program);
        // Cleared first: the speed poll's own timer may find the box answering
        // (and re-send its settings) as soon as events run, clearSent's too.
        sim->clearSent();
        sim->mute(0, false);
        program.updateSpeed();
        QVERIFY(bus().waitForIdle());
        QCOMPARE(bus().health(0), BoxHealth::Answering);
        QCOMPARE(lightingPorts(0).size(), size_t(5));
        bus().setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);
    }
};

QTEST_MAIN(TestFanSafety)
#include "test_fansafety.moc"
