#include "ui/TextFit.h"

#include "ui/StyleSwap.h"
#include "ui/UiFont.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QHash>
#include <QLabel>
#include <QRegularExpression>
#include <QStringList>
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
    const int px = largestFittingPx(shownText(widget), textWidth(widget) - extraPadding, widget->height(), maxPx,
                                    minPx, bold);
    static const QRegularExpression size(QStringLiteral("font-size:\\s*\\d+px"));
    QString style = widget->styleSheet();
    style.replace(size, QStringLiteral("font-size:%1px").arg(px));
    swapStyle(widget, style);
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
