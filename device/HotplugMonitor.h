// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QTimer>

#include <memory>

class HotplugBackend;

// Tells the program that the set of USB devices may have changed. The
// platform backend (udev on Linux; WM_DEVICECHANGE, fed through notify(), on
// Windows) and the box simulator all end in notify(). A burst of events – one
// box plugged in raises several – gives one signal once things have settled.
class HotplugMonitor : public QObject {
    Q_OBJECT
public:
    static constexpr int kSettleMs = 300;

    explicit HotplugMonitor(QObject *parent = nullptr);
    ~HotplugMonitor() override;

    // Starts watching the platform; false (with a log line) if it cannot.
    bool start();

    // Something changed; the signal follows once no further event comes for kSettleMs.
    void notify();
    // A device node went away (it may be back before the signal): remembered
    // until the next takeRemovedNodes().
    void notifyRemoved(const QByteArray &node);
    // The nodes that went away since the last call, for the handler of the signal.
    QList<QByteArray> takeRemovedNodes();

signals:
    void deviceSetMayHaveChanged();

private:
    QTimer m_settle;
    QList<QByteArray> m_removed;
    std::unique_ptr<HotplugBackend> m_backend;
};

// One per platform (HotplugMonitor_linux.cpp, HotplugMonitor_win.cpp).
class HotplugBackend {
public:
    virtual ~HotplugBackend() = default;
    virtual bool start() = 0;
};
std::unique_ptr<HotplugBackend> createHotplugBackend(HotplugMonitor *monitor);
