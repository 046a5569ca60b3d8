// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

// A ring drawn around the control that has the keyboard focus, while the
// focus moves by keyboard. The window's controls are drawn from images, so
// the style's own focus frame never shows on them.
class FocusRing : public QWidget {
    Q_OBJECT
public:
    explicit FocusRing(QWidget *window);
    QWidget *target() const { return m_target; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void follow(QWidget *target);

    QPointer<QWidget> m_target;
    bool m_tabPressed = false;
};
