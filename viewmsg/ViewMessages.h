// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>
#include <QStringList>

// Building view messages, as the views send them (names in MessageNames.h).
// Numbers are decimal text, flags "1" or "0".
namespace ViewMessages {

// {name, fan}
QStringList fanCommand(const QString &name, int fan);
// {name, fan, value}
QStringList fanValue(const QString &name, int fan, int value);
QStringList fanFlag(const QString &name, int fan, bool on);
QStringList fanText(const QString &name, int fan, const QString &text);
// {name, fan, light mode, light speed, colour mode}: "btn_done", "btn_music",
// "btn_copy", "btn_turnoff", "btn_turnon".
QStringList fanLook(const QString &name, int fan, int lightMode, int lightSpeed, int colorMode);
// "btn_default" carries the colour mode before the light speed.
QStringList fanDefault(int fan, int lightMode, int colorMode, int lightSpeed);
// "slider_Light": the look, then every brightness factor joined by ",".
QStringList sliderLight(int fan, int lightMode, int lightSpeed, int colorMode, const float *bright, int count);
// A single-colour fan's brightness factor, 'g' 6.
QStringList vaylaBrightness(int fan, float bright);
// {name, value} of the main view.
QStringList command(const QString &name, int value);
QStringList flagCommand(const QString &name, bool on);
QStringList saveDevice(const QString &password);
QStringList saveProfile();
// Profile index 0..4.
QStringList copyProfile(int profileIndex);
QStringList showInfo();
// The brightness factors joined by ",", each 'g' 6.
QString brightnessText(const float *bright, int count);

} // namespace ViewMessages
