// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphOutages.h"

#include <algorithm>
#include <cmath>

QVector<GraphOutage> outagesOf(const HistoryPoints &health, int box)
{
    QVector<GraphOutage> out;
    const int n = std::min({health.min.size(), health.mean.size(), health.max.size()});
    const qreal stepMs = qreal(health.stepSeconds) * 1000.0;
    int start = -1;
    for (int i = 0; i <= n; ++i) {
        const bool failing = i < n && !std::isnan(health.max[i]) && health.max[i] >= HealthCode::NotAnswering;
        if (failing && start < 0)
            start = i;
        if (!failing && start >= 0) {
            const qreal first = qreal(health.firstSecond) * 1000.0;
            out.push_back({box, first + start * stepMs, first + i * stepMs});
            start = -1;
        }
    }
    return out;
}

QVector<int> outageBoxes(const GraphScope &scope, const QVector<SeriesKey> &available)
{
    QVector<int> boxes;
    for (const SeriesKey &k : available) {
        if (k.kind != SeriesKind::BoxHealth || k.box < 0 || k.box >= kBoxCount)
            continue;
        if (scope.isEverything() || k.box == scope.box)
            boxes.push_back(k.box);
    }
    std::sort(boxes.begin(), boxes.end());
    boxes.erase(std::unique(boxes.begin(), boxes.end()), boxes.end());
    return boxes;
}
