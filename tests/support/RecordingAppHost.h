// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingMainView.h"
#include "RecordingTimers.h"

#include "app/AppState.h"

// The program's side as the view-message handlers see it: a recording view
// and timers, and what was asked of the rest.
class RecordingAppHost final : public AppHost {
public:
    RecordingMainView view;
    RecordingTimers timers;
    bool speedPoll = false;
    int languageLoads = -1;
    int infoShown = 0;
    int passwordChanges = 0;

    MainViewInterface *mainView() override { return &view; }
    LightingTimers &lightingTimers() override { return timers; }
    void startSpeedPoll() override { speedPoll = true; }
    void stopSpeedPoll() override { speedPoll = false; }
    void loadLanguage(int index) override { languageLoads = index; }
    void showSensorInfo() override { ++infoShown; }
    void passwordChanged() override { ++passwordChanges; }
};
