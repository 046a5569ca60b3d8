// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/HistoryLogReader.h"

#include "history/History.h"
#include "monitoring/AlertLog.h"

HistoryLogReader::HistoryLogReader(const History *history, const AlertLog *log, QObject *parent)
    : QObject(parent), m_history(history), m_log(log)
{
}

qint64 HistoryLogReader::headSecond() const
{
    return m_history->headSecond();
}

QVector<SeriesKey> HistoryLogReader::seriesKeys() const
{
    return m_history->seriesKeys();
}

HistoryPoints HistoryLogReader::points(const SeriesKey &key, qint64 fromSecond, qint64 toSecond,
                                       HistoryResolution resolution) const
{
    return m_history->points(key, fromSecond, toSecond, resolution);
}

QVector<HistoryEvent> HistoryLogReader::events(qint64 fromSecond, qint64 toSecond) const
{
    return m_log->events(fromSecond, toSecond);
}

QMetaObject::Connection HistoryLogReader::onSampled(QObject *context, std::function<void()> sampled)
{
    return connect(this, &HistoryLogReader::sampled, context, [sampled] { sampled(); });
}
