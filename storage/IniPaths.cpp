// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniHelper.h"

#include <QFileInfo>
#include <QSettings>

const QStringList &IniHelper::deviceKeys()
{
    static const QStringList keys{QStringLiteral("BoxType"), QStringLiteral("Profile"),
                                  QStringLiteral("Monitor"), QStringLiteral("VaylaMonitor"),
                                  QStringLiteral("FanType")};
    return keys;
}

const QStringList &IniHelper::mainKeys()
{
    static const QStringList keys{QStringLiteral("AutoUpdate"), QStringLiteral("Language"),
                                  QStringLiteral("Password"), QStringLiteral("OpenPassword"),
                                  QStringLiteral("isAutoRun"), QStringLiteral("UpdateServer"),
                                  QStringLiteral("RemoteAccess")};
    return keys;
}

const QStringList &IniHelper::rgbProfileKeys()
{
    static const QStringList keys{
        QStringLiteral("RColor"), QStringLiteral("GColor"), QStringLiteral("BColor"),
        QStringLiteral("Bright"), QStringLiteral("Speed_Per"), QStringLiteral("Speed_Num"),
        QStringLiteral("SpeedMode"), QStringLiteral("PWM"), QStringLiteral("colorMode"),
        QStringLiteral("lightMode"), QStringLiteral("lightSpeed"), QStringLiteral("isTurnOffLed"),
        QStringLiteral("Curve")};
    return keys;
}

const QStringList &IniHelper::vaylaProfileKeys()
{
    static const QStringList keys{
        QStringLiteral("RColor"), QStringLiteral("GColor"), QStringLiteral("BColor"),
        QStringLiteral("Bright"), QStringLiteral("Speed"), QStringLiteral("SpeedMode"),
        QStringLiteral("PWM"), QStringLiteral("lightMode"), QStringLiteral("isTurnOffLed"),
        QStringLiteral("Curve")};
    return keys;
}

QString IniHelper::deviceGroup(int box)
{
    return QStringLiteral("Device") + QString::number(box);
}

QString IniHelper::mainGroup()
{
    return QStringLiteral("Main");
}

QString IniHelper::fanGroup(int fan)
{
    return QStringLiteral("Fan") + QString::number(fan);
}

// The "application" settings only fix the location; they are never written.
QString IniHelper::dataFolder()
{
    const QSettings location(QSettings::IniFormat, QSettings::UserScope,
                             QStringLiteral("Kq"), QStringLiteral("application"));
    return QFileInfo(location.fileName()).absolutePath() + QStringLiteral("/RGBVaylaZeve");
}

QString IniHelper::deviceFilePath()
{
    return dataFolder() + QStringLiteral("/Device.ini");
}

QString IniHelper::profilePath(int profile)
{
    if (!isValidProfileNumber(profile))
        return QString();
    return dataFolder() + QStringLiteral("/VaylaZeve/Profile") + QString::number(profile)
           + QStringLiteral(".ini");
}

QString IniHelper::vaylaProfilePath(int profile)
{
    if (!isValidProfileNumber(profile))
        return QString();
    return dataFolder() + QStringLiteral("/Vayla/Vayla Profile") + QString::number(profile)
           + QStringLiteral(".ini");
}
