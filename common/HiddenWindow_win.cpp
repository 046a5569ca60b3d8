// SPDX-License-Identifier: GPL-3.0-or-later
#include "HiddenWindow.h"

#include <QDebug>

#include <windows.h>

namespace {

constexpr wchar_t kClassName[] = L"AuriventHiddenWindow";

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto *create = reinterpret_cast<const CREATESTRUCTW *>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto *handler = reinterpret_cast<HiddenWindow::Handler *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    // WM_NCDESTROY is the last message: the handler's owner is going away.
    if (handler && *handler && message != WM_NCCREATE && message != WM_NCDESTROY
        && (*handler)(message, static_cast<std::uintptr_t>(wParam), static_cast<std::intptr_t>(lParam)))
        return 1;
    return DefWindowProcW(window, message, wParam, lParam);
}

bool registerClassOnce()
{
    static const bool registered = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = kClassName;
        return RegisterClassW(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    return registered;
}

} // namespace

HiddenWindow::HiddenWindow(const wchar_t *title, Handler handler)
    : m_handler(std::move(handler))
{
    if (!registerClassOnce()) {
        qWarning() << "hidden window: class not registered, error" << GetLastError();
        return;
    }
    // A tool window never shows in the task bar or Alt+Tab, even by mistake.
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, title, WS_OVERLAPPED, 0, 0, 0, 0, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), &m_handler);
    if (!window) {
        qWarning() << "hidden window: not created, error" << GetLastError();
        return;
    }
    m_window = window;
}

HiddenWindow::~HiddenWindow()
{
    if (m_window) {
        // No message reaches the handler while the window goes.
        SetWindowLongPtrW(static_cast<HWND>(m_window), GWLP_USERDATA, 0);
        DestroyWindow(static_cast<HWND>(m_window));
    }
}
