// SPDX-License-Identifier: GPL-3.0-or-later
#include "Glyphs.h"

#include <QTransform>
#include <QtMath>

namespace glyph {

namespace {
QPointF at(const QRectF &box, qreal u, qreal v)
{
    return QPointF(box.left() + u * box.width(), box.top() + v * box.height());
}
} // namespace

QPainterPath cross(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 0.2, 0.2));
    path.lineTo(at(box, 0.8, 0.8));
    path.moveTo(at(box, 0.8, 0.2));
    path.lineTo(at(box, 0.2, 0.8));
    return path;
}

QPainterPath dash(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 0.22, 0.6));
    path.lineTo(at(box, 0.78, 0.6));
    return path;
}

QPainterPath gear(const QRectF &box)
{
    const QPointF c = box.center();
    const qreal outer = box.width() * 0.46;
    const qreal inner = box.width() * 0.33;
    const int teeth = 8;
    QPainterPath path;
    for (int i = 0; i < teeth * 4; ++i) {
        // Each tooth: rise, top, fall, root; slightly tapered.
        const qreal step = 2 * M_PI / (teeth * 4);
        const qreal a = i * step - M_PI / 2 - step / 2;
        const int phase = i % 4;
        const qreal r = (phase == 1 || phase == 2) ? outer : inner;
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            path.moveTo(pt);
        else
            path.lineTo(pt);
    }
    path.closeSubpath();
    const qreal hole = box.width() * 0.15;
    path.addEllipse(c, hole, hole);
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

QPainterPath chevron(const QRectF &box, bool pointsLeft)
{
    QPainterPath path;
    const qreal tip = pointsLeft ? 0.28 : 0.72;
    const qreal tail = pointsLeft ? 0.72 : 0.28;
    path.moveTo(at(box, tail, 0.18));
    path.lineTo(at(box, tip, 0.5));
    path.lineTo(at(box, tail, 0.82));
    return path;
}

QPainterPath power(const QRectF &box)
{
    QPainterPath path;
    const QRectF ring = QRectF(at(box, 0.2, 0.22), at(box, 0.8, 0.82));
    // Open at the top, where the bar stands.
    path.arcMoveTo(ring, 120);
    path.arcTo(ring, 120, 300);
    path.moveTo(at(box, 0.5, 0.12));
    path.lineTo(at(box, 0.5, 0.5));
    return path;
}

QPainterPath check(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 0.2, 0.52));
    path.lineTo(at(box, 0.42, 0.72));
    path.lineTo(at(box, 0.8, 0.3));
    return path;
}

QPainterPath backspace(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 0.12, 0.5));
    path.lineTo(at(box, 0.34, 0.24));
    path.lineTo(at(box, 0.88, 0.24));
    path.lineTo(at(box, 0.88, 0.76));
    path.lineTo(at(box, 0.34, 0.76));
    path.closeSubpath();
    path.moveTo(at(box, 0.5, 0.38));
    path.lineTo(at(box, 0.72, 0.62));
    path.moveTo(at(box, 0.72, 0.38));
    path.lineTo(at(box, 0.5, 0.62));
    return path;
}

QPainterPath bulb(const QRectF &box)
{
    QPainterPath path;
    const QRectF globe(at(box, 0.2, 0.06), at(box, 0.8, 0.6));
    // Globe open at the bottom, narrowing into the neck.
    path.arcMoveTo(globe, -50);
    path.arcTo(globe, -50, 280);
    path.lineTo(at(box, 0.38, 0.7));
    path.lineTo(at(box, 0.62, 0.7));
    path.closeSubpath();
    path.moveTo(at(box, 0.38, 0.8));
    path.lineTo(at(box, 0.62, 0.8));
    path.moveTo(at(box, 0.42, 0.9));
    path.lineTo(at(box, 0.58, 0.9));
    return path;
}

QPainterPath copy(const QRectF &box)
{
    QPainterPath path;
    const qreal r = box.width() * 0.08;
    path.addRoundedRect(QRectF(at(box, 0.18, 0.3), at(box, 0.64, 0.84)), r, r);
    path.moveTo(at(box, 0.36, 0.3));
    path.lineTo(at(box, 0.36, 0.16));
    path.lineTo(at(box, 0.82, 0.16));
    path.lineTo(at(box, 0.82, 0.68));
    path.lineTo(at(box, 0.64, 0.68));
    return path;
}

QPainterPath fanBlades(const QPointF &centre, qreal radius, int blades)
{
    // One swept blade in polar form: both edges curve the same way, and the
    // blade widens from the hub to a rounded tip.
    const auto point = [&](qreal r, qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return QPointF(r * radius * qSin(a), -r * radius * qCos(a));
    };
    const int steps = 16;
    QPainterPath blade;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        const QPointF lead = point(0.2 + 0.76 * t, 62 * qPow(t, 1.3));
        if (i == 0)
            blade.moveTo(lead);
        else
            blade.lineTo(lead);
    }
    for (int i = 0; i <= 6; ++i) // rounded tip
        blade.lineTo(point(0.96 + 0.03 * qSin(M_PI * i / 6), 62 - 44 * i / 6.0));
    for (int i = steps; i >= 0; --i) {
        const qreal t = qreal(i) / steps;
        blade.lineTo(point(0.2 + 0.76 * t, -22 + 40 * qPow(t, 1.1)));
    }
    blade.closeSubpath();

    QPainterPath all;
    for (int i = 0; i < blades; ++i) {
        QTransform t;
        t.translate(centre.x(), centre.y());
        t.rotate(360.0 * i / blades);
        all.addPath(t.map(blade));
    }
    all.addEllipse(centre, radius * 0.26, radius * 0.26);
    all.setFillRule(Qt::WindingFill);
    return all.simplified();
}

QPainterPath triangle(const QRectF &box)
{
    QPainterPath path;
    path.moveTo(at(box, 0.5, 0.04));
    path.lineTo(at(box, 0.98, 0.94));
    path.lineTo(at(box, 0.02, 0.94));
    path.closeSubpath();
    return path;
}

QPainterPath exclamation(const QRectF &box)
{
    // A tapering bar and a dot, bold enough to read at icon sizes.
    const qreal top = box.width() * 0.2;
    const qreal bottom = box.width() * 0.13;
    QPainterPath path;
    path.moveTo(at(box, 0.5, 0.0) - QPointF(top, 0));
    path.lineTo(at(box, 0.5, 0.0) + QPointF(top, 0));
    path.lineTo(at(box, 0.5, 0.64) + QPointF(bottom, 0));
    path.lineTo(at(box, 0.5, 0.64) - QPointF(bottom, 0));
    path.closeSubpath();
    path.addEllipse(at(box, 0.5, 0.86), box.width() * 0.18, box.width() * 0.18);
    path.setFillRule(Qt::WindingFill);
    return path;
}

} // namespace glyph
