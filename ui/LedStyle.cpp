// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/LedStyle.h"

#include <QColor>

namespace LedStyle {

QString colorText(int r, int g, int b)
{
    return QStringLiteral("rgb(") + QString::number(r) + QStringLiteral(",") + QString::number(g)
        + QStringLiteral(", ") + QString::number(b) + QStringLiteral(")");
}

QString buttonTextColor(int r, int g, int b)
{
    if ((r == 255 && g > 170 && b < 100) || (g == 255 && r < g) || (b == 255 && g > 170))
        return QStringLiteral("black");
    return QStringLiteral("white");
}

QColor ledCentre(int r, int g, int b)
{
    // A light tint of the LED's own colour: the number on it stays readable,
    // where a white centre under white digits did not.
    auto tint = [](int c) { return c + (255 - c) * 45 / 100; };
    return QColor(tint(r), tint(g), tint(b));
}

QString ledNumberColor(const QColor &centre)
{
    const int luma = (299 * centre.red() + 587 * centre.green() + 114 * centre.blue()) / 1000;
    return luma > 150 ? QStringLiteral("#1a1a1a") : QStringLiteral("white");
}

QString ledStyleSheet(int r, int g, int b, bool grey, bool off)
{
    if (off) {
        // LEDs switched off show dark, whatever colour they keep for later.
        return QStringLiteral("QPushButton{border-radius:9px; font-size: 13px; font-weight: bold; color:#7d8794; "
                              "border: 1px solid rgb(86,94,106); background-color: rgb(38,43,51);}"
                              "QPushButton:checked{border-radius:15px;}");
    }
    QString stops;
    QColor centre;
    if (grey) {
        centre = ledCentre(80, 80, 80);
        stops = QStringLiteral("stop : 0.2 ") + colorText(centre.red(), centre.green(), centre.blue())
            + QStringLiteral(", stop: 1 rgb(80,80,80)");
    } else if (r == 255 && g == 255 && b == 255) {
        centre = Qt::white;
        stops = QStringLiteral("stop : 0.9 white, stop: 1 black");
    } else {
        centre = ledCentre(r, g, b);
        stops = QStringLiteral("stop : 0.2 ") + colorText(centre.red(), centre.green(), centre.blue())
            + QStringLiteral(", stop: 1 ") + colorText(r, g, b);
    }
    const QString gradient =
        QStringLiteral("qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5, ") + stops + QStringLiteral(")");
    return QStringLiteral("QPushButton{border-radius:9px; font-size: 13px; font-weight: bold; color:")
        + ledNumberColor(centre) + QStringLiteral("; border: none; background-color: ") + gradient
        + QStringLiteral(";}") + QStringLiteral("QPushButton:checked{border-radius:15px; background-color: ")
        + gradient + QStringLiteral(";}");
}

QString brightnessSliderStyle(int r, int g, int b, const QString &handleImage, const QString &disabledHandleImage)
{
    return QStringLiteral("QSlider::groove:horizontal{height:7px; border-radius:3px; background: "
                          "qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 rgb(0,0,0), stop:1 ")
        + colorText(r, g, b)
        + QStringLiteral(");}"
                         "QSlider::handle:horizontal{width:17px; margin:-5px 0; border-image: url(")
        + handleImage + QStringLiteral(");}QSlider::handle:horizontal:disabled{border-image: url(") + disabledHandleImage
        + QStringLiteral(");}");
}

QString fanSpeedSliderStyle(bool active, const QString &imageDir)
{
    const QString fill = active ? QStringLiteral("rgba(51, 215, 255, 255)") : QStringLiteral("rgba(180, 180, 180, 255)");
    const QString handle = imageDir + (active ? QStringLiteral("adjust.png") : QStringLiteral("adjust_h.png"));
    return QStringLiteral("QSlider::groove:horizontal{height:4px; border-radius:2px; background: rgba(225, 225, 225, 255);}"
                          "QSlider::sub-page:horizontal{border-radius:2px; background: ")
        + fill
        + QStringLiteral(";}QSlider::handle:horizontal{width:12px; margin:-4px 0; border-image: url(") + handle
        + QStringLiteral(");}");
}

QString nameLabelStyle(int fontPx, bool applies, const QString &imageDir)
{
    return QStringLiteral("font-size:") + QString::number(fontPx)
        + QStringLiteral("px; border-image: url(") + imageDir + QStringLiteral("switching_area.png); color:")
        + (applies ? QStringLiteral("white") : QStringLiteral("#c0c0c0")) + QStringLiteral(";");
}

} // namespace LedStyle
