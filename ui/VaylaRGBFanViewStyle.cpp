// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/VaylaRGBFanViewStyle.h"

#include "ui/Contrast.h"

#include <QColor>
#include <QCoreApplication>

namespace VaylaStyle {

QString vaylaImage(const QString &file)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Images/Vayla/") + file;
}

QString imageButtonStyle(const QString &normal, const QString &checked)
{
    QString style = QStringLiteral("QPushButton{border: none; border-image: url(%1);}").arg(vaylaImage(normal));
    if (!checked.isEmpty())
        style += QStringLiteral(" QPushButton:checked{border-image: url(%1);}").arg(vaylaImage(checked));
    return style;
}

QString textButtonStyle(const QString &color, const QString &normal, const QString &checked, int fontPx)
{
    return QStringLiteral("QPushButton{color: %1; font-size: %2px; font-weight: bold; "
                          "border: none; border-image: url(%3);}"
                          " QPushButton:checked{color: white; border-image: url(%4);}")
        .arg(color)
        .arg(fontPx)
        .arg(vaylaImage(normal), vaylaImage(checked));
}

QString speedSliderStyle()
{
    return QStringLiteral("QSlider::groove:horizontal{height: 6px; border-radius: 3px; "
                          "background: rgb(210, 210, 210);}"
                          " QSlider::sub-page:horizontal{height: 6px; border-radius: 3px; "
                          "background: rgba(109, 139, 199, 255);}"
                          " QSlider::handle:horizontal{width: 18px; margin: -6px 0; border-image: url(%1);}")
        .arg(vaylaImage(QStringLiteral("bar-button.png")));
}

QString brightnessSliderStyle(int r, int g, int b)
{
    return QStringLiteral("QSlider::groove:horizontal{height: 10px; border-radius: 5px; "
                          "background: qlineargradient(x1:0, y1:0, x2:1, y2:0, "
                          "stop:0 rgb(%1,%2,%3), stop:1 rgb(0,0,0));}"
                          " QSlider::groove:horizontal:disabled{background: rgb(200, 200, 200);}"
                          " QSlider::handle:horizontal{width: 20px; margin: -6px 0; border-image: url(%4);}")
        .arg(r)
        .arg(g)
        .arg(b)
        .arg(vaylaImage(QStringLiteral("bar_bright.png")));
}

QString captionStyle(int fontPx)
{
    return QStringLiteral("color: #6E6E6E; font-size: %1px; font-weight: bold;").arg(fontPx);
}

QString readoutTextColor(int r, int g, int b)
{
    // White on a dark disc, near black on a light one: on pure red white
    // reached only 4:1.
    return Contrast::textOn(QColor(r, g, b)).name();
}

LanguageFonts languageFonts(int language)
{
    switch (language) {
    case 1: // tc
    case 2: // cn
        return {13, 13, 11};
    case 3: // de
    case 4: // fr
        return {9, 11, 9};
    case 5: // jp
        return {10, 12, 9};
    case 6: // th
        return {10, 12, 10};
    default:
        return {10, 12, 10};
    }
}

} // namespace VaylaStyle
