// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingFanEditor.h"
#include "core/ViewState.h"
#include "ui/MainViewInterface.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <map>

// A main view that shows what the view state it follows holds, in plain
// fields, and counts how often a fan panel was rendered afresh (when more
// than its colours changed). "calls" names what the window does besides
// showing the state: show, hide and the "saved" notice of a profile. Show
// and hide, and the fan editors the numbered commands press, are its own.
class RecordingMainView final : public QObject, public MainViewInterface {
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
        int resets = 0; // a panel is rendered afresh when more than its colours changed
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
    QString firmwareVersion, password;
    bool autoUpdate = false, passwordOn = false;
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
    QStringList calls;
    int changes = 0; // pictures of the window or a fan that differed from the one before

    // Shows `state` from now on.
    void follow(const ViewState &state)
    {
        if (m_state)
            disconnect(m_state, nullptr, this, nullptr);
        m_state = &state;
        showWindow(state.window());
        for (int f = 0; f < 5; ++f) {
            m_fans[f] = state.fan(f);
            showFan(f, state.fan(f));
        }
        connect(&state, &ViewState::windowChanged, this, [this] {
            ++changes;
            showWindow(m_state->window());
        });
        connect(&state, &ViewState::fanChanged, this, [this](int f) {
            ++changes;
            showFan(f, m_state->fan(f));
        });
        connect(&state, &ViewState::profileSaved, this, [this] { calls << "showProfileSaved"; });
        connect(&state, &ViewState::sensorInfo, this, [this](const QStringList &lines) { info << lines; });
    }

    void showView() override { hidden = false; calls << "showView"; }
    void hideView() override { hidden = true; calls << "hideView"; }
    bool isViewHidden() const override { return hidden; }
    RecordingFanEditor editors[5];
    FanEditor *fanEditor(int f) override { return f >= 0 && f < 5 ? &editors[f] : nullptr; }

private:
    const ViewState *m_state = nullptr;
    FanView m_fans[5];

    void showWindow(const WindowView &w)
    {
        firmwareVersion = w.firmwareVersion;
        remoteAccess = w.settings.remoteAccess;
        autoUpdate = w.settings.isStartAutoUpdate;
        passwordOn = w.settings.OpenPassword;
        password = w.settings.Password;
        checkedBox = w.currentBox;
        boxType = w.boxType;
        language = w.settings.languageIndex;
        profileButton = profileLabel = w.profile;
        for (int b = 0; b < kBoxCount; ++b) {
            present[b] = w.boxes[size_t(b)].present;
            alarm[b] = w.boxes[size_t(b)].alarm;
            answering[b] = w.boxes[size_t(b)].answering;
        }
        temperature = w.temperatureKnown ? w.temperature : kNoTemperature;
    }

    void showFan(int f, const FanView &v)
    {
        const FanView was = m_fans[f];
        m_fans[f] = v;
        fans[f].rpm = v.reading.rpm;
        fans[f].error = v.reading.rpm >= 0 && v.reading.stopped;
        if (v.single) {
            if (f >= 3)
                return;
            VaylaFan &shown = vayla[f];
            shown.r = v.vayla.rValue;
            shown.lightMode = v.vayla.lightMode;
            shown.turnedOff = v.vayla.isTurnOffLed;
            shown.bright = v.vayla.brightValue;
            shown.speed = v.vayla.speed;
            shown.pwm = v.vayla.isPWM;
            shown.monitor = v.vayla.isMonitor;
            return;
        }
        const RainbowFanRecord &r = v.rainbow;
        Fan &shown = fans[f];
        for (int i = 0; i < 13; ++i)
            shown.r[i] = r.rValue_Led[i];
        RainbowFanRecord othersOnly = r;
        for (int i = 0; i < 13; ++i) {
            othersOnly.rValue_Led[i] = was.rainbow.rValue_Led[i];
            othersOnly.gValue_Led[i] = was.rainbow.gValue_Led[i];
            othersOnly.bValue_Led[i] = was.rainbow.bValue_Led[i];
            othersOnly.brightValue[i] = was.rainbow.brightValue[i];
        }
        if (was.single || othersOnly != was.rainbow)
            ++shown.resets;
        shown.lightMode = r.lightMode;
        shown.colorMode = r.colorMode;
        shown.lightSpeed = r.lightSpeed;
        shown.copyLightMode = r.copyLightMode;
        shown.monitor = r.isMonitor;
        shown.pwm = r.isPWM;
        shown.turnedOff = r.isTurnOffLed;
        shown.speedPer = r.speedPer;
        shown.speedNum = r.speedNum;
    }
};
