// SPDX-License-Identifier: GPL-3.0-or-later
#include "TerminationSignals.h"

// A Windows GUI program is ended through its window messages (WM_CLOSE,
// 0x8105), which the command interface already handles.
void quitOnTerminationSignals() {}
