// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"

#include <windows.h>

bool MainView::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    if (eventType != "windows_generic_MSG")
        return QWidget::nativeEvent(eventType, message, result);
    const MSG *msg = static_cast<const MSG *>(message);
    switch (msg->message) {
    case WM_DEVICECHANGE:
        // The application window does discovery; nothing to do here.
        *result = 0;
        return true;
    case WM_CLOSE:
        hide();
        *result = 0;
        return true;
    default:
        if (handleWindowMessage(msg->message, msg->wParam, msg->lParam)) {
            *result = 0;
            return true;
        }
        return QWidget::nativeEvent(eventType, message, result);
    }
}
