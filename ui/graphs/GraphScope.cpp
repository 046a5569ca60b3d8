// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/graphs/GraphScope.h"

#include <algorithm>

QString GraphText::lineLabel(const SeriesKey &key, const GraphScope &scope)
{
    if (key.kind == SeriesKind::Temperature)
        return key.source;
    if (key.kind == SeriesKind::BoxHealth)
        return tr("Box %1").arg(key.box + 1);
    if (!scope.isEverything())
        return tr("Fan %1").arg(key.fan + 1);
    return tr("Box %1 fan %2").arg(key.box + 1).arg(key.fan + 1);
}

QString GraphText::scopeLabel(const GraphScope &scope)
{
    if (scope.isEverything())
        return tr("Every fan");
    if (!scope.isFan())
        return tr("Box %1").arg(scope.box + 1);
    return tr("Box %1 fan %2").arg(scope.box + 1).arg(scope.fan + 1);
}

namespace {

bool fanInScope(const SeriesKey &key, const GraphScope &scope)
{
    if (scope.isEverything())
        return true;
    if (key.box != scope.box)
        return false;
    return !scope.isFan() || key.fan == scope.fan;
}

bool fanOrder(const GraphLine &a, const GraphLine &b)
{
    return a.key.box != b.key.box ? a.key.box < b.key.box : a.key.fan < b.key.fan;
}

} // namespace

QVector<GraphLine> selectLines(const GraphScope &scope, const QVector<SeriesKey> &available)
{
    QVector<GraphLine> temps, duties, rpms;
    for (const SeriesKey &key : available) {
        switch (key.kind) {
        case SeriesKind::Temperature:
            temps.push_back({key, GraphQuantity::Temperature, GraphText::lineLabel(key, scope)});
            break;
        case SeriesKind::FanDuty:
            if (fanInScope(key, scope))
                duties.push_back({key, GraphQuantity::Duty, GraphText::lineLabel(key, scope)});
            break;
        case SeriesKind::FanRpm:
            if (fanInScope(key, scope))
                rpms.push_back({key, GraphQuantity::Rpm, GraphText::lineLabel(key, scope)});
            break;
        case SeriesKind::BoxHealth:
            break;
        }
    }
    if (scope.isFan()) {
        if (duties.isEmpty()) {
            const SeriesKey key = SeriesKey::fanDuty(scope.box, scope.fan);
            duties.push_back({key, GraphQuantity::Duty, GraphText::lineLabel(key, scope)});
        }
        if (rpms.isEmpty()) {
            const SeriesKey key = SeriesKey::fanRpm(scope.box, scope.fan);
            rpms.push_back({key, GraphQuantity::Rpm, GraphText::lineLabel(key, scope)});
        }
    }
    std::sort(temps.begin(), temps.end(),
              [](const GraphLine &a, const GraphLine &b) { return a.key.source < b.key.source; });
    std::sort(duties.begin(), duties.end(), fanOrder);
    std::sort(rpms.begin(), rpms.end(), fanOrder);
    return temps + duties + rpms;
}

bool eventInScope(const HistoryEvent &event, const GraphScope &scope)
{
    if (scope.isEverything() || event.box < 0)
        return true;
    if (event.box != scope.box)
        return false;
    return !scope.isFan() || event.fan < 0 || event.fan == scope.fan;
}
