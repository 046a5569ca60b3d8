#include "ui/WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>

namespace WindowPlacement {

QPoint place(const QRect &available, const QSize &window)
{
    const int x = available.left() + qMax(0, (available.width() - window.width()) / 2);
    const int y = available.top() + qMax(0, (available.height() - window.height()) / 2);
    return QPoint(x, y);
}

QRect availableArea()
{
    QScreen *screen = QGuiApplication::screenAt(QCursor::pos());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    return screen ? screen->availableGeometry() : QRect();
}

} // namespace WindowPlacement
