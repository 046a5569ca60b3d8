// SPDX-License-Identifier: GPL-3.0-or-later
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

void HotplugMonitor::notifyRemoved(const QByteArray &node)
{
    // Bounded: a node counts once, and there are only so many hidraw nodes.
    if (!node.isEmpty() && !m_removed.contains(node) && m_removed.size() < 256)
        m_removed << node;
    notify();
}

QList<QByteArray> HotplugMonitor::takeRemovedNodes()
{
    QList<QByteArray> removed;
    removed.swap(m_removed);
    return removed;
}
