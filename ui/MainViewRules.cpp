// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"

#include <QChar>

namespace MainViewRules {

int scrollLeft(int value)
{
    // Near the start a full step would leave a sliver; snap to the start.
    return value < 41 ? 0 : value - kBoxStep;
}

int scrollRight(int value)
{
    const int next = value + kBoxStep;
    return next > kBoxScrollMax ? kBoxScrollMax : next;
}

int fahrenheit(int celsius)
{
    // 64-bit so that no reading can overflow; C++ division truncates toward zero.
    return int(qint64(celsius) * 9 / 5 + 32);
}

QString temperatureText(const QString &caption, int celsius)
{
    const QChar degree(0x00B0);
    return caption + QLatin1Char(':') + QString::number(celsius) + degree + QLatin1Char('C')
        + QLatin1String(" / ") + QString::number(fahrenheit(celsius)) + degree + QLatin1Char('F');
}

int nextLocation(int location, bool clockwise)
{
    const int step = clockwise ? kLocationCount - 1 : 1;
    return (location + step) % kLocationCount;
}

QVector<int> raiseOrder(int panel, bool clockwise)
{
    static const int cw[kLocationCount] = {0, 1, -1, -2, 2};
    static const int ccw[kLocationCount] = {0, -1, 1, 2, 3};
    const int *offsets = clockwise ? cw : ccw;
    QVector<int> order;
    for (int k = 0; k < kLocationCount; ++k)
        order.append(((panel + offsets[k]) % kLocationCount + kLocationCount) % kLocationCount);
    return order;
}

QRect carouselRect(int location)
{
    static const QPoint corners[kLocationCount] = {
        {8, 125}, {339, 164}, {670, 126}, {504, 74}, {172, 74}};
    if (location < 0 || location >= kLocationCount)
        return QRect();
    return QRect(corners[location], QSize(322, 412));
}

int profileFontPx(int language)
{
    // The largest size; a caption too long for it shrinks down to 9 px and
    // then breaks onto two lines (the Japanese one does).
    if (language == 5)
        return 12;
    if (language == 0)
        return 10;
    return 12;
}

static QString url(const QString &prefix, const char *relative)
{
    return QLatin1String("url(\"") + prefix + QLatin1String(relative) + QLatin1String("\")");
}

QString profileButtonStyle(const QString &prefix, int fontPx)
{
    return QStringLiteral("QPushButton{font-size:%1px;color:white;border-image:%2;}"
                          "QPushButton:checked{border-image:%3;}"
                          "QPushButton:pressed{border-image:%3;}")
        .arg(fontPx)
        .arg(url(prefix, "Images/btn_profile.png"), url(prefix, "Images/btn_profile_h.png"));
}

QString arrowStyle(const QString &prefix, bool left)
{
    return QStringLiteral("QPushButton{color:#02A0EA;border-image:%1;}"
                          "QPushButton:pressed{border-image:%2;}")
        .arg(left ? url(prefix, "Images/btn_arrowLeft.png") : url(prefix, "Images/btn_arrowRight.png"),
             left ? url(prefix, "Images/btn_arrowLeft_h.png") : url(prefix, "Images/btn_arrowRight_h.png"));
}

QString saveButtonStyle(const QString &prefix)
{
    return QStringLiteral("QPushButton{font-size:13px;color:white;border-image:%1;}"
                          "QPushButton:checked{font-size:14px;border-image:%1;}"
                          "QPushButton:pressed{border-image:%2;}")
        .arg(url(prefix, "Images/btn_save.png"), url(prefix, "Images/btn_save_h.png"));
}

QString menuButtonStyle(const QString &prefix)
{
    return QStringLiteral("QPushButton{font-size:12px;color:white;border-image:%1;}"
                          "QPushButton:checked{border-image:%2;}"
                          "QPushButton:pressed{border-image:%2;}")
        .arg(url(prefix, "Images/btn_save.png"), url(prefix, "Images/btn_save_h.png"));
}

QString boxButtonStyle(const QString &prefix, BoxLook look, bool checkable)
{
    QString normalColour = QStringLiteral("gray");
    QString checkedColour = QStringLiteral("white");
    QString normalImage = url(prefix, "Images/device.png");
    QString checkedImage = url(prefix, "Images/device_h.png");
    switch (look) {
    case BoxLook::Start:
        break;
    case BoxLook::Present:
        normalColour = QStringLiteral("white");
        break;
    case BoxLook::Absent:
        checkedColour = QStringLiteral("gray");
        break;
    case BoxLook::Alarm:
        normalColour = checkable ? QStringLiteral("white") : QStringLiteral("gray");
        normalImage = checkedImage = url(prefix, "Images/device_r.png");
        break;
    case BoxLook::Silent:
        // Amber: present, but nothing it says can be trusted.
        normalColour = checkedColour = QStringLiteral("#20160a");
        normalImage = checkedImage = url(prefix, "Images/device_a.png");
        break;
    }
    return QStringLiteral("QPushButton{font-size:16px;color:%1;border-image:%2;}"
                          "QPushButton:checked{font-size:14px;color:%3;border-image:%4;}")
        .arg(normalColour, normalImage, checkedColour, checkedImage);
}

} // namespace MainViewRules
