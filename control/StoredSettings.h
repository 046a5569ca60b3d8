// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class BoxModel;
class CurveController;
class Encoders;
class ProfileService;
class FanMonitor;
class LightingTimers;

// Once at start-up: every connected box gets its stored profile and is sent
// its fans' speed and lighting from it.
void applyStoredSettings(BoxModel &boxes, ProfileService &profiles, LightingTimers &timers, FanMonitor &monitor);

// A box opened after start-up (plugged in late or again, power-cycled,
// answering again) shows its power-on defaults: it is sent what the program
// holds for it (its own stored profile first, if none was loaded into its
// record yet), as at start-up — the lighting and fixed speed of every fan,
// and for the fans that follow the CPU temperature the curve's duty for the
// last reading, or their cap without one.
void resendBoxSettings(Encoders &encoders, ProfileService &profiles, int box, LightingTimers &timers,
                       CurveController &curves);
