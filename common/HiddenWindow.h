// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

// Windows only (HiddenWindow_win.cpp): a top-level window of this program
// that is never shown. Windows hands numbered commands from other programs
// and device-change broadcasts only to top-level windows, and the service has
// no window of its own. It lives on the thread that creates it, whose event
// loop delivers its messages.
class HiddenWindow {
public:
    // True: the message is handled and answered 1. False: Windows' default.
    using Handler = std::function<bool(unsigned message, std::uintptr_t wParam, std::intptr_t lParam)>;

    HiddenWindow(const wchar_t *title, Handler handler);
    ~HiddenWindow();
    HiddenWindow(const HiddenWindow &) = delete;
    HiddenWindow &operator=(const HiddenWindow &) = delete;

    // False when Windows refused the window (the reason is logged).
    bool isOpen() const { return m_window != nullptr; }

private:
    void *m_window = nullptr; // HWND
    Handler m_handler;
};
