// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryTypes.h"

#include <QMetaObject>
#include <QString>
#include <QVector>

#include <functional>

class QObject;

// Something that happened at one second and is marked on a time line: an
// alert going out or its outage ending.
struct HistoryEvent {
    qint64 second = 0;   // UTC seconds since the epoch
    bool raised = true;  // false: the outage ended
    QString kind;        // "stall", "box-silent", ... (the alert's kind name)
    int box = -1;        // counts from 0; -1 when the event has no box
    int fan = -1;        // counts from 0; -1 when the event has no fan
    QString source;      // a temperature source's stable name, or empty
    QString text;        // one sentence in the program's language
};

// What a graph reads: the history's series, the events beside them, and a
// call each time a new second was sampled. Kept this small so a graph can be
// fed from a stand-in.
class HistoryReader {
public:
    virtual ~HistoryReader() = default;

    // The newest sampled second, 0 before the first.
    virtual qint64 headSecond() const = 0;
    virtual QVector<SeriesKey> seriesKeys() const = 0;
    virtual HistoryPoints points(const SeriesKey &key, qint64 fromSecond, qint64 toSecond,
                                 HistoryResolution resolution) const = 0;
    // Events with fromSecond <= second <= toSecond, oldest first.
    virtual QVector<HistoryEvent> events(qint64 fromSecond, qint64 toSecond) const = 0;
    // Calls `sampled` (on context's thread) after every new second until the
    // connection is broken or context is gone.
    virtual QMetaObject::Connection onSampled(QObject *context, std::function<void()> sampled) = 0;
};
