// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RecordingMainView.h"
#include "RecordingTimers.h"

#include "control/AppState.h"
#include "core/ViewState.h"
#include "curves/Curve.h"
#include "device/FirmwareVersions.h"

// The program's side as the view-message handlers see it: a view state with
// a recording view that follows it, recording timers, and what was asked of
// the rest.
class RecordingAppHost final : public AppHost {
public:
    ViewState state;
    RecordingMainView view;
    RecordingTimers timers;
    bool speedPoll = false;
    int languageLoads = -1;
    int infoShown = 0;
    int passwordChanges = 0;
    CurveSettings curves;
    int curveReloads = 0;
    FirmwareVersions firmwareVersions;

    RecordingAppHost() { view.follow(state); }

    ViewState &viewState() override { return state; }
    LightingTimers &lightingTimers() override { return timers; }
    void startSpeedPoll() override { speedPoll = true; }
    void stopSpeedPoll() override { speedPoll = false; }
    void loadLanguage(int index) override { languageLoads = index; }
    void showSensorInfo() override { ++infoShown; }
    void passwordChanged() override { ++passwordChanges; }
    const CurveSettings &curveSettings() override { return curves; }
    void reloadCurves() override { ++curveReloads; }
    FirmwareVersions &firmware() override { return firmwareVersions; }
};
