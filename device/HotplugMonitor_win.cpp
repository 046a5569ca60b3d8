// SPDX-License-Identifier: GPL-3.0-or-later
#include "HotplugMonitor.h"

namespace {

// Windows announces device changes as WM_DEVICECHANGE (0x219) to the
// application window; its nativeEvent hook calls HotplugMonitor::notify().
class WindowMessageBackend final : public HotplugBackend {
public:
    bool start() override { return true; }
};

} // namespace

std::unique_ptr<HotplugBackend> createHotplugBackend(HotplugMonitor *)
{
    return std::make_unique<WindowMessageBackend>();
}
