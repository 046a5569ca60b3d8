// SPDX-License-Identifier: GPL-3.0-or-later
#include "Audit.h"

#include "ui/Contrast.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QAccessible>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRect>
#include <QTest>
#include <QTextEdit>
#include <QWidget>

#include <algorithm>

namespace Audit {

namespace {

bool isControl(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QAbstractSlider *>(w)
        || qobject_cast<const QLineEdit *>(w) || qobject_cast<const QTextEdit *>(w);
}

QString shownText(const QWidget *w)
{
    if (auto *label = qobject_cast<const QLabel *>(w))
        return label->textFormat() == Qt::RichText ? QString() : label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(w))
        return button->text();
    return QString();
}

void setShownText(QWidget *w, const QString &text)
{
    if (auto *label = qobject_cast<QLabel *>(w))
        label->setText(text);
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        button->setText(text);
}

double ratio(double la, double lb)
{
    return (qMax(la, lb) + 0.05) / (qMin(la, lb) + 0.05);
}

// The drawn text against the same pixels drawn without it: the most strongly
// inked tenth of the changed pixels and what lay under them.
double measuredContrast(const QImage &with, const QImage &without)
{
    struct Ink {
        int diff;
        double text, back;
    };
    QVector<Ink> inks;
    for (int y = 0; y < with.height(); ++y) {
        for (int x = 0; x < with.width(); ++x) {
            const QColor a = with.pixelColor(x, y);
            const QColor b = without.pixelColor(x, y);
            const int diff = qAbs(a.red() - b.red()) + qAbs(a.green() - b.green()) + qAbs(a.blue() - b.blue());
            if (diff > 24)
                inks.push_back({diff, luminance(a), luminance(b)});
        }
    }
    if (inks.size() < 4)
        return 0;
    std::sort(inks.begin(), inks.end(), [](const Ink &l, const Ink &r) { return l.diff > r.diff; });
    const int n = qMax(2, inks.size() / 10);
    double text = 0, back = 0;
    for (int i = 0; i < n; ++i) {
        text += inks[i].text;
        back += inks[i].back;
    }
    return ratio(text / n, back / n);
}

int fontPx(const QWidget *w)
{
    const QFont f = w->font();
    if (f.pixelSize() > 0)
        return f.pixelSize();
    return qRound(f.pointSizeF() * w->logicalDpiY() / 72.0);
}

} // namespace

double luminance(const QColor &color)
{
    return Contrast::luminance(color);
}

double contrast(const QColor &a, const QColor &b)
{
    return Contrast::ratio(a, b);
}

double requiredContrast(int px, bool bold)
{
    return (px >= 24 || (bold && px >= 19)) ? 3.0 : 4.5;
}

QString pathOf(const QWidget *widget)
{
    QStringList names;
    for (const QWidget *w = widget; w && !w->isWindow(); w = w->parentWidget())
        names.prepend(w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    return names.join(QLatin1Char('/'));
}

QList<Control> controls(QWidget *window)
{
    QList<Control> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!isControl(w) || !w->isVisible() || w->window() != window)
            continue;
        Control c;
        c.widget = w;
        c.path = pathOf(w);
        if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w)) {
            c.name = a->text(QAccessible::Name).trimmed();
            c.description = a->text(QAccessible::Description).trimmed();
        }
        c.toolTip = w->toolTip();
        c.size = w->size();
        const QRect hit = w->property("hitArea").toRect();
        c.target = hit.isValid() ? hit.size().expandedTo(w->size()) : w->size();
        found << c;
    }
    return found;
}

QList<Text> texts(QWidget *window)
{
    QList<Text> found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        const QString text = shownText(w);
        if (text.trimmed().isEmpty() || !w->isVisible() || w->window() != window
            || w->inherits("LedButton")) // draws its number in a colour of its own choosing
            continue;
        // Text under a shade or a popup is not there to be read.
        const QPoint centre = w->mapTo(window, w->rect().center());
        QWidget *top = window->childAt(centre);
        if (top && top != w && !w->isAncestorOf(top))
            continue;
        w->ensurePolished();
        Text t;
        t.widget = w;
        t.path = pathOf(w);
        t.text = text;
        t.px = fontPx(w);
        t.bold = w->font().bold();
        const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
        const QImage with = window->grab(area).toImage();
        setShownText(w, QString());
        const QImage without = window->grab(area).toImage();
        setShownText(w, text);
        // An inactive control has no contrast to keep (a greyed button, an empty box slot).
        t.contrast = w->isEnabled() ? measuredContrast(with, without) : 0;
        found << t;
    }
    return found;
}

QList<QWidget *> tabCycle(QWidget *window, int limit)
{
    QList<QWidget *> stops;
    window->setFocus(Qt::OtherFocusReason);
    for (int i = 0; i < limit; ++i) {
        QWidget *from = QApplication::focusWidget() ? QApplication::focusWidget() : window;
        QTest::keyClick(from, Qt::Key_Tab);
        QWidget *now = QApplication::focusWidget();
        if (!now || now->window() != window)
            break;
        if (!stops.isEmpty() && now == stops.first())
            break;
        stops << now;
    }
    return stops;
}

QStringList report(QWidget *window, const QString &state)
{
    QStringList lines;
    const QList<Control> all = controls(window);
    int unnamed = 0, described = 0, tips = 0, small = 0;
    for (const Control &c : all) {
        if (c.name.isEmpty()) {
            ++unnamed;
            lines << QStringLiteral("%1: no name: %2").arg(state, c.path);
        }
        described += !c.description.isEmpty();
        tips += !c.toolTip.isEmpty();
        if (c.target.width() < 24 || c.target.height() < 24) {
            ++small;
            lines << QStringLiteral("%1: target %2x%3: %4").arg(state).arg(c.target.width()).arg(c.target.height()).arg(c.path);
        }
    }
    const QList<Text> written = texts(window);
    int smallest = 1000, low = 0;
    double worst = 100;
    for (const Text &t : written) {
        smallest = qMin(smallest, t.px);
        if (t.px < 9)
            lines << QStringLiteral("%1: %2 px: %3 \"%4\"").arg(state).arg(t.px).arg(t.path, t.text);
        if (t.contrast > 0) {
            worst = qMin(worst, t.contrast);
            if (t.contrast < requiredContrast(t.px, t.bold)) {
                ++low;
                lines << QStringLiteral("%1: contrast %2 at %3 px: %4 \"%5\"")
                             .arg(state)
                             .arg(t.contrast, 0, 'f', 2)
                             .arg(t.px)
                             .arg(t.path, t.text);
            }
        }
    }
    const QList<QWidget *> stops = tabCycle(window);
    lines << QStringLiteral("%1: SUMMARY controls %2, without name %3, described %4, tooltips %5, targets under 24 px %6, "
                            "Tab stops %7, texts %8, smallest %9 px, lowest contrast %10, under the required contrast %11")
                 .arg(state)
                 .arg(all.size())
                 .arg(unnamed)
                 .arg(described)
                 .arg(tips)
                 .arg(small)
                 .arg(stops.size())
                 .arg(written.size())
                 .arg(smallest)
                 .arg(worst, 0, 'f', 2)
                 .arg(low);
    return lines;
}

} // namespace Audit
