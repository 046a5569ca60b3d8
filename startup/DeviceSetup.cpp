// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceSetup.h"

#include "CommandLine.h"
#include "device/DeviceBus.h"
#include "device/HidTransport.h"
#include "device/HotplugMonitor.h"
#include "device/ProtocolTrace.h"
#include "device/sim/SimControlServer.h"
#include "device/sim/SimulatedBoxes.h"
#include "SessionTransport.h"

bool DeviceSetup::apply(const CommandLine &line, DeviceBus &bus, HotplugMonitor *hotplug, QObject *owner,
                        QString *error)
{
    bus.setPipelineDepth(line.writeThenRead ? 1 : DeviceBus::kDefaultPipelineDepth);
    if (!line.hidTrace.isEmpty()) {
        auto trace = std::make_unique<ProtocolTrace>(line.hidTrace);
        if (!trace->isOpen()) {
            *error = QStringLiteral("cannot write the trace file %1: %2").arg(line.hidTrace, trace->errorString());
            return false;
        }
        bus.setTrace(std::move(trace));
    }
    if (!line.simulateSet) {
        bus.setTransport(std::make_unique<SessionTransport>(std::unique_ptr<HidTransport>(createHidapiTransport())));
        return true;
    }
    auto boxes = std::make_unique<SimulatedBoxes>();
    QString specError;
    if (!boxes->plugFromSpec(line.simulate, &specError)) {
        *error = QStringLiteral("--simulate=%1: %2").arg(line.simulate, specError);
        return false;
    }
    if (!line.simulateLatency.isEmpty()) {
        bool ok = false;
        const int ms = line.simulateLatency.toInt(&ok);
        if (!ok || ms < 0 || ms > 60000) {
            *error = QStringLiteral("--simulate-latency=%1: milliseconds 0-60000").arg(line.simulateLatency);
            return false;
        }
        boxes->setDefaultLatency(ms);
    }
    if (hotplug)
        boxes->setDeviceSetChangedHandler([hotplug](const QByteArray &removed) {
            if (removed.isEmpty())
                hotplug->notify();
            else
                hotplug->notifyRemoved(removed);
        });
    simulator = boxes.get();
    bus.setTransport(std::move(boxes));
    if (!line.simulateControl.isEmpty()) {
        auto *control = new SimControlServer(simulator, owner);
        if (!control->listen(line.simulateControl, error)) {
            *error = QStringLiteral("--simulate-control=%1: %2").arg(line.simulateControl, *error);
            return false;
        }
    }
    return true;
}
