#pragma once

#include "BoxHealth.h"

class BoxModel;
class Encoders;

// What the speed monitor shows; the application window implements it with the
// main view and the alert window.
class FanMonitorHost {
public:
    virtual ~FanMonitorHost() = default;
    // Fan `fan` of the current box.
    virtual void showFanSpeed(int fan, int rpm) = 0;
    virtual void showFanError(int fan, bool error) = 0;
    virtual void showBoxAlarm(int box, bool alarm) = 0;
    // A watched fan of box `box` stopped: name the box, place and show the
    // alert, and hold the application until it is dismissed.
    virtual void raiseStallAlert(int box) = 0;
    // Box `box` stopped answering (false) or answers again (true).
    virtual void showBoxAnswering(int box, bool answering) = 0;
    // Box `box` stopped answering: none of its fans is watched any more.
    virtual void raiseBoxSilentAlert(int box) = 0;
};

// Once a second: ask every watched fan of every connected box for its speed.
// A single-colour box is asked for its three fans only, each gated by its own
// monitor flag: it has no fourth and fifth fan whose zero would look like a stall.
void updateSpeed(Encoders &encoders, FanMonitorHost &host);

// One speed reading of box `box` (port 1..5, already checked).
void onFanSpeed(BoxModel &boxes, int box, int port, int rpm, FanMonitorHost &host);

// The health of an open box changed: told once, in the log and the window.
void onBoxHealth(int box, BoxHealth health, FanMonitorHost &host);

// Re-raises the alert for the watched fans of the current box whose latch is set.
void resetFanView(BoxModel &boxes, FanMonitorHost &host);

// Temperature-following on or off for a fan of the current box.
void switchPWM(Encoders &encoders, int fan, bool on);

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
