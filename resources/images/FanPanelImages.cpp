// SPDX-License-Identifier: GPL-3.0-or-later
// The RGB fan editor panel: its body and covers, the LED palette, the RPM
// gauge, the RGB code popup and the small controls.
#include "Artwork.h"
#include "Glyphs.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

using namespace theme;

namespace {

const int PanelWidth = 322;
const int PanelHeight = 412;
const qreal PanelRadius = 22;
// Centre of the LED ring in panel coordinates.
const QPointF RingCentre(210, 272);

QPainterPath panelShape()
{
    return roundedRect(QRectF(0, 0, PanelWidth, PanelHeight), PanelRadius);
}

// Panel body. The corners outside the rounded shape stay one exact colour,
// so the program can cut the panel out with a heuristic mask.
QImage panelBody()
{
    QImage image = canvas(PanelWidth, PanelHeight, MaskKey);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintPanel(p, QRectF(0, 0, PanelWidth, PanelHeight), PanelRadius, QColor(0x1B, 0x24, 0x33), QColor(0x0F, 0x15, 0x1F));
    p.setClipPath(panelShape());

    // Title zone.
    // The rule sits between the title (ends at y 34) and the row below (y 40).
    QLinearGradient title(0, 0, 0, 38);
    title.setColorAt(0, withAlpha(Frost, 12));
    title.setColorAt(1, withAlpha(Frost, 0));
    p.fillRect(QRectF(0, 0, PanelWidth, 38), title);
    QLinearGradient rule(0, 0, PanelWidth, 0);
    rule.setColorAt(0, withAlpha(Edge, 0));
    rule.setColorAt(0.5, withAlpha(Edge, 255));
    rule.setColorAt(1, withAlpha(Edge, 0));
    p.fillRect(QRectF(16, 37, PanelWidth - 32, 1), rule);
    QLinearGradient accent(0, 0, PanelWidth, 0);
    accent.setColorAt(0, withAlpha(Accent, 0));
    accent.setColorAt(0.5, withAlpha(AccentLight, 150));
    accent.setColorAt(1, withAlpha(Accent, 0));
    p.fillRect(QRectF(90, 37, 142, 1), accent);

    // Recessed well behind the LED ring and palette.
    QRadialGradient well(RingCentre, 104);
    well.setColorAt(0, withAlpha(Void, 150));
    well.setColorAt(0.8, withAlpha(Void, 90));
    well.setColorAt(1, withAlpha(Void, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(well);
    p.drawEllipse(RingCentre, 104, 104);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(Frost, 16), 1));
    p.drawEllipse(RingCentre, 101.5, 101.5);
    p.setPen(QPen(withAlpha(Void, 160), 1));
    p.drawEllipse(RingCentre, 100.5, 100.5);

    // Foot strip behind the brightness row.
    p.fillRect(QRectF(0, 376, PanelWidth, 1), withAlpha(Edge, 120));
    p.fillRect(QRectF(0, 377, PanelWidth, PanelHeight - 377), withAlpha(Void, 50));
    return image;
}

// Over a panel at the back of the carousel, and behind the RGB code popup.
QImage panelVeil()
{
    QImage image = canvas(PanelWidth, PanelHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillPath(panelShape(), withAlpha(Void, 150));
    QLinearGradient edge(0, 0, 0, PanelHeight);
    edge.setColorAt(0, withAlpha(AccentLight, 150));
    edge.setColorAt(0.5, withAlpha(Accent, 50));
    edge.setColorAt(1, withAlpha(AccentLight, 110));
    p.setPen(QPen(QBrush(edge), 1.2));
    p.drawPath(roundedRect(QRectF(0.5, 0.5, PanelWidth - 1, PanelHeight - 1), PanelRadius - 0.5));
    return image;
}

// Lies over a switched-off panel; the title sits on it at y 196.
QImage panelClosed()
{
    QImage image = canvas(PanelWidth, PanelHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintPanel(p, QRectF(0, 0, PanelWidth, PanelHeight), PanelRadius, QColor(0x15, 0x1C, 0x28), QColor(0x0B, 0x0F, 0x16));
    p.setClipPath(panelShape());
    const QPointF fanCentre(PanelWidth / 2.0, 112);
    p.setPen(QPen(withAlpha(Edge, 230), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(fanCentre, 64, 64);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Edge, 200));
    p.drawPath(glyph::fanBlades(fanCentre, 56, 5));
    p.setBrush(QColor(0x12, 0x18, 0x22));
    p.drawEllipse(fanCentre, 5, 5);

    // Hairlines leading to the title.
    for (int side = 0; side < 2; ++side) {
        const qreal from = side == 0 ? 24 : PanelWidth - 24;
        const qreal to = side == 0 ? 52 : PanelWidth - 52;
        QLinearGradient line(from, 0, to, 0);
        line.setColorAt(0, withAlpha(Accent, 0));
        line.setColorAt(1, withAlpha(Accent, 160));
        p.fillRect(QRectF(qMin(from, to), 206, qAbs(to - from), 1), line);
    }
    // Dim ring where the LEDs would be.
    p.setPen(QPen(withAlpha(Edge, 120), 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(PanelWidth / 2.0, 310), 60, 60);
    p.setPen(QPen(withAlpha(Muted, 120), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(glyph::power(QRectF(PanelWidth / 2.0 - 14, 296, 28, 28)));
    return image;
}

QImage titleBar()
{
    QImage image = canvas(200, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, 200, 20);
    QLinearGradient body(0, 0, 200, 0);
    body.setColorAt(0, withAlpha(Lifted, 0));
    body.setColorAt(0.25, withAlpha(Lifted, 255));
    body.setColorAt(0.75, withAlpha(Lifted, 255));
    body.setColorAt(1, withAlpha(Lifted, 0));
    p.fillPath(roundedRect(r, 10), body);
    QLinearGradient line(0, 0, 200, 0);
    line.setColorAt(0, withAlpha(Accent, 0));
    line.setColorAt(0.5, withAlpha(AccentLight, 230));
    line.setColorAt(1, withAlpha(Accent, 0));
    p.fillRect(QRectF(20, 19, 160, 1), line);
    QLinearGradient top(0, 0, 200, 0);
    top.setColorAt(0, withAlpha(Frost, 0));
    top.setColorAt(0.5, withAlpha(Frost, 40));
    top.setColorAt(1, withAlpha(Frost, 0));
    p.fillRect(QRectF(30, 0, 140, 1), top);
    return image;
}

// Round power switch; lit when the fan is switched on in the editor.
QImage powerSwitch(int size, bool on)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size - 1, size - 1);
    QRadialGradient face(r.center(), size / 2.0);
    face.setColorAt(0, on ? withAlpha(Accent, 90) : Lifted);
    face.setColorAt(1, on ? withAlpha(AccentDeep, 160) : Raised);
    p.setBrush(face);
    p.setPen(QPen(on ? AccentLight : Edge, 1));
    p.drawEllipse(r);
    const qreal pad = size * 0.14;
    p.setPen(QPen(on ? Qt::white : Muted, qMax<qreal>(1.2, size * 0.1), Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyph::power(r.adjusted(pad, pad, -pad, -pad)));
    return image;
}

// Arc over the top of the LED ring, shown at (11, 156) of the panel.
QImage curve()
{
    const int w = 301;
    const int h = 44;
    const QPointF centre = RingCentre - QPointF(11, 156);
    const qreal radius = 104;
    const qreal rest = 36;
    const qreal k = 5;
    QPainterPath path;
    for (int i = 0; i <= 2 * (w - 12); ++i) {
        const qreal x = 6 + i * 0.5;
        qreal y = rest;
        const qreal dx = x - centre.x();
        if (qAbs(dx) < radius) {
            const qreal arcY = centre.y() - qSqrt(radius * radius - dx * dx);
            // Smooth minimum, so the line flows into the arc without a kink.
            y = -k * qLn(qExp(-rest / k) + qExp(-arcY / k));
        }
        if (i == 0)
            path.moveTo(x, y);
        else
            path.lineTo(x, y);
    }
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient pen(0, 0, w, 0);
    pen.setColorAt(0, withAlpha(Accent, 0));
    pen.setColorAt(0.25, withAlpha(Accent, 120));
    pen.setColorAt(0.66, withAlpha(AccentLight, 255));
    pen.setColorAt(0.9, withAlpha(Accent, 120));
    pen.setColorAt(1, withAlpha(Accent, 0));
    QLinearGradient glow(pen);
    glow.setColorAt(0, withAlpha(Accent, 0));
    glow.setColorAt(0.66, withAlpha(AccentLight, 60));
    glow.setColorAt(1, withAlpha(Accent, 0));
    p.setPen(QPen(QBrush(glow), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    p.setPen(QPen(QBrush(pen), 1.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
    return image;
}

// 133 x 133, used unscaled: the pixel under the pointer is the colour picked,
// so every pixel carries a colour. Inside the disc the hue turns with the
// angle and saturates towards the rim; beyond the rim the hue darkens into
// the corners, which gives the deep shades the disc lacks and lets the
// square melt into the dark panel around it.
QImage ledPalette()
{
    const int size = 133;
    const qreal centre = (size - 1) / 2.0;
    const qreal rim = 64.0;
    QImage image(size, size, QImage::Format_RGB32);
    for (int y = 0; y < size; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const qreal dx = x - centre;
            const qreal dy = y - centre;
            const qreal r = qSqrt(dx * dx + dy * dy);
            qreal hue = qAtan2(-dy, dx) / (2 * M_PI);
            if (hue < 0)
                hue += 1;
            qreal saturation = 1;
            qreal value = 1;
            if (r <= rim) {
                saturation = qPow(r / rim, 0.85);
            } else {
                const qreal t = qMin<qreal>(1, (r - rim) / (centre * M_SQRT2 - rim));
                value = 1 - 0.86 * qPow(t, 0.55);
            }
            QColor colour = QColor::fromHsvF(hue, saturation, value);
            // A thin dark seam marks the rim without hiding any colour.
            const qreal seam = qMax<qreal>(0, 1 - qAbs(r - (rim + 1.5)) / 1.2);
            colour = mix(colour, Void, 0.35 * seam);
            row[x] = colour.rgb();
        }
    }
    return image;
}

QImage colourPopup()
{
    QImage image = canvas(PanelWidth, 228);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF card(6, 0, PanelWidth - 12, 228);
    paintPanel(p, card, 16, QColor(0x1E, 0x28, 0x38), QColor(0x12, 0x18, 0x23));
    p.setClipPath(roundedRect(card, 16));
    // Header behind the title, which is written at (10, 10, 302, 24).
    QLinearGradient header(0, 0, 0, 38);
    header.setColorAt(0, withAlpha(Accent, 70));
    header.setColorAt(1, withAlpha(Accent, 20));
    p.fillRect(QRectF(card.left(), 0, card.width(), 38), header);
    QLinearGradient line(card.left(), 0, card.right(), 0);
    line.setColorAt(0, withAlpha(Accent, 0));
    line.setColorAt(0.5, withAlpha(AccentLight, 230));
    line.setColorAt(1, withAlpha(Accent, 0));
    p.fillRect(QRectF(card.left(), 38, card.width(), 1), line);
    // Seat of the colour preview at (135, 40, 166, 166).
    p.setClipping(false);
    p.setPen(QPen(withAlpha(Void, 200), 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(133, 38, 170, 170));
    return image;
}

QImage valueField()
{
    QImage image = canvas(64, 21);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, 64, 21);
    QLinearGradient body(0, 0, 0, 21);
    body.setColorAt(0, QColor(0x07, 0x0A, 0x0F));
    body.setColorAt(1, QColor(0x0F, 0x14, 0x1D));
    p.fillPath(roundedRect(r, 4), body);
    p.setPen(QPen(Edge, 1));
    p.drawPath(roundedRect(r, 4));
    p.fillRect(QRectF(6, 19, 52, 1), withAlpha(Accent, 150));
    return image;
}

QImage warningSign()
{
    QImage image = canvas(81, 70);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath shape = glyph::triangle(QRectF(6, 5, 69, 60));
    paintGlow(p, shape, withAlpha(Amber, 150), 10);
    QLinearGradient body(0, 5, 0, 65);
    body.setColorAt(0, QColor(0xFF, 0xD0, 0x4A));
    body.setColorAt(1, QColor(0xF0, 0x7A, 0x12));
    p.setPen(QPen(QBrush(body), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(body);
    p.drawPath(shape);
    p.fillPath(glyph::exclamation(QRectF(31, 24, 19, 34)), QColor(0x1A, 0x12, 0x08));
    return image;
}

// RPM gauge; the number, "RPM", a bar and the summary are drawn over it.
QImage gauge()
{
    const int size = 126;
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    QRadialGradient face(c - QPointF(0, 20), 70);
    face.setColorAt(0, QColor(0x1C, 0x26, 0x35));
    face.setColorAt(1, QColor(0x0A, 0x0E, 0x15));
    p.setPen(QPen(withAlpha(Void, 220), 1));
    p.setBrush(face);
    p.drawEllipse(c, 62.5, 62.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(withAlpha(Frost, 22), 1));
    p.drawEllipse(c, 61.5, 61.5);

    // Scale of 220 degrees, open at the bottom where the summary is written.
    const QRectF arc(c.x() - 54, c.y() - 54, 108, 108);
    p.setPen(QPen(withAlpha(Edge, 255), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arc, 200 * 16, -220 * 16);
    QConicalGradient sweep(c, 200);
    // The lit part of the scale brightens clockwise up to its tip (the
    // conical gradient runs the other way round, from 200 degrees).
    sweep.setColorAt(0, withAlpha(Accent, 40));
    sweep.setColorAt(0.5, AccentLight);
    sweep.setColorAt(0.556, AccentLight);
    sweep.setColorAt(1, withAlpha(Accent, 40));
    p.setPen(QPen(QBrush(sweep), 4, Qt::SolidLine, Qt::FlatCap));
    p.drawArc(arc, 200 * 16, -160 * 16);
    const qreal tip = qDegreesToRadians(40.0);
    const QPointF tipPoint(c.x() + 54 * qCos(tip), c.y() - 54 * qSin(tip));
    QRadialGradient spark(tipPoint, 6);
    spark.setColorAt(0, withAlpha(Qt::white, 230));
    spark.setColorAt(0.4, withAlpha(AccentLight, 160));
    spark.setColorAt(1, withAlpha(AccentLight, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(spark);
    p.drawEllipse(tipPoint, 6, 6);
    for (int i = 0; i <= 10; ++i) {
        const qreal a = qDegreesToRadians(200.0 - 22.0 * i);
        const qreal inner = i % 5 == 0 ? 43 : 46;
        const QPointF from(c.x() + inner * qCos(a), c.y() - inner * qSin(a));
        const QPointF to(c.x() + 49 * qCos(a), c.y() - 49 * qSin(a));
        p.setPen(QPen(withAlpha(Frost, i % 5 == 0 ? 150 : 70), i % 5 == 0 ? 1.5 : 1));
        p.drawLine(from, to);
    }
    return image;
}

QImage nameField()
{
    QImage image = canvas(68, 20);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, 68, 20);
    QLinearGradient body(0, 0, 0, 20);
    body.setColorAt(0, QColor(0x09, 0x0D, 0x13));
    body.setColorAt(1, QColor(0x13, 0x19, 0x24));
    p.fillPath(roundedRect(r, 10), body);
    p.setPen(QPen(withAlpha(Edge, 255), 1));
    p.drawPath(roundedRect(r, 10));
    return image;
}

QImage lightSwitch(bool lightsOn)
{
    QImage image = canvas(25, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintButton(p, QRectF(0, 0, 25, 28), 6, lightsOn ? Accent : Edge, false);
    const QPainterPath shape = glyph::bulb(QRectF(4.5, 4, 16, 20));
    if (lightsOn) {
        paintGlow(p, shape, withAlpha(AccentLight, 110), 5);
        p.setPen(QPen(AccentLight, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
        p.setPen(QPen(Muted, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    p.drawPath(shape);
    if (!lightsOn) {
        p.setPen(QPen(Alarm, 1.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(5, 23), QPointF(20, 5));
    }
    return image;
}

// Round fan-speed preset; the program writes its name on it.
QImage presetButton(const QColor &colour, bool lit)
{
    QImage image = canvas(42, 42);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1, 1, 40, 40);
    if (lit) {
        QPainterPath halo;
        halo.addEllipse(r.adjusted(1, 1, -1, -1));
        paintGlow(p, halo, withAlpha(colour, 120), 4);
        QLinearGradient body(0, 1, 0, 41);
        body.setColorAt(0, mix(colour, Qt::white, 0.15));
        body.setColorAt(1, mix(colour, Void, 0.45));
        p.setPen(Qt::NoPen);
        p.setBrush(body);
        p.drawEllipse(r);
        p.setPen(QPen(withAlpha(Qt::white, 90), 1));
        p.setBrush(Qt::NoBrush);
        p.drawArc(r.adjusted(1.5, 1.5, -1.5, -1.5), 30 * 16, 120 * 16);
    } else {
        QLinearGradient body(0, 1, 0, 41);
        body.setColorAt(0, Lifted);
        body.setColorAt(1, QColor(0x10, 0x15, 0x1E));
        p.setPen(QPen(withAlpha(colour, 200), 1.5));
        p.setBrush(body);
        p.drawEllipse(r.adjusted(0.75, 0.75, -0.75, -0.75));
    }
    return image;
}

} // namespace

QVector<Artwork> fanPanelArt()
{
    QVector<Artwork> art;
    art.append({"Images/profile_area.png", panelBody(), {}});
    art.append({"Images/profile_area_h.png", panelVeil(), {}});
    art.append({"Images/profile_area_close.png", panelClosed(), {}});
    art.append({"Images/top_bar.png", titleBar(), {}});
    art.append({"Images/btn_openFan.png", powerSwitch(14, true), {}});
    art.append({"Images/btn_closeFan.png", powerSwitch(14, false), {}});
    art.append({"Images/curve.png", curve(), {}});
    art.append({"Images/palette.png", ledPalette(), {}});
    art.append({"Images/colorWidget.png", colourPopup(), {}});
    art.append({"Images/Value.png", valueField(), {}});
    art.append({"Images/warning.png", warningSign(), {}});
    art.append({"Images/View.png", gauge(), {}});
    art.append({"Images/Viewbar.png", fadingBar(86, 3, Accent), {}});
    art.append({"Images/bar_bright.png", knob(17, 17, Frost, Qt::white), {}});
    art.append({"Images/switching_area.png", nameField(), {}});
    art.append({"Images/adjust.png", knob(12, 12, AccentLight, Qt::white), {}});
    art.append({"Images/adjust_h.png", knob(12, 12, QColor(0x8A, 0x94, 0xA2), QColor(0xC8, 0xCE, 0xD6)), {}});
    art.append({"Images/light.png", lightSwitch(true), {}});
    art.append({"Images/light_off.png", lightSwitch(false), {}});
    art.append({"Images/btn_performance.png", presetButton(Magenta, false), {}});
    art.append({"Images/btn_performance_h.png", presetButton(Magenta, true), {}});
    art.append({"Images/btn_silent.png", presetButton(Lime, false), {}});
    art.append({"Images/btn_silent_h.png", presetButton(QColor(0x86, 0xA8, 0x00), true), {}});
    return art;
}
