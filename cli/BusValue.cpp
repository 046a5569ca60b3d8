// SPDX-License-Identifier: GPL-3.0-or-later
#include "BusValue.h"

#include <QDBusArgument>
#include <QDBusVariant>
#include <QStringList>

QVariant plainBusValue(const QVariant &value)
{
    if (value.userType() == qMetaTypeId<QDBusVariant>())
        return plainBusValue(value.value<QDBusVariant>().variant());
    if (value.userType() == qMetaTypeId<QDBusArgument>()) {
        const QDBusArgument arg = value.value<QDBusArgument>();
        switch (arg.currentType()) {
        case QDBusArgument::MapType:
            return plainBusValue(qdbus_cast<QVariantMap>(arg));
        case QDBusArgument::ArrayType: {
            // Numbers come as arrays of their own type, not of variants.
            if (arg.currentSignature() == QLatin1String("ad")) {
                QVariantList out;
                for (const double d : qdbus_cast<QList<double>>(arg))
                    out << d;
                return out;
            }
            return plainBusValue(qdbus_cast<QVariantList>(arg));
        }
        default:
            return QVariant();
        }
    }
    if (value.type() == QVariant::Map) {
        QVariantMap out;
        const QVariantMap in = value.toMap();
        for (auto it = in.begin(); it != in.end(); ++it)
            out.insert(it.key(), plainBusValue(it.value()));
        return out;
    }
    if (value.type() == QVariant::List) {
        QVariantList out;
        for (const QVariant &v : value.toList())
            out.append(plainBusValue(v));
        return out;
    }
    return value;
}

QJsonObject statusJson(const QVariantMap &status)
{
    return QJsonObject::fromVariantMap(plainBusValue(status).toMap());
}

QString statusText(const QVariantMap &raw)
{
    const QVariantMap s = plainBusValue(raw).toMap();
    QStringList lines;
    const QVariantMap t = s.value(QStringLiteral("temperature")).toMap();
    lines << (t.value(QStringLiteral("known")).toBool()
                  ? QStringLiteral("temperature: %1 °C (%2)")
                        .arg(t.value(QStringLiteral("celsius")).toInt())
                        .arg(t.value(QStringLiteral("source")).toString())
                  : QStringLiteral("temperature: no reading"));
    lines << QStringLiteral("profile: %1").arg(s.value(QStringLiteral("currentProfile")).toInt());
    const QVariantMap phone = s.value(QStringLiteral("phone")).toMap();
    lines << (phone.value(QStringLiteral("listening")).toBool()
                  ? QStringLiteral("phone server: listening, %1").arg(phone.value(QStringLiteral("address")).toString())
                  : QStringLiteral("phone server: off"));
    const QVariantList boxes = s.value(QStringLiteral("boxes")).toList();
    if (boxes.isEmpty())
        lines << QStringLiteral("no box connected");
    for (const QVariant &b : boxes) {
        const QVariantMap box = b.toMap();
        lines << QStringLiteral("box %1: %2, %3, firmware %4")
                     .arg(box.value(QStringLiteral("slot")).toInt() + 1)
                     .arg(box.value(QStringLiteral("kind")).toString(), box.value(QStringLiteral("health")).toString(),
                          box.value(QStringLiteral("firmware")).toString());
        for (const QVariant &f : box.value(QStringLiteral("fans")).toList()) {
            const QVariantMap fan = f.toMap();
            const int rpm = fan.value(QStringLiteral("rpm")).toInt();
            const int duty = fan.value(QStringLiteral("duty")).toInt();
            lines << QStringLiteral("  fan %1: %2 rpm, duty %3, speed %4, light mode %5%6")
                         .arg(fan.value(QStringLiteral("fan")).toInt() + 1)
                         .arg(rpm < 0 ? QStringLiteral("-") : QString::number(rpm))
                         .arg(duty < 0 ? QStringLiteral("-") : QString::number(duty) + QLatin1Char('%'))
                         .arg(fan.value(QStringLiteral("speedMode")).toString())
                         .arg(fan.value(QStringLiteral("lightMode")).toInt())
                         .arg(fan.value(QStringLiteral("stalled")).toBool() ? QStringLiteral(", STALLED") : QString());
        }
    }
    return lines.join(QLatin1Char('\n'));
}
