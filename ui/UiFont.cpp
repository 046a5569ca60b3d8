// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/UiFont.h"

#include <QApplication>

namespace UiFont {

namespace {
int currentLanguage = 0;
}

QString latinFamily()
{
    return QStringLiteral("Liberation Sans");
}

QStringList families(int language)
{
    // Chinese readers expect their own glyph forms; everyone else gets the
    // Japanese face for the few CJK names in the language menu.
    QString cjk = QStringLiteral("Noto Sans CJK JP");
    if (language == 1)
        cjk = QStringLiteral("Noto Sans CJK TC");
    else if (language == 2)
        cjk = QStringLiteral("Noto Sans CJK SC");
    return {latinFamily(), cjk, QStringLiteral("Loma")};
}

void apply(int language)
{
    if (language < 0 || language >= kLanguageCount)
        language = 0;
    currentLanguage = language;
    QFont base = QApplication::font();
    base.setFamily(latinFamily());
    base.setFamilies(families(language));
    QApplication::setFont(base);
}

int language()
{
    return currentLanguage;
}

QFont font(int pixelSize, bool bold)
{
    QFont f(latinFamily());
    f.setFamilies(families(currentLanguage));
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace UiFont
