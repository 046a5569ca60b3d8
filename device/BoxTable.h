// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QString>

#include <array>

// Identities of the controller boxes.
constexpr unsigned short kVendorId = 0x264A;
constexpr unsigned short kProductIdBase = 0x1FA5;

namespace LightMode {
enum : int {
    Snake = 0, Cycle, Radar, Blink, Breath, Whirl, Light, Copy,
    Music_1, Music_2, Music_3, Mobile_1, Mobile_2, Mobile_3, Temperature
};
constexpr int Count = 15;
inline bool isValid(int m) { return m >= 0 && m < Count; }
inline bool isBoxEffect(int m) { return m >= Snake && m <= Whirl; }
inline bool isComputerMusic(int m) { return m >= Music_1 && m <= Music_3; }
inline bool isPhoneMusic(int m) { return m >= Mobile_1 && m <= Mobile_3; }
inline bool isMusic(int m) { return m >= Music_1 && m <= Mobile_3; }
}

namespace ColorMode {
enum : int { RGB = 0, Single = 1, Off = 2 };
constexpr int Count = 3;
}

namespace LightSpeed {
enum : int { SoFast = 0, Fast = 1, Normal = 2, Slow = 3 };
constexpr int Count = 4;
}

namespace SpeedMode {
enum : int { Custom = 0, Silent = 1, Performance = 2 };
}

namespace VaylaLightMode {
enum : int { Steady = 0, RGB = 1, Blink = 2 };
constexpr int Count = 3;
}

namespace BoxType {
enum : int { Vayla = 0, Rainbow = 1 };
}

struct RainbowFanRecord {
    int fanType = 0;
    int speedPer = 5;
    int speedNum = 10;
    int speedMode = SpeedMode::Performance;
    bool isMonitor = true;
    bool isAlarmShown = false;
    bool isPWM = true;
    int colorMode = 0;
    int lightMode = 0;
    int lightSpeed = 0;
    int copyLightMode = 0;
    int rValue_Led[kColorEntries] = {};
    int gValue_Led[kColorEntries] = {};
    int bValue_Led[kColorEntries] = {};
    float brightValue[kColorEntries] = {};
    bool isTurnOffLed = true;
    // The curve the fan follows while isPWM is set.
    QString curveName = QString::fromLatin1(kClassicCurveName);
};

struct VaylaFanRecord {
    int speed = 5;
    int speedMode = SpeedMode::Performance;
    bool isMonitor = true;
    bool isAlarmShown = false;
    bool isPWM = true;
    int lightMode = VaylaLightMode::Steady;
    int rValue = 255;
    int gValue = 0;
    int bValue = 0;
    float brightValue = 1.0f;
    bool isTurnOffLed = true;
    // The curve the fan follows while isPWM is set.
    QString curveName = QString::fromLatin1(kClassicCurveName);
};

// Same settings and flags, entry for entry (a new field joins here too).
inline bool operator==(const RainbowFanRecord &a, const RainbowFanRecord &b)
{
    for (int i = 0; i < kColorEntries; ++i) {
        if (a.rValue_Led[i] != b.rValue_Led[i] || a.gValue_Led[i] != b.gValue_Led[i]
            || a.bValue_Led[i] != b.bValue_Led[i] || a.brightValue[i] != b.brightValue[i])
            return false;
    }
    return a.fanType == b.fanType && a.speedPer == b.speedPer && a.speedNum == b.speedNum
        && a.speedMode == b.speedMode && a.isMonitor == b.isMonitor && a.isAlarmShown == b.isAlarmShown
        && a.isPWM == b.isPWM && a.colorMode == b.colorMode && a.lightMode == b.lightMode
        && a.lightSpeed == b.lightSpeed && a.copyLightMode == b.copyLightMode && a.isTurnOffLed == b.isTurnOffLed;
}
inline bool operator!=(const RainbowFanRecord &a, const RainbowFanRecord &b) { return !(a == b); }

inline bool operator==(const VaylaFanRecord &a, const VaylaFanRecord &b)
{
    return a.speed == b.speed && a.speedMode == b.speedMode && a.isMonitor == b.isMonitor
        && a.isAlarmShown == b.isAlarmShown && a.isPWM == b.isPWM && a.lightMode == b.lightMode
        && a.rValue == b.rValue && a.gValue == b.gValue && a.bValue == b.bValue && a.brightValue == b.brightValue
        && a.isTurnOffLed == b.isTurnOffLed;
}
inline bool operator!=(const VaylaFanRecord &a, const VaylaFanRecord &b) { return !(a == b); }

// One box slot. Its open handle and I/O state belong to its link on the
// device bus, not to this record.
struct ControllerBox {
    bool gIsConnected = false;
    int profileValue = 1;
    RainbowFanRecord rainbowFan[kRainbowFanCount];
    VaylaFanRecord vaylaFan[kVaylaFanCount];
    int boxType = BoxType::Rainbow;

    bool isVaylaBox() const { return boxType == BoxType::Vayla; }
};

// One record per box slot; index = box number. BoxModel owns the one the
// program runs on.
using BoxRecords = std::array<ControllerBox, kBoxCount>;

inline bool isValidBox(int box) { return box >= 0 && box < kBoxCount; }
inline bool isValidRainbowFan(int fan) { return fan >= 0 && fan < kRainbowFanCount; }
inline bool isValidVaylaFan(int fan) { return fan >= 0 && fan < kVaylaFanCount; }
// A brightness factor held to 0..1 (NaN counts as 0).
inline float clampBrightness(float v)
{
    return v > 0.0f ? (v < 1.0f ? v : 1.0f) : 0.0f;
}

// Fans that a box of its type really drives.
inline int fanCountOf(const ControllerBox &box)
{
    return box.isVaylaBox() ? kVaylaFanCount : kRainbowFanCount;
}
// The light mode a fan plays: its own, or the copied one while in "Copy".
inline int effectiveLightMode(const RainbowFanRecord &fan)
{
    return fan.lightMode == LightMode::Copy ? fan.copyLightMode : fan.lightMode;
}
