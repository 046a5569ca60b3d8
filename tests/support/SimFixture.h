// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/Encoders.h"
#include "device/HidTransport.h"
#include "device/ProtocolTrace.h"
#include "device/Discovery.h"
#include "device/Report.h"
#include "device/sim/SimulatedBoxes.h"

#include <QString>

#include <memory>
#include <vector>

// The device side of the program as the core holds it: a bus, the box model
// and the encoders bound to both.
struct TestDevices {
    DeviceBus bus;
    BoxModel boxes;
    Encoders encoders{boxes, bus};
};

// Puts fresh simulated boxes behind the device bus. `spec` is the --simulate
// form ("-,1,-,-,0").
inline SimulatedBoxes *installSimulatedBoxes(DeviceBus &bus, const QString &spec)
{
    auto boxes = std::make_unique<SimulatedBoxes>();
    QString error;
    boxes->plugFromSpec(spec, &error);
    SimulatedBoxes *sim = boxes.get();
    // What the boxes received is looked at only once everything sent so far got there.
    sim->setSettleHandler([&bus] { bus.waitForIdle(); });
    bus.setTrace(nullptr);
    bus.setTransport(std::move(boxes));
    return sim;
}

// The same with a clean box model in front, discovered unless `discover` is false.
inline SimulatedBoxes *installSimulator(BoxModel &model, DeviceBus &bus, const QString &spec, bool discover = true)
{
    model.reset();
    SimulatedBoxes *sim = installSimulatedBoxes(bus, spec);
    if (discover) {
        setupAllControllerBox(model, bus);
        sim->clearSent();
    }
    return sim;
}

inline SimulatedBoxes *installSimulator(TestDevices &devices, const QString &spec, bool discover = true)
{
    return installSimulator(devices.boxes, devices.bus, spec, discover);
}

// The reports a box received, in order.
inline std::vector<Report> sentTo(const SimulatedBoxes *sim, int box)
{
    std::vector<Report> out;
    for (const auto &s : sim->sent())
        if (s.box == box)
            out.push_back(s.report);
    return out;
}

// The lighting reports (0x32) of one kind a box received on one port, in order.
inline std::vector<Report> lightingReportsOf(const SimulatedBoxes *sim, int box, uint8_t kind, int port)
{
    std::vector<Report> out;
    for (const Report &r : sentTo(sim, box))
        if (r[1] == 0x32 && r[2] == kind && r[3] == port)
            out.push_back(r);
    return out;
}

// The duty (kind 01) or level (kind 03) reports a box received, as (port, percent), in order.
using SentDuties = std::vector<std::pair<int, int>>;
inline SentDuties sentDuties(const SimulatedBoxes *sim, int box)
{
    SentDuties out;
    for (const Report &r : sentTo(sim, box))
        if (r[1] == 0x32 && r[2] == 0x51 && (r[4] == 0x01 || r[4] == 0x03))
            out.emplace_back(r[3], r[5]);
    return out;
}

// A host that records what discovery asked of the program.
class RecordingDiscoveryHost final : public DiscoveryHost {
public:
    bool speedPollRunning = false;
    int speedPollStarts = 0;
    int currentProfile = 0;
    QString announced;
    std::vector<int> checkedButtons;
    bool present[kBoxCount] = {};
    int fanViewResets = 0;
    std::vector<int> opened;

    void startSpeedPoll() override
    {
        if (!speedPollRunning)
            ++speedPollStarts;
        speedPollRunning = true;
    }
    void stopSpeedPoll() override { speedPollRunning = false; }
    void setCurrentProfile(int profile) override { currentProfile = profile; }
    void announceConnectionMap(const QString &map) override { announced = map; }
    void checkBoxButton(int box) override { checkedButtons.push_back(box); }
    void setBoxButtonPresent(int box, bool p) override { present[box] = p; }
    void resetFanView() override { ++fanViewResets; }
    void boxOpened(int box) override { opened.push_back(box); }
};
