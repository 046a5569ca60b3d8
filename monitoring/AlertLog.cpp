// SPDX-License-Identifier: GPL-3.0-or-later
#include "monitoring/AlertLog.h"

#include "alerts/AlertText.h"

#include <algorithm>

void AlertLog::record(const Alert &alert, qint64 nowSecond)
{
    qint64 second = alert.time.isValid() ? alert.time.toSecsSinceEpoch() : nowSecond;
    // Kept in time order even when the clock went back: a later event never
    // sorts before an earlier one.
    if (!m_events.empty())
        second = std::max(second, m_events.back().second);
    m_events.push_back(Entry{second, alert});
    while (static_cast<int>(m_events.size()) > kCapacity
           || (!m_events.empty() && m_events.front().second < second - kKeepSeconds))
        m_events.pop_front();
}

QVector<HistoryEvent> AlertLog::events(qint64 fromSecond, qint64 toSecond) const
{
    QVector<HistoryEvent> out;
    if (fromSecond > toSecond)
        return out;
    auto first = std::lower_bound(m_events.begin(), m_events.end(), fromSecond,
                                  [](const Entry &e, qint64 s) { return e.second < s; });
    for (auto it = first; it != m_events.end() && it->second <= toSecond; ++it) {
        HistoryEvent e;
        e.second = it->second;
        e.raised = it->alert.raised;
        e.kind = QString::fromLatin1(alertKindName(it->alert.kind));
        e.box = it->alert.box;
        e.fan = it->alert.fan;
        e.source = it->alert.source;
        e.text = AlertText::body(it->alert);
        out.push_back(e);
    }
    return out;
}
