// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxPresenceLog.h"

#include "common/Logging.h"
#include "device/BoxTable.h"

#include <QDebug>

void BoxPresenceLog::update(const QString &map)
{
    for (const QString &line : changes(m_last, map))
        qCInfo(lcDevice).noquote() << line;
    m_last = map;
}

QStringList BoxPresenceLog::changes(const QString &before, const QString &after)
{
    QStringList lines;
    bool any = false;
    for (int box = 0; box < kBoxCount; ++box) {
        const bool was = box < before.size() && before.at(box) == QLatin1Char('1');
        const bool is = box < after.size() && after.at(box) == QLatin1Char('1');
        any = any || is;
        if (is && !was)
            lines << QStringLiteral("box %1 found (USB %2:%3)")
                         .arg(box)
                         .arg(kVendorId, 4, 16, QLatin1Char('0'))
                         .arg(kProductIdBase + box, 4, 16, QLatin1Char('0'));
        else if (was && !is)
            lines << QStringLiteral("box %1 lost").arg(box);
    }
    if (before.isEmpty() && !any)
        lines << QStringLiteral("no controller box found");
    return lines;
}
