// SPDX-License-Identifier: GPL-3.0-or-later
#include "Wordmark.h"

#include <QPainterPathStroker>
#include <QTransform>

namespace wordmark {

namespace {

// Each letter in a box one unit high; returns its advance width.
qreal letter(QChar c, QPainterPath &p)
{
    switch (c.unicode()) {
    case 'A': // low crossbar, so the apex stays open at small sizes
        p.moveTo(0, 1);
        p.lineTo(0.42, 0);
        p.lineTo(0.84, 1);
        p.moveTo(0.15, 0.64);
        p.lineTo(0.69, 0.64);
        return 0.84;
    case 'U':
        p.moveTo(0, 0);
        p.lineTo(0, 0.62);
        p.arcTo(QRectF(0, 0.24, 0.72, 0.76), 180, 180);
        p.lineTo(0.72, 0);
        return 0.72;
    case 'R':
        p.moveTo(0, 1);
        p.lineTo(0, 0);
        p.lineTo(0.46, 0);
        p.arcTo(QRectF(0.2, 0, 0.52, 0.54), 90, -180);
        p.lineTo(0, 0.54);
        p.moveTo(0.4, 0.54);
        p.lineTo(0.72, 1);
        return 0.72;
    case 'I':
        p.moveTo(0, 0);
        p.lineTo(0, 1);
        return 0;
    case 'V':
        p.moveTo(0, 0);
        p.lineTo(0.42, 1);
        p.lineTo(0.84, 0);
        return 0.84;
    case 'E':
        p.moveTo(0.64, 0);
        p.lineTo(0, 0);
        p.lineTo(0, 1);
        p.lineTo(0.64, 1);
        p.moveTo(0, 0.5);
        p.lineTo(0.54, 0.5);
        return 0.64;
    case 'N':
        p.moveTo(0, 1);
        p.lineTo(0, 0);
        p.lineTo(0.74, 1);
        p.lineTo(0.74, 0);
        return 0.74;
    case 'T':
        p.moveTo(0, 0);
        p.lineTo(0.7, 0);
        p.moveTo(0.35, 0);
        p.lineTo(0.35, 1);
        return 0.7;
    default:
        return 0.5;
    }
}

} // namespace

QPainterPath strokes(qreal height, qreal tracking, qreal *width)
{
    const QString word = QStringLiteral("AURIVENT");
    QPainterPath all;
    qreal x = 0;
    for (int i = 0; i < word.size(); ++i) {
        QPainterPath one;
        const qreal advance = letter(word.at(i), one);
        QTransform t;
        t.translate(x, 0);
        t.scale(height, height);
        all.addPath(t.map(one));
        x += advance * height;
        if (i + 1 < word.size())
            x += tracking * height;
    }
    if (width)
        *width = x;
    return all;
}

QPainterPath outline(qreal height, qreal tracking, qreal weight, qreal *width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(weight);
    stroker.setCapStyle(Qt::SquareCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    stroker.setMiterLimit(2.5);
    // Inset by half the weight so the outline keeps the cap height.
    const qreal inner = height - weight;
    QPainterPath centre = strokes(inner, tracking * height / inner, width);
    QPainterPath filled = stroker.createStroke(centre.translated(weight / 2, weight / 2));
    if (width)
        *width += weight;
    // Square caps reach the cap and base lines; trimming there cuts the
    // slanted strokes of A and V flat, like the upright ones.
    QPainterPath band;
    band.addRect(QRectF(-weight, 0, (width ? *width : 1000) + 2 * weight, height));
    return filled.intersected(band).simplified();
}

} // namespace wordmark
