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

void parseFan(int box, int fan, const QStringList &row, VaylaFanRecord &record)
{
    record.rValue = clamped(toInt(at(row, VaylaProfileKey::RColor)), 0, 255, {"RColor", box, fan});
    record.gValue = clamped(toInt(at(row, VaylaProfileKey::GColor)), 0, 255, {"GColor", box, fan});
    record.bValue = clamped(toInt(at(row, VaylaProfileKey::BColor)), 0, 255, {"BColor", box, fan});
    record.brightValue = brightness(toFloat(at(row, VaylaProfileKey::Bright)), {"Bright", box, fan});
    record.speed = clamped(toInt(at(row, VaylaProfileKey::Speed)), 0, 5, {"Speed", box, fan});
    record.speedMode = inRangeOr(toInt(at(row, VaylaProfileKey::SpeedMode)), 0, 2, SpeedMode::Performance,
                                 {"SpeedMode", box, fan});
    record.isPWM = toFlag(at(row, VaylaProfileKey::PWM));
    record.lightMode = inRangeOr(toInt(at(row, VaylaProfileKey::lightMode)), 0, VaylaLightMode::Count - 1,
                                 VaylaLightMode::Steady, {"lightMode", box, fan});
    record.isTurnOffLed = toFlag(at(row, VaylaProfileKey::isTurnOffLed));
    record.curveName = curveName(at(row, VaylaProfileKey::Curve), {"Curve", box, fan});
}

}

ProfileData IniHelper::defaultVaylaProfileData()
{
    const QStringList fan{QStringLiteral("255"), QStringLiteral("0"), QStringLiteral("0"),
                          QStringLiteral("1"),   QStringLiteral("5"), QStringLiteral("2"),
                          QStringLiteral("0"),   QStringLiteral("0"), QStringLiteral("0"),
                          QString::fromLatin1(kClassicCurveName)};
    return ProfileData(kVaylaFanCount, fan);
}

ProfileData IniHelper::readVaylaProfileIni(int profile)
{
    if (!isValidProfileNumber(profile)) {
        qWarning() << "readVaylaProfileIni refused: profile" << profile;
        return defaultVaylaProfileData();
    }
    const auto file = IniFile::openForReading(vaylaProfilePath(profile));
    if (file->missing) {
        qCDebug(lcStorage) << "Don't do up load(bool isUpLoad)";
        return defaultVaylaProfileData();
    }
    if (!file->refusal.isEmpty())
        return defaultVaylaProfileData();
    return vaylaProfileDataFrom(*file);
}

ProfileData IniHelper::vaylaProfileDataFrom(const IniFile::Contents &file)
{
    ProfileData data;
    data.reserve(kVaylaFanCount);
    for (int fan = 0; fan < kVaylaFanCount; ++fan) {
        const QString group = fanGroup(fan) + QLatin1Char('/');
        QStringList row;
        row.reserve(vaylaProfileKeys().size());
        for (const QString &key : vaylaProfileKeys())
            row << IniFile::readText(file, group + key);
        data << row;
    }
    return data;
}

void IniHelper::parseVaylaProfile(int box, const ProfileData &data, ControllerBox &record)
{
    if (!isValidBox(box)) {
        qWarning() << "parseVaylaProfile refused: box" << box;
        return;
    }
    qCDebug(lcStorage) << "paraseProfile----";
    for (int fan = 0; fan < kVaylaFanCount; ++fan)
        parseFan(box, fan, data.value(fan), record.vaylaFan[fan]);
}

GroupMap IniHelper::buildVaylaProfileMap(int box, const ControllerBox &from)
{
    GroupMap groups;
    if (!isValidBox(box)) {
        qWarning() << "buildVaylaProfileMap refused: box" << box;
        return groups;
    }
    const QStringList &names = vaylaProfileKeys();
    for (int fan = 0; fan < kVaylaFanCount; ++fan) {
        const VaylaFanRecord &record = from.vaylaFan[fan];
        QMap<QString, QString> &keys = groups[fanGroup(fan)];
        keys[names.at(VaylaProfileKey::RColor)] = QString::number(record.rValue);
        keys[names.at(VaylaProfileKey::GColor)] = QString::number(record.gValue);
        keys[names.at(VaylaProfileKey::BColor)] = QString::number(record.bValue);
        keys[names.at(VaylaProfileKey::Bright)] = fromFloat(record.brightValue);
        keys[names.at(VaylaProfileKey::Speed)] = QString::number(record.speed);
        keys[names.at(VaylaProfileKey::SpeedMode)] = QString::number(record.speedMode);
        keys[names.at(VaylaProfileKey::PWM)] = fromFlag(record.isPWM);
        keys[names.at(VaylaProfileKey::lightMode)] = QString::number(record.lightMode);
        keys[names.at(VaylaProfileKey::isTurnOffLed)] = fromFlag(record.isTurnOffLed);
        keys[names.at(VaylaProfileKey::Curve)] = record.curveName;
    }
    return groups;
}

bool IniHelper::writeVaylaProfileIni(const GroupMap &groups, int profile)
{
    if (!isValidProfileNumber(profile)) {
        qWarning() << "writeVaylaProfileIni refused: profile" << profile;
        return false;
    }
    qCDebug(lcStorage) << "location:" << dataFolder();
    return IniFile::writeGroups(vaylaProfilePath(profile), groups, "writeVaylaProfileIni");
}
