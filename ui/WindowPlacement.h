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

} // namespace WindowPlacement
