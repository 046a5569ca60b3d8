// SPDX-License-Identifier: GPL-3.0-or-later
#include "SourceWatch.h"

#include <QSet>

#include <algorithm>

SourceWatch::Events SourceWatch::afterPass(const QHash<QString, double> &readings, const QStringList &watched)
{
    Events events;
    const QSet<QString> keep(watched.cbegin(), watched.cend());
    for (auto it = m_tracks.begin(); it != m_tracks.end();)
        it = keep.contains(it.key()) ? std::next(it) : m_tracks.erase(it);

    for (const QString &id : keep) {
        Track &t = m_tracks[id];
        const auto reading = readings.constFind(id);
        t.fresh = reading != readings.cend();
        if (t.fresh) {
            if (t.outage)
                events.back << id;
            t.last = reading.value();
            t.everRead = true;
            t.outage = false;
            t.missed = 0;
            continue;
        }
        if (t.missed < kMissedPassesBeforeLost)
            ++t.missed;
        // Never read: there is no last value to hold.
        if (!t.outage && (!t.everRead || t.missed >= kMissedPassesBeforeLost)) {
            t.outage = true;
            events.lost << id;
        }
    }
    events.lost.sort();
    events.back.sort();
    return events;
}

SourceWatch::State SourceWatch::state(const QString &id) const
{
    const auto it = m_tracks.constFind(id);
    if (it == m_tracks.cend() || it->outage)
        return State::Lost;
    return it->fresh ? State::Fresh : State::Held;
}

double SourceWatch::value(const QString &id) const
{
    return m_tracks.value(id).last;
}

CurveInput curveInput(const CurveSource &source, const SourceWatch &watch)
{
    CurveInput input;
    bool anyFresh = false;
    double sum = 0;
    double max = 0;
    for (const QString &id : source.ids) {
        const SourceWatch::State state = watch.state(id);
        if (state == SourceWatch::State::Lost) {
            input.missing << id;
            continue;
        }
        anyFresh = anyFresh || state == SourceWatch::State::Fresh;
        const double v = watch.value(id);
        max = input.used.isEmpty() ? v : std::max(max, v);
        sum += v;
        input.used << id;
    }
    if (input.used.isEmpty()) {
        input.action = CurveInput::Action::Cap;
    } else if (!anyFresh) {
        input.action = CurveInput::Action::Keep;
    } else {
        input.action = CurveInput::Action::Curve;
        input.celsius = source.mix == SourceMix::Average ? sum / input.used.size() : max;
    }
    return input;
}

SourcePass afterSourcePass(SourceWatch &watch, const QVector<Curve> &inUse, const QHash<QString, double> &readings)
{
    QStringList watched;
    for (const Curve &c : inUse)
        for (const QString &id : c.source.ids)
            if (!watched.contains(id))
                watched << id;
    const SourceWatch::Events events = watch.afterPass(readings, watched);

    SourcePass pass;
    pass.back = events.back;
    for (const Curve &c : inUse)
        pass.inputs.insert(c.name, curveInput(c.source, watch));
    for (const QString &id : events.lost) {
        SourceOutage outage;
        outage.source = id;
        for (const Curve &c : inUse) {
            if (!c.source.ids.contains(id))
                continue;
            if (pass.inputs.value(c.name).action == CurveInput::Action::Cap)
                outage.capped << c.name;
            else
                outage.partial << c.name;
        }
        pass.outages << outage;
    }
    return pass;
}
