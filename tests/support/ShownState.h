// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/ViewState.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"

#include <QSlider>
#include <QString>

#include <array>

// Drives a main view as the core does, through a view state of its own. The
// state starts from what the new view shows; each call below is one new
// picture, named after what the view then shows.
class ShownState {
public:
    explicit ShownState(MainView &view)
    {
        window.firmwareVersion = QLatin1String(kDefaultVersion);
        window.boxType = view.boxType();
        window.profile = view.currentProfile();
        // A new view's box buttons can be pressed, as those of present boxes.
        for (BoxButtonView &button : window.boxes)
            button.present = true;
        for (int f = 0; f < kRainbowFanCount; ++f) {
            RainbowFanRecord &r = fans[size_t(f)].rainbow;
            const RainbowFan *panel = view.fanPanel(f);
            for (int i = 0; i < kColorEntries; ++i) {
                const QColor c = panel->ledColor(i);
                r.rValue_Led[i] = c.red();
                r.gValue_Led[i] = c.green();
                r.bValue_Led[i] = c.blue();
                r.brightValue[i] = panel->ledBrightness(i);
            }
            r.lightMode = panel->lightMode();
            r.colorMode = panel->colorMode();
            r.lightSpeed = panel->lightSpeed();
            r.copyLightMode = panel->copyLightMode();
            r.isTurnOffLed = panel->isTurnOffLed();
            r.isPWM = panel->isPWM();
            r.isMonitor = panel->isMonitor();
            r.speedPer = panel->fanSpeedPerSlider()->value();
            r.speedNum = panel->fanSpeedNumSlider()->value();
            if (f < kVaylaFanCount) {
                VaylaFanRecord &v = fans[size_t(f)].vayla;
                const VaylaRGBFanView *single = view.vaylaView(f);
                v.rValue = single->selectR();
                v.gValue = single->selectG();
                v.bValue = single->selectB();
                v.brightValue = single->brightValue();
                v.lightMode = single->lightMode();
                v.speed = single->fanSpeed();
                v.isTurnOffLed = single->isTurnedOff();
                v.isPWM = single->isPWM();
                v.isMonitor = single->isMonitorOn();
            }
        }
        show();
        view.setViewState(&state, true);
    }

    ViewState state;
    WindowView window;
    std::array<FanView, kRainbowFanCount> fans{};

    // A new picture of `window` and `fans`.
    void show() { state.show(window, fans); }

    void setFirmwareVersion(const QString &v) { window.firmwareVersion = v; show(); }
    void setAutoUpdate(bool on) { window.settings.isStartAutoUpdate = on; show(); }
    void setPasswordEnabled(bool on) { window.settings.OpenPassword = on; show(); }
    void setPassword(const QString &p) { window.settings.Password = p; show(); }
    void setRemoteAccess(int access) { window.settings.remoteAccess = access; show(); }
    void setTemperature(int celsius)
    {
        window.temperatureKnown = true;
        window.temperature = celsius;
        show();
    }
    void setNoTemperature()
    {
        window.temperatureKnown = false;
        show();
    }
    // The kind of fans of the shown box: its fans change kind with it.
    void setBoxType(int type)
    {
        window.boxType = type;
        for (FanView &fan : fans)
            fan.single = type == BoxType::Vayla;
        show();
    }
    void checkBoxButton(int box) { window.currentBox = box; show(); }
    void setBoxButtonPresent(int box, bool present) { window.boxes[size_t(box)].present = present; show(); }
    void setBoxButtonAlarm(int box, bool alarm) { window.boxes[size_t(box)].alarm = alarm; show(); }
    void setBoxButtonAnswering(int box, bool answering) { window.boxes[size_t(box)].answering = answering; show(); }
    // The profile button and label both show the one profile of the shown box.
    void setProfile(int profile) { window.profile = profile; show(); }
    void resetLanguage(int language) { window.settings.languageIndex = language; show(); }
    void showProfileSaved() { state.tellProfileSaved(); }
    void appendInfo(const QString &line) { state.tellSensorInfo({line}); }

    RainbowFanRecord &rainbow(int fan) { return fans[size_t(fan)].rainbow; }
    VaylaFanRecord &vayla(int fan) { return fans[size_t(fan)].vayla; }
    void setReading(int fan, int rpm, bool stopped)
    {
        fans[size_t(fan)].reading = BoxModel::FanReading{rpm, stopped};
        show();
    }
};
