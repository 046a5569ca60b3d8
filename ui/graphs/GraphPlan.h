// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryReader.h"
#include "ui/graphs/GraphCsv.h"
#include "ui/graphs/GraphOutages.h"
#include "ui/graphs/GraphPoints.h"
#include "ui/graphs/GraphRange.h"
#include "ui/graphs/GraphScope.h"

#include <QVector>

struct PlottedLine {
    GraphLine line;
    QVector<GraphSegment> segments;
};

// An event on the time line, at x milliseconds since the epoch (UTC).
struct GraphMark {
    qreal ms = 0;
    bool raised = true;
    QString text;
};

// Everything the graphs window draws, read from a history: per chart its
// lines, the events of the scope within the range, and when the scope's boxes
// did not answer.
struct GraphPlan {
    GraphSpan span;
    QVector<PlottedLine> lines[kGraphQuantityCount];
    QVector<GraphMark> marks;
    QVector<GraphOutage> outages;
};

GraphPlan makePlan(const HistoryReader &reader, const GraphScope &scope, GraphRange range, int maxBuckets);

// The same lines at their full resolution, for export.
QVector<CsvColumn> csvColumns(const HistoryReader &reader, const GraphScope &scope, GraphRange range);
QVector<HistoryEvent> scopeEvents(const HistoryReader &reader, const GraphScope &scope, const GraphSpan &span);
