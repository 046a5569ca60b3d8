// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QFont>
#include <QString>
#include <QStringList>

// The program's typeface, pinned so that layout does not depend on what a
// machine's "Arial" happens to be: Liberation Sans (Arial's metrics) for
// Latin text, then the CJK face of the language in use, then a Thai face.
namespace UiFont {

QString latinFamily();
// Families in fallback order for a language (0 en .. 6 th); outside 0..6 as English.
QStringList families(int language);

// Makes these families the application's font, so that every control whose
// style sheet gives only a size follows a language switch.
void apply(int language);
int language();

// A font of the current language's families at a pixel size.
QFont font(int pixelSize, bool bold = false);

} // namespace UiFont
