// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "alerts/Alert.h"
#include "history/HistoryReader.h"

#include <QVector>

#include <deque>

// The alerts of the last day, for the time line of the graphs: the newest
// kCapacity are kept, oldest dropped first, so the log never grows past a
// fixed size however often a fan flickers. GUI thread only.
class AlertLog {
public:
    static constexpr int kCapacity = 1024;
    static constexpr qint64 kKeepSeconds = 24 * 3600;

    // The alert at its own time (when it went out), or at nowSecond when it
    // carries none.
    void record(const Alert &alert, qint64 nowSecond);
    QVector<HistoryEvent> events(qint64 fromSecond, qint64 toSecond) const;
    int size() const { return static_cast<int>(m_events.size()); }

    // The alert itself is kept: its words are made when asked, in the
    // language the program runs in then.
    struct Entry {
        qint64 second;
        Alert alert;
    };
    // Oldest first.
    const std::deque<Entry> &entries() const { return m_events; }

private:
    std::deque<Entry> m_events;
};
