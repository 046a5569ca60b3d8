// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LedButton.h"

#include "ui/LedStyle.h"
#include "ui/UiFont.h"

#include <QPainter>
#include <QRadialGradient>

LedButton::LedButton(QWidget *parent)
    : QPushButton(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

void LedButton::setLook(const QColor &color, bool grey, bool off)
{
    if (color == m_color && grey == m_grey && off == m_off)
        return;
    m_color = color;
    m_grey = grey;
    m_off = off;
    update();
}

QString LedButton::lookText() const
{
    return LedStyle::ledStyleSheet(m_color.red(), m_color.green(), m_color.blue(), m_grey, m_off);
}

void LedButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF disc = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor text;
    if (m_off) {
        painter.setPen(QPen(QColor(86, 94, 106), 1.0));
        painter.setBrush(QColor(38, 43, 51));
        text = QColor(0x7d, 0x87, 0x94);
    } else {
        const QColor rim = m_grey ? QColor(80, 80, 80) : m_color;
        const bool white = !m_grey && m_color == QColor(255, 255, 255);
        const QColor centre = white ? QColor(Qt::white) : LedStyle::ledCentre(rim.red(), rim.green(), rim.blue());
        QRadialGradient gradient(disc.center(), disc.width() / 2.0);
        if (white) {
            // A white LED keeps a dark rim to stand out on the white panel.
            gradient.setColorAt(0.9, Qt::white);
            gradient.setColorAt(1.0, Qt::black);
        } else {
            gradient.setColorAt(0.2, centre);
            gradient.setColorAt(1.0, rim);
        }
        painter.setPen(Qt::NoPen);
        painter.setBrush(gradient);
        text = QColor(LedStyle::ledNumberColor(centre));
    }
    painter.drawEllipse(disc);
    QFont font = UiFont::font(13, true);
    painter.setFont(font);
    painter.setPen(text);
    painter.drawText(rect(), Qt::AlignCenter, this->text());
}
