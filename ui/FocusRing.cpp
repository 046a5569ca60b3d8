// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/FocusRing.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPainter>

namespace {
constexpr int kGap = 2;
}

FocusRing::FocusRing(QWidget *window)
    : QWidget(window)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
    qApp->installEventFilter(this);
}

bool FocusRing::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        m_tabPressed = key == Qt::Key_Tab || key == Qt::Key_Backtab;
    } else if (event->type() == QEvent::FocusIn) {
        auto *widget = qobject_cast<QWidget *>(watched);
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        // Qt also says "Tab" when it moves the focus off a control that was
        // hidden; only a Tab the user pressed shows the ring.
        const bool byKeyboard = m_tabPressed && (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason);
        m_tabPressed = false;
        if (widget && widget != this && widget->window() == window() && byKeyboard)
            follow(widget);
        else if (widget && widget->window() == window())
            follow(nullptr);
    } else if (event->type() == QEvent::MouseButtonPress) {
        follow(nullptr);
    } else if (watched == m_target && (event->type() == QEvent::Move || event->type() == QEvent::Hide)) {
        follow(m_target->isVisible() ? m_target.data() : nullptr);
    }
    return false;
}

void FocusRing::follow(QWidget *target)
{
    m_target = target;
    if (!target) {
        hide();
        return;
    }
    const QRect area(target->mapTo(parentWidget(), QPoint(0, 0)), target->size());
    setGeometry(area.adjusted(-kGap - 1, -kGap - 1, kGap + 1, kGap + 1));
    raise();
    show();
    update();
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPen pen(QColor(0x33, 0xd7, 0xff));
    pen.setWidthF(2.0);
    painter.setPen(pen);
    painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}
