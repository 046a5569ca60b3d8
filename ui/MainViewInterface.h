// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class FanEditor;

// What the application window asks of the main view. MainView implements it;
// the application's tests use a recording double. No call emits a view message.
class MainViewInterface {
public:
    virtual ~MainViewInterface() = default;

    // The window itself.
    virtual void showView() = 0;
    virtual void hideView() = 0;
    virtual bool isViewHidden() const = 0;

    // Footer, settings menu and information window.
    virtual void setAppVersion(const QString &version) = 0;
    virtual void setFirmwareVersion(const QString &version) = 0;
    virtual void setIpText(const QString &text) = 0;
    virtual void setAutoUpdate(bool on) = 0;
    virtual void setPasswordEnabled(bool on) = 0;
    virtual void setPassword(const QString &password) = 0;
    // Who may reach the phone server: 0 off, 1 this computer only, 2 the network.
    virtual void setRemoteAccess(int access) = 0;
    virtual void setTemperature(int celsius) = 0;
    // No CPU reading: the label says so instead of showing a number.
    virtual void setNoTemperature() = 0;
    virtual void appendInfo(const QString &line) = 0;
    // Shown while the boxes are simulated.
    virtual void setSimulated(bool simulated) = 0;

    // Box strip, profiles, language.
    virtual void setBoxType(int boxType) = 0;
    virtual void checkBoxButton(int box) = 0;
    virtual void setBoxButtonPresent(int box, bool present) = 0;
    virtual void setBoxButtonAlarm(int box, bool alarm) = 0;
    // A present box that stopped answering: its fans are not watched any more.
    virtual void setBoxButtonAnswering(int box, bool answering) = 0;
    // The profile reached the disk: the save button says so for a moment.
    virtual void showProfileSaved() = 0;
    virtual void checkProfileButton(int profile) = 0; // 1..5
    virtual void setProfileLabel(int profile) = 0;    // 1..5
    virtual void resetLanguage(int language) = 0;

    // The five RGB fan panels (fan 0..4).
    virtual void resetFanView(int fan) = 0;
    virtual void setRGBByFan(int fan, const int *r, const int *g, const int *b, const float *bright) = 0;
    virtual void setColorModeByFan(int fan, int colorMode) = 0;
    virtual void setLightModeByFan(int fan, int lightMode) = 0;
    virtual void setLightSpeedByFan(int fan, int lightSpeed) = 0;
    virtual void setCopyLightModeByFan(int fan, int lightMode) = 0;
    virtual void setMonitorByFan(int fan, bool on) = 0;
    virtual void setPWMByFan(int fan, bool on) = 0;
    virtual void setTurnOffLedByFan(int fan, bool off) = 0;
    // Both speed sliders of a panel: the PWM-scale step (0..5) and the RPM step (0..10).
    virtual void setFanSpeedByFan(int fan, int speedPer, int speedNum) = 0;
    // The panel or the second fan view, by the shown box type.
    virtual void setRPMByFan(int fan, int rpm) = 0;
    virtual void setFanErrorByFan(int fan, bool error) = 0;

    // The three second fan views (fan 0..2).
    virtual void resetVaylaViews() = 0;
    virtual void setVaylaRGB(int fan, int r, int g, int b, float bright) = 0;
    virtual void setVaylaLightMode(int fan, int lightMode) = 0;
    virtual void setVaylaTurnOff(int fan, bool off) = 0;
    virtual void setVaylaBright(int fan, float bright) = 0;
    virtual void setVaylaFanSpeed(int fan, int speed) = 0;
    virtual void setVaylaPWM(int fan, bool on) = 0;
    virtual void setVaylaMonitor(int fan, bool on) = 0;

    // The editor of RGB fan 0..4, for commands that press its own controls; null outside 0..4.
    virtual FanEditor *fanEditor(int fan) = 0;
};
