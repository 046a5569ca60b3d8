// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFixture.h"

#include "device/HotplugMonitor.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

// Discovery and device-change handling on simulated boxes.
class TestDiscovery : public QObject {
    Q_OBJECT

private slots:
    void findsBoxesInTheirSlots()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("-,1,-,-,0"), false);
        boxes[1].profileValue = 3;
        RecordingDiscoveryHost host;
        resetControllers(boxes, bus, host);

        QCOMPARE(boxes.connectionMap(), QStringLiteral("0100100000000000"));
        QCOMPARE(boxes.quickScanMap(), boxes.connectionMap());
        QCOMPARE(boxes.currentBox(), 1);
        QCOMPARE(host.currentProfile, 3);
        QVERIFY(host.speedPollRunning);
        QCOMPARE(host.announced, boxes.connectionMap());
        for (int i = 0; i < kBoxCount; ++i)
            QCOMPARE(boxes[i].gIsConnected, i == 1 || i == 4);
        QVERIFY(bus.isOpen(1) && bus.isOpen(4));

        // Only the two boxes got a report: the probe.
        QCOMPARE(sim->sent().size(), size_t(2));
        for (const auto &s : sim->sent()) {
            QCOMPARE(s.report[1], uint8_t(0xFE));
            QCOMPARE(s.report[2], uint8_t(0x33));
        }
    }

    void noBoxLeavesTheCurrentBoxAndPollAlone()
    {
        installSimulator(boxes, bus, QStringLiteral("-"), false);
        boxes.setCurrentBox(7);
        RecordingDiscoveryHost host;
        host.currentProfile = 4;
        resetControllers(boxes, bus, host);
        QCOMPARE(boxes.connectionMap(), QString(16, QLatin1Char('0')));
        QCOMPARE(boxes.currentBox(), 7);
        QCOMPARE(host.currentProfile, 4);
        QVERIFY(!host.speedPollRunning);
    }

    void unrelatedChangeSendsNothing()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("-,1,-,-,0"), false);
        RecordingDiscoveryHost host;
        resetControllers(boxes, bus, host);
        sim->clearSent();
        const quint64 before = bus.openId(1);

        QVERIFY(!handleDeviceChange(boxes, bus, host));
        QCOMPARE(boxes.quickScanMap(), boxes.connectionMap());
        QVERIFY(sim->sent().empty());
        QCOMPARE(bus.openId(1), before); // nothing reopened
        QVERIFY(host.speedPollRunning);       // the poll goes on
        QCOMPARE(host.fanViewResets, 0);
    }

    void unplugCurrentBoxMakesLowestRemainingCurrent()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("-,1,-,1,0"), false);
        RecordingDiscoveryHost host;
        resetControllers(boxes, bus, host);
        QCOMPARE(boxes.currentBox(), 1);

        sim->unplug(1);
        QVERIFY(handleDeviceChange(boxes, bus, host));
        QCOMPARE(boxes.connectionMap(), QStringLiteral("0001100000000000"));
        QCOMPARE(boxes.currentBox(), 3);
        QVERIFY(!host.checkedButtons.empty());
        QCOMPARE(host.checkedButtons.back(), 3);
        QVERIFY(!host.present[1]);
        QVERIFY(host.present[3] && host.present[4]);
        QCOMPARE(host.fanViewResets, 1);

        // A box plugged in later is found and probed, but gets no settings.
        sim->clearSent();
        sim->plug(0, 1);
        QVERIFY(handleDeviceChange(boxes, bus, host));
        QVERIFY(boxes[0].gIsConnected);
        QCOMPARE(boxes.currentBox(), 0); // the lowest box becomes current again
        for (const auto &s : sim->sent())
            QCOMPARE(s.report[1], uint8_t(0xFE));
    }

    void unplugLastBoxKeepsTheCurrentNumber()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("-,-,1"), false);
        RecordingDiscoveryHost host;
        resetControllers(boxes, bus, host);
        QCOMPARE(boxes.currentBox(), 2);

        sim->unplug(2);
        QVERIFY(handleDeviceChange(boxes, bus, host));
        QCOMPARE(boxes.currentBox(), 2);
        for (bool p : host.present)
            QVERIFY(!p);
        QVERIFY(!host.speedPollRunning);
        QVERIFY(!boxes[2].gIsConnected);
    }

    void aBurstOfEventsGivesOneSignal()
    {
        HotplugMonitor monitor;
        QSignalSpy spy(&monitor, &HotplugMonitor::deviceSetMayHaveChanged);
        for (int i = 0; i < 20; ++i)
            monitor.notify();
        QVERIFY(spy.wait(5 * HotplugMonitor::kSettleMs));
        // One change more: its signal comes after any the burst would still
        // have made, so the count then says how many the burst made.
        monitor.notify();
        QTRY_VERIFY_WITH_TIMEOUT(spy.count() >= 2, 30000);
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestDiscovery)
#include "test_discovery.moc"
