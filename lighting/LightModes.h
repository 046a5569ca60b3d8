// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/LightDispatch.h"

class BoxModel;
class Encoders;
struct RainbowFanRecord;

// The owner of the software-effect timers (music and temperature colour).
class LightingTimers {
public:
    virtual ~LightingTimers() = default;
    // The 50 ms volume sampling and the 25 ms music frames, each unless running.
    virtual void startMusicTimers() = 0;
    virtual void stopMusicTimers() = 0;
    // The 200 ms temperature colour walk, unless running.
    virtual void startTemperatureColorTimer() = 0;
    virtual void stopTemperatureColorTimer() = 0;
    // Light mode 14 applied to one fan: its colour for the current temperature
    // is sent at once, then the walk runs.
    virtual void applyTemperatureColor(int box, int fan) = 0;
};

// The colour mode that fits light mode `mode`; `current` is kept where it fits.
int normalisedColorMode(int mode, int current);

// How a whole box is sent again.
enum class Resend {
    Startup, // at start-up: as stored
    Reapply, // after a profile change or a phone command: colour modes normalised first
};

// Speed and lighting of every fan of a 12-LED box, from its records.
void applyBoxSettings(Encoders &encoders, int box, LightingTimers &timers, Resend kind = Resend::Reapply);

// One 12-LED fan's lighting from its record; a software mode starts its timer.
void applyFanLight(Encoders &encoders, int box, int fan, LightingTimers &timers);

// The lighting re-send of device-change handling and remote control.
void resendFanLight(Encoders &encoders, int box, int fan);

// A fan in "Copy" takes fan 0's look: its mode as the copied mode, colour mode,
// speed, turned-off flag and all colours. Records only; nothing is sent.
void copyFirstFanLook(BoxModel &boxes, int box, int fan);

// A single-colour fan takes fan 0's light mode, turned-off flag, colour and
// brightness. Records only; nothing is sent.
void copyFirstVaylaFan(BoxModel &boxes, int box, int fan);

// The fan plays fan 0's light mode with its own colours.
void copyColor(Encoders &encoders, int box, int fan);

// Stops the music and temperature timers when no watched fan needs them.
void stopUnusedSoftwareTimers(const BoxModel &boxes, LightingTimers &timers);
bool anyFanInMusicMode(const BoxModel &boxes);
bool anyFanInTemperatureMode(const BoxModel &boxes);

// One single-colour fan's lighting from its record.
void sendVaylaLighting(Encoders &encoders, int box, int fan);
