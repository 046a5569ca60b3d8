#pragma once

#include <QLatin1String>

// The names of the view messages (item 0), each written once. The views send
// them, the application's tables look them up.
namespace MessageName {

// A fan editor's controls (12-LED fans and single-colour fans).
constexpr QLatin1String btnPerformance("btn_performance");
constexpr QLatin1String btnSilent("btn_silent");
constexpr QLatin1String btnPwm("btn_pwm");
constexpr QLatin1String btnDone("btn_done");
constexpr QLatin1String btnMusic("btn_music");
constexpr QLatin1String btnCopy("btn_copy");
constexpr QLatin1String btnDefault("btn_default");
constexpr QLatin1String btnTurnOff("btn_turnoff");
constexpr QLatin1String btnTurnOn("btn_turnon");
constexpr QLatin1String sliderLight("slider_Light");
constexpr QLatin1String sliderFanSpeedPer("slider_FanSpeed_Per");
constexpr QLatin1String sliderFanSpeedNum("slider_FanSpeed_Num");
constexpr QLatin1String pushMonitor("pushMonitor");
constexpr QLatin1String selectFanType("selectFanType");
// Only the single-colour fan view sends these two.
constexpr QLatin1String changeSliderLight("changeSliderLight");
constexpr QLatin1String changeSliderFanSpeed("changeSliderFanSpeed");

// The main view's own: box, profile, language and settings.
constexpr QLatin1String saveDevice("saveDevice");
constexpr QLatin1String password("Password");
constexpr QLatin1String remoteAccess("RemoteAccess");
constexpr QLatin1String autoUpdate("AutoUpdate");
constexpr QLatin1String changeControllerBox("changeControllerBox");
constexpr QLatin1String saveProfile("saveProfile");
constexpr QLatin1String changeLanguage("changeLanguage");
constexpr QLatin1String selectProfile("selectProfile");
constexpr QLatin1String selectBoxType("selectBoxType");
constexpr QLatin1String showInfo("showInfo");

// A panel at the back asks the main view to turn the carousel; these never
// leave the view.
constexpr QLatin1String clockwise("clockwise");
constexpr QLatin1String counterClockwise("counterClockwise");

} // namespace MessageName
