// SPDX-License-Identifier: GPL-3.0-or-later
#include "ViewMessages.h"

#include "MessageNames.h"

namespace ViewMessages {

namespace {
QString flagText(bool on)
{
    return on ? QStringLiteral("1") : QStringLiteral("0");
}
} // namespace

QStringList fanCommand(const QString &name, int fan)
{
    return {name, QString::number(fan)};
}

QStringList fanValue(const QString &name, int fan, int value)
{
    return {name, QString::number(fan), QString::number(value)};
}

QStringList fanFlag(const QString &name, int fan, bool on)
{
    return {name, QString::number(fan), flagText(on)};
}

QStringList fanText(const QString &name, int fan, const QString &text)
{
    return {name, QString::number(fan), text};
}

QStringList fanLook(const QString &name, int fan, int lightMode, int lightSpeed, int colorMode)
{
    return {name, QString::number(fan), QString::number(lightMode), QString::number(lightSpeed),
            QString::number(colorMode)};
}

QStringList fanDefault(int fan, int lightMode, int colorMode, int lightSpeed)
{
    return {MessageName::btnDefault, QString::number(fan), QString::number(lightMode),
            QString::number(colorMode), QString::number(lightSpeed)};
}

QString brightnessText(const float *bright, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << QString::number(bright[i], 'g', 6);
    return parts.join(QLatin1Char(','));
}

QStringList sliderLight(int fan, int lightMode, int lightSpeed, int colorMode, const float *bright, int count)
{
    QStringList list = fanLook(MessageName::sliderLight, fan, lightMode, lightSpeed, colorMode);
    list << brightnessText(bright, count);
    return list;
}

QStringList vaylaBrightness(int fan, float bright)
{
    return fanText(MessageName::changeSliderLight, fan, QString::number(bright, 'g', 6));
}

QStringList command(const QString &name, int value)
{
    return {name, QString::number(value)};
}

QStringList flagCommand(const QString &name, bool on)
{
    return {name, flagText(on)};
}

QStringList saveDevice(const QString &password)
{
    return {MessageName::saveDevice, QStringLiteral("0"), password};
}

QStringList saveProfile()
{
    return {MessageName::saveProfile, QStringLiteral("1")};
}

QStringList copyProfile(int profileIndex)
{
    return {MessageName::copyProfile, QString::number(profileIndex)};
}

QStringList showInfo()
{
    return {MessageName::showInfo, MessageName::showInfo};
}

} // namespace ViewMessages
