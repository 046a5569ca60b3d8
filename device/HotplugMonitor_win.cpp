// SPDX-License-Identifier: GPL-3.0-or-later
#include "HotplugMonitor.h"

#include "common/HiddenWindow.h"

#include <QDebug>

namespace {

constexpr unsigned kDeviceChange = 0x219; // WM_DEVICECHANGE

// Windows announces device changes as WM_DEVICECHANGE to every top-level
// window: a hidden one of the monitor's own hears them, with or without a
// window on screen (the service has none).
class WindowMessageBackend final : public HotplugBackend {
public:
    explicit WindowMessageBackend(HotplugMonitor *monitor)
        : m_monitor(monitor)
    {
    }

    bool start() override
    {
        // No title: senders of numbered commands look for the titled one.
        m_window = std::make_unique<HiddenWindow>(L"", [this](unsigned message, std::uintptr_t, std::intptr_t) {
            if (message != kDeviceChange)
                return false;
            m_monitor->notify();
            return true;
        });
        if (!m_window->isOpen()) {
            qWarning() << "hot-plug: no window for device changes; boxes plugged in later are not seen";
            m_window.reset();
            return false;
        }
        return true;
    }

private:
    HotplugMonitor *m_monitor;
    std::unique_ptr<HiddenWindow> m_window;
};

} // namespace

std::unique_ptr<HotplugBackend> createHotplugBackend(HotplugMonitor *monitor)
{
    return std::make_unique<WindowMessageBackend>(monitor);
}
