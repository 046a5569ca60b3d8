// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CurveController.h"
#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/FirmwareVersions.h"
#include "DeviceMonitor.h"
#include "ViewState.h"

// The control core: it owns the boxes as the program knows them, the device
// bus their reports travel on and the encoders that turn records into
// reports; the fan monitor that reads the fans' speeds and the device
// monitor that finds the boxes and paces the poll. Whoever runs the fans (the
// window program, the service, a test) creates one core, listens to the
// monitors' signals and hands the parts by reference to whoever needs them.
class Core {
public:
    Core();
    ~Core();
    Core(const Core &) = delete;
    Core &operator=(const Core &) = delete;

    DeviceBus &bus() { return m_bus; }
    BoxModel &boxes() { return m_boxes; }
    Encoders &encoders() { return m_encoders; }
    FanMonitor &fans() { return m_fans; }
    DeviceMonitor &devices() { return m_devices; }
    CurveController &curves() { return m_curves; }
    // What the boxes answered when last asked for their firmware (see
    // device/FirmwareReads.h); forgotten when a box goes or is opened again.
    FirmwareVersions &firmware() { return m_firmware; }
    // What the window shows of the core.
    ViewState &viewState() { return m_viewState; }

private:
    // Declared first: destroyed last, after everything that sends on it.
    DeviceBus m_bus;
    BoxModel m_boxes;
    Encoders m_encoders{m_boxes, m_bus};
    FanMonitor m_fans{m_encoders};
    DeviceMonitor m_devices{m_encoders, m_fans};
    CurveController m_curves{m_encoders};
    ViewState m_viewState;
    FirmwareVersions m_firmware;
};
