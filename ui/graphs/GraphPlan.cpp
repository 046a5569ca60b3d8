// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphPlan.h"

QVector<HistoryEvent> scopeEvents(const HistoryReader &reader, const GraphScope &scope, const GraphSpan &span)
{
    QVector<HistoryEvent> out;
    if (span.isEmpty())
        return out;
    for (const HistoryEvent &e : reader.events(span.fromSecond, span.toSecond))
        if (eventInScope(e, scope))
            out.push_back(e);
    return out;
}

GraphPlan makePlan(const HistoryReader &reader, const GraphScope &scope, GraphRange range, int maxBuckets)
{
    GraphPlan plan;
    plan.span = cutRange(range, reader.headSecond());
    if (plan.span.isEmpty())
        return plan;
    const QVector<SeriesKey> keys = reader.seriesKeys();
    for (const GraphLine &line : selectLines(scope, keys)) {
        const HistoryPoints points
            = reader.points(line.key, plan.span.fromSecond, plan.span.toSecond, plan.span.resolution);
        plan.lines[int(line.quantity)].push_back({line, toSegments(points, maxBuckets)});
    }
    for (const HistoryEvent &e : scopeEvents(reader, scope, plan.span))
        plan.marks.push_back({qreal(e.second) * 1000.0, e.raised, e.text});
    for (int box : outageBoxes(scope, keys)) {
        const HistoryPoints health = reader.points(SeriesKey::boxHealth(box), plan.span.fromSecond,
                                                   plan.span.toSecond, plan.span.resolution);
        plan.outages += outagesOf(health, box);
    }
    return plan;
}

QVector<CsvColumn> csvColumns(const HistoryReader &reader, const GraphScope &scope, GraphRange range)
{
    QVector<CsvColumn> out;
    const GraphSpan span = cutRange(range, reader.headSecond());
    if (span.isEmpty())
        return out;
    for (const GraphLine &line : selectLines(scope, reader.seriesKeys())) {
        QString label = line.label;
        if (line.quantity == GraphQuantity::Temperature)
            label = GraphText::tr("%1 (°C)").arg(label);
        else if (line.quantity == GraphQuantity::Duty)
            label = GraphText::tr("%1 duty (%)").arg(label);
        else
            label = GraphText::tr("%1 (RPM)").arg(label);
        out.push_back({label, reader.points(line.key, span.fromSecond, span.toSecond, span.resolution)});
    }
    return out;
}
