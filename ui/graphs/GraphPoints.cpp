// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphPoints.h"

#include <algorithm>
#include <cmath>

namespace {

qreal msAt(const HistoryPoints &points, int i)
{
    return qreal(points.firstSecond + qint64(i) * points.stepSeconds) * 1000.0;
}

} // namespace

QVector<GraphSegment> toSegments(const HistoryPoints &points, int maxBuckets)
{
    QVector<GraphSegment> out;
    const int n = points.size();
    if (n == 0)
        return out;
    maxBuckets = std::max(1, maxBuckets);
    GraphSegment current;
    auto breakLine = [&] {
        if (!current.isEmpty())
            out.push_back(current);
        current.clear();
    };

    if (n <= 2 * maxBuckets) {
        for (int i = 0; i < n; ++i) {
            const float v = points.mean[i];
            if (std::isnan(v))
                breakLine();
            else
                current.push_back(QPointF(msAt(points, i), v));
        }
        breakLine();
        return out;
    }

    const int per = (n + maxBuckets - 1) / maxBuckets;
    for (int start = 0; start < n; start += per) {
        const int end = std::min(n, start + per);
        int lo = -1, hi = -1;
        for (int i = start; i < end; ++i) {
            const float v = points.mean[i];
            if (std::isnan(v))
                continue;
            if (lo < 0 || v < points.mean[lo])
                lo = i;
            if (hi < 0 || v > points.mean[hi])
                hi = i;
        }
        if (lo < 0) {
            breakLine();
            continue;
        }
        const int first = std::min(lo, hi), second = std::max(lo, hi);
        current.push_back(QPointF(msAt(points, first), points.mean[first]));
        if (second != first)
            current.push_back(QPointF(msAt(points, second), points.mean[second]));
    }
    breakLine();
    return out;
}

int pointCount(const QVector<GraphSegment> &segments)
{
    int n = 0;
    for (const GraphSegment &s : segments)
        n += s.size();
    return n;
}
