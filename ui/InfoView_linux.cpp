// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/InfoView.h"

// No window messages here: hot-plug comes from udev, and a close request
// arrives as a close event (see closeEvent).
bool InfoView::nativeEvent(const QByteArray &eventType, void *message, long *result)
{
    return QWidget::nativeEvent(eventType, message, result);
}
