// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

// The computer going to sleep and waking up again, as the system tells it.
// Only the news: what the program does about them is wired elsewhere.
class SleepWatch : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // The system's own watch (systemd-logind on Linux, the power
    // notifications on Windows). Where the system gives no news, it says so
    // once in the log and never signals.
    static SleepWatch *create(QObject *parent = nullptr);

    // Whether news can come at all.
    virtual bool listening() const = 0;

signals:
    void aboutToSleep();
    void resumed();
};
