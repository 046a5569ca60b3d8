// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryTypes.h"

// How far back a graph looks.
enum class GraphRange { FiveMinutes = 0, OneHour = 1, Day = 2 };
constexpr int kGraphRangeCount = 3;

// The seconds a graph reads: the last rangeSeconds() up to and including the
// history's newest second. Empty (from > to) before anything was sampled.
struct GraphSpan {
    qint64 fromSecond = 1;
    qint64 toSecond = 0;
    HistoryResolution resolution = HistoryResolution::Seconds;

    bool isEmpty() const { return fromSecond > toSecond; }
};

qint64 rangeSeconds(GraphRange range);
// The last hour is kept to the second; a day only to the minute.
GraphSpan cutRange(GraphRange range, qint64 headSecond);
