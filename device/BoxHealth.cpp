// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxHealth.h"

const char *boxHealthName(BoxHealth health)
{
    switch (health) {
    case BoxHealth::Answering:
        return "answering";
    case BoxHealth::NotAnswering:
        return "not answering";
    case BoxHealth::Gone:
        return "gone";
    }
    return "?";
}

bool BoxHealthTracker::isEcho(const Report &out, const Reply &in, int readLength)
{
    return readLength >= 2 && in[0] == out[1] && in[1] == out[2];
}

bool BoxHealthTracker::isReplyTo(const Report &out, const Reply &in, int readLength)
{
    if (!isEcho(out, in, readLength))
        return false;
    const bool speedQuery = out[1] == 0x33 && out[2] == 0x51;
    return !speedQuery || (readLength >= 3 && in[2] == out[3]);
}

bool BoxHealthTracker::isKnownEcho(const Reply &in, int readLength)
{
    if (readLength < 2)
        return false;
    switch ((in[0] << 8) | in[1]) {
    case 0x3251:
    case 0x3252:
    case 0x3253:
    case 0x3350:
    case 0x3351:
    case 0xFE33:
        return true;
    default:
        return false;
    }
}

void BoxHealthTracker::onAnswered()
{
    m_misses = 0;
    m_state = BoxHealth::Answering;
}

void BoxHealthTracker::onMissed()
{
    if (++m_misses >= kMissesToSilent && m_state != BoxHealth::Gone)
        m_state = BoxHealth::NotAnswering;
}

bool BoxHealthTracker::onExchange(const Report &out, int written, const Reply &in, int readLength)
{
    const BoxHealth before = m_state;
    if (written < 0 || readLength < 0)
        onFailed();
    else if (isEcho(out, in, readLength))
        onAnswered();
    else
        onMissed();
    return m_state != before;
}
