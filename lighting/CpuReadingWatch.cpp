// SPDX-License-Identifier: GPL-3.0-or-later
#include "CpuReadingWatch.h"

CpuReadingWatch::Decision CpuReadingWatch::afterPass(bool cpuReading)
{
    Decision d;
    if (cpuReading) {
        d.fans = Fans::Curve;
        d.outageEnds = m_outage;
        m_everRead = true;
        m_outage = false;
        m_missed = 0;
        return d;
    }
    if (m_missed < kMissedPassesBeforeCap)
        ++m_missed;
    // Without any reading since start-up the fans have no last duty to keep.
    if (m_outage || !m_everRead || m_missed >= kMissedPassesBeforeCap) {
        d.fans = Fans::Cap;
        d.outageBegins = !m_outage;
        m_outage = true;
    }
    return d;
}
