// SPDX-License-Identifier: GPL-3.0-or-later
#include "power/SleepWatch.h"

#include "common/Logging.h"

#include <QMetaObject>
#include <QPointer>

#include <windows.h>
#include <powrprof.h>

namespace {

// The power notifications arrive on a thread of the system's: they are
// handed to the watch's own thread.
class PowerSleepWatch : public SleepWatch {
public:
    explicit PowerSleepWatch(QObject *parent)
        : SleepWatch(parent)
    {
        m_params.Callback = &PowerSleepWatch::onPower;
        m_params.Context = this;
        const DWORD result = PowerRegisterSuspendResumeNotification(DEVICE_NOTIFY_CALLBACK, &m_params, &m_handle);
        m_listening = result == ERROR_SUCCESS;
        if (!m_listening)
            qCInfo(lcApp) << "no power notifications (error" << result
                          << "): boxes are not sent their settings again after sleep";
    }

    ~PowerSleepWatch() override
    {
        if (m_listening)
            PowerUnregisterSuspendResumeNotification(m_handle);
    }

    bool listening() const override { return m_listening; }

private:
    static ULONG CALLBACK onPower(PVOID context, ULONG type, PVOID)
    {
        auto *watch = static_cast<PowerSleepWatch *>(context);
        if (type == PBT_APMSUSPEND)
            QMetaObject::invokeMethod(watch, [watch] { emit watch->aboutToSleep(); }, Qt::QueuedConnection);
        else if (type == PBT_APMRESUMEAUTOMATIC)
            QMetaObject::invokeMethod(watch, [watch] { emit watch->resumed(); }, Qt::QueuedConnection);
        return ERROR_SUCCESS;
    }

    DEVICE_NOTIFY_SUBSCRIBE_PARAMETERS m_params{};
    HPOWERNOTIFY m_handle = nullptr;
    bool m_listening = false;
};

} // namespace

SleepWatch *SleepWatch::create(QObject *parent)
{
    return new PowerSleepWatch(parent);
}
