// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/AppSettings.h"

#include <QString>

class LightingTimers;
class MainViewInterface;

// The application-wide state beside the box model.
struct AppState {
    AppSettings settings;    // what the device file carries
    int currentProfile = 1;  // profile number 1..5 of the current box
    QString firmwareVersion;
    QString ipText;
};

// What the message handlers need from the application window.
class AppHost {
public:
    virtual ~AppHost() = default;
    virtual MainViewInterface *mainView() = 0; // null until the view exists
    virtual LightingTimers &lightingTimers() = 0;
    virtual void startSpeedPoll() = 0;         // 1000 ms, unless running
    virtual void stopSpeedPoll() = 0;
    virtual void loadLanguage(int index) = 0;  // 0..6 loads a translation, others none
    virtual void showSensorInfo() = 0;
    virtual void passwordChanged() = 0;        // the phone greeting follows
    virtual void remoteAccessChanged() {}      // the phone server and the footer follow
};
