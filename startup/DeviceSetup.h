// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class DeviceBus;
class HotplugMonitor;
class QObject;
class SimulatedBoxes;
struct CommandLine;

// Puts the real or the simulated boxes behind the device bus, with the
// protocol trace and the simulator's control socket when asked for.
// Returns false with *error set when an option cannot be honoured.
struct DeviceSetup {
    SimulatedBoxes *simulator = nullptr; // owned by the device bus; null for real boxes

    bool apply(const CommandLine &line, DeviceBus &bus, HotplugMonitor *hotplug, QObject *owner, QString *error);
};
