// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/ChildProcess.h"

#include <signal.h>
#include <unistd.h>

void ChildProcess::setupChildProcess()
{
    // In the child, before exec: a process group of its own.
    ::setpgid(0, 0);
}

void ChildProcess::stopAll(bool force)
{
    // The group is known from the start signal, which may not have been
    // handled yet although the program already runs and has children.
    const qint64 group = m_group > 0 ? m_group : processId();
    if (group <= 0)
        return;
    const int sig = force ? SIGKILL : SIGTERM;
    ::kill(-pid_t(group), sig);
    // In case the group could not be made (or not yet), the process itself.
    if (state() != QProcess::NotRunning)
        ::kill(pid_t(group), sig);
}
