#include "HotplugMonitor.h"

HotplugMonitor::HotplugMonitor(QObject *parent)
    : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, &HotplugMonitor::deviceSetMayHaveChanged);
}

HotplugMonitor::~HotplugMonitor() = default;

bool HotplugMonitor::start()
{
    if (!m_backend)
        m_backend = createHotplugBackend(this);
    return m_backend && m_backend->start();
}

void HotplugMonitor::notify()
{
    m_settle.start(); // restarts the quiet period
}
