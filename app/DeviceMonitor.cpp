#include "DeviceMonitor.h"

#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/CrashSafety.h"
#include "device/DeviceBus.h"
#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"

#include <QTimer>

DeviceMonitor::DeviceMonitor(Encoders &encoders, FanMonitor &fans, DeviceMonitorHost &host, QObject *parent)
    : QObject(parent)
    , m_encoders(encoders)
    , m_boxes(encoders.boxes())
    , m_fans(fans)
    , m_host(host)
    , m_pollTimer(new QTimer(this))
{
    m_encoders.bus().setHealthHandler([this](int box, BoxHealth health) {
        m_fans.onBoxHealth(box, health);
        // Told only on a change: answering again after silence, maybe after a
        // power cycle that put the box back to its defaults.
        if (health == BoxHealth::Answering)
            m_host.boxOpened(box);
    });
    connect(m_pollTimer, &QTimer::timeout, this, &DeviceMonitor::pollStep, Qt::DirectConnection);
    qCDebug(lcApp) << "setupTimer start";
}

DeviceMonitor::~DeviceMonitor()
{
    // No health news may reach a host that is going away.
    m_encoders.bus().setHealthHandler(nullptr);
}

void DeviceMonitor::discover()
{
    resetControllers(m_boxes, m_encoders.bus(), *this);
}

void DeviceMonitor::deviceChanged(const QList<QByteArray> &removedNodes)
{
    handleDeviceChange(m_boxes, m_encoders.bus(), *this, removedNodes);
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

void DeviceMonitor::setCurrentProfile(int profile) { m_host.setCurrentProfile(profile); }
void DeviceMonitor::announceConnectionMap(const QString &map) { m_host.announceConnectionMap(map); }
void DeviceMonitor::checkBoxButton(int box) { m_host.checkBoxButton(box); }
void DeviceMonitor::setBoxButtonPresent(int box, bool present) { m_host.setBoxButtonPresent(box, present); }
void DeviceMonitor::boxOpened(int box) { m_host.boxOpened(box); }

void DeviceMonitor::resetFanView()
{
    m_fans.raiseLatchedStalls();
}
