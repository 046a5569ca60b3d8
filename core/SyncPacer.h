// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <functional>

// Refreshes asked for by the phone, which can send far more commands than a
// screen can show: all asks of one turn of the event loop (and at most one
// a frame) become one call of the refresh it is given.
class SyncPacer : public QObject {
    Q_OBJECT
public:
    static constexpr int kFrameMs = 16;

    explicit SyncPacer(std::function<void()> refresh, QObject *parent = nullptr);

    void request();
    bool isPending() const { return m_pending; }
    // Runs a pending refresh now.
    void flush();

private:
    std::function<void()> m_refresh;
    QTimer m_timer;
    QElapsedTimer m_sinceLast;
    bool m_pending = false;
};
