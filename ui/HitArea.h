// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QVector>

class QWidget;

// A larger place to press around a small control drawn from a small image (a
// 14-pixel switch, a 12-pixel arrow, an 18-pixel LED): presses on the free
// space of its parent within the enlarged rectangle reach the control, which
// keeps its look and geometry. The rectangle is also kept on the control as
// the property "hitArea" (in its own coordinates).
class HitArea : public QObject {
    Q_OBJECT
public:
    static constexpr int kMinSize = 24;

    // Gives `control` a press area of at least kMinSize x kMinSize around its
    // centre (once per control; later calls only follow a new geometry).
    static void extend(QWidget *control, int minSize = kMinSize);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    explicit HitArea(QWidget *parent);
    static HitArea *on(QWidget *parent);
    QWidget *targetAt(const QPoint &pos) const;

    struct Entry {
        QPointer<QWidget> control;
        int minSize;
    };
    QVector<Entry> m_entries;
    QPointer<QWidget> m_grabbed; // the control a press went to, until release
};
