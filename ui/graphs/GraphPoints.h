// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryTypes.h"

#include <QPointF>
#include <QVector>

// One unbroken stretch of a line: x in milliseconds since the epoch (UTC),
// y the value.
using GraphSegment = QVector<QPointF>;

// The points a chart draws for a series: absent values break the line into
// segments. Over more than 2 x maxBuckets points the series is cut into
// maxBuckets buckets, each drawn as its lowest and highest value in time
// order, so a short stall or surge still shows at any width. A bucket with
// no value at all breaks the line; a gap shorter than a bucket does not.
QVector<GraphSegment> toSegments(const HistoryPoints &points, int maxBuckets);

// How many points the segments hold together.
int pointCount(const QVector<GraphSegment> &segments);
