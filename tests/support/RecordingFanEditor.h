// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ui/FanEditor.h"

#include <QString>
#include <QStringList>

// A fan editor that remembers what was pressed, in order ("name value").
class RecordingFanEditor final : public FanEditor {
public:
    QStringList calls;
    bool leds[12] = {};

    void pressPerformance() override { calls << QStringLiteral("pressPerformance"); }
    void pressSilent() override { calls << QStringLiteral("pressSilent"); }
    void pressPWM(bool on) override { calls << QStringLiteral("pressPWM %1").arg(on); }
    void pressTurnOff() override { calls << QStringLiteral("pressTurnOff"); }
    void moveSlider(Slider slider, int value) override
    {
        static const char *const names[] = {"speedPercent", "speedLevel", "brightness"};
        calls << QStringLiteral("moveSlider %1 %2").arg(QLatin1String(names[int(slider)])).arg(value);
    }
    bool isLedSelected(int led) const override { return leds[led]; }
    void selectLed(int led, bool on) override { leds[led] = on; }
    void stepLightMode(bool right) override { calls << QStringLiteral("stepLightMode %1").arg(right); }
    void stepColorMode(bool right) override { calls << QStringLiteral("stepColorMode %1").arg(right); }
    void stepLightSpeed(bool right) override { calls << QStringLiteral("stepLightSpeed %1").arg(right); }
    void chooseLightMode(int m) override { calls << QStringLiteral("chooseLightMode %1").arg(m); }
    void chooseColorMode(int m) override { calls << QStringLiteral("chooseColorMode %1").arg(m); }
    void chooseLightSpeed(int s) override { calls << QStringLiteral("chooseLightSpeed %1").arg(s); }
};
