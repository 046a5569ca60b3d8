// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/WindowPlacement.h"

#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QtGui/private/qhighdpiscaling_p.h>

#include <cmath>

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

QPoint beside(const QRect &available, const QRect &anchor, const QSize &window)
{
    constexpr int kGap = 8;
    int x = anchor.right() + 1 + kGap;
    if (x + window.width() > available.right() + 1) {
        x = anchor.left() - kGap - window.width();
        if (x < available.left())
            x = anchor.right() + 1 - window.width();
    }
    x = qBound(available.left(), x, qMax(available.left(), available.right() + 1 - window.width()));
    const int y = qBound(available.top(), anchor.top(), qMax(available.top(), available.bottom() + 1 - window.height()));
    return QPoint(x, y);
}

qreal fitFactor(const QRect &available, const QSize &window)
{
    if (available.isEmpty() || window.isEmpty())
        return 1.0;
    const qreal f = qMin(qreal(available.width()) / window.width(), qreal(available.height()) / window.height());
    return f >= 1.0 ? 1.0 : std::floor(f * 100.0) / 100.0;
}

qreal fitScreen(const QSize &window)
{
    const qreal f = fitFactor(availableArea(), window);
    if (f >= 1.0 || f <= 0.0)
        return 1.0;
    // The global factor is the one QT_SCALE_FACTOR gives; the screen's own
    // (from its DPI) stays and is multiplied with it.
    bool ok = false;
    qreal global = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&ok);
    if (!ok || global <= 0)
        global = 1.0;
    QHighDpiScaling::setGlobalFactor(global * f);
    return f;
}

} // namespace WindowPlacement
