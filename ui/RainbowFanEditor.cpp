// SPDX-License-Identifier: GPL-3.0-or-later
// The editor as the numbered commands press it.
#include "RainbowFan.h"

#include <QPushButton>
#include <QSlider>

void RainbowFan::pressPerformance()
{
    pushPerformance();
}

void RainbowFan::pressSilent()
{
    pushSilent();
}

void RainbowFan::pressPWM(bool on)
{
    m_btnPwm->setChecked(on);
    pushPWM();
}

void RainbowFan::pressTurnOff()
{
    pushTurnOff();
}

void RainbowFan::moveSlider(Slider slider, int value)
{
    switch (slider) {
    case Slider::SpeedPercent:
        m_sliderPer->setValue(value);
        break;
    case Slider::SpeedLevel:
        m_sliderNum->setValue(value);
        break;
    case Slider::Brightness:
        m_sliderLight->setValue(value);
        break;
    }
}

bool RainbowFan::isLedSelected(int led) const
{
    return isLedChecked(led);
}

void RainbowFan::selectLed(int led, bool on)
{
    setLedChecked(led, on);
}

void RainbowFan::stepLightMode(bool right)
{
    right ? lightModeRight() : lightModeLeft();
}

void RainbowFan::stepColorMode(bool right)
{
    right ? colorModeRight() : colorModeLeft();
}

void RainbowFan::stepLightSpeed(bool right)
{
    right ? lightSpeedRight() : lightSpeedLeft();
}

void RainbowFan::chooseLightMode(int lightMode)
{
    applyLightModeValue(lightMode);
}

void RainbowFan::chooseColorMode(int colorMode)
{
    applyColorModeValue(colorMode);
}

void RainbowFan::chooseLightSpeed(int lightSpeed)
{
    applyLightSpeedValue(lightSpeed);
}
