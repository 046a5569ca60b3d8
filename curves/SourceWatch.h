// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Curve.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

// The fail-safe rule per temperature source. After each reading pass every
// source a curve in use names is
//   Fresh  read in this pass,
//   Held   not read, but read within the last few passes: its last value
//          still stands (a short gap),
//   Lost   not read for longer, or never read: an outage, told once.
// A curve that follows a mix uses what its sources still give; a curve whose
// sources are all lost sends its fans to their cap.
class SourceWatch {
public:
    // Passes without a reading before a source counts as lost; the same as
    // the classic CPU reading's.
    static constexpr int kMissedPassesBeforeLost = 3;

    enum class State { Fresh, Held, Lost };

    struct Events {
        QStringList lost; // outages that began in this pass, sorted
        QStringList back; // outages that ended in this pass, sorted
    };

    // One pass. `readings` holds a value for each source read in this pass
    // (plausible readings only); `watched` the sources the curves in use
    // name. Sources no longer watched are forgotten.
    Events afterPass(const QHash<QString, double> &readings, const QStringList &watched);

    // Lost for a source that is not watched.
    State state(const QString &id) const;
    // The last value read (0 before the first).
    double value(const QString &id) const;

private:
    struct Track {
        bool everRead = false;
        bool outage = false;
        bool fresh = false;
        int missed = 0;
        double last = 0;
    };
    QHash<QString, Track> m_tracks;
};

// What a curve's fans do after a pass.
struct CurveInput {
    enum class Action {
        Curve, // follow the curve at `celsius`
        Keep,  // a short gap: keep the duty they have
        Cap,   // no source left: the highest duty their level allows
    };
    Action action = Action::Cap;
    double celsius = 0;
    QStringList used;    // the sources that went into `celsius`
    QStringList missing; // sources of the curve that are lost
};

// The input of a curve from its sources' states: the maximum or average of
// the fresh and held values, leaving the lost ones out.
CurveInput curveInput(const CurveSource &source, const SourceWatch &watch);

// A source whose outage began, with the curves it leaves: those that now run
// at the cap, and mixes that go on with their other sources.
struct SourceOutage {
    QString source;
    QStringList capped;
    QStringList partial;
};

struct SourcePass {
    QHash<QString, CurveInput> inputs; // by curve name
    QVector<SourceOutage> outages;     // one per source, on the pass its outage began
    QStringList back;                  // sources read again after an outage
};

// One pass over the curves in use: the watch learns the readings, and every
// curve gets its input.
SourcePass afterSourcePass(SourceWatch &watch, const QVector<Curve> &inUse,
                           const QHash<QString, double> &readings);
