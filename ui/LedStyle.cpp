#include "ui/LedStyle.h"

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

QString ledStyleSheet(int r, int g, int b, bool grey)
{
    QString stops;
    QString text;
    if (grey) {
        stops = QStringLiteral("stop : 0.2 white, stop: 1 rgb(80,80,80)");
        text = buttonTextColor(80, 80, 80);
    } else if (r == 255 && g == 255 && b == 255) {
        stops = QStringLiteral("stop : 0.9 white, stop: 1 black");
        text = buttonTextColor(r, g, b);
    } else {
        stops = QStringLiteral("stop : 0.2 white, stop: 1 ") + colorText(r, g, b);
        text = buttonTextColor(r, g, b);
    }
    const QString gradient =
        QStringLiteral("qradialgradient(cx:0.5, cy:0.5, radius:0.5, fx:0.5, fy:0.5, ") + stops + QStringLiteral(")");
    return QStringLiteral("QPushButton{border-radius:9px; font-size: 13px; font-family: Arial; font-weight: bold; color:")
        + text + QStringLiteral("; border: none; background-color: ") + gradient + QStringLiteral(";}")
        + QStringLiteral("QPushButton:checked{border-radius:15px; background-color: ") + gradient
        + QStringLiteral(";}");
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
    return QStringLiteral("font-family: Arial; font-size:") + QString::number(fontPx)
        + QStringLiteral("px; border-image: url(") + imageDir + QStringLiteral("switching_area.png); color:")
        + (applies ? QStringLiteral("white") : QStringLiteral("#c0c0c0")) + QStringLiteral(";");
}

} // namespace LedStyle
