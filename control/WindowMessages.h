// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class AppHost;
class MainViewInterface;
class BoxModel;
class Encoders;
class ViewMessageHandler;
struct AppState;

// What the numbered commands need beyond the view-message handling.
class WindowMessageHost {
public:
    virtual ~WindowMessageHost() = default;
    virtual void hideApplicationWindow() = 0;  // WM_CLOSE
    virtual void closeApplicationWindow() = 0; // 0x8105
    virtual void deviceChanged() = 0;          // WM_DEVICECHANGE
    virtual MainViewInterface *mainView() = 0; // null without a window
};

// The numbered commands of other local programs. Every listed ID is
// reported handled, every other one not handled; a fan, box or profile
// number out of range is refused (logged) and changes nothing.
class WindowMessages {
public:
    static constexpr int kDeviceChange = 0x219;
    static constexpr int kClose = 0x10;

    WindowMessages(AppState &state, Encoders &encoders, AppHost &app, ViewMessageHandler &messages,
                   WindowMessageHost &host);

    bool handle(int id, int wParam, int lParam);

    // 0x8104: the password text of a number (four digits, zero-padded); empty
    // for a number that no four-digit keypad can give.
    static QString passwordText(int value);

private:
    AppState &m_state;
    Encoders &m_encoders;
    BoxModel &m_boxes;
    AppHost &m_app;
    ViewMessageHandler &m_messages;
    WindowMessageHost &m_host;
};
