// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyTiming.h"

#include <algorithm>

void ReplyTiming::setBase(int ms)
{
    ms = std::max(0, ms);
    if (ms == m_baseMs)
        return;
    // A new setting starts over from it.
    m_baseMs = ms;
    m_timeoutMs = ms;
}

void ReplyTiming::onReply(int delayMs)
{
    // Twice the time it took: room for the next one to be a little slower.
    const int target = std::clamp(2 * std::max(0, delayMs), m_baseMs, ceiling());
    if (target >= m_timeoutMs)
        m_timeoutMs = target;
    else
        m_timeoutMs -= std::max(1, (m_timeoutMs - target) / 8);
}

void ReplyTiming::onLateReply()
{
    m_timeoutMs = std::min(ceiling(), std::max(m_timeoutMs * 2, m_baseMs + 1));
}
