// SPDX-License-Identifier: GPL-3.0-or-later
#include "NativeMessage.h"

#include <windows.h>

bool decodeNativeMessage(const QByteArray &eventType, void *message, int *id, int *wParam, int *lParam)
{
    if (eventType != "windows_generic_MSG" || !message)
        return false;
    const MSG *msg = static_cast<const MSG *>(message);
    *id = static_cast<int>(msg->message);
    *wParam = static_cast<int>(msg->wParam);
    *lParam = static_cast<int>(msg->lParam);
    return true;
}
