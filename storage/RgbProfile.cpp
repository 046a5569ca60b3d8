// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniHelper.h"

#include "common/Logging.h"
#include "device/BoxTable.h"
#include "storage/FieldText.h"
#include "storage/IniFile.h"

#include <QDebug>
#include <QFileInfo>
#include <QSettings>

using namespace FieldText;

namespace {

constexpr int kDefaultLightMode = LightMode::Whirl;
constexpr int kDefaultLightSpeed = LightSpeed::Slow;

QStringList items(const QStringList &row, int key)
{
    return at(row, key).split(QLatin1Char(','));
}

void parseFan(int box, int fan, const QStringList &row, RainbowFanRecord &record)
{
    const QStringList reds = items(row, RgbProfileKey::RColor);
    const QStringList greens = items(row, RgbProfileKey::GColor);
    const QStringList blues = items(row, RgbProfileKey::BColor);
    const QStringList brights = items(row, RgbProfileKey::Bright);
    for (int led = 0; led < kColorEntries; ++led) {
        record.rValue_Led[led] = clamped(toInt(at(reds, led)), 0, 255, {"RColor", box, fan});
        record.gValue_Led[led] = clamped(toInt(at(greens, led)), 0, 255, {"GColor", box, fan});
        record.bValue_Led[led] = clamped(toInt(at(blues, led)), 0, 255, {"BColor", box, fan});
        record.brightValue[led] = brightness(toFloat(at(brights, led)), {"Bright", box, fan});
    }
    record.speedPer = clamped(toInt(at(row, RgbProfileKey::Speed_Per)), 0, 5, {"Speed_Per", box, fan});
    record.speedNum = clamped(toInt(at(row, RgbProfileKey::Speed_Num)), 0, 10, {"Speed_Num", box, fan});
    record.speedMode = inRangeOr(toInt(at(row, RgbProfileKey::SpeedMode)), 0, 2, SpeedMode::Performance,
                                 {"SpeedMode", box, fan});
    record.isPWM = toFlag(at(row, RgbProfileKey::PWM));
    record.colorMode = inRangeOr(toInt(at(row, RgbProfileKey::colorMode)), 0, ColorMode::Count - 1,
                                 ColorMode::RGB, {"colorMode", box, fan});
    record.lightMode = inRangeOr(toInt(at(row, RgbProfileKey::lightMode)), 0, LightMode::Count - 1,
                                 kDefaultLightMode, {"lightMode", box, fan});
    record.lightSpeed = inRangeOr(toInt(at(row, RgbProfileKey::lightSpeed)), 0, LightSpeed::Count - 1,
                                  kDefaultLightSpeed, {"lightSpeed", box, fan});
    record.isTurnOffLed = toFlag(at(row, RgbProfileKey::isTurnOffLed));
    record.curveName = curveName(at(row, RgbProfileKey::Curve), {"Curve", box, fan});
}

QString joined(const int *values)
{
    QStringList texts;
    for (int i = 0; i < kColorEntries; ++i)
        texts << QString::number(values[i]);
    return texts.join(QLatin1Char(','));
}

// One component of the default look, entry by entry.
QString defaultLookText(int DefaultColour::*component)
{
    int values[kColorEntries];
    for (int i = 0; i < kColorEntries; ++i)
        values[i] = defaultEntryColour(i).*component;
    return joined(values);
}

}

ProfileData IniHelper::defaultProfileData()
{
    const QStringList fan{
        defaultLookText(&DefaultColour::r),
        defaultLookText(&DefaultColour::g),
        defaultLookText(&DefaultColour::b),
        QStringLiteral("1,1,1,1,1,1,1,1,1,1,1,1,1"),
        QStringLiteral("5"), QStringLiteral("10"), QStringLiteral("2"), QStringLiteral("1"),
        QStringLiteral("0"), QStringLiteral("5"), QStringLiteral("3"), QStringLiteral("0"),
        QString::fromLatin1(kClassicCurveName)};
    return ProfileData(kRainbowFanCount, fan);
}

ProfileData IniHelper::readProfileIni(int profile)
{
    if (!isValidProfileNumber(profile)) {
        qWarning() << "readProfileIni refused: profile" << profile;
        return defaultProfileData();
    }
    const auto file = IniFile::openForReading(profilePath(profile));
    if (file->missing) {
        qCDebug(lcStorage) << "readProfileIni--Don't do up load(bool isUpLoad)";
        return defaultProfileData();
    }
    if (!file->refusal.isEmpty())
        return defaultProfileData();
    return profileDataFrom(*file);
}

ProfileData IniHelper::profileDataFrom(const IniFile::Contents &file)
{
    ProfileData data;
    data.reserve(kRainbowFanCount);
    for (int fan = 0; fan < kRainbowFanCount; ++fan) {
        const QString group = fanGroup(fan) + QLatin1Char('/');
        QStringList row;
        row.reserve(rgbProfileKeys().size());
        for (const QString &key : rgbProfileKeys())
            row << IniFile::readText(file, group + key);
        data << row;
    }
    return data;
}

void IniHelper::parseProfile(int box, const ProfileData &data, ControllerBox &record)
{
    if (!isValidBox(box)) {
        qWarning() << "parseProfile refused: box" << box;
        return;
    }
    qCDebug(lcStorage) << "paraseProfile----";
    RainbowFanRecord *fans = record.rainbowFan;
    for (int fan = 0; fan < kRainbowFanCount; ++fan)
        parseFan(box, fan, data.value(fan), fans[fan]);

    // A fan in "Copy" plays what fan 0 plays. Fan 0 itself has nothing to
    // follow, so a "Copy" there plays "Snake" and never refers to itself.
    int followed = fans[0].lightMode;
    if (followed == LightMode::Copy) {
        qWarning() << "lightMode Copy on fan 0 follows nothing: box" << box;
        followed = LightMode::Snake;
    }
    for (int fan = 0; fan < kRainbowFanCount; ++fan) {
        if (fans[fan].lightMode != LightMode::Copy)
            continue;
        fans[fan].copyLightMode = followed;
        fans[fan].colorMode = fans[0].colorMode;
        fans[fan].lightSpeed = fans[0].lightSpeed;
        fans[fan].isTurnOffLed = fans[0].isTurnOffLed;
    }
}

GroupMap IniHelper::buildProfileMap(int box, const ControllerBox &from)
{
    GroupMap groups;
    if (!isValidBox(box)) {
        qWarning() << "buildProfileMap refused: box" << box;
        return groups;
    }
    for (int fan = 0; fan < kRainbowFanCount; ++fan) {
        const RainbowFanRecord &record = from.rainbowFan[fan];
        QStringList brights;
        for (int led = 0; led < kColorEntries; ++led)
            brights << fromFloat(record.brightValue[led]);
        const QStringList &names = rgbProfileKeys();
        QMap<QString, QString> &keys = groups[fanGroup(fan)];
        keys[names.at(RgbProfileKey::RColor)] = joined(record.rValue_Led);
        keys[names.at(RgbProfileKey::GColor)] = joined(record.gValue_Led);
        keys[names.at(RgbProfileKey::BColor)] = joined(record.bValue_Led);
        keys[names.at(RgbProfileKey::Bright)] = brights.join(QLatin1Char(','));
        keys[names.at(RgbProfileKey::Speed_Per)] = QString::number(record.speedPer);
        keys[names.at(RgbProfileKey::Speed_Num)] = QString::number(record.speedNum);
        keys[names.at(RgbProfileKey::SpeedMode)] = QString::number(record.speedMode);
        keys[names.at(RgbProfileKey::PWM)] = fromFlag(record.isPWM);
        keys[names.at(RgbProfileKey::colorMode)] = QString::number(record.colorMode);
        keys[names.at(RgbProfileKey::lightMode)] = QString::number(record.lightMode);
        keys[names.at(RgbProfileKey::lightSpeed)] = QString::number(record.lightSpeed);
        keys[names.at(RgbProfileKey::isTurnOffLed)] = fromFlag(record.isTurnOffLed);
        keys[names.at(RgbProfileKey::Curve)] = record.curveName;
    }
    return groups;
}

bool IniHelper::writeProfileIni(const GroupMap &groups, int profile)
{
    if (!isValidProfileNumber(profile)) {
        qWarning() << "writeProfileIni refused: profile" << profile;
        return false;
    }
    qCDebug(lcStorage) << "location:" << dataFolder();
    for (int fan = 0; fan < kRainbowFanCount; ++fan) {
        const QString text = groups.value(fanGroup(fan)).value(rgbProfileKeys().at(RgbProfileKey::Bright));
        const QStringList values = text.split(QLatin1Char(','));
        for (int led = 0; led < values.size(); ++led)
            qCDebug(lcStorage) << "rainbowFanView[" << fan << "]->brightValue[" << led << "]:" << values.at(led);
        qCDebug(lcStorage) << "brightnessValueString:" << text;
    }
    return IniFile::writeGroups(profilePath(profile), groups, "writeProfileIni");
}
