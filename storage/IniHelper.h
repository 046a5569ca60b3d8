// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/BoxTable.h"
#include "storage/AppSettings.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <QVector>

// The device file and the two kinds of profile file, and their conversion to
// and from box records and AppSettings.
//
// Contract (holds for every function below):
// - All functions are static and keep no state; call them as IniHelper::f().
//   They change no records but the ones they are handed.
// - Files live in dataFolder(): the folder of the per-user INI settings of
//   organisation "Kq" / application "application" + "/RGBVaylaZeve"
//   (on Linux $XDG_CONFIG_HOME/Kq/RGBVaylaZeve).
//     Device.ini                       device file
//     VaylaZeve/Profile<N>.ini         RGB-fan profile N (groups Fan0..Fan4)
//     Vayla/Vayla Profile<N>.ini       second-type profile N (groups Fan0..Fan2)
// - read*  returns the raw texts of the file in the fixed key order of the
//          *Key enums below, with the documented defaults where the file or a
//          key is missing. Reading never fails, never waits and never writes:
//          a file that is not a regular file of at most
//          IniFile::kMaxSettingsBytes is refused (logged) and reads as
//          missing, except that a refused device file's RemoteAccess reads
//          as unreadable (so: this computer only).
// - parse* stores texts into the records / AppSettings it is given. Short lists read their
//          missing items as 0; values outside their range are replaced (the
//          replacement is logged with qWarning, one line per value):
//            profile number outside 1-5 -> 1, RGB light mode outside 0-14 -> 5,
//            second-type light mode outside 0-2 -> 0, colour mode outside 0-2 -> 0,
//            light speed outside 0-3 -> 3, speed mode outside 0-2 -> 2,
//            Speed_Per/Speed 0-5 and Speed_Num 0-10 clamped, colours clamped to
//            0-255, brightness clamped to 0..1 (NaN -> 1).
//          Text that is not a decimal number reads as 0. Box type, fan type
//          and language index keep any number (non-zero box type = RGB box;
//          the caller loads a translation for 0-6 only). RemoteAccess other
//          than 0, 1 or 2 (empty text too) -> 1, logged and listed in
//          AppSettings::refusedSettings; a missing key -> 2 without a warning.
//          A fan's curve name that is missing or empty reads as "Classic"; one
//          that is no usable name is replaced by "Classic" (logged). Whether
//          a curve of that name exists is the caller's to check.
//          parseProfile: a fan in light mode 7 ("Copy") then takes fan 0's
//          light mode as copyLightMode and fan 0's colour mode, light speed
//          and turned-off flag; "Copy" on fan 0 itself follows mode 0.
//          A bad box number is refused (logged) and nothing changes.
// - build* turns records / AppSettings into a GroupMap (group -> key -> text).
// - write* writes every key of a GroupMap and returns true only when the new
//          file is complete on disk. On any failure (folder not creatable, disk
//          full, read-only location) it logs "<operation> failed:" and returns
//          false, and the previous file stays exactly as it was: the new content
//          is staged, checked by reading it back, and then replaces the file in
//          one atomic rename. Keys of the old file that the map lacks are kept.
// - A profile number outside 1-5 is refused by read/write (logged): a read then
//   returns the defaults, a write returns false and touches nothing.

namespace IniFile {
struct Contents;
}

// Group name -> key -> value text.
using GroupMap = QMap<QString, QMap<QString, QString>>;

// Column order of one device-file box row.
namespace DeviceKey {
enum : int { BoxType, Profile, Monitor, VaylaMonitor, FanType, Count };
}
// Column order of the device file's Main row.
namespace MainKey {
enum : int { AutoUpdate, Language, Password, OpenPassword, isAutoRun, UpdateServer, RemoteAccess, Count };
}
// Column order of one fan row of an RGB-fan profile.
namespace RgbProfileKey {
enum : int {
    RColor, GColor, BColor, Bright, Speed_Per, Speed_Num, SpeedMode, PWM,
    colorMode, lightMode, lightSpeed, isTurnOffLed, Curve, Count
};
}
// Column order of one fan row of a second-type profile.
namespace VaylaProfileKey {
enum : int { RColor, GColor, BColor, Bright, Speed, SpeedMode, PWM, lightMode, isTurnOffLed, Curve, Count };
}

// What a read of the device file gives: 16 box rows of DeviceKey::Count texts
// and one Main row of MainKey::Count texts.
struct DeviceFileData {
    QVector<QStringList> boxes;
    QStringList main;
};

// What a read of a profile gives: one row per fan (5 RGB, 3 second-type) of
// RgbProfileKey::Count or VaylaProfileKey::Count texts.
using ProfileData = QVector<QStringList>;

class IniHelper
{
public:
    IniHelper() = delete;

    // Key names in column order (the texts used in the files).
    static const QStringList &deviceKeys();
    static const QStringList &mainKeys();
    static const QStringList &rgbProfileKeys();
    static const QStringList &vaylaProfileKeys();
    // "Device0".."Device15", "Main", "Fan0".."Fan4".
    static QString deviceGroup(int box);
    static QString mainGroup();
    static QString fanGroup(int fan);

    static QString dataFolder();
    static QString deviceFilePath();
    static QString profilePath(int profile);       // empty for a bad number
    static QString vaylaProfilePath(int profile);  // empty for a bad number

    // What a missing file reads as.
    static DeviceFileData defaultDeviceData();
    static ProfileData defaultProfileData();
    static ProfileData defaultVaylaProfileData();

    // Device file.
    static DeviceFileData readDeviceIni();
    // The rows of a device file already read (no file system).
    static DeviceFileData deviceDataFrom(const IniFile::Contents &file);
    // The box rows fill box type, profile number, monitor flags and fan types
    // of `boxes`; nothing else of a record changes.
    static void parseDeviceData(const DeviceFileData &data, AppSettings &settings, BoxRecords &boxes);
    static GroupMap buildDeviceMap(const AppSettings &settings, const BoxRecords &boxes);
    static bool writeDeviceIni(const GroupMap &groups);
    // buildDeviceMap + writeDeviceIni, logged as "writeDeviceProfile".
    static bool writeDeviceProfile(const AppSettings &settings, const BoxRecords &boxes);

    // RGB-fan profile N (five fans).
    static ProfileData readProfileIni(int profile);
    static ProfileData profileDataFrom(const IniFile::Contents &file);
    // Fills the five RGB fans of `record`; `box` names it in the log.
    static void parseProfile(int box, const ProfileData &data, ControllerBox &record);
    static GroupMap buildProfileMap(int box, const ControllerBox &from);
    static bool writeProfileIni(const GroupMap &groups, int profile);

    // Second-type profile N (three fans).
    static ProfileData readVaylaProfileIni(int profile);
    static ProfileData vaylaProfileDataFrom(const IniFile::Contents &file);
    // Fills the three single-colour fans of `record`; `box` names it in the log.
    static void parseVaylaProfile(int box, const ProfileData &data, ControllerBox &record);
    static GroupMap buildVaylaProfileMap(int box, const ControllerBox &from);
    static bool writeVaylaProfileIni(const GroupMap &groups, int profile);
};
