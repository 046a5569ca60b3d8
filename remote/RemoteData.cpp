// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemoteData.h"

#include <QDebug>

#include <climits>
#include <cmath>

namespace RemoteData {

namespace {

bool inIntRange(qlonglong value)
{
    return value >= INT_MIN && value <= INT_MAX;
}

// Optional sign, then decimal digits only, nothing around them.
bool intFromText(const QString &text, int *out)
{
    int i = 0;
    bool negative = false;
    if (i < text.size() && (text.at(i) == QLatin1Char('-') || text.at(i) == QLatin1Char('+'))) {
        negative = text.at(i) == QLatin1Char('-');
        ++i;
    }
    if (i == text.size())
        return false;
    qlonglong value = 0;
    for (; i < text.size(); ++i) {
        const ushort c = text.at(i).unicode();
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
        if (value > qlonglong(INT_MAX) + 1)
            return false;
    }
    if (negative)
        value = -value;
    if (!inIntRange(value))
        return false;
    *out = static_cast<int>(value);
    return true;
}

bool present(const QVariant &value)
{
    return value.isValid() && !value.isNull();
}

bool toInt(const QVariantMap &data, const QString &key, int *out)
{
    const QVariant value = data.value(key);
    if (!present(value)) {
        *out = 0;
        return true;
    }
    if (strictInt(value, out))
        return true;
    qWarning() << "remote command refused:" << key << "is not an integer in range:" << value;
    return false;
}

} // namespace

bool strictInt(const QVariant &value, int *out)
{
    switch (static_cast<QMetaType::Type>(value.userType())) {
    case QMetaType::Bool:
        *out = value.toBool() ? 1 : 0;
        return true;
    case QMetaType::Int:
        *out = value.toInt();
        return true;
    case QMetaType::UInt:
    case QMetaType::ULongLong: {
        const qulonglong v = value.toULongLong();
        if (v > qulonglong(INT_MAX))
            return false;
        *out = static_cast<int>(v);
        return true;
    }
    case QMetaType::LongLong: {
        const qlonglong v = value.toLongLong();
        if (!inIntRange(v))
            return false;
        *out = static_cast<int>(v);
        return true;
    }
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        if (!std::isfinite(d) || d != std::trunc(d) || d < double(INT_MIN) || d > double(INT_MAX))
            return false;
        *out = static_cast<int>(d);
        return true;
    }
    case QMetaType::QString:
        return intFromText(value.toString(), out);
    default:
        return false;
    }
}

bool strictNumber(const QVariant &value, double *out)
{
    double d = 0.0;
    switch (static_cast<QMetaType::Type>(value.userType())) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Double:
    case QMetaType::Float:
        d = value.toDouble();
        break;
    case QMetaType::QString: {
        const QString text = value.toString();
        bool ok = false;
        // toDouble would skip surrounding blanks; the phone sends none.
        if (text.isEmpty() || text.at(0).isSpace() || text.at(text.size() - 1).isSpace())
            return false;
        d = text.toDouble(&ok);
        if (!ok)
            return false;
        break;
    }
    default:
        return false;
    }
    if (!std::isfinite(d))
        return false;
    *out = d;
    return true;
}

bool readNumber(const QVariantMap &data, const QString &key, int *out)
{
    return toInt(data, key, out);
}

bool readInt(const QVariantMap &data, const QString &key, int lo, int hi, int *out)
{
    if (!toInt(data, key, out))
        return false;
    if (*out < lo || *out > hi) {
        qWarning() << "remote command refused:" << key << *out << "outside" << lo << ".." << hi;
        return false;
    }
    return true;
}

bool readClamped(const QVariantMap &data, const QString &key, int lo, int hi, int *out)
{
    if (!toInt(data, key, out))
        return false;
    *out = qBound(lo, *out, hi);
    return true;
}

bool readColour(const QVariantMap &data, Colour *out)
{
    return readInt(data, QStringLiteral("RColor"), 0, 255, &out->r)
        && readInt(data, QStringLiteral("GColor"), 0, 255, &out->g)
        && readInt(data, QStringLiteral("BColor"), 0, 255, &out->b);
}

bool readBright(const QVariantMap &data, float *out)
{
    const QVariant value = data.value(QStringLiteral("Bright"));
    double tenths = 0.0;
    if (present(value) && !strictNumber(value, &tenths)) {
        qWarning() << "remote command refused: Bright is not a number:" << value;
        return false;
    }
    *out = static_cast<float>(qBound(0.0, tenths / 10.0, 1.0));
    return true;
}

} // namespace RemoteData
