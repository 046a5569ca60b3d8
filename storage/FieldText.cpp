// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/FieldText.h"

#include "curves/Curve.h"

#include <QDebug>
#include <cmath>

namespace FieldText {

QString at(const QStringList &row, int i)
{
    return i >= 0 && i < row.size() ? row.at(i) : QString();
}

int toInt(const QString &text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? value : 0;
}

float toFloat(const QString &text)
{
    bool ok = false;
    const float value = text.trimmed().toFloat(&ok);
    return ok ? value : 0.0f;
}

bool toFlag(const QString &text)
{
    return toInt(text) != 0;
}

QString fromFlag(bool flag)
{
    return flag ? QStringLiteral("1") : QStringLiteral("0");
}

QString fromFloat(float value)
{
    return QString::number(value, 'g', 6);
}

static void warnReplaced(const Origin &origin, const QString &value, const QString &replacement)
{
    qWarning().nospace().noquote() << "value out of range: " << origin.what << "=" << value
                         << " box " << origin.box << " fan " << origin.fan
                         << " -> " << replacement;
}

int inRangeOr(int value, int lo, int hi, int fallback, const Origin &origin)
{
    if (value >= lo && value <= hi)
        return value;
    warnReplaced(origin, QString::number(value), QString::number(fallback));
    return fallback;
}

int clamped(int value, int lo, int hi, const Origin &origin)
{
    const int kept = qBound(lo, value, hi);
    if (kept != value)
        warnReplaced(origin, QString::number(value), QString::number(kept));
    return kept;
}

float brightness(float value, const Origin &origin)
{
    float kept = value;
    if (std::isnan(value))
        kept = 1.0f;
    else if (value < 0.0f)
        kept = 0.0f;
    else if (value > 1.0f)
        kept = 1.0f;
    if (kept != value || std::isnan(value))
        warnReplaced(origin, fromFloat(value), fromFloat(kept));
    return kept;
}

QString curveName(const QString &text, const Origin &origin)
{
    const QString classic = QString::fromLatin1(kClassicCurveName);
    if (text.isEmpty())
        return classic;
    const QString problem = curveNameProblem(text);
    if (!problem.isEmpty()) {
        // Quoted: the text may hold anything.
        qWarning().nospace() << "curve name refused: " << origin.what << "=" << text << " box " << origin.box
                             << " fan " << origin.fan << " (" << qPrintable(problem) << ") -> " << qPrintable(classic);
        return classic;
    }
    return text;
}

}
