// SPDX-License-Identifier: GPL-3.0-or-later
// Main window: background, title strip, box strip, profile and menu buttons,
// the logo, the product name and the program icon.
#include "Artwork.h"
#include "Glyphs.h"
#include "IcoWriter.h"
#include "Theme.h"
#include "Wordmark.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

using namespace theme;

namespace {

const int WindowWidth = 999;
const int WindowHeight = 606;
const int HeaderBottom = 70;
const int FooterTop = 546;

QImage background()
{
    QImage image = canvas(WindowWidth, WindowHeight, Deep);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient body(0, 0, 0, WindowHeight);
    body.setColorAt(0, QColor(0x12, 0x19, 0x25));
    body.setColorAt(0.45, QColor(0x0C, 0x11, 0x19));
    body.setColorAt(1, QColor(0x08, 0x0B, 0x10));
    p.fillRect(image.rect(), body);

    // Cool light from behind the fan panels.
    QRadialGradient glow(QPointF(500, 330), 540);
    glow.setColorAt(0, withAlpha(Accent, 34));
    glow.setColorAt(0.55, withAlpha(AccentDeep, 12));
    glow.setColorAt(1, withAlpha(AccentDeep, 0));
    p.fillRect(image.rect(), glow);

    // Faint dot grid over the body, fading towards the edges.
    for (int y = HeaderBottom + 10; y < FooterTop - 4; y += 14) {
        for (int x = 10; x < WindowWidth - 6; x += 14) {
            const qreal dx = (x - 500) / 520.0;
            const qreal dy = (y - 310) / 300.0;
            const qreal fall = qMax<qreal>(0, 1 - (dx * dx + dy * dy));
            const int alpha = int(4 + 14 * fall);
            p.fillRect(QRectF(x, y, 1, 1), withAlpha(Frost, alpha));
        }
    }

    // Reflection on the "floor" under the carousel.
    QRadialGradient floor(QPointF(500, 548), 430);
    floor.setColorAt(0, withAlpha(AccentLight, 40));
    floor.setColorAt(1, withAlpha(AccentLight, 0));
    p.save();
    p.translate(500, 548);
    p.scale(1, 0.09);
    p.translate(-500, -548);
    p.fillRect(QRectF(60, 100, 880, 900), floor);
    p.restore();

    // Title strip.
    QLinearGradient header(0, 0, 0, HeaderBottom);
    header.setColorAt(0, QColor(0x17, 0x20, 0x2E));
    header.setColorAt(1, QColor(0x11, 0x18, 0x23));
    p.fillRect(QRectF(0, 0, WindowWidth, HeaderBottom), header);
    p.fillRect(QRectF(0, HeaderBottom, WindowWidth, 1), QColor(0x22, 0x2E, 0x40));
    p.fillRect(QRectF(0, HeaderBottom + 1, WindowWidth, 1), withAlpha(Void, 180));
    QLinearGradient accentLine(0, 0, WindowWidth, 0);
    accentLine.setColorAt(0, withAlpha(Accent, 0));
    accentLine.setColorAt(0.5, withAlpha(AccentLight, 200));
    accentLine.setColorAt(1, withAlpha(Accent, 0));
    p.fillRect(QRectF(180, HeaderBottom, 640, 1), accentLine);

    // Notch hanging from the top edge, behind the product name.
    QPainterPath notch;
    notch.moveTo(296, 0);
    notch.lineTo(318, 28.5);
    notch.lineTo(681, 28.5);
    notch.lineTo(703, 0);
    notch.closeSubpath();
    p.fillPath(notch, QColor(0x0B, 0x10, 0x17));
    QPainterPath notchEdge;
    notchEdge.moveTo(296, 0);
    notchEdge.lineTo(318, 28.5);
    notchEdge.lineTo(681, 28.5);
    notchEdge.lineTo(703, 0);
    QLinearGradient notchPen(296, 0, 703, 0);
    notchPen.setColorAt(0, withAlpha(Accent, 60));
    notchPen.setColorAt(0.5, withAlpha(AccentLight, 190));
    notchPen.setColorAt(1, withAlpha(Accent, 60));
    p.setPen(QPen(QBrush(notchPen), 1));
    p.drawPath(notchEdge);

    // Seat of the box strip and its arrows.
    p.setPen(QPen(QColor(0x26, 0x33, 0x47), 1));
    p.setBrush(QColor(0x0D, 0x12, 0x1A));
    p.drawRoundedRect(QRectF(22.5, 26.5, 352, 40), 8, 8);

    // Footer.
    p.fillRect(QRectF(0, FooterTop, WindowWidth, 1), QColor(0x1A, 0x24, 0x33));
    p.fillRect(QRectF(0, FooterTop + 1, WindowWidth, WindowHeight - FooterTop - 1), withAlpha(Void, 90));

    // Window edge: the window has no frame of its own.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(QColor(0x2A, 0x37, 0x4B), 1));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, WindowWidth - 1, WindowHeight - 1);
    return image;
}

void paintWordmark(QPainter &p, const QPointF &origin, qreal height, qreal tracking, qreal weight,
                   const QColor &top, const QColor &bottom)
{
    qreal width = 0;
    const QPainterPath letters = wordmark::outline(height, tracking, weight, &width);
    QLinearGradient fill(0, origin.y(), 0, origin.y() + height);
    fill.setColorAt(0, top);
    fill.setColorAt(1, bottom);
    p.fillPath(letters.translated(origin), fill);
}

qreal wordmarkWidth(qreal height, qreal tracking, qreal weight)
{
    qreal width = 0;
    wordmark::outline(height, tracking, weight, &width);
    return width;
}

QImage productName()
{
    const int w = 325;
    const int h = 14;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal height = 12;
    const qreal tracking = 0.75;
    const qreal weight = 1.8;
    const qreal textWidth = wordmarkWidth(height, tracking, weight);
    const qreal left = qRound((w - textWidth) / 2);
    paintWordmark(p, QPointF(left, 1), height, tracking, weight, Qt::white, Frost);

    // Hairlines leading in from both sides.
    QLinearGradient leftLine(20, 0, left - 12, 0);
    leftLine.setColorAt(0, withAlpha(Accent, 0));
    leftLine.setColorAt(1, withAlpha(AccentLight, 220));
    p.fillRect(QRectF(20, 7, left - 32, 1), leftLine);
    QLinearGradient rightLine(w - 20, 0, left + textWidth + 12, 0);
    rightLine.setColorAt(0, withAlpha(Accent, 0));
    rightLine.setColorAt(1, withAlpha(AccentLight, 220));
    p.fillRect(QRectF(left + textWidth + 12, 7, w - 20 - (left + textWidth + 12), 1), rightLine);
    p.setBrush(AccentLight);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPointF(left - 7, 7.5), 1.6, 1.6);
    p.drawEllipse(QPointF(left + textWidth + 7, 7.5), 1.6, 1.6);
    return image;
}

QImage logo()
{
    QImage image = canvas(168, 28);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.drawImage(QPointF(0, 0), emblem(28, false));
    const qreal height = 13;
    paintWordmark(p, QPointF(38, 8), height, 0.42, 2.2, Qt::white, QColor(0xB8, 0xC8, 0xD8));
    return image;
}

// A square button of the title strip with a line glyph.
QImage titleButton(const QPainterPath &glyphPath, const QColor &glyphColour, bool filledGlyph)
{
    QImage image = canvas(22, 22);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintButton(p, QRectF(0, 0, 22, 22), 6, Edge, false);
    if (filledGlyph) {
        p.fillPath(glyphPath, glyphColour);
    } else {
        p.setPen(QPen(glyphColour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(glyphPath);
    }
    return image;
}

QImage arrow(bool left, bool pressed)
{
    QImage image = canvas(15, 19);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    if (pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(Accent, 70));
        p.drawRoundedRect(QRectF(0, 0, 15, 19), 4, 4);
    }
    p.setPen(QPen(pressed ? AccentLight : Accent, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(glyph::chevron(QRectF(1.5, 2, 12, 15), left));
    return image;
}

QImage plainButton(int w, int h, qreal radius, const QColor &accent, bool lit)
{
    QImage image = canvas(w, h);
    QPainter p(&image);
    paintButton(p, QRectF(0, 0, w, h), radius, accent, lit);
    return image;
}

QImage profileButton(bool lit)
{
    // Lit, it is deep enough for white text (the plain accent gave 2.8:1).
    QImage image = plainButton(57, 34, 7, lit ? AccentLit : Accent, lit);
    if (!lit) {
        // A short accent line tells the tabs apart from the box buttons.
        QPainter p(&image);
        QLinearGradient line(8, 0, 49, 0);
        line.setColorAt(0, withAlpha(Accent, 0));
        line.setColorAt(0.5, withAlpha(Accent, 170));
        line.setColorAt(1, withAlpha(Accent, 0));
        p.fillRect(QRectF(8, 30, 41, 1), line);
    }
    return image;
}

QImage deviceButton(const QColor &accent, bool lit)
{
    QImage image = plainButton(38, 28, 6, accent, lit);
    if (!lit) {
        QPainter p(&image);
        p.fillRect(QRectF(13, 24, 12, 1), withAlpha(accent, 110));
    }
    return image;
}

QImage languageMenu()
{
    QImage image = canvas(131, 356);
    QPainter p(&image);
    paintPanel(p, QRectF(0, 0, 131, 356), 8, QColor(0x1A, 0x23, 0x31), QColor(0x10, 0x16, 0x20));
    QLinearGradient top(8, 0, 123, 0);
    top.setColorAt(0, withAlpha(Accent, 0));
    top.setColorAt(0.5, withAlpha(AccentLight, 230));
    top.setColorAt(1, withAlpha(Accent, 0));
    p.fillRect(QRectF(8, 1, 115, 1), top);
    return image;
}

QByteArray programIcon()
{
    QVector<QImage> sizes;
    for (int size : {16, 24, 32, 48, 64, 128})
        sizes.append(emblem(size, true).convertToFormat(QImage::Format_ARGB32));
    return ico::encode(sizes);
}

} // namespace

QImage emblem(int size, bool onTile)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    const QPointF c(s / 2, s / 2);
    qreal ringRadius = s * 0.44;
    if (onTile) {
        QLinearGradient tile(0, 0, 0, s);
        tile.setColorAt(0, QColor(0x1C, 0x26, 0x36));
        tile.setColorAt(1, QColor(0x0A, 0x0E, 0x15));
        p.setPen(Qt::NoPen);
        p.setBrush(tile);
        p.drawRoundedRect(QRectF(0, 0, s, s), s * 0.22, s * 0.22);
        ringRadius = s * 0.36;
    }
    const qreal ringWidth = qMax<qreal>(1.5, s * 0.085);
    QLinearGradient ring(0, c.y() - ringRadius, 0, c.y() + ringRadius);
    ring.setColorAt(0, AccentLight);
    ring.setColorAt(1, AccentDeep);
    if (size >= 28) {
        QPainterPath halo;
        halo.addEllipse(c, ringRadius, ringRadius);
        paintGlow(p, halo, withAlpha(AccentLight, 120), ringWidth * 3);
    }
    p.setPen(QPen(QBrush(ring), ringWidth));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, ringRadius, ringRadius);

    const qreal bladeRadius = ringRadius - ringWidth * 1.4;
    QLinearGradient blades(c.x() - bladeRadius, c.y() - bladeRadius, c.x() + bladeRadius, c.y() + bladeRadius);
    blades.setColorAt(0, Qt::white);
    blades.setColorAt(1, AccentLight);
    p.setPen(Qt::NoPen);
    p.setBrush(blades);
    p.drawPath(glyph::fanBlades(c, bladeRadius, size >= 24 ? 5 : 4));
    p.setBrush(QColor(0x0A, 0x0E, 0x15));
    p.drawEllipse(c, bladeRadius * 0.11, bladeRadius * 0.11);
    return image;
}

QVector<Artwork> mainWindowArt()
{
    QVector<Artwork> art;
    art.append({"Images/background.png", background(), {}});
    art.append({"Images/product_name.png", productName(), {}});
    art.append({"Images/LOGO.png", logo(), {}});
    art.append({"Images/logo.ico", {}, programIcon()});

    art.append({"Images/btn_close.png", titleButton(glyph::cross(QRectF(4, 4, 14, 14)), QColor(0xFF, 0x6B, 0x76), false), {}});
    art.append({"Images/btn_min.png", titleButton(glyph::dash(QRectF(4, 3, 14, 14)), Frost, false), {}});
    art.append({"Images/btn_setting.png", titleButton(glyph::gear(QRectF(4, 4, 14, 14)), Frost, true), {}});

    art.append({"Images/btn_profile.png", profileButton(false), {}});
    art.append({"Images/btn_profile_h.png", profileButton(true), {}});
    art.append({"Images/btn_arrowLeft.png", arrow(true, false), {}});
    art.append({"Images/btn_arrowLeft_h.png", arrow(true, true), {}});
    art.append({"Images/btn_arrowRight.png", arrow(false, false), {}});
    art.append({"Images/btn_arrowRight_h.png", arrow(false, true), {}});

    // Stretched over the save button (102 x 25), the menu buttons (120 x 30)
    // and the alert's OK button (80 x 33): a modest corner survives all three.
    art.append({"Images/btn_save.png", plainButton(120, 30, 6, Accent, false), {}});
    art.append({"Images/btn_save_h.png", plainButton(120, 30, 6, AccentLit, true), {}});

    art.append({"Images/device.png", deviceButton(Edge, false), {}});
    art.append({"Images/device_h.png", deviceButton(AccentLit, true), {}});
    art.append({"Images/device_r.png", deviceButton(Alarm, true), {}});
    // A box that stopped answering: amber, neither absent nor a stalled fan.
    art.append({"Images/device_a.png", deviceButton(QColor(0xF0, 0xA0, 0x30), true), {}});

    art.append({"Images/menu_Language.png", languageMenu(), {}});
    return art;
}
