// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryReader.h"
#include "history/HistoryTypes.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

// What a graph shows: one fan, one box, or everything.
struct GraphScope {
    int box = -1; // -1: every box
    int fan = -1; // -1: every fan of the box

    static GraphScope everything() { return {}; }
    static GraphScope ofBox(int box) { return {box, -1}; }
    static GraphScope ofFan(int box, int fan) { return {box, fan}; }
    bool isEverything() const { return box < 0; }
    bool isFan() const { return box >= 0 && fan >= 0; }
    bool operator==(const GraphScope &o) const { return box == o.box && fan == o.fan; }
    bool operator!=(const GraphScope &o) const { return !(*this == o); }
};

// The three charts, top to bottom.
enum class GraphQuantity { Temperature = 0, Duty = 1, Rpm = 2 };
constexpr int kGraphQuantityCount = 3;

struct GraphLine {
    SeriesKey key;
    GraphQuantity quantity = GraphQuantity::Rpm;
    QString label;
};

class GraphText {
    Q_DECLARE_TR_FUNCTIONS(GraphText)
public:
    // "Fan 2" inside one box's graph, "Box 1 fan 2" where several boxes are.
    static QString lineLabel(const SeriesKey &key, const GraphScope &scope);
    static QString scopeLabel(const GraphScope &scope);
};

// The lines a scope shows: every temperature source (they belong to no box),
// and the RPM and duty of the scope's fans that the history has. A single
// fan's own lines are shown even before it was read (empty). Temperatures
// by name, fans by box then fan.
QVector<GraphLine> selectLines(const GraphScope &scope, const QVector<SeriesKey> &available);

// Whether an event belongs on a scope's time line: a fan's graph marks that
// fan's and its box's events, a box's graph its own fans', everything all;
// events of no box (temperature, saving) are marked everywhere.
bool eventInScope(const HistoryEvent &event, const GraphScope &scope);
