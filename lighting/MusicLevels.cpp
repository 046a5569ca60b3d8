// SPDX-License-Identifier: GPL-3.0-or-later
#include "MusicLevels.h"

#include "device/BoxTable.h"

#include <cmath>

int MusicLevels::smoothStep(int smoothed, int target)
{
    const double s = smoothed;
    const double v = target;
    if (s < v)
        return s > 0 ? static_cast<int>(std::trunc(s + (v - s) * 0.5)) : target;
    if (s > v)
        return s <= 100 ? static_cast<int>(std::trunc(s - (s - v) * 0.5)) : target;
    return smoothed;
}

void MusicLevels::tick()
{
    m_smoothedComputer = smoothStep(m_smoothedComputer, m_computer);
    m_smoothedPhone = smoothStep(m_smoothedPhone, m_phone);
}

int MusicLevels::levelFor(int mode) const
{
    if (LightMode::isComputerMusic(mode))
        return m_smoothedComputer;
    if (LightMode::isPhoneMusic(mode))
        return m_smoothedPhone;
    return -1;
}
