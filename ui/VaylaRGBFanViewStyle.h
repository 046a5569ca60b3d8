// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Style sheets, image paths and per-language font sizes of the single-colour
// fan panel, kept apart from its behaviour.
namespace VaylaStyle {

// Absolute path of an image of the panel ("Images/Vayla/" beside the program).
QString vaylaImage(const QString &file);

// A button drawn by an image, with another image while checked (none: same image).
QString imageButtonStyle(const QString &normal, const QString &checked);
// A checkable text button: coloured text on its image, white text on the checked image.
QString textButtonStyle(const QString &color, const QString &normal, const QString &checked, int fontPx);
QString speedSliderStyle();
// Groove from the colour (left) to black (right).
QString brightnessSliderStyle(int r, int g, int b);
QString captionStyle(int fontPx);
// White, or dark grey on a preview colour too light for white text.
QString readoutTextColor(int r, int g, int b);

struct LanguageFonts {
    int button;    // Performance / Silent / PWM / Blink
    int caption;   // "FAN MODE", "LED BRIGHTNESS"
    int sliderEnd; // "Silent" / "Performance" under the speed slider
};
// Languages 0 en, 1 tc, 2 cn, 3 de, 4 fr, 5 jp, 6 th; others get the English sizes.
LanguageFonts languageFonts(int language);

} // namespace VaylaStyle
