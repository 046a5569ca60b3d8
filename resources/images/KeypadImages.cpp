// SPDX-License-Identifier: GPL-3.0-or-later
// The password keypad shown over the main window, and the fan-stop alert.
#include "Artwork.h"
#include "Glyphs.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

using namespace theme;

namespace {

QImage windowVeil()
{
    QImage image = canvas(999, 606);
    QPainter p(&image);
    QRadialGradient veil(QPointF(499.5, 303), 620);
    veil.setColorAt(0, withAlpha(Void, 150));
    veil.setColorAt(1, withAlpha(Void, 215));
    p.fillRect(image.rect(), veil);
    return image;
}

// The keypad's panel: a display for the four digits on top (they are drawn
// in the default dark text colour, so the display is light glass), keys below.
QImage keypadPanel()
{
    const int w = 299;
    const int h = 388;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintPanel(p, QRectF(0, 0, w, h), 20, QColor(0x1D, 0x27, 0x37), QColor(0x0F, 0x14, 0x1E));
    QLinearGradient top(20, 0, w - 20, 0);
    top.setColorAt(0, withAlpha(Accent, 0));
    top.setColorAt(0.5, withAlpha(AccentLight, 230));
    top.setColorAt(1, withAlpha(Accent, 0));
    p.fillRect(QRectF(20, 1, w - 40, 1), top);

    const QRectF display(30, 20, 239, 66);
    QLinearGradient glass(display.topLeft(), display.bottomLeft());
    glass.setColorAt(0, QColor(0xB4, 0xCC, 0xDB));
    glass.setColorAt(0.12, QColor(0xD6, 0xE6, 0xF0));
    glass.setColorAt(1, QColor(0xC4, 0xDA, 0xE7));
    p.fillPath(roundedRect(display, 10), glass);
    p.setPen(QPen(withAlpha(Void, 220), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(display, 10));
    p.setPen(QPen(withAlpha(AccentLight, 120), 1));
    p.drawPath(roundedRect(display.adjusted(-2, -2, 2, 2), 12));

    // Key field.
    p.fillRect(QRectF(24, 94, w - 48, 1), withAlpha(Edge, 200));
    return image;
}

QImage key(int kind)
{
    const int size = 57;
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(1.5, 1.5, size - 3, size - 3);
    const bool confirm = kind == 1;
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Void, 160));
    p.drawEllipse(r.translated(0, 1.5));
    QLinearGradient body(r.topLeft(), r.bottomLeft());
    if (confirm) {
        body.setColorAt(0, QColor(0x2A, 0xB8, 0xF2));
        body.setColorAt(1, QColor(0x01, 0x62, 0xAA));
    } else {
        body.setColorAt(0, QColor(0x2E, 0x3A, 0x4D));
        body.setColorAt(1, QColor(0x1B, 0x23, 0x30));
    }
    p.setBrush(body);
    p.drawEllipse(r);
    QLinearGradient rim(r.topLeft(), r.bottomLeft());
    rim.setColorAt(0, withAlpha(Qt::white, confirm ? 120 : 70));
    rim.setColorAt(0.5, withAlpha(Qt::white, 8));
    rim.setColorAt(1, withAlpha(Qt::white, 0));
    p.setPen(QPen(QBrush(rim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(r.adjusted(1, 1, -1, -1));
    p.setPen(QPen(confirm ? QColor(0x01, 0x4E, 0x88) : withAlpha(Edge, 255), 1));
    p.drawEllipse(r);

    const QRectF icon(15.5, 15.5, 26, 26);
    if (kind == 1) {
        p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(glyph::check(icon));
    } else if (kind == 2) {
        p.setPen(QPen(Amber, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(glyph::backspace(icon));
    }
    return image;
}

QImage digitLine()
{
    QImage image = canvas(39, 1);
    QPainter p(&image);
    QLinearGradient g(0, 0, 39, 0);
    g.setColorAt(0, withAlpha(AccentDeep, 90));
    g.setColorAt(0.5, AccentDeep);
    g.setColorAt(1, withAlpha(AccentDeep, 90));
    p.fillRect(image.rect(), g);
    return image;
}

// 428 x 248; its alpha channel is the window's mask. "Warning" is written at
// y 110-155, the box name at 155-200 and the OK button sits at (175, 200).
QImage alertBackground()
{
    const int w = 428;
    const int h = 248;
    QImage image = canvas(w, h);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0, 0, w, h);
    paintPanel(p, r, 18, QColor(0x1E, 0x22, 0x2D), QColor(0x0D, 0x10, 0x16));
    p.setClipPath(roundedRect(r, 18));
    QRadialGradient glow(QPointF(w / 2.0, 40), 200);
    glow.setColorAt(0, withAlpha(Alarm, 80));
    glow.setColorAt(1, withAlpha(Alarm, 0));
    p.fillRect(image.rect(), glow);
    QLinearGradient strip(0, 0, w, 0);
    strip.setColorAt(0, withAlpha(Alarm, 40));
    strip.setColorAt(0.5, Alarm);
    strip.setColorAt(1, withAlpha(Alarm, 40));
    p.fillRect(QRectF(0, 0, w, 3), strip);
    p.setClipping(false);

    const QPainterPath sign = glyph::triangle(QRectF(w / 2.0 - 40, 22, 80, 70));
    paintGlow(p, sign, withAlpha(Alarm, 150), 12);
    QLinearGradient fill(0, 22, 0, 92);
    fill.setColorAt(0, QColor(0xFF, 0x6A, 0x5A));
    fill.setColorAt(1, QColor(0xC8, 0x18, 0x28));
    p.setPen(QPen(QBrush(fill), 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(sign);
    p.fillPath(glyph::exclamation(QRectF(w / 2.0 - 10, 42, 20, 42)), QColor(0x1C, 0x08, 0x0C));

    QLinearGradient rule(40, 0, w - 40, 0);
    rule.setColorAt(0, withAlpha(Edge, 0));
    rule.setColorAt(0.5, Edge);
    rule.setColorAt(1, withAlpha(Edge, 0));
    p.fillRect(QRectF(40, 104, w - 80, 1), rule);
    return image;
}

} // namespace

QVector<Artwork> keypadArt()
{
    QVector<Artwork> art;
    art.append({"Images/keyboard/passwordMask.png", windowVeil(), {}});
    art.append({"Images/blankImage.png", keypadPanel(), {}});
    art.append({"Images/keyboard/keyboard.png", key(0), {}});
    art.append({"Images/keyboard/password_ok.png", key(1), {}});
    art.append({"Images/keyboard/password_return.png", key(2), {}});
    art.append({"Images/keyboard/LINE.png", digitLine(), {}});
    return art;
}

QVector<Artwork> alertArt()
{
    return {{"Images/warn_background.png", alertBackground(), {}}};
}
