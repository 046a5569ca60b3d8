// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphRange.h"

qint64 rangeSeconds(GraphRange range)
{
    switch (range) {
    case GraphRange::FiveMinutes:
        return 5 * 60;
    case GraphRange::OneHour:
        return 3600;
    case GraphRange::Day:
        return 24 * 3600;
    }
    return 5 * 60;
}

GraphSpan cutRange(GraphRange range, qint64 headSecond)
{
    GraphSpan span;
    if (headSecond <= 0)
        return span;
    span.toSecond = headSecond;
    span.fromSecond = headSecond - rangeSeconds(range) + 1;
    span.resolution = range == GraphRange::Day ? HistoryResolution::Minutes : HistoryResolution::Seconds;
    return span;
}
