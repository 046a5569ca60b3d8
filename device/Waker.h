// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include <functional>
#include <memory>

// Wakes the thread that made it, from any thread, to run one callback there.
// Wakes that come while one is pending fold into it. The hand-off is made of
// plain system calls, so nothing but the callback's own locks orders the data
// it picks up. Backends: an eventfd watched by the event loop on Linux, a
// queued call elsewhere.
class Waker : public QObject {
public:
    // Created on the thread that runs `onWake`, which needs an event loop.
    explicit Waker(std::function<void()> onWake, QObject *parent = nullptr);
    ~Waker() override;

    // Thread-safe.
    void wake();

private:
    void fire();

    struct Backend;
    std::unique_ptr<Backend> m_backend;
    std::function<void()> m_onWake;
};
