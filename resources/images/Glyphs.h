// SPDX-License-Identifier: GPL-3.0-or-later
// Line icons drawn as paths, each inside the given square; the caller picks
// pen and brush, so one shape serves the lit and the dim state.
#pragma once

#include <QPainterPath>
#include <QRectF>

namespace glyph {

QPainterPath cross(const QRectF &box);
QPainterPath dash(const QRectF &box);
QPainterPath gear(const QRectF &box);         // filled outline with a hole
QPainterPath chevron(const QRectF &box, bool pointsLeft);
QPainterPath power(const QRectF &box);        // open ring and a bar
QPainterPath check(const QRectF &box);
QPainterPath backspace(const QRectF &box);    // key outline with a cross
QPainterPath bulb(const QRectF &box);
QPainterPath copy(const QRectF &box);         // two stacked rounded squares
QPainterPath fanBlades(const QPointF &centre, qreal radius, int blades); // filled
QPainterPath triangle(const QRectF &box);     // filled, rounded corners
QPainterPath exclamation(const QRectF &box);  // filled bar and dot

} // namespace glyph
