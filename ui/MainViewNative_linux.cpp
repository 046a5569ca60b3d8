// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/MainView.h"

// On Linux the private messages arrive through the application's command
// channel, and hot-plug through udev; the window sees no native messages.
bool MainView::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    return QWidget::nativeEvent(eventType, message, result);
}
