// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FanModeRules.h"

#include "device/FanCurve.h"
#include "viewmsg/MessageNames.h"
#include "viewmsg/ViewMessages.h"

#include "device/BoxTable.h"

namespace FanModeRules {

int lightModeRight(int lightMode, int fanNumber)
{
    int m = lightMode + 1;
    if (fanNumber == 0 && m == LightMode::Copy)
        m = LightMode::Music_1;
    if (m > LightMode::Temperature)
        m = LightMode::Snake;
    if (LightMode::isPhoneMusic(m))
        m = LightMode::Temperature;
    return m;
}

int lightModeLeft(int lightMode, int fanNumber)
{
    int m = lightMode - 1;
    if (fanNumber == 0 && m == LightMode::Copy)
        m = LightMode::Light;
    if (m < LightMode::Snake)
        m = LightMode::Temperature;
    if (LightMode::isPhoneMusic(m))
        m = LightMode::Music_3;
    return m;
}

int normaliseLightMode(int lightMode, int fanNumber)
{
    return lightModeRight(lightMode - 1, fanNumber);
}

namespace {

enum class ColorRule { ForceOff, ForceSingle, ForceRGB, RgbOrSingle, Free };

ColorRule colorRule(int lightMode, int copyLightMode)
{
    if (lightMode == LightMode::Copy) {
        if (copyLightMode > LightMode::Copy)
            return ColorRule::Free;
        lightMode = copyLightMode;
    }
    switch (lightMode) {
    case LightMode::Snake:
    case LightMode::Cycle:
        return ColorRule::ForceOff;
    case LightMode::Radar:
        return ColorRule::ForceSingle;
    case LightMode::Whirl:
        return ColorRule::ForceRGB;
    case LightMode::Blink:
    case LightMode::Breath:
    case LightMode::Light:
    case LightMode::Music_1:
    case LightMode::Music_2:
    case LightMode::Music_3:
        return ColorRule::RgbOrSingle;
    default:
        return ColorRule::Free;
    }
}

int wrapColorMode(int c)
{
    return ((c % ColorMode::Count) + ColorMode::Count) % ColorMode::Count;
}

} // namespace

int constrainColorMode(int lightMode, int copyLightMode, int colorMode)
{
    switch (colorRule(lightMode, copyLightMode)) {
    case ColorRule::ForceOff:
        return ColorMode::Off;
    case ColorRule::ForceSingle:
        return ColorMode::Single;
    case ColorRule::ForceRGB:
        return ColorMode::RGB;
    case ColorRule::RgbOrSingle:
        return colorMode == ColorMode::Single ? ColorMode::Single : ColorMode::RGB;
    case ColorRule::Free:
        break;
    }
    return (colorMode >= 0 && colorMode < ColorMode::Count) ? colorMode : ColorMode::RGB;
}

int stepColorMode(int lightMode, int copyLightMode, int colorMode, int step)
{
    const ColorRule rule = colorRule(lightMode, copyLightMode);
    if (rule == ColorRule::RgbOrSingle) {
        // Only two modes apply: a step past either end lands on the other.
        const int c = colorMode + step;
        if (c > ColorMode::Single)
            return ColorMode::RGB;
        if (c < ColorMode::RGB)
            return ColorMode::Single;
        return c;
    }
    return constrainColorMode(lightMode, copyLightMode, wrapColorMode(colorMode + step));
}

int defaultColorMode(int lightMode, int copyLightMode, int colorMode)
{
    const int m = lightMode == LightMode::Copy ? copyLightMode : lightMode;
    if (m == LightMode::Snake || m == LightMode::Cycle)
        return ColorMode::Off;
    if (m == LightMode::Radar)
        return ColorMode::Single;
    if ((m >= LightMode::Blink && m <= LightMode::Light) || LightMode::isComputerMusic(m))
        return ColorMode::RGB;
    return colorMode;
}

int lightSpeedLeft(int lightSpeed)
{
    return lightSpeed > LightSpeed::Normal ? LightSpeed::SoFast : lightSpeed + 1;
}

int lightSpeedRight(int lightSpeed)
{
    return lightSpeed <= LightSpeed::SoFast ? LightSpeed::Slow : lightSpeed - 1;
}

bool colorModeApplies(int lightMode)
{
    switch (lightMode) {
    case LightMode::Snake:
    case LightMode::Cycle:
    case LightMode::Radar:
    case LightMode::Whirl:
    case LightMode::Copy:
    case LightMode::Temperature:
        return false;
    default:
        return true;
    }
}

bool lightSpeedApplies(int lightMode)
{
    return !(lightMode == LightMode::Light || lightMode == LightMode::Copy || LightMode::isComputerMusic(lightMode)
             || lightMode == LightMode::Temperature);
}

bool speedArrowsFollowMode(int lightMode)
{
    // The same answer as the enable table, so a colour or speed change never
    // contradicts what the last light-mode change set.
    return lightMode < LightMode::Light || LightMode::isPhoneMusic(lightMode);
}

ControlEnables controlEnables(int lightMode)
{
    ControlEnables e;
    switch (lightMode) {
    case LightMode::Snake:
    case LightMode::Cycle:
    case LightMode::Radar:
        e.colorArrows = Enable::Off;
        e.speedArrows = Enable::On;
        e.turnOff = Enable::On;
        e.brightness = Enable::Off;
        break;
    case LightMode::Blink:
    case LightMode::Breath:
    case LightMode::Whirl:
    case LightMode::Mobile_1:
    case LightMode::Mobile_2:
    case LightMode::Mobile_3:
        e.colorArrows = e.speedArrows = e.editButtons = e.turnOff = e.brightness = Enable::On;
        break;
    case LightMode::Light:
        e.colorArrows = Enable::On;
        e.speedArrows = Enable::Off;
        e.turnOff = Enable::On;
        e.brightness = Enable::On;
        break;
    case LightMode::Copy:
    case LightMode::Temperature:
        e.colorArrows = e.speedArrows = e.editButtons = e.turnOff = e.brightness = Enable::Off;
        break;
    case LightMode::Music_1:
    case LightMode::Music_2:
    case LightMode::Music_3:
        e.speedArrows = Enable::Off;
        e.turnOff = Enable::Off;
        e.brightness = Enable::Off;
        break;
    default:
        break;
    }
    return e;
}

QString lightModeMessageTag(int lightMode)
{
    if (lightMode == LightMode::Copy)
        return MessageName::btnCopy;
    if (LightMode::isComputerMusic(lightMode))
        return MessageName::btnMusic;
    return MessageName::btnDone;
}

QString selectionMask(int checkedBits)
{
    return QString::number(checkedBits & 0xFFF, 2).rightJustified(kLedCount, QLatin1Char('0'));
}

bool isEmptyMask(const QString &mask)
{
    return mask == QString(kLedCount, QLatin1Char('0'));
}

QString pwmSpeedSummary(int step, const QString &silent, const QString &performance)
{
    if (step <= 0)
        return silent + QStringLiteral(" ") + QStringLiteral("50") + QStringLiteral(" %");
    if (step >= 5)
        return performance + QStringLiteral("\n") + QStringLiteral("100") + QStringLiteral(" %");
    return QString::number(step * 10 + 50) + QStringLiteral(" %");
}

PwmSpeed pwmSpeed(int step, bool temperatureKnown, int celsius)
{
    const int cap = temperatureCapDuty(step);
    return {temperatureKnown ? temperatureDuty(celsius, step) : cap, cap};
}

QString rpmSpeedSummary(int step, const QString &silent, const QString &performance)
{
    if (step <= 0)
        return silent + QStringLiteral(" ") + QStringLiteral("0") + QStringLiteral(" %");
    if (step >= 10)
        return performance + QStringLiteral("\n") + QStringLiteral("100") + QStringLiteral(" %");
    return QString::number(step * 10) + QStringLiteral(" %");
}

int speedModeForStep(int step, int maximum)
{
    if (step <= 0)
        return SpeedMode::Silent;
    if (step >= maximum)
        return SpeedMode::Performance;
    return SpeedMode::Custom;
}

} // namespace FanModeRules
