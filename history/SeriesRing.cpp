// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/SeriesRing.h"

#include <algorithm>
#include <cmath>

SeriesRing::SeriesRing()
{
    m_seconds.fill(kAbsent);
    m_minutes.fill(Minute{});
}

void SeriesRing::appendSecond(std::int16_t code)
{
    m_seconds[m_secondHead] = code;
    m_secondHead = (m_secondHead + 1) % kFineSeconds;
    if (code == kAbsent)
        return;
    // At most 60 samples a minute, so the count fits and the sum of codes
    // cannot leave 32 bits; a repeated second (clock set back) is capped.
    if (m_count == 0) {
        m_min = m_max = code;
    } else {
        m_min = std::min(m_min, code);
        m_max = std::max(m_max, code);
    }
    if (m_count < 255) {
        m_sum += code;
        ++m_count;
    }
}

void SeriesRing::appendAbsentSeconds(qint64 n)
{
    if (n <= 0)
        return;
    if (n >= kFineSeconds) {
        m_seconds.fill(kAbsent);
        return;
    }
    for (qint64 i = 0; i < n; ++i) {
        m_seconds[m_secondHead] = kAbsent;
        m_secondHead = (m_secondHead + 1) % kFineSeconds;
    }
}

void SeriesRing::closeMinute()
{
    m_minutes[m_minuteHead] = minuteInProgress();
    m_minuteHead = (m_minuteHead + 1) % kCoarseMinutes;
    m_min = m_max = kAbsent;
    m_sum = 0;
    m_count = 0;
}

void SeriesRing::appendAbsentMinutes(qint64 n)
{
    if (n <= 0)
        return;
    if (n >= kCoarseMinutes) {
        m_minutes.fill(Minute{});
        return;
    }
    for (qint64 i = 0; i < n; ++i) {
        m_minutes[m_minuteHead] = Minute{};
        m_minuteHead = (m_minuteHead + 1) % kCoarseMinutes;
    }
}

std::int16_t SeriesRing::second(int age) const
{
    if (age < 0 || age >= kFineSeconds)
        return kAbsent;
    return m_seconds[(m_secondHead - 1 - age + 2 * kFineSeconds) % kFineSeconds];
}

SeriesRing::Minute SeriesRing::minute(int age) const
{
    if (age < 0 || age >= kCoarseMinutes)
        return Minute{};
    return m_minutes[(m_minuteHead - 1 - age + 2 * kCoarseMinutes) % kCoarseMinutes];
}

SeriesRing::Minute SeriesRing::minuteInProgress() const
{
    if (m_count == 0)
        return Minute{};
    Minute m;
    m.min = m_min;
    m.max = m_max;
    // Rounded to the nearest code; the mean of int16 codes is an int16.
    m.mean = std::int16_t(std::lround(double(m_sum) / m_count));
    m.count = std::uint8_t(std::min<int>(m_count, 60));
    return m;
}

bool SeriesRing::isEmpty() const
{
    if (m_count != 0)
        return false;
    if (std::any_of(m_seconds.cbegin(), m_seconds.cend(), [](std::int16_t c) { return c != kAbsent; }))
        return false;
    return std::none_of(m_minutes.cbegin(), m_minutes.cend(), [](const Minute &m) { return m.count != 0; });
}

void SeriesRing::copyOut(std::int16_t *seconds, Minute *minutes, Minute *inProgress, std::int32_t *inProgressSum) const
{
    for (int i = 0; i < kFineSeconds; ++i)
        seconds[i] = second(kFineSeconds - 1 - i);
    for (int i = 0; i < kCoarseMinutes; ++i)
        minutes[i] = minute(kCoarseMinutes - 1 - i);
    inProgress->min = m_min;
    inProgress->max = m_max;
    inProgress->mean = kAbsent;
    inProgress->count = m_count;
    *inProgressSum = m_sum;
}

void SeriesRing::copyIn(const std::int16_t *seconds, const Minute *minutes, const Minute &inProgress,
                        std::int32_t inProgressSum)
{
    std::copy(seconds, seconds + kFineSeconds, m_seconds.begin());
    std::copy(minutes, minutes + kCoarseMinutes, m_minutes.begin());
    m_secondHead = 0;
    m_minuteHead = 0;
    m_min = inProgress.min;
    m_max = inProgress.max;
    m_count = inProgress.count;
    m_sum = inProgressSum;
}
