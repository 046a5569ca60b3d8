// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "power/SleepWatch.h"

#include <QDBusConnection>

// systemd-logind's PrepareForSleep on a system bus. Only listens: no
// inhibitor is taken, because nothing has to reach the boxes before the
// computer sleeps - what matters is what they are sent after it wakes.
class LogindSleepWatch : public SleepWatch {
    Q_OBJECT
public:
    // `bus` is the system bus; tests give one of their own.
    explicit LogindSleepWatch(const QDBusConnection &bus, QObject *parent = nullptr);

    bool listening() const override { return m_listening; }

private slots:
    void prepareForSleep(bool sleeping);

private:
    bool m_listening = false;
};
