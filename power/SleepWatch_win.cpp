// SPDX-License-Identifier: GPL-3.0-or-later
#include "power/SleepWatch.h"

#include "common/HiddenWindow.h"
#include "common/Logging.h"

#include <memory>

namespace {

constexpr unsigned kPowerBroadcast = 0x218;  // WM_POWERBROADCAST
constexpr std::uintptr_t kSuspend = 0x4;     // PBT_APMSUSPEND
constexpr std::uintptr_t kResumed = 0x12;    // PBT_APMRESUMEAUTOMATIC: also when nobody touched a key

// Windows tells every top-level window of the going to sleep and the waking
// up; a hidden one of the watch's own hears it on the watch's thread, with or
// without a window on screen.
class PowerSleepWatch : public SleepWatch {
public:
    explicit PowerSleepWatch(QObject *parent)
        : SleepWatch(parent)
        , m_window(std::make_unique<HiddenWindow>(L"", [this](unsigned message, std::uintptr_t event, std::intptr_t) {
            if (message != kPowerBroadcast)
                return false;
            if (event == kSuspend)
                emit aboutToSleep();
            else if (event == kResumed)
                emit resumed();
            return true;
        }))
    {
        if (!m_window->isOpen())
            qCInfo(lcApp) << "no power notifications: boxes are not sent their settings again after sleep";
    }

    bool listening() const override { return m_window->isOpen(); }

private:
    std::unique_ptr<HiddenWindow> m_window;
};

} // namespace

SleepWatch *SleepWatch::create(QObject *parent)
{
    return new PowerSleepWatch(parent);
}
