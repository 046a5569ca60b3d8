// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLatin1String>

// The names of the view messages (item 0), each written once. The views send
// them, the application's tables look them up.
namespace MessageName {

// The length comes from the array, not from strlen(), which only some
// compilers evaluate at compile time.
template <int N>
constexpr QLatin1String name(const char (&text)[N])
{
    return QLatin1String(text, N - 1);
}

// A fan editor's controls (12-LED fans and single-colour fans).
constexpr QLatin1String btnPerformance = name("btn_performance");
constexpr QLatin1String btnSilent = name("btn_silent");
constexpr QLatin1String btnPwm = name("btn_pwm");
// {name, fan, curve name}: the curve a temperature-following fan follows.
constexpr QLatin1String fanCurve = name("fan_curve");
// {name}: the curve editor wrote the curves file.
constexpr QLatin1String curvesSaved = name("curves_saved");
constexpr QLatin1String btnDone = name("btn_done");
constexpr QLatin1String btnMusic = name("btn_music");
constexpr QLatin1String btnCopy = name("btn_copy");
constexpr QLatin1String btnDefault = name("btn_default");
constexpr QLatin1String btnTurnOff = name("btn_turnoff");
constexpr QLatin1String btnTurnOn = name("btn_turnon");
constexpr QLatin1String sliderLight = name("slider_Light");
constexpr QLatin1String sliderFanSpeedPer = name("slider_FanSpeed_Per");
constexpr QLatin1String sliderFanSpeedNum = name("slider_FanSpeed_Num");
constexpr QLatin1String pushMonitor = name("pushMonitor");
constexpr QLatin1String selectFanType = name("selectFanType");
// Only the single-colour fan view sends these two.
constexpr QLatin1String changeSliderLight = name("changeSliderLight");
constexpr QLatin1String changeSliderFanSpeed = name("changeSliderFanSpeed");

// The main view's own: box, profile, language and settings.
constexpr QLatin1String saveDevice = name("saveDevice");
constexpr QLatin1String password = name("Password");
constexpr QLatin1String remoteAccess = name("RemoteAccess");
constexpr QLatin1String autoUpdate = name("AutoUpdate");
constexpr QLatin1String changeControllerBox = name("changeControllerBox");
constexpr QLatin1String saveProfile = name("saveProfile");
constexpr QLatin1String changeLanguage = name("changeLanguage");
constexpr QLatin1String selectProfile = name("selectProfile");
// The current box's settings written as another profile; the box stays on its own.
constexpr QLatin1String copyProfile = name("copyProfile");
constexpr QLatin1String selectBoxType = name("selectBoxType");
constexpr QLatin1String showInfo = name("showInfo");

// A panel at the back asks the main view to turn the carousel; these never
// leave the view.
constexpr QLatin1String clockwise = name("clockwise");
constexpr QLatin1String counterClockwise = name("counterClockwise");

} // namespace MessageName
