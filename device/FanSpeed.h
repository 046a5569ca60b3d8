// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class BoxModel;
class Encoders;

// Fan speed as the program decides it: fixed speeds from the records, the
// temperature curve for the fans that follow the CPU temperature, and their
// cap when the temperature cannot be trusted. Every duty sent is recorded in
// the box model as the fan's commanded duty.

// Temperature-following on or off for a fan of the current box.
void switchPWM(Encoders &encoders, int fan, bool on);
// The same for a fan of box `box`.
void switchPWM(Encoders &encoders, int box, int fan, bool on);

// Whether a fan follows the CPU temperature: watched and in "PWM" mode.
// These are the fans the two calls below drive.
bool followsTemperature(const BoxModel &boxes, int box, int fan);

// Every temperature-following fan gets its duty from the curve; `box` -1: every box.
void applyTemperatureDuty(Encoders &encoders, int temperature, int box = -1);

// Every temperature-following fan of every connected box gets its cap, the
// highest duty its curve allows ((level + 5) x 10 %), with the same duty
// command the curve uses. For when the temperature cannot be trusted: no
// reading, or the program about to stop following it.
// `box` -1: every box.
void applyCapDuty(Encoders &encoders, int box = -1);

// Fixed speed of a 12-LED fan from its record (skipped while it follows the temperature).
void sendFixedSpeed(Encoders &encoders, int box, int fan);
// Fixed speed of a single-colour fan when a box is started up, by speed mode.
void sendVaylaStartSpeed(Encoders &encoders, int box, int fan);
// Fixed speed of a single-colour fan when it is re-applied: its level, whatever the mode.
void resetVaylaFan(Encoders &encoders, int box, int fan);
