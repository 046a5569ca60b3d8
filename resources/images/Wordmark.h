// SPDX-License-Identifier: GPL-3.0-or-later
// The product's own lettering: "AURIVENT" built from straight strokes and
// arcs, so it looks the same wherever it is built, whatever fonts exist.
#pragma once

#include <QPainterPath>

namespace wordmark {

// Centre lines of the letters, cap height `height`, first letter at x = 0,
// baseline at y = height; `tracking` is the gap between letters as a share of
// the height. The width of the whole word is returned in `width`.
QPainterPath strokes(qreal height, qreal tracking, qreal *width);

// The same letters as a fillable outline, stroked `weight` wide.
QPainterPath outline(qreal height, qreal tracking, qreal weight, qreal *width);

} // namespace wordmark
