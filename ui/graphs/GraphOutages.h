// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryTypes.h"
#include "ui/graphs/GraphScope.h"

#include <QVector>

// A stretch of time a box did not answer (or was gone but still open), from
// fromMs up to toMs in milliseconds since the epoch (UTC).
struct GraphOutage {
    int box = -1;
    qreal fromMs = 0;
    qreal toMs = 0;
};

// The stretches of a box's health series that are not "answering". On the
// minute tier a minute counts when the box failed at any second of it, so a
// short silence still shows over a day. Steps with no health (the box was
// closed) end a stretch.
QVector<GraphOutage> outagesOf(const HistoryPoints &health, int box);

// The boxes whose health a scope shows: its own box, or every box the
// history follows.
QVector<int> outageBoxes(const GraphScope &scope, const QVector<SeriesKey> &available);
