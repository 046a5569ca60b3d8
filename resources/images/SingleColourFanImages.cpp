// SPDX-License-Identifier: GPL-3.0-or-later
// The single-colour fan view: square tiles on its white card, the colour
// disc, slider knobs and the two covers.
#include "Artwork.h"
#include "Glyphs.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QtMath>

using namespace theme;

namespace {

const int Tile = 55;
const int CoverWidth = 302;
const int CoverHeight = 390;
// The card under the view is drawn with this corner radius.
const qreal CardRadius = 45;

// A tile of the view's button grid. It sits on a white card, so it carries
// its own soft shadow; the program writes the label over it.
void paintTile(QPainter &p, const QColor &accent, bool lit)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(QColor(0x10, 0x20, 0x40), 40));
    p.drawRoundedRect(QRectF(1, 2.5, 53, 52), 12, 12);
    const QRectF body(1, 1, 53, 52);
    if (lit) {
        paintButton(p, body, 11, accent, true);
        return;
    }
    QLinearGradient g(body.topLeft(), body.bottomLeft());
    g.setColorAt(0, QColor(0x25, 0x30, 0x40));
    g.setColorAt(1, QColor(0x15, 0x1B, 0x26));
    p.fillPath(roundedRect(body, 11), g);
    QLinearGradient rim(body.topLeft(), body.bottomLeft());
    rim.setColorAt(0, withAlpha(Qt::white, 60));
    rim.setColorAt(0.5, withAlpha(Qt::white, 6));
    rim.setColorAt(1, withAlpha(Qt::white, 0));
    p.setPen(QPen(QBrush(rim), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(body.adjusted(1, 1, -1, -1), 10));
    // Accent foot tells what the tile does before it is pressed.
    QLinearGradient foot(body.left() + 12, 0, body.right() - 12, 0);
    foot.setColorAt(0, withAlpha(accent, 0));
    foot.setColorAt(0.5, accent);
    foot.setColorAt(1, withAlpha(accent, 0));
    p.fillRect(QRectF(body.left() + 10, body.bottom() - 5, body.width() - 20, 2), foot);
}

QImage textTile(const QColor &accent, bool lit)
{
    QImage image = canvas(Tile, Tile);
    QPainter p(&image);
    paintTile(p, accent, lit);
    return image;
}

QImage blankTile()
{
    QImage image = canvas(Tile, Tile);
    QPainter p(&image);
    paintTile(p, Edge, false);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Edge, 200));
    p.drawPath(glyph::fanBlades(QPointF(27.5, 26.5), 14, 5));
    return image;
}

QImage rgbTile(bool lit)
{
    QImage image = canvas(Tile, Tile);
    QPainter p(&image);
    // Lit, the colours themselves glow on the dark tile inside an accent rim.
    paintTile(p, lit ? AccentLight : Edge, false);
    if (lit) {
        p.setPen(QPen(withAlpha(AccentLight, 255), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(roundedRect(QRectF(2, 2, 51, 50), 10));
    }
    const QPointF c(27.5, 27);
    const qreal r = 9;
    const QPointF centres[3] = {c + QPointF(0, -5.5), c + QPointF(-5.5, 4), c + QPointF(5.5, 4)};
    const QColor colours[3] = {QColor(255, 40, 60), QColor(40, 230, 90), QColor(40, 110, 255)};
    p.setCompositionMode(QPainter::CompositionMode_Plus);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 3; ++i) {
        QColor colour = lit ? colours[i] : mix(colours[i], QColor(0x40, 0x48, 0x55), 0.6);
        colour.setAlpha(lit ? 235 : 150);
        p.setBrush(colour);
        p.drawEllipse(centres[i], r, r);
    }
    return image;
}

QImage glyphTile(const QPainterPath &shape, const QColor &colour, const QColor &accent, bool lit)
{
    QImage image = canvas(Tile, Tile);
    QPainter p(&image);
    paintTile(p, accent, lit);
    if (!lit)
        paintGlow(p, shape, withAlpha(colour, 90), 5);
    p.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shape);
    return image;
}

// Drawn into a 140 x 140 frame, but read unscaled around (75, 75) out to 75
// pixels; 151 x 151 keeps every point of that disc inside the picture.
QImage colourDisc()
{
    const int size = 151;
    const qreal centre = 75;
    const qreal radius = 76;
    QImage image = canvas(size, size);
    for (int y = 0; y < size; ++y) {
        QRgb *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < size; ++x) {
            const qreal dx = x - centre;
            const qreal dy = y - centre;
            const qreal r = qSqrt(dx * dx + dy * dy);
            // Anything the pick can reach is fully opaque; only the outer
            // half pixel is smoothed.
            const qreal coverage = qBound<qreal>(0, (radius + 1.0 - r) / 1.0, 1);
            if (coverage <= 0) {
                row[x] = 0;
                continue;
            }
            qreal hue = qAtan2(-dy, dx) / (2 * M_PI);
            if (hue < 0)
                hue += 1;
            const qreal saturation = qMin<qreal>(1, qPow(r / 72.0, 0.8));
            const QColor colour = QColor::fromHsvF(hue, saturation, 1);
            row[x] = qPremultiply(qRgba(colour.red(), colour.green(), colour.blue(), int(255 * coverage)));
        }
    }
    return image;
}

QPainterPath coverShape()
{
    return roundedRect(QRectF(0, 0, CoverWidth, CoverHeight), CardRadius);
}

QImage closedCover()
{
    QImage image = canvas(CoverWidth, CoverHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, CoverHeight);
    body.setColorAt(0, QColor(0x1A, 0x22, 0x30));
    body.setColorAt(1, QColor(0x0C, 0x10, 0x17));
    p.fillPath(coverShape(), body);
    p.setPen(QPen(withAlpha(Edge, 255), 1));
    p.drawPath(coverShape());
    const QPointF c(CoverWidth / 2.0, 170);
    p.setPen(QPen(withAlpha(Edge, 230), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 70, 70);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(Edge, 200));
    p.drawPath(glyph::fanBlades(c, 62, 5));
    p.setPen(QPen(withAlpha(Muted, 150), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyph::power(QRectF(c.x() - 16, 290, 32, 32)));
    return image;
}

QImage fanErrorCover()
{
    QImage image = canvas(CoverWidth, CoverHeight);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient body(0, 0, 0, CoverHeight);
    body.setColorAt(0, QColor(0x22, 0x14, 0x1A));
    body.setColorAt(1, QColor(0x0E, 0x0A, 0x0E));
    p.fillPath(coverShape(), body);
    p.setClipPath(coverShape());
    QRadialGradient glow(QPointF(CoverWidth / 2.0, 150), 170);
    glow.setColorAt(0, withAlpha(Alarm, 70));
    glow.setColorAt(1, withAlpha(Alarm, 0));
    p.fillRect(image.rect(), glow);
    p.setClipping(false);
    p.setPen(QPen(withAlpha(Alarm, 200), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawPath(roundedRect(QRectF(0.5, 0.5, CoverWidth - 1, CoverHeight - 1), CardRadius - 0.5));

    // A stopped fan behind a warning sign.
    const QPointF c(CoverWidth / 2.0, 150);
    p.setPen(QPen(withAlpha(AlarmDeep, 255), 2));
    p.drawEllipse(c, 74, 74);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(AlarmDeep, 150));
    p.drawPath(glyph::fanBlades(c, 66, 5));
    const QPainterPath sign = glyph::triangle(QRectF(c.x() - 44, c.y() - 40, 88, 76));
    paintGlow(p, sign, withAlpha(Alarm, 160), 12);
    QLinearGradient fill(0, c.y() - 40, 0, c.y() + 36);
    fill.setColorAt(0, QColor(0xFF, 0x5A, 0x5F));
    fill.setColorAt(1, QColor(0xC4, 0x16, 0x26));
    p.setPen(QPen(QBrush(fill), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(fill);
    p.drawPath(sign);
    p.fillPath(glyph::exclamation(QRectF(c.x() - 12, c.y() - 14, 24, 44)), QColor(0x1C, 0x08, 0x0C));
    // Stop bar under the sign.
    QLinearGradient bar(40, 0, CoverWidth - 40, 0);
    bar.setColorAt(0, withAlpha(Alarm, 0));
    bar.setColorAt(0.5, withAlpha(Alarm, 230));
    bar.setColorAt(1, withAlpha(Alarm, 0));
    p.fillRect(QRectF(40, 268, CoverWidth - 80, 2), bar);
    return image;
}

QImage powerSwitch(int size, bool on)
{
    QImage image = canvas(size, size);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(0.5, 0.5, size - 1, size - 1);
    if (on) {
        QPainterPath halo;
        halo.addEllipse(r.adjusted(1, 1, -1, -1));
        paintGlow(p, halo, withAlpha(AccentLight, 120), 3);
    }
    QRadialGradient face(r.center(), size / 2.0);
    face.setColorAt(0, on ? withAlpha(Accent, 110) : Lifted);
    face.setColorAt(1, on ? withAlpha(AccentDeep, 200) : Raised);
    p.setBrush(face);
    p.setPen(QPen(on ? AccentLight : Edge, 1));
    p.drawEllipse(r);
    const qreal pad = size * 0.16;
    p.setPen(QPen(on ? Qt::white : Muted, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyph::power(r.adjusted(pad, pad, -pad, -pad)));
    return image;
}

} // namespace

QVector<Artwork> singleColourFanArt()
{
    const QRectF icon(15.5, 14, 24, 24);
    QVector<Artwork> art;
    art.append({"Images/Vayla/btn_closeFan.png", powerSwitch(20, false), {}});
    art.append({"Images/Vayla/btn_openFan.png", powerSwitch(20, true), {}});
    art.append({"Images/Vayla/btn_performance.png", textTile(Magenta, false), {}});
    art.append({"Images/Vayla/btn_performance_h.png", textTile(Magenta, true), {}});
    art.append({"Images/Vayla/btn_silent.png", textTile(Lime, false), {}});
    art.append({"Images/Vayla/btn_silent_h.png", textTile(QColor(0x86, 0xA8, 0x00), true), {}});
    art.append({"Images/Vayla/btn_pwm.png", textTile(Orange, false), {}});
    art.append({"Images/Vayla/btn_pwm_h.png", textTile(QColor(0xE8, 0x7C, 0x0A), true), {}});
    art.append({"Images/Vayla/btn_blink.png", textTile(Accent, false), {}});
    art.append({"Images/Vayla/btn_blink_h.png", textTile(QColor(0x02, 0x8A, 0xD6), true), {}});
    art.append({"Images/Vayla/btn_blank.png", blankTile(), {}});
    art.append({"Images/Vayla/btn_RGB_Mode.png", rgbTile(false), {}});
    art.append({"Images/Vayla/btn_RGB_Mode_h.png", rgbTile(true), {}});
    art.append({"Images/Vayla/btn_turnOn.png", glyphTile(glyph::bulb(icon), AccentLight, Accent, false), {}});
    art.append({"Images/Vayla/btn_turnOff.png", glyphTile(glyph::power(icon), Qt::white, Alarm, true), {}});
    art.append({"Images/Vayla/btn_copyRGB.png", glyphTile(glyph::copy(icon), AccentLight, Accent, false), {}});
    art.append({"Images/Vayla/bar-button.png", knob(18, 18, QColor(109, 139, 199), Qt::white), {}});
    art.append({"Images/Vayla/bar_bright.png", knob(20, 22, QColor(0x4A, 0x58, 0x6E), Qt::white), {}});
    art.append({"Images/Vayla/palette.png", colourDisc(), {}});
    art.append({"Images/Vayla/rpm_bar.png", fadingBar(75, 3, Accent), {}});
    art.append({"Images/Vayla/blankImage_h.png", closedCover(), {}});
    art.append({"Images/Vayla/Fan_Error3.png", fanErrorCover(), {}});
    return art;
}
