// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class FanEditor;

// What the window's numbered commands do with the main view itself: show or
// hide it, and press a fan editor's own controls. What the view shows comes
// from the core's view state (ViewState), not through here. MainView
// implements it; the tests of the commands use a recording double.
class MainViewInterface {
public:
    virtual ~MainViewInterface() = default;

    virtual void showView() = 0;
    virtual void hideView() = 0;
    virtual bool isViewHidden() const = 0;

    // The editor of RGB fan 0..4, for commands that press its own controls; null outside 0..4.
    virtual FanEditor *fanEditor(int fan) = 0;
};
