// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the numbered commands of other programs press on a 12-LED fan's
// editor. Each call acts as the user would, so that the editor sends its own
// message; none checks a range (the caller does).
class FanEditor {
public:
    enum class Slider { SpeedPercent, SpeedLevel, Brightness };

    virtual ~FanEditor() = default;

    virtual void pressPerformance() = 0;
    virtual void pressSilent() = 0;
    // Sets the PWM switch as given, then presses it.
    virtual void pressPWM(bool on) = 0;
    virtual void pressTurnOff() = 0;
    virtual void moveSlider(Slider slider, int value) = 0;
    virtual bool isLedSelected(int led) const = 0;
    virtual void selectLed(int led, bool on) = 0;
    // One step right (true) or left through the selector's values.
    virtual void stepLightMode(bool right) = 0;
    virtual void stepColorMode(bool right) = 0;
    virtual void stepLightSpeed(bool right) = 0;
    virtual void chooseLightMode(int lightMode) = 0;
    virtual void chooseColorMode(int colorMode) = 0;
    virtual void chooseLightSpeed(int lightSpeed) = 0;
};
