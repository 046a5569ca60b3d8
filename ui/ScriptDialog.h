// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

// Asks the user for a lighting-script file; empty when cancelled. The dialog
// lives with the window: the script library below it stays free of widgets.
QString askScriptPath(QWidget *parent);
