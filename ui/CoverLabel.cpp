// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/CoverLabel.h"

#include <QMouseEvent>
#include <QPainter>

CoverLabel::CoverLabel(QWidget *parent)
    : QWidget(parent)
{
}

void CoverLabel::setImage(const QPixmap &image)
{
    m_image = image;
    update();
}

void CoverLabel::setOpacity(qreal opacity)
{
    opacity = qBound(0.0, opacity, 1.0);
    if (qFuzzyCompare(opacity, m_opacity))
        return;
    m_opacity = opacity;
    update();
}

void CoverLabel::paintEvent(QPaintEvent *)
{
    if (m_image.isNull() || m_opacity <= 0.0)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.setOpacity(m_opacity);
    painter.drawPixmap(rect(), m_image);
}

void CoverLabel::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit pressed(event->pos());
    event->accept();
}
