// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingFanMonitor.h"
#include "SimFixture.h"

#include "core/DeviceMonitor.h"
#include "device/FanMonitor.h"

#include <QtTest>

#include <map>
#include <memory>

namespace {

// What a device monitor told by its signals.
struct RecordingHost {
    int profile = 0;
    QString map;
    std::vector<int> checked;
    std::map<int, bool> present;
    std::vector<int> opened;

    void listen(DeviceMonitor &monitor)
    {
        QObject::connect(&monitor, &DeviceMonitor::currentProfileFound, [this](int p) { profile = p; });
        QObject::connect(&monitor, &DeviceMonitor::connectionMapChanged, [this](const QString &m) { map = m; });
        QObject::connect(&monitor, &DeviceMonitor::currentBoxChosen, [this](int box) { checked.push_back(box); });
        QObject::connect(&monitor, &DeviceMonitor::boxPresenceChanged, [this](int box, bool p) { present[box] = p; });
        QObject::connect(&monitor, &DeviceMonitor::boxNeedsSettings, [this](int box) { opened.push_back(box); });
    }
};

} // namespace

// Discovery, the speed poll and box health, as the program runs them.
class TestDeviceMonitor : public QObject {
    Q_OBJECT

private:
    TestDevices devices;
    BoxModel &boxes = devices.boxes;
    DeviceBus &bus = devices.bus;
    Encoders &encoders = devices.encoders;
    SimulatedBoxes *sim = nullptr;
    RecordingHost host;
    std::unique_ptr<FanMonitor> fans;
    std::unique_ptr<RecordingFanMonitor> told;
    std::unique_ptr<DeviceMonitor> monitor;

private slots:
    void init()
    {
        host = RecordingHost();
        bus.setReadTimeout(50);
        sim = installSimulator(boxes, bus, QStringLiteral("1,1"), false);
        boxes[1].profileValue = 3;
        fans = std::make_unique<FanMonitor>(encoders);
        told = std::make_unique<RecordingFanMonitor>(*fans, boxes);
        monitor = std::make_unique<DeviceMonitor>(encoders, *fans);
        host.listen(*monitor);
    }

    void cleanup()
    {
        monitor.reset();
        told.reset();
        fans.reset();
        bus.closeAll();
        bus.setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);
    }

    void discoveryStartsAndStopsThePoll()
    {
        QVERIFY(!monitor->isPolling());
        monitor->discover();
        QVERIFY(monitor->isPolling());
        QCOMPARE(host.map, QStringLiteral("1100000000000000"));
        QCOMPARE(host.profile, 1);
        QCOMPARE(boxes.currentBox(), 0);

        sim->unplug(0);
        monitor->deviceChanged({});
        QVERIFY(monitor->isPolling());
        QCOMPARE(boxes.currentBox(), 1);
        QCOMPARE(host.profile, 3);
        QCOMPARE(host.present[0], false);
        QCOMPARE(host.checked, std::vector<int>{1});

        sim->unplug(1);
        monitor->deviceChanged({});
        QVERIFY(!monitor->isPolling());
        QCOMPARE(host.map, QStringLiteral("0000000000000000"));

        // A box that comes back is opened, gets its settings, and is polled.
        sim->plug(1, 1);
        monitor->deviceChanged({});
        QCOMPARE(host.opened, std::vector<int>{1});
        QVERIFY(monitor->isPolling());
        monitor->stopSpeedPoll();
        QVERIFY(!monitor->isPolling());
    }

    void pollShowsTheCurrentBoxsSpeeds()
    {
        monitor->discover();
        monitor->stopSpeedPoll(); // the passes below are the test's own
        sim->clearSent();
        monitor->poll();
        QVERIFY(bus.waitForIdle());
        int queries = 0;
        for (const Report &r : sentTo(sim, 0))
            queries += r[1] == 0x33 && r[2] == 0x51 ? 1 : 0;
        QCOMPARE(queries, kRainbowFanCount);
        QTRY_COMPARE(told->speeds.size(), size_t(kRainbowFanCount));
        QVERIFY(told->alerts.empty());
    }

    void aSilentBoxIsToldAndGetsItsSettingsBack()
    {
        monitor->discover();
        monitor->stopSpeedPoll();
        sim->mute(0, true);
        for (int round = 0; round < 3; ++round) {
            monitor->poll();
            QVERIFY(bus.waitForIdle());
        }
        QTRY_COMPARE(told->silentAlerts, std::vector<int>{0});
        QCOMPARE(told->answering[0], false);
        // The health itself, for the alerts and the metrics.
        QCOMPARE(told->healthSeen[0], std::vector<BoxHealth>{BoxHealth::NotAnswering});
        QVERIFY(host.opened.empty());

        sim->mute(0, false);
        monitor->poll();
        QVERIFY(bus.waitForIdle());
        QTRY_COMPARE(told->answering[0], true);
        QCOMPARE(told->healthSeen[0], (std::vector<BoxHealth>{BoxHealth::NotAnswering, BoxHealth::Answering}));
        QCOMPARE(host.opened, std::vector<int>{0}); // it may have lost its settings

        // Once the monitor is gone no health news reaches its host.
        monitor.reset();
        sim->mute(0, true);
        for (int round = 0; round < 3; ++round) {
            fans->poll();
            QVERIFY(bus.waitForIdle());
        }
        QCOMPARE(bus.health(0), BoxHealth::NotAnswering);
        QCOMPARE(told->silentAlerts.size(), size_t(1));
    }
    // After the computer slept, every box present is told to get its
    // settings again (it may have lost power), and its turning fans get
    // their spin-up time: a fan still standing in its first readings is no
    // stall, one that stays standing is.
    void aWakeUpResendsEveryBoxAndGivesItsFansTimeToSpinUp()
    {
        monitor->discover();
        monitor->stopSpeedPoll();
        sim->unplug(1);
        monitor->deviceChanged({});
        encoders.sendFanDuty(0, 2, 60);
        monitor->poll();
        QVERIFY(bus.waitForIdle());
        QVERIFY(told->alerts.empty());
        host.opened.clear();

        monitor->resumed();
        QCOMPARE(host.opened, std::vector<int>{0});

        int zeros = 0;
        connect(fans.get(), &FanMonitor::fanSpeedRead, this, [&zeros](int box, int fan, int rpm, bool, bool) {
            if (box == 0 && fan == 2 && rpm == 0)
                ++zeros;
        });
        sim->stall(0, 2);
        for (int reading = 1; reading <= 3; ++reading) {
            monitor->poll();
            QVERIFY(bus.waitForIdle());
            QTRY_COMPARE(zeros, reading);
        }
        QVERIFY(told->alerts.empty());
        monitor->poll();
        QVERIFY(bus.waitForIdle());
        QTRY_COMPARE(told->alerts, std::vector<int>{0});
    }

    // The core keeps its monitor while windows come and go: stopped, it
    // polls and tells nothing; the next discovery listens again.
    void aStoppedMonitorIsQuietUntilItDiscoversAgain()
    {
        monitor->discover();
        QVERIFY(monitor->isPolling());
        monitor->stop();
        QVERIFY(!monitor->isPolling());
        sim->mute(0, true);
        for (int round = 0; round < 3; ++round) {
            fans->poll();
            QVERIFY(bus.waitForIdle());
        }
        QCOMPARE(bus.health(0), BoxHealth::NotAnswering);
        QVERIFY(told->silentAlerts.empty());

        sim->mute(0, false);
        monitor->discover();
        QVERIFY(monitor->isPolling());
        monitor->stopSpeedPoll();
        sim->mute(0, true);
        for (int round = 0; round < 3; ++round) {
            fans->poll();
            QVERIFY(bus.waitForIdle());
        }
        QTRY_COMPARE(told->silentAlerts, std::vector<int>{0});
    }

    void thePollAsksOneFanOfEveryBoxAtATime()
    {
        monitor->discover();
        monitor->stopSpeedPoll(); // the steps below are the test's own
        QVERIFY(bus.waitForIdle());
        sim->clearSent();
        // A box never gets its five speed queries at once: one a step, and
        // five steps make the round of a second.
        for (int step = 0; step < 2 * DeviceMonitor::kPollSteps; ++step) {
            monitor->pollStep();
            QVERIFY(bus.waitForIdle());
            for (int box = 0; box < 2; ++box) {
                std::vector<int> ports;
                for (const Report &r : sentTo(sim, box))
                    if (r[1] == 0x33 && r[2] == 0x51)
                        ports.push_back(r[3]);
                QCOMPARE(ports, std::vector<int>{1 + step % DeviceMonitor::kPollSteps});
            }
            sim->clearSent();
        }
        QTRY_COMPARE(told->speeds.size(), size_t(kRainbowFanCount));
        // A poll started again begins with the first fan.
        monitor->pollStep();
        monitor->pollStep();
        QVERIFY(bus.waitForIdle());
        sim->clearSent();
        monitor->startSpeedPoll();
        monitor->stopSpeedPoll();
        monitor->pollStep();
        QVERIFY(bus.waitForIdle());
        QCOMPARE(sentTo(sim, 0).size(), size_t(1));
        QCOMPARE(int(sentTo(sim, 0).front()[3]), 1);
    }
};

QTEST_GUILESS_MAIN(TestDeviceMonitor)
#include "test_devicemonitor.moc"
