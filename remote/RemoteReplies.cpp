// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemoteReplies.h"

#include "device/BoxTable.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace RemoteReplies {

namespace {

// Positions in a profile file's list of one fan.
enum ProfileItem {
    RColor, GColor, BColor, Bright, Speed_Per, Speed_Num, SpeedMode, PWM,
    colorMode, lightMode, lightSpeed, isTurnOffLed
};

QString fanKey(int fan) { return QStringLiteral("Fan%1").arg(fan + 1); }

QString toText(const QJsonObject &object)
{
    return QString::fromUtf8(QJsonDocument(object).toJson());
}

QString joined(const float (&values)[kColorEntries])
{
    QStringList items;
    for (float v : values)
        items << QString::number(v, 'g', 6);
    return items.join(QLatin1Char(','));
}

QString joined(const int (&values)[kColorEntries])
{
    QStringList items;
    for (int v : values)
        items << QString::number(v);
    return items.join(QLatin1Char(','));
}

} // namespace

QString profileFileReply(int resType, int profile, const QList<QStringList> &fans)
{
    QJsonObject reply;
    reply.insert(QStringLiteral("ResType"), resType);
    reply.insert(QStringLiteral("Profile"), profile);
    for (int f = 0; f < kRainbowFanCount; ++f) {
        const QStringList items = fans.value(f);
        auto item = [&items](int k) { return items.value(k); };
        QJsonObject fan;
        fan.insert(QStringLiteral("RColor"), item(RColor));
        fan.insert(QStringLiteral("GColor"), item(GColor));
        fan.insert(QStringLiteral("BColor"), item(BColor));
        fan.insert(QStringLiteral("Bright"), item(Bright));
        fan.insert(QStringLiteral("fanSpeed"), item(Speed_Per));
        fan.insert(QStringLiteral("fanSpeedMode"), item(SpeedMode));
        fan.insert(QStringLiteral("colorMode"), item(colorMode));
        fan.insert(QStringLiteral("lightMode"), item(lightMode));
        fan.insert(QStringLiteral("lightSpeed"), item(lightSpeed));
        fan.insert(QStringLiteral("isTurnOffLed"), item(isTurnOffLed));
        reply.insert(fanKey(f), fan);
    }
    return toText(reply);
}

QString liveProfileReply(const ControllerBox &box)
{
    QJsonObject reply;
    reply.insert(QStringLiteral("ResType"), 15);
    reply.insert(QStringLiteral("Profile"), box.profileValue);
    for (int f = 0; f < kRainbowFanCount; ++f) {
        const RainbowFanRecord &r = box.rainbowFan[f];
        QJsonObject fan;
        fan.insert(QStringLiteral("RColor"), joined(r.rValue_Led));
        fan.insert(QStringLiteral("GColor"), joined(r.gValue_Led));
        fan.insert(QStringLiteral("BColor"), joined(r.bValue_Led));
        fan.insert(QStringLiteral("Bright"), joined(r.brightValue));
        fan.insert(QStringLiteral("fanSpeed"), r.speedPer);
        fan.insert(QStringLiteral("fanSpeed_Num"), r.speedNum);
        fan.insert(QStringLiteral("fanSpeedMode"), r.speedMode);
        fan.insert(QStringLiteral("colorMode"), r.colorMode);
        fan.insert(QStringLiteral("lightMode"), r.lightMode);
        fan.insert(QStringLiteral("lightSpeed"), r.lightSpeed);
        fan.insert(QStringLiteral("isTurnOffLed"), r.isTurnOffLed);
        reply.insert(fanKey(f), fan);
    }
    return toText(reply);
}

} // namespace RemoteReplies
