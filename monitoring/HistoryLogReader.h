// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "history/HistoryReader.h"

#include <QObject>

class AlertLog;
class History;

// A history and an alert log read as one, for the graphs. Whoever advances
// the history emits sampled() after each new second. Same thread as both.
class HistoryLogReader : public QObject, public HistoryReader {
    Q_OBJECT
public:
    HistoryLogReader(const History *history, const AlertLog *log, QObject *parent = nullptr);

    qint64 headSecond() const override;
    QVector<SeriesKey> seriesKeys() const override;
    HistoryPoints points(const SeriesKey &key, qint64 fromSecond, qint64 toSecond,
                         HistoryResolution resolution) const override;
    QVector<HistoryEvent> events(qint64 fromSecond, qint64 toSecond) const override;
    QMetaObject::Connection onSampled(QObject *context, std::function<void()> sampled) override;

signals:
    void sampled();

private:
    const History *m_history;
    const AlertLog *m_log;
};
