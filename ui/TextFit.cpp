// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/TextFit.h"

#include "ui/StyleSwap.h"
#include "ui/UiFont.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QRegularExpression>
#include <QStringList>
#include <QTextBoundaryFinder>
#include <QWidget>

namespace TextFit {

namespace {

int linesWidth(const QFontMetrics &metrics, const QStringList &lines)
{
    int widest = 0;
    for (const QString &line : lines) {
        const QRect ink = metrics.tightBoundingRect(line);
        // Ink can start left of the pen or end past the advance (italics,
        // overhanging accents); either one must stay inside the control.
        const int inkExtent = qMax(ink.right() + 1, ink.width()) - qMin(0, ink.left());
        widest = qMax(widest, qMax(metrics.horizontalAdvance(line), inkExtent));
    }
    return widest;
}

} // namespace

bool fits(const QFont &font, const QString &text, int width, int height)
{
    const QFontMetrics metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    if (linesWidth(metrics, lines) + 2 * kMargin > width)
        return false;
    return height < 0 || lines.size() * metrics.height() <= height + metrics.descent();
}

namespace {

struct FitKey {
    QString text;
    int width, height, maxPx, minPx, language;
    bool bold;
    bool operator==(const FitKey &o) const
    {
        return width == o.width && height == o.height && maxPx == o.maxPx && minPx == o.minPx
            && language == o.language && bold == o.bold && text == o.text;
    }
};

uint qHash(const FitKey &k, uint seed = 0)
{
    return ::qHash(k.text, seed) ^ uint(k.width * 31 + k.height * 7 + k.maxPx * 131 + k.minPx * 17 + k.language * 3 + k.bold);
}

} // namespace

int largestFittingPx(const QString &text, int width, int height, int maxPx, int minPx, bool bold)
{
    minPx = qMax(minPx, kMinPx);
    maxPx = qMax(maxPx, minPx);
    // Panels ask again on every refresh; measuring text is not free.
    static QHash<FitKey, int> known;
    const FitKey key{text, width, height, maxPx, minPx, UiFont::language(), bold};
    const auto found = known.constFind(key);
    if (found != known.constEnd())
        return *found;
    int result = minPx;
    for (int px = maxPx; px > minPx; --px) {
        if (fits(UiFont::font(px, bold), text, width, height)) {
            result = px;
            break;
        }
    }
    if (known.size() > 4096)
        known.clear();
    known.insert(key, result);
    return result;
}

QString shownText(const QWidget *widget)
{
    if (auto *label = qobject_cast<const QLabel *>(widget))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(widget))
        return button->text();
    return QString();
}

int textWidth(const QWidget *widget)
{
    // A push button's frame keeps a pixel on each side even under a border image.
    return qobject_cast<const QAbstractButton *>(widget) ? widget->width() - 2 : widget->width();
}

void shrinkStyleFont(QWidget *widget, int maxPx, int minPx, int extraPadding)
{
    const bool bold = widget->styleSheet().contains(QLatin1String("bold"));
    // A text broken here before is fitted again from what it was given.
    QString source = shownText(widget);
    if (source == widget->property("fitShown").toString() && widget->property("fitSource").isValid())
        source = widget->property("fitSource").toString();
    const Fit fit = fitLines(source, textWidth(widget) - extraPadding, widget->height(), maxPx, minPx, bold);
    if (fit.text != shownText(widget)) {
        if (auto *label = qobject_cast<QLabel *>(widget))
            label->setText(fit.text);
        else if (auto *button = qobject_cast<QAbstractButton *>(widget))
            button->setText(fit.text);
    }
    widget->setProperty("fitSource", source);
    widget->setProperty("fitShown", fit.text);
    static const QRegularExpression size(QStringLiteral("font-size:\\s*\\d+px"));
    QString style = widget->styleSheet();
    style.replace(size, QStringLiteral("font-size:%1px").arg(fit.px));
    swapStyle(widget, style);
}

QString plain(const QString &text)
{
    QString out = text;
    out.remove(QChar(0x00AD));
    out.remove(QChar(0x200B));
    return out;
}

Fit fitLines(const QString &text, int width, int height, int maxPx, int minPx, bool bold)
{
    minPx = qMax(minPx, kMinPx);
    maxPx = qMax(maxPx, minPx);
    const QString whole = plain(text);
    for (int px = maxPx; px >= minPx; --px) {
        if (fits(UiFont::font(px, bold), whole, width, height))
            return {px, whole};
    }
    if (text.contains(QLatin1Char('\n')))
        return {minPx, whole};
    // Two lines, split where the language allows a line to break.
    QStringList candidates;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Line, text);
    for (int at = finder.toNextBoundary(); at > 0 && at < text.size(); at = finder.toNextBoundary()) {
        QString first = text.left(at);
        const bool hyphen = first.endsWith(QChar(0x00AD));
        first = plain(first).trimmed();
        const QString second = plain(text.mid(at)).trimmed();
        if (first.isEmpty() || second.isEmpty())
            continue;
        candidates << first + (hyphen ? QStringLiteral("-") : QString()) + QLatin1Char('\n') + second;
    }
    for (int px = maxPx; px >= minPx; --px) {
        const QFont font = UiFont::font(px, bold);
        const QFontMetrics metrics(font);
        QString best;
        int bestWidth = 0;
        for (const QString &candidate : candidates) {
            if (!fits(font, candidate, width, height))
                continue;
            const int widest = linesWidth(metrics, candidate.split(QLatin1Char('\n')));
            if (best.isEmpty() || widest < bestWidth) {
                best = candidate;
                bestWidth = widest;
            }
        }
        if (!best.isEmpty())
            return {px, best};
    }
    return {minPx, whole};
}

QString overflow(QWidget *widget)
{
    const QString text = shownText(widget);
    if (text.isEmpty())
        return QString();
    widget->ensurePolished();
    const QFont font = widget->font();
    if (fits(font, text, textWidth(widget), widget->height()))
        return QString();
    const QFontMetrics metrics(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    return QStringLiteral("%1 \"%2\" (%3 px %4: %5x%6 text in %7x%8)")
        .arg(widget->objectName(), text)
        .arg(font.pixelSize())
        .arg(QFontInfo(font).family())
        .arg(linesWidth(metrics, lines) + 2 * kMargin)
        .arg(lines.size() * metrics.height())
        .arg(widget->width())
        .arg(widget->height());
}

} // namespace TextFit
