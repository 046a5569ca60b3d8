// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

class QWidget;

// What a keyboard or screen-reader user and a reader of small text meet in a
// window: the controls as the accessibility interface reports them, the Tab
// path, the size of every click target, and the size and contrast of every
// text as it is drawn. Used by the tests and by `aurivent-screenshot --audit`.
namespace Audit {

struct Control {
    QPointer<QWidget> widget;
    QString path;        // object names from the window down
    QString name;        // accessible name
    QString description; // accessible description (a tooltip counts)
    QString toolTip;
    QSize size;          // the widget
    QSize target;        // the area a press reaches it through (its hit area)
};

struct Text {
    QPointer<QWidget> widget;
    QString path;
    QString text;
    int px = 0;           // font size in logical pixels
    bool bold = false;
    double contrast = 0;  // drawn text against what lies behind it; 0 when nothing was drawn or inactive
};

// Visible controls (buttons, sliders, text fields) of the window.
QList<Control> controls(QWidget *window);
// Visible texts (labels and buttons), each measured from the window's own
// drawing: with and without its text.
QList<Text> texts(QWidget *window);
// The stops Tab visits from the window's first one until the path repeats
// (at most `limit`). The window must be shown and active.
QList<QWidget *> tabCycle(QWidget *window, int limit = 400);

// WCAG relative luminance and contrast ratio.
double luminance(const QColor &color);
double contrast(const QColor &a, const QColor &b);
// 4.5 for small text, 3 for large (24 px, or 18.7 px bold).
double requiredContrast(int px, bool bold);

QString pathOf(const QWidget *widget);

// One line per finding and a summary line, for the closing notes.
QStringList report(QWidget *window, const QString &state);

} // namespace Audit
