// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/Alert.h"

const char *alertKindName(AlertKind kind)
{
    switch (kind) {
    case AlertKind::Stall:
        return "stall";
    case AlertKind::BoxSilent:
        return "box-silent";
    case AlertKind::TemperatureLost:
        return "temperature-lost";
    case AlertKind::TemperatureHigh:
        return "temperature-high";
    case AlertKind::SaveFailed:
        return "save-failed";
    }
    return "unknown";
}

QString Alert::key() const
{
    const QString name = QString::fromLatin1(alertKindName(kind)) + QLatin1Char('/');
    switch (kind) {
    case AlertKind::Stall:
        return name + QString::number(box) + QLatin1Char('/') + QString::number(fan);
    case AlertKind::BoxSilent:
        return name + QString::number(box);
    case AlertKind::TemperatureLost:
    case AlertKind::TemperatureHigh:
        return name + source;
    case AlertKind::SaveFailed:
        return name + path;
    }
    return name;
}
