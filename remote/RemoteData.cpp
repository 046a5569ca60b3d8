#include "RemoteData.h"

#include <QDebug>

#include <cmath>

namespace RemoteData {

namespace {

bool toInt(const QVariantMap &data, const QString &key, int *out)
{
    const QVariant value = data.value(key);
    if (!value.isValid() || value.isNull()) {
        *out = 0;
        return true;
    }
    bool ok = false;
    *out = value.toInt(&ok);
    if (!ok)
        qWarning() << "remote command refused:" << key << "is not a number:" << value;
    return ok;
}

} // namespace

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
    if (value.isValid() && !value.isNull()) {
        bool ok = false;
        tenths = value.toDouble(&ok);
        if (!ok || !std::isfinite(tenths)) {
            qWarning() << "remote command refused: Bright is not a number:" << value;
            return false;
        }
    }
    *out = static_cast<float>(qBound(0.0, tenths / 10.0, 1.0));
    return true;
}

} // namespace RemoteData
