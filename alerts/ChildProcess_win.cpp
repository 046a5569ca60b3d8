// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/ChildProcess.h"

void ChildProcess::setupChildProcess()
{
}

void ChildProcess::stopAll(bool force)
{
    if (state() == QProcess::NotRunning)
        return;
    if (force)
        kill();
    else
        terminate();
}
