// SPDX-License-Identifier: GPL-3.0-or-later
#include "SyncPacer.h"

SyncPacer::SyncPacer(std::function<void()> refresh, QObject *parent)
    : QObject(parent)
    , m_refresh(std::move(refresh))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &SyncPacer::flush);
}

void SyncPacer::request()
{
    m_pending = true;
    if (m_timer.isActive())
        return;
    const qint64 since = m_sinceLast.isValid() ? m_sinceLast.elapsed() : kFrameMs;
    m_timer.start(since >= kFrameMs ? 0 : int(kFrameMs - since));
}

void SyncPacer::flush()
{
    m_timer.stop();
    if (!m_pending)
        return;
    m_pending = false;
    m_refresh();
    m_sinceLast.start();
}
