// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

class BoxModel;
struct CurveSettings;

// Numbered command: fan LPARAM of the current box follows curve number
// WPARAM of curveChoices().
constexpr int kChooseCurveCommand = 0x8127;

// The curves a fan can be given, by number: the presets in their order
// (0 Classic, 1 Quiet, 2 Balanced, 3 Cooling), then the user's own in the
// order of the curves file.
QStringList curveChoices(const CurveSettings &settings);

// Gives fan `fan` of the current box curve number `choice`. A box, fan or
// curve number out of range is refused (logged) and changes nothing. True
// when the fan's curve changed (its profile is then to be saved).
bool chooseFanCurve(BoxModel &boxes, const CurveSettings &settings, int choice, int fan);
// The same for fan `fan` of box `box` (other programs name the box).
bool chooseFanCurveOf(BoxModel &boxes, const CurveSettings &settings, int box, int choice, int fan);

// The same by the curve's name (case ignored), as the window's curve
// selector sends it. An unknown name is refused (logged).
bool chooseFanCurveNamed(BoxModel &boxes, const CurveSettings &settings, const QString &name, int fan);
