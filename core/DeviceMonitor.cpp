// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceMonitor.h"

#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/CrashSafety.h"
#include "device/DeviceBus.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"

#include <QTimer>

DeviceMonitor::DeviceMonitor(Encoders &encoders, FanMonitor &fans, QObject *parent)
    : QObject(parent)
    , m_encoders(encoders)
    , m_boxes(encoders.boxes())
    , m_fans(fans)
    , m_pollTimer(new QTimer(this))
{
    listenToHealth();
    connect(m_pollTimer, &QTimer::timeout, this, &DeviceMonitor::pollStep, Qt::DirectConnection);
    qCDebug(lcApp) << "setupTimer start";
}

DeviceMonitor::~DeviceMonitor()
{
    // No health news may reach a listener that is going away.
    m_encoders.bus().setHealthHandler(nullptr);
}

void DeviceMonitor::listenToHealth()
{
    m_encoders.bus().setHealthHandler([this](int box, BoxHealth health) {
        m_fans.onBoxHealth(box, health);
        // Told only on a change: answering again after silence, maybe after a
        // power cycle that put the box back to its defaults.
        if (health == BoxHealth::Answering)
            emit boxNeedsSettings(box);
    });
}

void DeviceMonitor::stop()
{
    stopSpeedPoll();
    m_encoders.bus().setHealthHandler(nullptr);
}

void DeviceMonitor::discover()
{
    listenToHealth();
    resetControllers(m_boxes, m_encoders.bus(), *this);
}

void DeviceMonitor::deviceChanged(const QList<QByteArray> &removedNodes)
{
    handleDeviceChange(m_boxes, m_encoders.bus(), *this, removedNodes);
}

void DeviceMonitor::resumed()
{
    m_boxes.giveSpinUpTime();
    for (int b = 0; b < kBoxCount; ++b) {
        if (m_boxes[b].gIsConnected)
            emit boxNeedsSettings(b);
    }
}

void DeviceMonitor::poll()
{
    m_fans.poll();
    // What a crash would leave the fans at, kept up to date once a second.
    CrashSafety::prepare(crashReports(m_boxes, m_encoders.bus()));
}

void DeviceMonitor::pollStep()
{
    const int fan = m_pollStep;
    m_pollStep = (m_pollStep + 1) % kPollSteps;
    m_fans.poll(fan);
    if (fan == 0)
        CrashSafety::prepare(crashReports(m_boxes, m_encoders.bus()));
}

void DeviceMonitor::startSpeedPoll()
{
    if (!m_pollTimer->isActive()) {
        m_pollStep = 0;
        m_pollTimer->start(kPollMs / kPollSteps);
    }
}

void DeviceMonitor::stopSpeedPoll()
{
    if (m_pollTimer->isActive())
        m_pollTimer->stop();
}

bool DeviceMonitor::isPolling() const
{
    return m_pollTimer->isActive();
}

void DeviceMonitor::setCurrentProfile(int profile) { emit currentProfileFound(profile); }
void DeviceMonitor::announceConnectionMap(const QString &map) { emit connectionMapChanged(map); }
void DeviceMonitor::checkBoxButton(int box) { emit currentBoxChosen(box); }
void DeviceMonitor::setBoxButtonPresent(int box, bool present) { emit boxPresenceChanged(box, present); }
void DeviceMonitor::boxOpened(int box)
{
    emit boxOpenedAfresh(box);
    emit boxNeedsSettings(box);
}

void DeviceMonitor::resetFanView()
{
    m_fans.raiseLatchedStalls();
}
