// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

class QWidget;

// Where a window opens: centred in the available area of its screen (the
// part no panel or task bar takes). A window larger than that area keeps
// its top-left corner, where the title strip that drags it lies, on screen.
namespace WindowPlacement {

QPoint place(const QRect &available, const QSize &window);
// The available area of the screen the pointer is on, else the primary
// screen's; empty without a screen.
QRect availableArea();

// Beside `anchor` (right of it, else left of it, else over its right part),
// inside the available area: where a secondary window opens.
QPoint beside(const QRect &available, const QRect &anchor, const QSize &window);

// The share of its size a window must give up to fit the available area
// whole (1 when it fits), in steps of 1/100 rounded down.
qreal fitFactor(const QRect &available, const QSize &window);

// Scales the program's drawing down, before any window exists, so that a
// window of `window` logical pixels fits the screen whole; a screen of
// 1920 x 1080 at 200 % leaves only 960 x 540 logical pixels. Returns the
// factor applied (1 when the window fits as it is).
qreal fitScreen(const QSize &window);

} // namespace WindowPlacement
