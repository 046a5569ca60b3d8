// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QWidget>

// A picture laid over a fan panel that can fade. It paints itself with an
// opacity instead of carrying a graphics effect: an effect on a child of a
// panel at the back of the carousel painted over the panels in front of it.
class CoverLabel : public QWidget {
    Q_OBJECT
    Q_PROPERTY(qreal opacity READ opacity WRITE setOpacity)
public:
    explicit CoverLabel(QWidget *parent = nullptr);

    void setImage(const QPixmap &image);
    qreal opacity() const { return m_opacity; }
    void setOpacity(qreal opacity);

signals:
    // A left-button press at this point (cover coordinates).
    void pressed(const QPoint &at);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QPixmap m_image;
    qreal m_opacity = 1.0;
};
