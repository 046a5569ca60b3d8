// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantMap>

#include <array>

// The values of a phone command's "Data" map, each checked where it enters.
// A value that is missing reads as 0, as the phone leaves out what it does
// not use; a value that is there but not a number, or out of its range,
// refuses the command (logged).
namespace RemoteData {

template <int N>
using Selection = std::array<bool, N>;

// '1' at position i selects i; missing positions and positions beyond N are
// not selected.
template <int N>
Selection<N> selection(const QVariantMap &data, const QString &key)
{
    Selection<N> out{};
    const QString text = data.value(key).toString();
    for (int i = 0; i < N && i < text.size(); ++i)
        out[i] = text.at(i) == QLatin1Char('1');
    return out;
}

// A number from the phone read strictly: a JSON integer (or a JSON number
// without a fraction) or a text of decimal digits with an optional sign, in
// the int range; true and false count as 1 and 0. Fractions, values beyond
// the int range, padded, hexadecimal or exponent texts are refused, never
// wrapped or rounded. Pure; callable on anything a JSON parse produced.
bool strictInt(const QVariant &value, int *out);
// The same for a value that may carry a fraction: finite numbers only.
bool strictNumber(const QVariant &value, double *out);

// An integer in lo..hi.
bool readInt(const QVariantMap &data, const QString &key, int lo, int hi, int *out);
// An integer, any value.
bool readNumber(const QVariantMap &data, const QString &key, int *out);
// An integer clamped to lo..hi.
bool readClamped(const QVariantMap &data, const QString &key, int lo, int hi, int *out);

struct Colour {
    int r = 0;
    int g = 0;
    int b = 0;
};
// RColor, GColor and BColor, each 0..255.
bool readColour(const QVariantMap &data, Colour *out);

// "Bright" in tenths as a factor: 7 → 0.7, held to 0..1.
bool readBright(const QVariantMap &data, float *out);

} // namespace RemoteData
