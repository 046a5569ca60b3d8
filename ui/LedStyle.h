// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QColor;

// Style sheets of the fan editor's LED buttons and sliders. Pure text
// builders, so the looks can be checked without widgets.
namespace LedStyle {

// "rgb(R,G, B)", the colour text every LED style is built from.
QString colorText(int r, int g, int b);

// Text colour that stays readable on an LED of this colour: "black" on light
// yellows, greens and cyans, "white" on everything else.
QString buttonTextColor(int r, int g, int b);

// Style sheet of one LED button: a radial gradient from a light tint of the
// colour to the colour, its number dark or white by the tint's lightness. A
// pure white LED gets a black rim so it stays visible on the white panel; a
// grey LED (Copy and Temperature modes) is drawn in rgb(80,80,80) whatever
// its stored colour; LEDs switched off are drawn dark.
QString ledStyleSheet(int r, int g, int b, bool grey, bool off = false);
// The centre of an LED's gradient and the colour of the number on it.
QColor ledCentre(int r, int g, int b);
QString ledNumberColor(const QColor &centre);

// The brightness slider: a groove fading from black to the LED colour; the
// grey handle shows when brightness does not apply.
QString brightnessSliderStyle(int r, int g, int b, const QString &handleImage, const QString &disabledHandleImage);

// A fan-speed slider, blue when it is the active scale, grey otherwise.
QString fanSpeedSliderStyle(bool active, const QString &imageDir);

// A selector's name label; grey when the selector does not apply.
QString nameLabelStyle(int fontPx, bool applies, const QString &imageDir);

} // namespace LedStyle
