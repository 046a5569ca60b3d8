// SPDX-License-Identifier: GPL-3.0-or-later
// Shared colours and drawing helpers of the generated artwork, so every
// picture the program shows speaks the same visual language.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QRectF>

class QPainter;

namespace theme {

// Backgrounds, from deepest to raised.
const QColor Void(0x07, 0x0A, 0x0F);
const QColor Deep(0x0B, 0x0F, 0x16);
const QColor Base(0x10, 0x16, 0x20);
const QColor Raised(0x18, 0x20, 0x2D);
const QColor Lifted(0x21, 0x2B, 0x3B);
const QColor Edge(0x2C, 0x39, 0x4D);
const QColor Muted(0x6E, 0x7C, 0x90);
const QColor Frost(0xD8, 0xE4, 0xEE);

// Accents.
const QColor Accent(0x02, 0xA0, 0xEA);
const QColor AccentLight(0x03, 0xC6, 0xF7);
const QColor AccentDeep(0x01, 0x5E, 0xA8);
// A lit button under white text: about 5:1 where the text sits.
const QColor AccentLit(0x02, 0x74, 0xBE);
const QColor Alarm(0xE5, 0x2B, 0x3A);
const QColor AlarmDeep(0x8E, 0x12, 0x1E);
const QColor Amber(0xFF, 0xB0, 0x20);
const QColor Magenta(0xE3, 0x01, 0x7F);
const QColor Lime(0xAC, 0xCD, 0x04);
const QColor Orange(0xF8, 0x93, 0x1F);

// Exact colour outside rounded panels whose mask is found heuristically:
// it must appear nowhere else along the panel's border.
const QColor MaskKey(0x0B, 0x0F, 0x15);

// A blank picture; ARGB for everything that has transparent parts.
QImage canvas(int width, int height, const QColor &fill = Qt::transparent);

// Rounded rectangle inset by half a pixel so 1 px strokes land on whole pixels.
QPainterPath roundedRect(const QRectF &rect, qreal radius);

QColor withAlpha(const QColor &colour, int alpha);
QColor mix(const QColor &a, const QColor &b, qreal t);

// A raised dark panel: vertical gradient, lit top rim, dark outer line.
void paintPanel(QPainter &p, const QRectF &rect, qreal radius,
                const QColor &top = Raised, const QColor &bottom = Base);

// A push surface: dark body, or when lit a gradient in the given accent with a
// glossy upper rim. Text is drawn on it by the program, so it stays plain.
void paintButton(QPainter &p, const QRectF &rect, qreal radius, const QColor &accent, bool lit);

// Soft glow: concentric translucent strokes that fade outwards.
void paintGlow(QPainter &p, const QPainterPath &shape, const QColor &colour, qreal width);

// Round slider knob with a coloured ring, centred in a width x height
// picture (style sheets give handles a size of their own).
QImage knob(int width, int height, const QColor &ring, const QColor &face);

// Horizontal bar that fades out at both ends.
QImage fadingBar(int width, int height, const QColor &colour);

} // namespace theme
