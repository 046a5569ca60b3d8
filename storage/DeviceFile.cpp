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

QString joinFlags(const bool *flags, int count)
{
    QStringList items;
    for (int i = 0; i < count; ++i)
        items << fromFlag(flags[i]);
    return items.join(QLatin1Char(','));
}

}

DeviceFileData IniHelper::defaultDeviceData()
{
    DeviceFileData data;
    const QStringList box{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1,1,1,1,1"),
                          QStringLiteral("1,1,1"), QStringLiteral("0,0,0,0,0")};
    data.boxes.fill(box, kBoxCount);
    data.main = QStringList{QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("9462"),
                            QStringLiteral("0"), QStringLiteral("1"), QString(), QStringLiteral("2")};
    return data;
}

DeviceFileData IniHelper::readDeviceIni()
{
    const auto file = IniFile::openForReading(deviceFilePath());
    if (file->missing) {
        qCDebug(lcStorage) << "Don't do up load(bool isUpLoad)";
        return defaultDeviceData();
    }
    if (!file->refusal.isEmpty()) {
        DeviceFileData data = defaultDeviceData();
        data.main[MainKey::RemoteAccess] = QLatin1String("");
        return data;
    }
    return deviceDataFrom(*file);
}

DeviceFileData IniHelper::deviceDataFrom(const IniFile::Contents &file)
{
    const DeviceFileData defaults = defaultDeviceData();
    DeviceFileData data;
    data.boxes.reserve(kBoxCount);
    for (int box = 0; box < kBoxCount; ++box) {
        const QString group = deviceGroup(box) + QLatin1Char('/');
        QStringList row;
        row.reserve(DeviceKey::Count);
        for (int key = 0; key < DeviceKey::Count; ++key) {
            const QString text = IniFile::readText(file, group + deviceKeys().at(key));
            row << (text.isEmpty() ? defaults.boxes.at(box).at(key) : text);
        }
        data.boxes << row;
    }
    // The Main keys have no defaults: a missing one reads as empty text.
    const QString main = mainGroup() + QLatin1Char('/');
    for (const QString &key : mainKeys())
        data.main << IniFile::readText(file, main + key);
    qCDebug(lcStorage) << "Password:::" << (data.main.at(MainKey::Password).isEmpty() ? "(none)" : "(set)");
    return data;
}

void IniHelper::parseDeviceData(const DeviceFileData &data, AppSettings &settings, BoxRecords &boxes)
{
    for (int box = 0; box < kBoxCount; ++box) {
        const QStringList row = box < data.boxes.size() ? data.boxes.at(box) : QStringList();
        ControllerBox &record = boxes[static_cast<size_t>(box)];
        // Any non-zero box type is an RGB box; the number itself is kept.
        record.boxType = toInt(at(row, DeviceKey::BoxType));
        record.profileValue = inRangeOr(toInt(at(row, DeviceKey::Profile)), 1, kProfileCount, 1,
                                        {"Profile", box, -1});
        const QStringList monitor = at(row, DeviceKey::Monitor).split(QLatin1Char(','));
        const QStringList fanType = at(row, DeviceKey::FanType).split(QLatin1Char(','));
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            record.rainbowFan[fan].isMonitor = toFlag(at(monitor, fan));
            record.rainbowFan[fan].fanType = toInt(at(fanType, fan));
        }
        const QStringList vaylaMonitor = at(row, DeviceKey::VaylaMonitor).split(QLatin1Char(','));
        for (int fan = 0; fan < kVaylaFanCount; ++fan)
            record.vaylaFan[fan].isMonitor = toFlag(at(vaylaMonitor, fan));
    }
    settings.isStartAutoUpdate = toFlag(at(data.main, MainKey::AutoUpdate));
    settings.languageIndex = toInt(at(data.main, MainKey::Language));
    settings.Password = at(data.main, MainKey::Password);
    settings.OpenPassword = toFlag(at(data.main, MainKey::OpenPassword));
    settings.isAutoRun = toFlag(at(data.main, MainKey::isAutoRun));
    settings.updateServer = at(data.main, MainKey::UpdateServer);
    // Who may reach the phone server: a value that cannot be read is taken
    // for the narrowest choice that still lets this computer's own phone
    // tool in; only a missing key means the default.
    const QString remoteAccess = at(data.main, MainKey::RemoteAccess);
    const QString access = remoteAccess.trimmed();
    settings.refusedSettings.clear();
    if (remoteAccess.isNull()) {
        settings.remoteAccess = 2;
    } else if (access == QLatin1String("0") || access == QLatin1String("1") || access == QLatin1String("2")) {
        settings.remoteAccess = access.toInt();
    } else {
        settings.remoteAccess = 1;
        qWarning().noquote() << "RemoteAccess" << ('"' + remoteAccess.left(64) + '"')
                             << "is not 0, 1 or 2: phone access limited to this computer";
        settings.refusedSettings << QStringLiteral("RemoteAccess");
    }
    qCDebug(lcStorage) << "paraseDevice-----2";
}

GroupMap IniHelper::buildDeviceMap(const AppSettings &settings, const BoxRecords &boxes)
{
    GroupMap groups;
    for (int box = 0; box < kBoxCount; ++box) {
        const ControllerBox &record = boxes[static_cast<size_t>(box)];
        bool monitor[kRainbowFanCount];
        QStringList fanTypes;
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            monitor[fan] = record.rainbowFan[fan].isMonitor;
            fanTypes << QString::number(record.rainbowFan[fan].fanType);
        }
        bool vaylaMonitor[kVaylaFanCount];
        for (int fan = 0; fan < kVaylaFanCount; ++fan)
            vaylaMonitor[fan] = record.vaylaFan[fan].isMonitor;

        QMap<QString, QString> &keys = groups[deviceGroup(box)];
        keys[deviceKeys().at(DeviceKey::BoxType)] = QString::number(record.boxType);
        keys[deviceKeys().at(DeviceKey::Profile)] = QString::number(record.profileValue);
        keys[deviceKeys().at(DeviceKey::Monitor)] = joinFlags(monitor, kRainbowFanCount);
        keys[deviceKeys().at(DeviceKey::VaylaMonitor)] = joinFlags(vaylaMonitor, kVaylaFanCount);
        keys[deviceKeys().at(DeviceKey::FanType)] = fanTypes.join(QLatin1Char(','));
    }
    QMap<QString, QString> &main = groups[mainGroup()];
    main[mainKeys().at(MainKey::AutoUpdate)] = fromFlag(settings.isStartAutoUpdate);
    main[mainKeys().at(MainKey::Language)] = QString::number(settings.languageIndex);
    main[mainKeys().at(MainKey::Password)] = settings.Password;
    main[mainKeys().at(MainKey::OpenPassword)] = fromFlag(settings.OpenPassword);
    main[mainKeys().at(MainKey::isAutoRun)] = fromFlag(settings.isAutoRun);
    main[mainKeys().at(MainKey::UpdateServer)] = settings.updateServer;
    main[mainKeys().at(MainKey::RemoteAccess)] = QString::number(settings.remoteAccess);
    return groups;
}

bool IniHelper::writeDeviceIni(const GroupMap &groups)
{
    return IniFile::writeGroups(deviceFilePath(), groups, "writeDeviceIni");
}

bool IniHelper::writeDeviceProfile(const AppSettings &settings, const BoxRecords &boxes)
{
    qCDebug(lcStorage) << "writeDeviceProfile";
    return writeDeviceIni(buildDeviceMap(settings, boxes));
}
