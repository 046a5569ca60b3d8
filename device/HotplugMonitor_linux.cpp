// SPDX-License-Identifier: GPL-3.0-or-later
#include "HotplugMonitor.h"

#include "common/Logging.h"

#include <QDebug>
#include <QSocketNotifier>

#include <libudev.h>

namespace {

// Watches the kernel's hidraw nodes come and go.
class UdevBackend final : public HotplugBackend {
public:
    explicit UdevBackend(HotplugMonitor *monitor)
        : m_monitor(monitor)
    {
    }

    ~UdevBackend() override
    {
        delete m_notifier;
        if (m_udevMonitor)
            udev_monitor_unref(m_udevMonitor);
        if (m_udev)
            udev_unref(m_udev);
    }

    bool start() override
    {
        if (m_notifier)
            return true;
        m_udev = udev_new();
        if (m_udev)
            m_udevMonitor = udev_monitor_new_from_netlink(m_udev, "udev");
        if (!m_udevMonitor || udev_monitor_filter_add_match_subsystem_devtype(m_udevMonitor, "hidraw", nullptr) < 0
            || udev_monitor_enable_receiving(m_udevMonitor) < 0) {
            qWarning() << "hotplug:" << "cannot watch udev; boxes plugged in later need a restart";
            return false;
        }
        m_notifier = new QSocketNotifier(udev_monitor_get_fd(m_udevMonitor), QSocketNotifier::Read);
        QObject::connect(m_notifier, &QSocketNotifier::activated, m_monitor, [this] { drain(); });
        return true;
    }

private:
    void drain()
    {
        while (udev_device *device = udev_monitor_receive_device(m_udevMonitor)) {
            const char *action = udev_device_get_action(device);
            const char *node = udev_device_get_devnode(device);
            qCDebug(lcDevice) << "hotplug:" << action << node;
            if (action && node && qstrcmp(action, "remove") == 0)
                m_monitor->notifyRemoved(QByteArray(node));
            else
                m_monitor->notify();
            udev_device_unref(device);
        }
    }

    HotplugMonitor *m_monitor;
    udev *m_udev = nullptr;
    udev_monitor *m_udevMonitor = nullptr;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace

std::unique_ptr<HotplugBackend> createHotplugBackend(HotplugMonitor *monitor)
{
    return std::make_unique<UdevBackend>(monitor);
}
