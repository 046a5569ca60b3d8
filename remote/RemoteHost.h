// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QStringList>

// What the phone's commands need from the application window. Everything
// else (the box records, the device commands) the command execution does itself.
class RemoteHost {
public:
    virtual ~RemoteHost() = default;

    // Music: stop the 25 ms music effect timer if it runs; start it (25 ms)
    // unless it runs; the level that drives "Mobile_1".."Mobile_3" (0..100).
    virtual void stopMusic() = 0;
    virtual void startMusicEffectTimer() = 0;
    virtual void setPhoneLevel(int level) = 0;

    // Re-sends every fan of the box from its record (speed and lighting).
    virtual void applyBoxSettings(int box) = 0;

    // Profile files (profile 1..5): load profile N of the box's kind into
    // the box; read RGB-fan profile N as five lists of 12 strings in the key
    // order RColor, GColor, BColor, Bright, Speed_Per, Speed_Num, SpeedMode,
    // PWM, colorMode, lightMode, lightSpeed, isTurnOffLed; write the box's
    // fans into the profile file of its profileValue, then write the device
    // file.
    virtual void loadProfile(int box, int profile) = 0;
    virtual QList<QStringList> readProfile(int profile) = 0;
    virtual void saveBoxProfile(int box) = 0;

    // The application's current profile number (1..5).
    virtual int currentProfile() const = 0;
    virtual void setCurrentProfile(int profile) = 0;

    // Main view: show the five fans of the box again (colour lists, light
    // mode, colour mode, light speed); the profile label and button.
    virtual void refreshFanPanels(int box) = 0;
    virtual void setProfileLabel(int profile) = 0;
    virtual void checkProfileButton(int profile) = 0;
};
