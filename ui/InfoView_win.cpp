// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InfoView.h"

#include <windows.h>

bool InfoView::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    const MSG *msg = static_cast<const MSG *>(message);
    if (msg && handleWindowMessage(msg->message)) {
        if (result)
            *result = 0;
        return true;
    }
    return QWidget::nativeEvent(eventType, message, result);
}
