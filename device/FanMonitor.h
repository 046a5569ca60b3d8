#pragma once

#include "BoxHealth.h"

class BoxModel;

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
// `onlyFan` >= 0 asks that fan position alone, for a poll spread over the second.
void updateSpeed(BoxModel &boxes, FanMonitorHost &host, int onlyFan = -1);

// One speed reading of box `box` (port 1..5, already checked).
void onFanSpeed(BoxModel &boxes, int box, int port, int rpm, FanMonitorHost &host);

// The health of an open box changed: told once, in the log and the window.
void onBoxHealth(int box, BoxHealth health, FanMonitorHost &host);

// Re-raises the alert for the watched fans of the current box whose latch is set.
void resetFanView(BoxModel &boxes, FanMonitorHost &host);

// Temperature-following on or off for a fan of the current box.
void switchPWM(BoxModel &boxes, int fan, bool on);

// Whether a fan follows the CPU temperature: watched and in "PWM" mode.
// These are the fans the two calls below drive.
bool followsTemperature(const BoxModel &boxes, int box, int fan);

// Every temperature-following fan gets its duty from the curve; `box` -1: every box.
void applyTemperatureDuty(BoxModel &boxes, int temperature, int box = -1);

// Every temperature-following fan of every connected box gets its cap, the
// highest duty its curve allows ((level + 5) x 10 %), with the same duty
// command the curve uses. For when the temperature cannot be trusted: no
// reading, or the program about to stop following it.
// `box` -1: every box.
void applyCapDuty(BoxModel &boxes, int box = -1);

// Fixed speed of a 12-LED fan from its record (skipped while it follows the temperature).
void sendFixedSpeed(BoxModel &boxes, int box, int fan);
// Fixed speed of a single-colour fan when a box is started up, by speed mode.
void sendVaylaStartSpeed(BoxModel &boxes, int box, int fan);
// Fixed speed of a single-colour fan when it is re-applied: its level, whatever the mode.
void resetVaylaFan(BoxModel &boxes, int box, int fan);

// The speed commands that the views decide, sent and recorded as the
// commanded duty below. The reports are those of the encoders they call.
void sendFanDuty(BoxModel &boxes, int box, int fan, int percent);     // 12-LED fan; the box gets at least 30 %
void sendFanTargetSpeed(BoxModel &boxes, int box, int fan, int rpm);  // 12-LED fan
void sendFanSpeedLevel(BoxModel &boxes, int box, int fan, int level); // 12-LED fan: fanSpeedLevelRpm(level)
void sendVaylaSilent(BoxModel &boxes, int box, int fan);              // single-colour fan: 0 %, it stops
void sendVaylaPerformance(BoxModel &boxes, int box, int fan);         // single-colour fan: full speed

// The duty in percent that a fan was last commanded by the program, or
// kNoCommandedDuty when its last speed command was a target speed or a
// preset (or nothing was commanded since the box was opened or forgotten).
constexpr int kNoCommandedDuty = -1;
int commandedDuty(int box, int fan);
// A fan commanded to run at 0 % stands still on purpose: its zero speed is
// no stall, raises no alert and shows no error.
bool isStoppedOnPurpose(int box, int fan);
// Forgets what box `box` was commanded, for a box that was closed or opened
// again (it runs at its power-on speed then); -1 forgets every box.
void forgetCommandedDuties(int box);

