// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphCsv.h"

#include "ui/graphs/GraphScope.h"

#include <QDateTime>
#include <QMap>
#include <QStringList>

#include <cmath>

namespace {

QString number(float v)
{
    if (std::isnan(v))
        return QString();
    const double d = v;
    if (d == std::round(d))
        return QString::number(qint64(std::round(d)));
    return QString::number(d, 'f', 1);
}

QString utc(qint64 second)
{
    return QDateTime::fromSecsSinceEpoch(second, Qt::UTC).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ssZ"));
}

} // namespace

QString csvField(const QString &text)
{
    QString t = text;
    // A cell starting like a formula would be run by a spreadsheet: sensor
    // names come from outside the program.
    if (!t.isEmpty() && QStringLiteral("=+-@\t\r").contains(t.at(0)))
        t.prepend(QLatin1Char('\''));
    if (t.contains(QLatin1Char(',')) || t.contains(QLatin1Char('"')) || t.contains(QLatin1Char('\n'))
        || t.contains(QLatin1Char('\r'))) {
        t.replace(QStringLiteral("\""), QStringLiteral("\"\""));
        t = QLatin1Char('"') + t + QLatin1Char('"');
    }
    return t;
}

QString historyCsv(const QVector<CsvColumn> &columns, const QVector<HistoryEvent> &events)
{
    QStringList header{csvField(GraphText::tr("time (UTC)"))};
    for (const CsvColumn &c : columns) {
        if (c.points.stepSeconds > 1)
            header << csvField(GraphText::tr("%1 min").arg(c.label)) << csvField(GraphText::tr("%1 mean").arg(c.label))
                   << csvField(GraphText::tr("%1 max").arg(c.label));
        else
            header << csvField(c.label);
    }
    header << csvField(GraphText::tr("alerts"));

    // Every step any column has, with the step length it has there.
    QMap<qint64, qint64> steps;
    for (const CsvColumn &c : columns)
        for (int i = 0; i < c.points.size(); ++i)
            steps.insert(c.points.firstSecond + qint64(i) * c.points.stepSeconds, c.points.stepSeconds);

    QString out = header.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    int nextEvent = 0;
    for (auto it = steps.cbegin(); it != steps.cend(); ++it) {
        const qint64 second = it.key();
        QStringList row{utc(second)};
        for (const CsvColumn &c : columns) {
            const HistoryPoints &p = c.points;
            const qint64 offset = second - p.firstSecond;
            const bool has = p.stepSeconds > 0 && offset >= 0 && offset % p.stepSeconds == 0
                             && offset / p.stepSeconds < p.size();
            const int i = has ? int(offset / p.stepSeconds) : -1;
            if (p.stepSeconds > 1) {
                row << (has ? number(p.min[i]) : QString()) << (has ? number(p.mean[i]) : QString())
                    << (has ? number(p.max[i]) : QString());
            } else {
                row << (has ? number(p.mean[i]) : QString());
            }
        }
        // The events of this step: from its start up to the next row's.
        auto next = std::next(it);
        const qint64 end = next == steps.cend() ? second + it.value() : next.key();
        QStringList texts;
        while (nextEvent < events.size() && events[nextEvent].second < second)
            ++nextEvent; // before the table: not in it
        while (nextEvent < events.size() && events[nextEvent].second < end)
            texts << events[nextEvent++].text;
        row << csvField(texts.join(QStringLiteral("; ")));
        out += row.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    }
    return out;
}
