// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "curves/Curve.h"
#include "storage/IniFile.h"
#include "storage/IniHelper.h"

#include <QStringList>

// The curves file, "Curves.ini" in the data folder beside the device file:
// the user's own curves and the reading period. A program that does not
// know it never opens it; without it every fan follows "Classic" every 5 s.
//
//   [Main]
//   ReadingPeriod=2                     seconds, 1..5
//   [Curve0]                            Curve0..Curve31, one curve each
//   Name=Gaming
//   Points="30:30,50:45,70:100"         temperature:duty, 2..8 of them
//   Shape=Linear                        or Steps
//   Hysteresis=2                        degrees
//   StepUp=10                           percent per second, 0 = at once
//   StepDown=5
//   MinDuty=30
//   Sources="cpu,amdgpu-pci-0300/edge"  one source, or the sources of a mix
//   Mix=Max                             or Average
//
// Missing option keys take their defaults (Linear, 0, "cpu", Max); a curve
// without a name and points is an empty slot.
namespace CurvesFile {

QString path();

// The settings a file's keys give. Every value is checked; a curve with a
// value that does not parse or is out of range, too few or too many points,
// temperatures that do not rise, a name that is a preset's or taken already,
// is refused whole: logged, one line in `refusals`, and left out (fans that
// name it follow Classic). A reading period that is not 1..5 is 5.
CurveSettings fromContents(const IniFile::Contents &contents, QStringList *refusals = nullptr);
// The file at path(); no file gives the defaults without a word.
CurveSettings read(QStringList *refusals = nullptr);

GroupMap build(const CurveSettings &settings);
// Replaces the file. Settings with a problem are refused (logged, false)
// and the file stays as it was; so it does when the save fails.
bool write(const CurveSettings &settings);

}
