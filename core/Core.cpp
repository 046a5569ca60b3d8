// SPDX-License-Identifier: GPL-3.0-or-later
#include "Core.h"

Core::Core()
{
    // A box that goes, or a slot opened again, may hold another box next.
    QObject::connect(&m_devices, &DeviceMonitor::boxOpenedAfresh, [this](int box) { m_firmware.clear(box); });
    QObject::connect(&m_fans, &FanMonitor::boxHealthChanged, [this](int box, BoxHealth health) {
        if (health == BoxHealth::Gone)
            m_firmware.clear(box);
    });
}

Core::~Core()
{
    // Nothing queued may reach a box after the core is gone.
    m_bus.closeAll();
}
