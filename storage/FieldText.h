// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Reading the decimal texts of the INI files by position, and keeping what
// comes out of a file inside the ranges the rest of the program indexes with.
namespace FieldText {

// Item i of row, or empty text when the row is too short.
QString at(const QStringList &row, int i);

// Decimal text to a number; text that does not parse reads as 0.
int toInt(const QString &text);
float toFloat(const QString &text);
// Non-zero = true.
bool toFlag(const QString &text);
QString fromFlag(bool flag);
// 'g' with 6 significant digits: 1.0 -> "1", 0.5 -> "0.5".
QString fromFloat(float value);

// Where a value came from, for the warning when it is replaced.
struct Origin {
    const char *what;   // key name
    int box;
    int fan;            // -1 for a box-wide value
};

// value if lo <= value <= hi, else fallback (logged).
int inRangeOr(int value, int lo, int hi, int fallback, const Origin &origin);
// value clamped into lo..hi (logged when it had to move).
int clamped(int value, int lo, int hi, const Origin &origin);
// A brightness factor kept in 0..1; NaN becomes 1 (logged when changed).
float brightness(float value, const Origin &origin);
// A fan's curve name: empty text is "Classic"; so is a text that is no
// usable name (logged).
QString curveName(const QString &text, const Origin &origin);

}
