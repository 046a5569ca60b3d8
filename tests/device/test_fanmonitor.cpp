// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingFanMonitor.h"
#include "SimFixture.h"

#include "device/FanCurve.h"
#include "device/FanMonitor.h"
#include "device/FanSpeed.h"
#include "device/Reports.h"

#include <QtTest>

#include <atomic>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

namespace {

// One round of the speed poll, with every reply handed out.
void poll(RecordingFanMonitor &host)
{
    host.monitor().poll();
    QVERIFY(bus.waitForIdle());
}

std::vector<int> polledPorts(const SimulatedBoxes *sim, int box)
{
    std::vector<int> ports;
    for (const Report &r : sentTo(sim, box))
        if (r[1] == 0x33 && r[2] == 0x51)
            ports.push_back(r[3]);
    return ports;
}

} // namespace

// Fixed speeds, the temperature curve, the speed poll and the stall alarm.
class TestFanMonitor : public QObject {
    Q_OBJECT

private slots:
    void curveAndCap()
    {
        const int curve[][2] = {{-5, 30}, {41, 30}, {42, 40}, {44, 40}, {45, 50}, {48, 60},
                                {51, 70}, {54, 80}, {57, 90}, {59, 90}, {60, 100}, {95, 100}};
        for (const auto &row : curve)
            QCOMPARE(temperatureCurveDuty(row[0]), row[1]);
        QCOMPARE(temperatureDuty(58, 2), 70);
        QCOMPARE(temperatureDuty(41, 5), 30);
        QCOMPARE(temperatureDuty(41, 0), 30);
        QCOMPARE(temperatureDuty(70, 0), 50);
        QCOMPARE(temperatureDuty(70, 5), 100);
        // The cap is the curve's ceiling for a level; a damaged level never
        // takes a fan below its lowest step.
        const int caps[][2] = {{0, 50}, {2, 70}, {5, 100}, {-3, 50}, {9, 100}};
        for (const auto &row : caps)
            QCOMPARE(temperatureCapDuty(row[0]), row[1]);
        QCOMPARE(temperatureDuty(70, -5), 50);
    }

    void temperatureDutyReachesOnlyFollowingFans()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1,0"));
        boxes[1].boxType = BoxType::Vayla;
        boxes[0].rainbowFan[0].speedPer = 2;
        boxes[0].rainbowFan[1].isPWM = false;
        boxes[0].rainbowFan[2].isMonitor = false;
        boxes[1].vaylaFan[0].speed = 1;
        boxes[1].vaylaFan[2].isPWM = false;
        applyTemperatureDuty(encoders, 58);

        std::vector<std::pair<int, int>> rainbow;
        for (const Report &r : sentTo(sim, 0))
            rainbow.emplace_back(r[3], r[5]);
        QCOMPARE(rainbow, (std::vector<std::pair<int, int>>{{1, 70}, {4, 90}, {5, 90}}));
        std::vector<std::pair<int, int>> vayla;
        for (const Report &r : sentTo(sim, 1)) {
            QCOMPARE(r[4], uint8_t(0x03));
            vayla.emplace_back(r[3], r[5]);
        }
        QCOMPARE(vayla, (std::vector<std::pair<int, int>>{{1, 60}, {2, 90}}));
    }

    void capDutyReachesOnlyFollowingFans()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1,0,-,1"));
        boxes.forgetCommandedDuties(-1);
        boxes[1].boxType = BoxType::Vayla;
        boxes[0].rainbowFan[0].speedPer = 2;
        boxes[0].rainbowFan[1].isPWM = false;
        boxes[0].rainbowFan[2].isMonitor = false;
        boxes[0].rainbowFan[3].speedPer = 0;
        boxes[1].vaylaFan[0].speed = 1;
        boxes[1].vaylaFan[2].isPWM = false;
        boxes[3].gIsConnected = false; // gone meanwhile
        applyCapDuty(encoders);

        // Exactly the reports of the duty commands, at the cap.
        QCOMPARE(sentTo(sim, 0), (std::vector<Report>{Reports::fanDuty(1, 70), Reports::fanDuty(4, 50),
                                                      Reports::fanDuty(5, 100)}));
        QCOMPARE(sentTo(sim, 1), (std::vector<Report>{Reports::vaylaDuty(1, 60), Reports::vaylaDuty(2, 100)}));
        QVERIFY(sentTo(sim, 3).empty());
        QCOMPARE(boxes.commandedDuty(0, 0), 70);
        QCOMPARE(boxes.commandedDuty(0, 1), kNoCommandedDuty);
        QCOMPARE(boxes.commandedDuty(1, 0), 60);
        QVERIFY(followsTemperature(boxes, 0, 4));
        QVERIFY(!followsTemperature(boxes, 0, 1));
        QVERIFY(!followsTemperature(boxes, 1, 3)); // a single-colour box has three fans
        QVERIFY(!followsTemperature(boxes, 16, 0));
    }

    // A speed asked of fan 4 or 5 while the box was taken for a 12-LED one
    // can answer after the user set it to three single-colour fans: that
    // reading belongs to no fan and raises nothing.
    void aLateReadingOfAFanTheBoxNoLongerHasIsDropped()
    {
        installSimulator(boxes, bus, QStringLiteral("1"));
        RecordingFanMonitor host(encoders);
        boxes[0].boxType = BoxType::Vayla;
        for (int port : {4, 5})
            host.monitor().onFanSpeed(0, port, 0);
        QVERIFY(host.alerts.empty());
        QVERIFY(host.readings.empty());
        QVERIFY(!boxes[0].rainbowFan[3].isAlarmShown && !boxes[0].rainbowFan[4].isAlarmShown);
        // Its three fans are read as ever.
        host.monitor().onFanSpeed(0, 3, 700);
        QCOMPARE(host.readings[std::make_pair(0, 2)], std::make_pair(700, false));
    }

    void silentSingleColourFanIsNoStall()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("0"));
        qint64 now = 0;
        sim->setClock([&now] { return now; });
        boxes.forgetCommandedDuties(-1);
        boxes[0].boxType = BoxType::Vayla;
        VaylaFanRecord *fans = boxes[0].vaylaFan;
        for (VaylaFanRecord *f = fans; f != fans + 3; ++f)
            f->isPWM = false;
        RecordingFanMonitor host(encoders);

        // "Silent" sends 0 %: the fan stops on purpose.
        encoders.sendVaylaSilent(0, 1);
        QCOMPARE(sentTo(sim, 0).back(), Reports::vaylaDuty(2, 0));
        QCOMPARE(boxes.commandedDuty(0, 1), 0);
        QVERIFY(boxes.isStoppedOnPurpose(0, 1));
        now += 3000;
        poll(host);
        poll(host);
        QCOMPARE(host.speeds[1], 0);
        QVERIFY(host.alerts.empty());
        QVERIFY(!host.errors[1]);
        QVERIFY(!host.boxAlarm[0]);
        host.monitor().raiseLatchedStalls();
        QVERIFY(host.alerts.empty());

        // A fan that really stalls still raises its alert.
        sim->stall(0, 2);
        poll(host);
        QCOMPARE(host.alerts, std::vector<int>{0});
        QVERIFY(host.errors[2]);
        QVERIFY(!host.errors[1]);
        // The readings go out with the latch of each, a fan stopped on purpose unlatched.
        QCOMPARE(host.readings[std::make_pair(0, 2)], std::make_pair(0, true));
        QCOMPARE(host.readings[std::make_pair(0, 1)], std::make_pair(0, false));

        // Told to turn again, it gets a few readings to spin up; a zero
        // after that is a stall again.
        encoders.sendVaylaPerformance(0, 1);
        QCOMPARE(boxes.commandedDuty(0, 1), kNoCommandedDuty);
        poll(host); // still at the start of its ramp
        QCOMPARE(host.speeds[1], 0);
        QVERIFY(!host.errors[1]);
        sim->stall(0, 1);
        poll(host);
        poll(host);
        QCOMPARE(host.alerts.size(), size_t(1));
        QVERIFY(!host.errors[1]);
        poll(host);
        QCOMPARE(host.alerts, (std::vector<int>{0, 0}));
        QVERIFY(host.errors[1]);
    }

    void onlyAZeroDutyIsAStopOnPurpose()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("0,1"));
        boxes.forgetCommandedDuties(-1);
        boxes[0].boxType = BoxType::Vayla;
        VaylaFanRecord *fans = boxes[0].vaylaFan;
        for (VaylaFanRecord *f = fans; f != fans + 3; ++f)
            f->isPWM = false;
        // At start-up and when re-applied, level 0 is 0 % as well.
        fans[0].speedMode = SpeedMode::Silent;
        sendVaylaStartSpeed(encoders, 0, 0);
        QVERIFY(boxes.isStoppedOnPurpose(0, 0));
        fans[1].speed = 0;
        resetVaylaFan(encoders, 0, 1);
        QVERIFY(boxes.isStoppedOnPurpose(0, 1));
        fans[1].speed = 2;
        resetVaylaFan(encoders, 0, 1);
        QCOMPARE(boxes.commandedDuty(0, 1), 40);
        fans[2].speedMode = SpeedMode::Performance;
        sendVaylaStartSpeed(encoders, 0, 2);
        QCOMPARE(boxes.commandedDuty(0, 2), 100);

        // A 12-LED fan is never sent less than 30 %: in "Silent" it must turn.
        encoders.sendFanDuty(1, 2, 0);
        QCOMPARE(sentTo(sim, 1).back(), Reports::fanDuty(3, 30));
        QCOMPARE(boxes.commandedDuty(1, 2), 30);
        encoders.sendFanTargetSpeed(1, 3, 400);
        QCOMPARE(boxes.commandedDuty(1, 3), kNoCommandedDuty);
        boxes.setCurrentBox(1);
        RecordingFanMonitor host(encoders);
        sim->stall(1, 2);
        poll(host);
        QCOMPARE(host.alerts, std::vector<int>{1});

        // A fan stopped on purpose is not alerted again after a device
        // change, whatever its latch says; the other latched fans are.
        boxes.setCurrentBox(0);
        fans[0].isAlarmShown = true;
        host.monitor().raiseLatchedStalls();
        QCOMPARE(host.alerts, std::vector<int>{1});
        fans[2].isAlarmShown = true;
        host.monitor().raiseLatchedStalls();
        QCOMPARE(host.alerts, (std::vector<int>{1, 0}));

        // Nothing is recorded for a box that is not there; a reopened box
        // starts afresh.
        encoders.sendVaylaSilent(5, 0);
        QCOMPARE(boxes.commandedDuty(5, 0), kNoCommandedDuty);
        boxes.forgetCommandedDuties(0);
        QVERIFY(!boxes.isStoppedOnPurpose(0, 0));
        QCOMPARE(boxes.commandedDuty(1, 2), 30);
        QCOMPARE(boxes.commandedDuty(-1, 0), kNoCommandedDuty);
        QCOMPARE(boxes.commandedDuty(0, 5), kNoCommandedDuty);
    }

    void pwmOffSendsTheStoredSpeed()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1"));
        boxes[0].rainbowFan[3].speedNum = 10;
        switchPWM(encoders, 3, true);
        QVERIFY(boxes[0].rainbowFan[3].isPWM);
        QVERIFY(sim->sent().empty());
        switchPWM(encoders, 3, false);
        QVERIFY(!boxes[0].rainbowFan[3].isPWM);
        const Report r = sentTo(sim, 0).back();
        QCOMPARE(r[3], uint8_t(4));
        QCOMPARE(r[4], uint8_t(0x02));
        QCOMPARE(r[6] + 256 * r[7], 1400);
        switchPWM(encoders, 9, false); // no such fan: refused
        QCOMPARE(sentTo(sim, 0).size(), size_t(1));
    }

    void pollAsksOnlyWatchedFansThatExist()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1,0"));
        boxes[1].boxType = BoxType::Vayla;
        boxes[0].rainbowFan[1].isMonitor = false;
        boxes[1].vaylaFan[1].isMonitor = false;
        RecordingFanMonitor host(encoders);
        poll(host);
        QCOMPARE(polledPorts(sim, 0), (std::vector<int>{1, 3, 4, 5}));
        QCOMPARE(polledPorts(sim, 1), (std::vector<int>{1, 3}));
        QVERIFY(host.alerts.empty());
        QCOMPARE(host.speeds[0], 1000);
        QCOMPARE(host.speeds.count(1), size_t(0));
    }

    void stallRaisesOneAlertUntilTheFanTurnsAgain()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1"));
        RecordingFanMonitor host(encoders);
        sim->stall(0, 2);
        poll(host);
        poll(host);
        QCOMPARE(host.alerts, std::vector<int>{0});
        QVERIFY(boxes[0].rainbowFan[2].isAlarmShown);
        QVERIFY(host.errors[2]);
        QVERIFY(host.boxAlarm[0]);
        QCOMPARE(host.speeds[2], 0);
        // Every reading goes out with its latch, for the alerts and the history.
        QCOMPARE(host.readings[std::make_pair(0, 2)], std::make_pair(0, true));
        QCOMPARE(host.readings[std::make_pair(0, 1)].second, false);

        // The alert is raised again for a latched fan after a device change.
        host.monitor().raiseLatchedStalls();
        QCOMPARE(host.alerts.size(), size_t(2));

        sim->run(0, 2);
        QTRY_VERIFY_WITH_TIMEOUT(sim->rpm(0, 2) > 0, 10000); // a little speed again
        poll(host);
        QVERIFY(!boxes[0].rainbowFan[2].isAlarmShown);
        QVERIFY(!host.errors[2]);
        QVERIFY(!host.boxAlarm[0]);
        QVERIFY(host.readings[std::make_pair(0, 2)].first > 0);
        QVERIFY(!host.readings[std::make_pair(0, 2)].second);

        sim->stall(0, 2);
        poll(host);
        QCOMPARE(host.alerts.size(), size_t(3));
    }

    // What the window does not show is still told and kept: the readings of
    // every box, which fan stalled, and when its stall clears.
    void everyBoxsReadingsAndStallsAreToldAndKept()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1,1"));
        static std::atomic<qint64> now{qint64(1) << 40}; // long after power-on: every fan at its speed
        sim->setClock([] { return now.load(); });
        FanMonitor monitor(encoders);
        QSignalSpy read(&monitor, &FanMonitor::fanSpeedRead);
        QSignalSpy raised(&monitor, &FanMonitor::stallRaised);
        QSignalSpy cleared(&monitor, &FanMonitor::stallCleared);
        sim->stall(1, 3);
        monitor.poll();
        QVERIFY(bus.waitForIdle());
        QCOMPARE(read.count(), 2 * kRainbowFanCount);
        QCOMPARE(raised.count(), 1);
        QCOMPARE(raised.at(0), (QVariantList{1, 3}));
        QVERIFY(cleared.isEmpty());
        QCOMPARE(boxes.reading(1, 3).rpm, 0);
        QVERIFY(boxes.reading(1, 3).stopped);
        QVERIFY(boxes.reading(1, 2).rpm > 0 && !boxes.reading(1, 2).stopped);
        QVERIFY(boxes.reading(0, 3).rpm > 0);
        QCOMPARE(boxes.reading(0, kRainbowFanCount).rpm, -1); // no such fan, no reading

        sim->run(1, 3);
        now += 60 * 1000; // a minute later: up to speed again
        monitor.poll();
        monitor.poll();
        QVERIFY(bus.waitForIdle());
        QCOMPARE(cleared.count(), 1);
        QCOMPARE(cleared.at(0), (QVariantList{1, 3}));
        QVERIFY(!boxes.reading(1, 3).stopped && boxes.reading(1, 3).rpm > 0);

        // A box whose kind of fans changed has no readings to show any more.
        boxes.forgetReadings(1);
        QCOMPARE(boxes.reading(1, 2).rpm, -1);
        QVERIFY(boxes.reading(0, 3).rpm > 0);
    }

    void unwatchedOrExemptFansRaiseNothing()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1,0,1"));
        boxes[1].boxType = BoxType::Vayla;
        boxes.setCurrentBox(1);
        RecordingFanMonitor host(encoders);
        boxes[0].rainbowFan[0].fanType = 1; // a pump or a fan without a tacho signal
        boxes[0].rainbowFan[0].isAlarmShown = true;
        sim->stall(0, 0);
        boxes[0].rainbowFan[1].isMonitor = false;
        sim->stall(0, 1);
        poll(host);
        QVERIFY(host.alerts.empty());
        QVERIFY(!boxes[0].rainbowFan[0].isAlarmShown); // exempt fans clear their latch
        QVERIFY(host.speeds.size() == 3);                  // only the current (single-colour) box is shown

        // A single-colour fan stalls: one alert, its error shown, box alarm style on.
        sim->stall(1, 1);
        poll(host);
        QCOMPARE(host.alerts, std::vector<int>{1});
        QVERIFY(host.errors[1]);
        QVERIFY(host.boxAlarm[1]);
        QVERIFY(!host.boxAlarm[0]);
    }

    void fixedSpeedsOfSingleColourFans()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("0"));
        VaylaFanRecord *fans = boxes[0].vaylaFan;
        for (VaylaFanRecord *f = fans; f != fans + 3; ++f)
            f->isPWM = false;
        fans[0].speedMode = SpeedMode::Custom;
        fans[0].speed = 2;
        fans[1].speedMode = SpeedMode::Silent;
        fans[2].speedMode = SpeedMode::Performance;
        for (int f = 0; f < 3; ++f)
            sendVaylaStartSpeed(encoders, 0, f);
        std::vector<int> duty;
        for (const Report &r : sentTo(sim, 0))
            duty.push_back(r[5]);
        QCOMPARE(duty, (std::vector<int>{40, 0, 100}));

        sim->clearSent();
        fans[2].speed = 3;
        resetVaylaFan(encoders, 0, 2); // its level, whatever the mode
        QCOMPARE(sentTo(sim, 0).back()[5], uint8_t(60));
        fans[2].isPWM = true;
        resetVaylaFan(encoders, 0, 2);
        QCOMPARE(sentTo(sim, 0).size(), size_t(1));
    }
};

QTEST_GUILESS_MAIN(TestFanMonitor)
#include "test_fanmonitor.moc"
