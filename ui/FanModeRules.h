// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The rules that tie the RGB fan editor's selectors together: which light
// mode an arrow lands on, which colour modes a light mode allows, which
// controls apply. Pure functions of the codes, shared by the editor and its
// tests.
namespace FanModeRules {

// Light-mode arrows. The phone-driven modes are never reached by the arrows,
// and the first fan skips Copy because there is no earlier fan to copy.
int lightModeRight(int lightMode, int fanNumber);
int lightModeLeft(int lightMode, int fanNumber);
// A light mode set from outside, normalised as the right arrow would.
int normaliseLightMode(int lightMode, int fanNumber);

// A colour mode set directly, constrained by the light mode (by the copied
// light mode while the fan is in Copy mode). The result is always 0..2.
int constrainColorMode(int lightMode, int copyLightMode, int colorMode);
// A colour-mode arrow step (+1 or -1) from colorMode, then constrained.
int stepColorMode(int lightMode, int copyLightMode, int colorMode, int step);
// The colour mode that "Default" gives.
int defaultColorMode(int lightMode, int copyLightMode, int colorMode);

// Light-speed arrows: left towards "Slow", right towards "So Fast".
int lightSpeedLeft(int lightSpeed);
int lightSpeedRight(int lightSpeed);

// Whether a selector has any effect in a light mode (its label is grey when not).
bool colorModeApplies(int lightMode);
bool lightSpeedApplies(int lightMode);
// Whether the effect-speed arrows apply: the box effects and the phone modes.
bool speedArrowsFollowMode(int lightMode);

// Which controls a light mode switches on or off. Keep marks a control the
// light mode has no rule for; the editor then enables it.
enum class Enable { Keep, On, Off };
struct ControlEnables {
    Enable colorArrows = Enable::Keep;
    Enable speedArrows = Enable::Keep;
    Enable editButtons = Enable::Keep; // Done, Default, Color
    Enable turnOff = Enable::Keep;
    Enable brightness = Enable::Keep;
};
ControlEnables controlEnables(int lightMode);

// Item 0 of the message that follows a light-mode change.
QString lightModeMessageTag(int lightMode);

// The selection mask: bit i set for LED i, written as 12 base-2 digits
// (character 0 is LED 11).
QString selectionMask(int checkedBits);
bool isEmptyMask(const QString &mask);

// Fan-speed summaries in the monitor disc. silent and performance are the
// translated words.
QString pwmSpeedSummary(int step, const QString &silent, const QString &performance);
// With PWM the fan follows the CPU temperature up to the cap its slider step
// sets (0..5: 50..100 %): the duty it gets now, and that cap. Without a
// temperature reading the fan runs at its cap.
struct PwmSpeed {
    int now;
    int cap;
};
PwmSpeed pwmSpeed(int step, bool temperatureKnown, int celsius);
QString rpmSpeedSummary(int step, const QString &silent, const QString &performance);
// Speed mode implied by a slider position (0 Silent, the maximum Performance).
int speedModeForStep(int step, int maximum);

} // namespace FanModeRules
