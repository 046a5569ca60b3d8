// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/HitArea.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace {

QRect enlarged(const QWidget *control, int minSize)
{
    const QRect own = control->geometry();
    const int w = qMax(own.width(), minSize);
    const int h = qMax(own.height(), minSize);
    QRect area(0, 0, w, h);
    area.moveCenter(own.center());
    return area;
}

} // namespace

HitArea::HitArea(QWidget *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("hitArea"));
    parent->installEventFilter(this);
}

HitArea *HitArea::on(QWidget *parent)
{
    if (auto *existing = parent->findChild<HitArea *>(QStringLiteral("hitArea"), Qt::FindDirectChildrenOnly))
        return existing;
    return new HitArea(parent);
}

void HitArea::extend(QWidget *control, int minSize)
{
    QWidget *parent = control ? control->parentWidget() : nullptr;
    if (!parent)
        return;
    HitArea *area = on(parent);
    bool known = false;
    for (Entry &e : area->m_entries) {
        if (e.control == control) {
            e.minSize = minSize;
            known = true;
        }
    }
    if (!known)
        area->m_entries.push_back({control, minSize});
    control->setProperty("hitArea", enlarged(control, minSize).translated(-control->pos()));
}

QWidget *HitArea::targetAt(const QPoint &pos) const
{
    auto *parent = static_cast<QWidget *>(this->parent());
    QWidget *best = nullptr;
    int bestDistance = 0;
    for (const Entry &e : m_entries) {
        QWidget *c = e.control;
        if (!c || !c->isVisible() || !c->isEnabled())
            continue;
        const QRect area = enlarged(c, e.minSize);
        if (!area.contains(pos))
            continue;
        // Only a control in sight takes presses: nothing may lie over it
        // (the cover of a closed panel, the shade of a panel at the back).
        QWidget *atCentre = parent->childAt(c->geometry().center());
        if (atCentre != c && !c->isAncestorOf(atCentre))
            continue;
        const int distance = (pos - c->geometry().center()).manhattanLength();
        if (!best || distance < bestDistance) {
            best = c;
            bestDistance = distance;
        }
    }
    return best;
}

bool HitArea::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != parent())
        return false;
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseMove
        && type != QEvent::MouseButtonRelease)
        return false;
    auto *mouse = static_cast<QMouseEvent *>(event);
    QWidget *target = m_grabbed;
    if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick) {
        target = targetAt(mouse->pos());
        m_grabbed = target;
    }
    if (!target)
        return false;
    if (type == QEvent::MouseButtonRelease)
        m_grabbed = nullptr;

    // The press lands on the control's nearest point, as if it had been there.
    const QPoint local = mouse->pos() - target->pos();
    const QPoint inside(qBound(0, local.x(), target->width() - 1), qBound(0, local.y(), target->height() - 1));
    QMouseEvent forwarded(type, inside, target->mapTo(target->window(), inside), target->mapToGlobal(inside),
                          mouse->button(), mouse->buttons(), mouse->modifiers());
    QCoreApplication::sendEvent(target, &forwarded);
    return true;
}
