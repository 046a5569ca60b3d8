// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "DeviceSetup.h"
#include "channel/CommandChannel.h"
#include "core/Core.h"
#include "device/HotplugMonitor.h"

#include <QString>

class CommandLine;
class QObject;

// The part of a start the window program and the service share once they
// will drive the fans: the boxes (real, simulated or traced) on the core's
// bus, hot-plug, the command channel, the termination signals and the crash
// safety, in that order. main() owns it for the program's life.
struct DriveStart {
    Core core;
    HotplugMonitor hotplug;
    DeviceSetup devices;
    CommandChannel channel;

    // False when the boxes the line asks for cannot be opened; `error` says
    // why and nothing else was started.
    bool start(const CommandLine &line, QObject *app, QString *error);
};
