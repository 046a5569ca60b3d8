// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingFanEditor.h"
#include "ui/MainViewInterface.h"

#include <QString>
#include <QStringList>

#include <map>

// A main view that remembers what it was told.
class RecordingMainView final : public MainViewInterface {
public:
    struct Fan {
        int r[13] = {};
        int lightMode = -1;
        int colorMode = -1;
        int lightSpeed = -1;
        int copyLightMode = -1;
        bool monitor = false;
        bool pwm = false;
        bool turnedOff = false;
        int speedPer = -1;
        int speedNum = -1;
        int resets = 0;
        int rpm = -1;
        bool error = false;
    };
    struct VaylaFan {
        int r = -1;
        int lightMode = -1;
        bool turnedOff = false;
        float bright = -1;
        int speed = -1;
        bool pwm = false;
        bool monitor = false;
    };

    bool hidden = false;
    QString appVersion, firmwareVersion, ipText, password;
    bool autoUpdate = false, passwordOn = false, simulated = false;
    int remoteAccess = -1;
    static constexpr int kNoTemperature = -2000;
    int temperature = -1000;
    QStringList info;
    int boxType = -1;
    int checkedBox = -1;
    std::map<int, bool> present, alarm, answering;
    int profileButton = -1, profileLabel = -1, language = -1;
    Fan fans[5];
    VaylaFan vayla[3];
    int vaylaResets = 0;
    QStringList calls; // every call by name, in order

    void showView() override { hidden = false; calls << "showView"; }
    void hideView() override { hidden = true; calls << "hideView"; }
    bool isViewHidden() const override { return hidden; }
    void setAppVersion(const QString &v) override { appVersion = v; }
    void setFirmwareVersion(const QString &v) override { firmwareVersion = v; calls << "setFirmwareVersion"; }
    void setIpText(const QString &t) override { ipText = t; }
    void setAutoUpdate(bool on) override { autoUpdate = on; }
    void setPasswordEnabled(bool on) override { passwordOn = on; }
    void setPassword(const QString &p) override { password = p; }
    void setRemoteAccess(int a) override { remoteAccess = a; }
    void setTemperature(int c) override { temperature = c; }
    void setNoTemperature() override { temperature = kNoTemperature; calls << "setNoTemperature"; }
    void appendInfo(const QString &line) override { info << line; }
    void setSimulated(bool s) override { simulated = s; }
    void setBoxType(int t) override { boxType = t; calls << "setBoxType"; }
    void checkBoxButton(int b) override { checkedBox = b; }
    void setBoxButtonPresent(int b, bool p) override { present[b] = p; }
    void setBoxButtonAlarm(int b, bool a) override { alarm[b] = a; }
    void setBoxButtonAnswering(int b, bool a) override { answering[b] = a; }
    void showProfileSaved() override { calls << "showProfileSaved"; }
    void checkProfileButton(int p) override { profileButton = p; }
    void setProfileLabel(int p) override { profileLabel = p; }
    void resetLanguage(int l) override { language = l; }
    void resetFanView(int f) override { ++fans[f].resets; }
    void setRGBByFan(int f, const int *r, const int *, const int *, const float *) override
    {
        for (int i = 0; i < 13; ++i)
            fans[f].r[i] = r[i];
        calls << QStringLiteral("setRGBByFan %1").arg(f);
    }
    void setColorModeByFan(int f, int c) override { fans[f].colorMode = c; calls << "setColorModeByFan"; }
    void setLightModeByFan(int f, int m) override { fans[f].lightMode = m; calls << "setLightModeByFan"; }
    void setLightSpeedByFan(int f, int s) override { fans[f].lightSpeed = s; }
    void setCopyLightModeByFan(int f, int m) override { fans[f].copyLightMode = m; }
    void setMonitorByFan(int f, bool on) override { fans[f].monitor = on; }
    void setPWMByFan(int f, bool on) override { fans[f].pwm = on; }
    void setTurnOffLedByFan(int f, bool off) override { fans[f].turnedOff = off; }
    void setFanSpeedByFan(int f, int per, int num) override { fans[f].speedPer = per; fans[f].speedNum = num; }
    void setRPMByFan(int f, int rpm) override { fans[f].rpm = rpm; }
    void setFanErrorByFan(int f, bool e) override { fans[f].error = e; }
    void resetVaylaViews() override { ++vaylaResets; }
    void setVaylaRGB(int f, int r, int, int, float b) override { vayla[f].r = r; vayla[f].bright = b; }
    void setVaylaLightMode(int f, int m) override { vayla[f].lightMode = m; }
    void setVaylaTurnOff(int f, bool off) override { vayla[f].turnedOff = off; }
    void setVaylaBright(int f, float b) override { vayla[f].bright = b; }
    void setVaylaFanSpeed(int f, int s) override { vayla[f].speed = s; }
    void setVaylaPWM(int f, bool on) override { vayla[f].pwm = on; }
    void setVaylaMonitor(int f, bool on) override { vayla[f].monitor = on; }
    RecordingFanEditor editors[5];
    FanEditor *fanEditor(int f) override { return f >= 0 && f < 5 ? &editors[f] : nullptr; }
};
