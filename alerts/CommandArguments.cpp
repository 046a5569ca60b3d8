// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/CommandArguments.h"

#include "alerts/AlertText.h"

#include <cmath>

namespace {

QString number(int value)
{
    return value < 0 ? QString() : QString::number(value + 1);
}

QString celsius(double value)
{
    return std::isfinite(value) ? QString::number(value, 'f', 1) : QString();
}

} // namespace

QStringList commandArguments(const Alert &a)
{
    return {QString::fromLatin1(alertKindName(a.kind)),
            a.raised ? QStringLiteral("raised") : QStringLiteral("cleared"),
            number(a.box),
            number(a.fan),
            a.source,
            celsius(a.celsius),
            celsius(a.limit),
            a.path,
            a.time.isValid() ? a.time.toUTC().toString(Qt::ISODate) : QString(),
            AlertText::body(a)};
}
