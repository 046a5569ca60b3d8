// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/CoreState.h"

class FirmwareVersions;
class LightingTimers;
struct CurveSettings;
class ViewState;

// What the message handlers need from the application window.
class AppHost {
public:
    virtual ~AppHost() = default;
    // What the window shows; it follows the box model and the state by itself.
    virtual ViewState &viewState() = 0;
    virtual LightingTimers &lightingTimers() = 0;
    virtual void startSpeedPoll() = 0;         // 1000 ms, unless running
    virtual void stopSpeedPoll() = 0;
    virtual void loadLanguage(int index) = 0;  // 0..6 loads a translation, others none
    virtual void showSensorInfo() = 0;
    virtual void passwordChanged() = 0;        // the phone greeting follows
    virtual void remoteAccessChanged() {}      // the phone server and the footer follow
    virtual const CurveSettings &curveSettings() = 0; // the curves a fan can be given
    virtual void reloadCurves() = 0;                  // the curves file was written
    virtual FirmwareVersions &firmware() = 0;         // what the boxes answered when asked
};
