// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QWidget>

// A style-sheet swap re-polishes the widget and reloads its images from
// disk; refreshes that change nothing must not pay for it.
inline bool swapStyle(QWidget *widget, const QString &style)
{
    if (widget->styleSheet() == style)
        return false;
    widget->setStyleSheet(style);
    return true;
}
