// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QFont;
class QWidget;

// The one rule for "this text fits its control", used by the layout when it
// picks a font size and by the tests that check every translation: each
// line's advance and its inked extent, plus a margin on both sides, within
// the width; the lines within the height.
namespace TextFit {

constexpr int kMargin = 1; // pixels kept free left and right of the text
constexpr int kMinPx = 9;  // no text is drawn smaller: below it breaks onto two lines

// Translations mark where a word may break: a soft hyphen (shown as "-" at
// the break) or a zero-width space (shown as nothing).
QString plain(const QString &text);

struct Fit {
    int px;
    QString text; // with a line break where one was needed
};
// The largest size from maxPx down to minPx (never under kMinPx) at which
// the text fits on one line, else on two lines broken where the language
// allows; minPx and the unbroken text when nothing fits.
Fit fitLines(const QString &text, int width, int height, int maxPx, int minPx, bool bold);

// Width and height of the text's box; height < 0 leaves the height unchecked.
bool fits(const QFont &font, const QString &text, int width, int height = -1);

// The largest pixel size from maxPx down to minPx at which the text fits
// (minPx when none does).
int largestFittingPx(const QString &text, int width, int height, int maxPx, int minPx, bool bold);

// The text a label or button shows (empty for other widgets).
QString shownText(const QWidget *widget);
// Room for text inside a control: its size less the padding a button's frame takes.
int textWidth(const QWidget *widget);
// Shrinks the font-size of a control's style sheet, from maxPx down to minPx
// (never under kMinPx), until its text fits (extraPadding pixels narrower
// than the control), breaking it onto two lines when one is not enough.
void shrinkStyleFont(QWidget *widget, int maxPx, int minPx, int extraPadding);
// Empty when the control's text fits at the font its style sheet gives it,
// else a description of the overflow.
QString overflow(QWidget *widget);

} // namespace TextFit
