// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/Contrast.h"

#include <cmath>

namespace Contrast {

namespace {

double channel(int value)
{
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

} // namespace

double luminance(const QColor &color)
{
    return 0.2126 * channel(color.red()) + 0.7152 * channel(color.green()) + 0.0722 * channel(color.blue());
}

double ratio(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

QColor textOn(const QColor &background)
{
    const QColor light(Qt::white);
    const QColor dark(0x14, 0x14, 0x14);
    return ratio(light, background) >= ratio(dark, background) ? light : dark;
}

} // namespace Contrast
