// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFixture.h"

#include "device/Encoders.h"
#include "device/FanSpeed.h"
#include "device/Reports.h"

#include <QtTest>

// The box model is owned, not shared: what one model holds reaches the wire
// only through the calls it is handed to.
class TestBoxModel : public QObject {
    Q_OBJECT

private:
    SimulatedBoxes *sim = nullptr;
    TestDevices devices;
    BoxModel &boxes = devices.boxes;
    DeviceBus &bus = devices.bus;
    Encoders &encoders = devices.encoders;

    std::vector<Report> lightingTo(int box)
    {
        std::vector<Report> out;
        for (const Report &r : sentTo(sim, box))
            if (r[1] == 0x32 && r[2] == 0x52)
                out.push_back(r);
        return out;
    }

private slots:
    void init() { sim = installSimulator(boxes, bus, QStringLiteral("1,1")); }

    void modelsShareNothing()
    {
        BoxModel other; // never discovered: no box is connected in it
        QVERIFY(boxes.isConnected(0) && !other.isConnected(0));
        Encoders(other, bus).sendCommand_Snake(0, 0, 1);
        Encoders(other, bus).sendCommand_FanDuty(1, 2, 80);
        QVERIFY(bus.waitForIdle());
        QVERIFY(sentTo(sim, 0).empty());
        QVERIFY(sentTo(sim, 1).empty());

        // A record changed in one model is not seen by the other.
        other[0].rainbowFan[0].lightSpeed = 3;
        QCOMPARE(boxes[0].rainbowFan[0].lightSpeed, 0);
        encoders.sendCommand_Snake(0, 0, boxes[0].rainbowFan[0].lightSpeed);
        QVERIFY(bus.waitForIdle());
        QCOMPARE(lightingTo(0).size(), size_t(1));
    }

    // Two sets of boxes side by side (two cores, or a core and a test's own):
    // neither the links nor what the fans were told cross over.
    void busesAndCommandedDutiesShareNothing()
    {
        TestDevices second;
        SimulatedBoxes *secondSim = installSimulator(second, QStringLiteral("1,1"));
        QVERIFY(second.bus.isOpen(0) && bus.isOpen(0));
        QVERIFY(second.bus.openId(0) != 0);

        encoders.sendFanDuty(0, 1, 60);
        second.encoders.sendVaylaSilent(1, 2);
        QVERIFY(bus.waitForIdle() && second.bus.waitForIdle());
        QCOMPARE(sentTo(sim, 0), std::vector<Report>{Reports::fanDuty(2, 60)});
        QVERIFY(sentTo(sim, 1).empty());
        QVERIFY(sentTo(secondSim, 0).empty());
        QCOMPARE(sentTo(secondSim, 1), std::vector<Report>{Reports::vaylaDuty(3, 0)});

        QCOMPARE(boxes.commandedDuty(0, 1), 60);
        QCOMPARE(second.boxes.commandedDuty(0, 1), kNoCommandedDuty);
        QVERIFY(second.boxes.isStoppedOnPurpose(1, 2));
        QVERIFY(!boxes.isStoppedOnPurpose(1, 2));

        // Closing one bus leaves the other's boxes open.
        second.bus.closeAll();
        QVERIFY(bus.isOpen(0) && bus.isOpen(1) && !second.bus.isOpen(0));

        // A model put back to its start forgets what its fans were told.
        boxes.reset();
        QCOMPARE(boxes.commandedDuty(0, 1), kNoCommandedDuty);
    }

    void currentBoxAndReset()
    {
        boxes.setCurrentBox(1);
        QTest::ignoreMessage(QtWarningMsg, "current box refused: 16");
        boxes.setCurrentBox(kBoxCount);
        QTest::ignoreMessage(QtWarningMsg, "current box refused: -1");
        boxes.setCurrentBox(-1);
        QCOMPARE(boxes.currentBox(), 1);
        QVERIFY(!boxes.isConnected(-1) && !boxes.isConnected(kBoxCount) && !boxes.isConnected(2));

        QCOMPARE(boxes.connectionMap(), QStringLiteral("1100000000000000"));
        boxes.setQuickScanMap(QStringLiteral("0100000000000000"));
        boxes[15].profileValue = 4;
        boxes[1].vaylaFan[2].rValue = 9;
        boxes.reset();
        QCOMPARE(boxes.currentBox(), 0);
        QVERIFY(boxes.connectionMap().isEmpty() && boxes.quickScanMap().isEmpty());
        QVERIFY(!boxes.isConnected(0) && !boxes.isConnected(1));
        QCOMPARE(boxes[15].profileValue, 1);
        QCOMPARE(boxes[1].vaylaFan[2].rValue, 255);
        int count = 0;
        for (const ControllerBox &box : boxes)
            count += box.gIsConnected ? 100 : 1;
        QCOMPARE(count, kBoxCount);
    }

    void encodersAddressTheBoxTheyAreGiven()
    {
        // The preview takes the look of the box it is told, not the current one.
        boxes.setCurrentBox(0);
        boxes[0].rainbowFan[1].lightMode = LightMode::Whirl;
        boxes[1].rainbowFan[1].lightMode = LightMode::Radar;
        encoders.sendCommand_Default(0, 1, 1);
        QVERIFY(bus.waitForIdle());
        const std::vector<Report> sent = sentTo(sim, 0);
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(sent.back()[4], Reports::defaultPreview(2, LightMode::Radar, 0)[4]);
        QVERIFY(sent.back()[4] != Reports::defaultPreview(2, LightMode::Whirl, 0)[4]);

        // The firmware read asks the box it is given.
        sim->clearSent();
        QCOMPARE(encoders.readFirmwareVersion(1), QStringLiteral("1.2.3"));
        QVERIFY(sentTo(sim, 0).empty());
        QCOMPARE(sentTo(sim, 1).size(), size_t(1));
        boxes[1].gIsConnected = false;
        QCOMPARE(encoders.readFirmwareVersion(1), QStringLiteral("0"));
        QCOMPARE(encoders.readFirmwareVersion(kBoxCount), QStringLiteral("0"));
    }

    void discoveryFillsTheModelItIsGiven()
    {
        BoxModel fresh;
        fresh[1].profileValue = 3;
        RecordingDiscoveryHost host;
        resetControllers(fresh, bus, host);
        QVERIFY(fresh.isConnected(0) && fresh.isConnected(1) && !fresh.isConnected(2));
        QCOMPARE(fresh.connectionMap(), QStringLiteral("1100000000000000"));
        QCOMPARE(fresh.quickScanMap(), fresh.connectionMap());
        QCOMPARE(host.announced, fresh.connectionMap());
        QCOMPARE(host.currentProfile, 1);

        sim->unplug(0);
        QVERIFY(handleDeviceChange(fresh, bus, host));
        QVERIFY(!fresh.isConnected(0) && fresh.isConnected(1));
        QCOMPARE(fresh.currentBox(), 1);
        QCOMPARE(host.currentProfile, 3);
        QCOMPARE(fresh.connectionMap(), QStringLiteral("0100000000000000"));
    }
};

QTEST_GUILESS_MAIN(TestBoxModel)
#include "test_boxmodel.moc"
