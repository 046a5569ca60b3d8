// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryTypes.h"

#include <array>
#include <cstdint>

// The samples of one series in fixed arrays: the last kFineSeconds seconds and
// the last kCoarseMinutes complete minutes, plus the minute in progress.
// Samples are codes (see History); kAbsent marks a second or minute without
// one. Nothing is allocated after construction.
class SeriesRing {
public:
    static constexpr std::int16_t kAbsent = INT16_MIN;

    // One minute: its lowest, mean and highest sample and how many of its
    // seconds had one (0: the whole minute is absent).
    struct Minute {
        std::int16_t min = kAbsent;
        std::int16_t mean = kAbsent;
        std::int16_t max = kAbsent;
        std::uint8_t count = 0;
    };

    SeriesRing();

    // The next second's sample (kAbsent allowed); it also counts towards the
    // minute in progress.
    void appendSecond(std::int16_t code);
    // n seconds without a sample; more than the ring holds just empties it.
    void appendAbsentSeconds(qint64 n);
    // The minute in progress is complete: it becomes the newest minute.
    void closeMinute();
    // n complete minutes without a sample.
    void appendAbsentMinutes(qint64 n);

    // age 0 is the newest second / the newest complete minute.
    std::int16_t second(int age) const;
    Minute minute(int age) const;
    Minute minuteInProgress() const;

    // True when no second, minute or minute in progress holds a sample.
    bool isEmpty() const;

    // For the state file: everything, oldest first, and back.
    void copyOut(std::int16_t *seconds, Minute *minutes, Minute *inProgress, std::int32_t *inProgressSum) const;
    void copyIn(const std::int16_t *seconds, const Minute *minutes, const Minute &inProgress, std::int32_t inProgressSum);

private:
    std::array<std::int16_t, kFineSeconds> m_seconds;
    std::array<Minute, kCoarseMinutes> m_minutes;
    int m_secondHead = 0; // where the next second goes
    int m_minuteHead = 0; // where the next minute goes
    // The minute in progress.
    std::int16_t m_min = kAbsent;
    std::int16_t m_max = kAbsent;
    std::int32_t m_sum = 0;
    std::uint8_t m_count = 0;
};
