// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertText.h"

namespace {

QString celsius(double value)
{
    return QString::number(value, 'f', 1);
}

} // namespace

QString AlertText::summary(const Alert &a)
{
    switch (a.kind) {
    case AlertKind::Stall:
        return a.raised ? tr("Fan stopped") : tr("Fan turns again");
    case AlertKind::BoxSilent:
        return a.raised ? tr("Controller not answering") : tr("Controller answers again");
    case AlertKind::TemperatureLost:
        return a.raised ? tr("Temperature reading lost") : tr("Temperature reading back");
    case AlertKind::TemperatureHigh:
        return a.raised ? tr("Temperature high") : tr("Temperature normal again");
    case AlertKind::SaveFailed:
        return a.raised ? tr("Save failed") : tr("Settings saved");
    }
    return QString();
}

QString AlertText::body(const Alert &a)
{
    const QString box = QString::number(a.box + 1);
    const QString fan = QString::number(a.fan + 1);
    switch (a.kind) {
    case AlertKind::Stall:
        return a.raised ? tr("Fan %1 of controller %2 has stopped.").arg(fan, box)
                        : tr("Fan %1 of controller %2 turns again.").arg(fan, box);
    case AlertKind::BoxSilent:
        if (!a.raised)
            return tr("Controller %1 answers again.").arg(box);
        return a.boxGone ? tr("Controller %1 is gone: its fans are not watched.").arg(box)
                         : tr("Controller %1 does not answer: its fans are not watched.").arg(box);
    case AlertKind::TemperatureLost:
        return a.raised ? tr("No reading from %1.").arg(a.source) : tr("%1 reads again.").arg(a.source);
    case AlertKind::TemperatureHigh:
        return a.raised ? tr("%1 has been above %2 °C for %3 s (%4 °C).")
                              .arg(a.source, celsius(a.limit), QString::number(a.limitSeconds), celsius(a.celsius))
                        : tr("%1 is at or under %2 °C again.").arg(a.source, celsius(a.limit));
    case AlertKind::SaveFailed:
        return a.raised ? tr("The settings could not be written to %1.").arg(a.path)
                        : tr("%1 was written again.").arg(a.path);
    }
    return QString();
}

QString AlertText::openAction()
{
    return tr("Open Aurivent");
}
