#include "ViewMessages.h"

#include "device/BoxTable.h"

namespace ViewMessages {

QStringList fanCommand(const QString &name, int fan)
{
    return {name, QString::number(fan)};
}

QStringList fanValue(const QString &name, int fan, int value)
{
    return {name, QString::number(fan), QString::number(value)};
}

QStringList fanLook(const QString &name, int fan, int lightMode, int lightSpeed, int colorMode)
{
    return {name, QString::number(fan), QString::number(lightMode), QString::number(lightSpeed),
            QString::number(colorMode)};
}

QStringList fanDefault(int fan, int lightMode, int colorMode, int lightSpeed)
{
    return {QStringLiteral("btn_default"), QString::number(fan), QString::number(lightMode),
            QString::number(colorMode), QString::number(lightSpeed)};
}

QString brightnessText(const float *bright13)
{
    QStringList parts;
    for (int i = 0; i < kColorEntries; ++i)
        parts << QString::number(bright13[i], 'g', 6);
    return parts.join(QLatin1Char(','));
}

QStringList sliderLight(int fan, int lightMode, int lightSpeed, int colorMode, const float *bright13)
{
    QStringList list = fanLook(QStringLiteral("slider_Light"), fan, lightMode, lightSpeed, colorMode);
    list << brightnessText(bright13);
    return list;
}

QStringList command(const QString &name, const QString &value)
{
    return {name, value};
}

} // namespace ViewMessages
