// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

// Contrast of text against what lies behind it, as the accessibility
// guidelines measure it (WCAG 2 relative luminance).
namespace Contrast {

double luminance(const QColor &color);
// 1 (none) to 21 (black on white).
double ratio(const QColor &a, const QColor &b);
// White or a near black, whichever reads better on `background`; either one
// reaches at least 4.58:1 on any colour.
QColor textOn(const QColor &background);

} // namespace Contrast
