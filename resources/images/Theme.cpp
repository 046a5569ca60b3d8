// SPDX-License-Identifier: GPL-3.0-or-later
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace theme {

QImage canvas(int width, int height, const QColor &fill)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

QPainterPath roundedRect(const QRectF &rect, qreal radius)
{
    QPainterPath path;
    path.addRoundedRect(rect.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
    return path;
}

QColor withAlpha(const QColor &colour, int alpha)
{
    QColor c(colour);
    c.setAlpha(alpha);
    return c;
}

QColor mix(const QColor &a, const QColor &b, qreal t)
{
    return QColor::fromRgbF(a.redF() + (b.redF() - a.redF()) * t,
                            a.greenF() + (b.greenF() - a.greenF()) * t,
                            a.blueF() + (b.blueF() - a.blueF()) * t,
                            a.alphaF() + (b.alphaF() - a.alphaF()) * t);
}

void paintPanel(QPainter &p, const QRectF &rect, qreal radius, const QColor &top, const QColor &bottom)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = roundedRect(rect, radius);
    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    body.setColorAt(0, top);
    body.setColorAt(1, bottom);
    p.fillPath(shape, body);

    // Lit rim: bright along the top edge, gone by the middle.
    QLinearGradient rim(rect.topLeft(), rect.bottomLeft());
    rim.setColorAt(0, withAlpha(Frost, 70));
    rim.setColorAt(0.35, withAlpha(Frost, 14));
    rim.setColorAt(1, withAlpha(Frost, 8));
    p.setPen(QPen(QBrush(rim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(rect.adjusted(1, 1, -1, -1), qMax<qreal>(0, radius - 1)));
    p.setPen(QPen(withAlpha(Void, 200), 1));
    p.drawPath(shape);
    p.restore();
}

void paintButton(QPainter &p, const QRectF &rect, qreal radius, const QColor &accent, bool lit)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = roundedRect(rect, radius);
    QLinearGradient body(rect.topLeft(), rect.bottomLeft());
    if (lit) {
        body.setColorAt(0, mix(accent, Qt::white, 0.18));
        body.setColorAt(0.5, accent);
        body.setColorAt(1, mix(accent, Void, 0.3));
    } else {
        body.setColorAt(0, Lifted);
        body.setColorAt(1, Raised);
    }
    p.fillPath(shape, body);

    QLinearGradient rim(rect.topLeft(), rect.bottomLeft());
    rim.setColorAt(0, withAlpha(Qt::white, lit ? 110 : 55));
    rim.setColorAt(0.5, withAlpha(Qt::white, lit ? 20 : 8));
    rim.setColorAt(1, withAlpha(Qt::white, 0));
    p.setPen(QPen(QBrush(rim), 1));
    p.drawPath(roundedRect(rect.adjusted(1, 1, -1, -1), qMax<qreal>(0, radius - 1)));
    p.setPen(QPen(lit ? mix(accent, Void, 0.5) : withAlpha(accent, 150), 1));
    p.drawPath(shape);
    p.restore();
}

void paintGlow(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal width)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::NoBrush);
    // Equal thin layers of growing width add up to a linear falloff.
    const int steps = 12;
    const int layer = qMax(1, int(colour.alpha() / (steps * 1.4)));
    for (int i = steps; i >= 1; --i) {
        const qreal w = width * i / steps;
        p.setPen(QPen(withAlpha(colour, layer), w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(shape);
    }
    p.restore();
}

QImage knob(int width, int height, const QColor &ring, const QColor &face)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const int size = qMin(width, height);
    const QRectF outer((width - size) / 2.0 + 0.5, (height - size) / 2.0 + 0.5, size - 1, size - 1);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(ring, 80));
    p.drawEllipse(outer);
    const QRectF body = outer.adjusted(1.5, 1.5, -1.5, -1.5);
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, mix(ring, Qt::white, 0.25));
    g.setColorAt(1, mix(ring, Void, 0.35));
    p.setBrush(g);
    p.drawEllipse(body);
    const qreal inset = size * 0.28;
    const QRectF core = outer.adjusted(inset, inset, -inset, -inset);
    QRadialGradient c(core.center() - QPointF(0, core.height() * 0.2), core.width() * 0.7);
    c.setColorAt(0, mix(face, Qt::white, 0.4));
    c.setColorAt(1, face);
    p.setBrush(c);
    p.drawEllipse(core);
    return image;
}

QImage fadingBar(int width, int height, const QColor &colour)
{
    QImage image = canvas(width, height);
    QPainter p(&image);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, withAlpha(colour, 0));
    g.setColorAt(0.2, colour);
    g.setColorAt(0.5, mix(colour, Qt::white, 0.35));
    g.setColorAt(0.8, colour);
    g.setColorAt(1, withAlpha(colour, 0));
    p.fillRect(image.rect(), g);
    return image;
}

} // namespace theme
