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

bool BoxHealthTracker::onExchange(const Report &out, int written, const Reply &in, int readLength)
{
    const BoxHealth before = m_state;
    if (written < 0 || readLength < 0) {
        m_state = BoxHealth::Gone;
    } else if (isEcho(out, in, readLength)) {
        m_misses = 0;
        m_state = BoxHealth::Answering;
    } else if (++m_misses >= kMissesToSilent && m_state != BoxHealth::Gone) {
        m_state = BoxHealth::NotAnswering;
    }
    return m_state != before;
}
