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
    if (m_group <= 0)
        return;
    const int sig = force ? SIGKILL : SIGTERM;
    ::kill(-pid_t(m_group), sig);
    // In case the group could not be made, the process itself.
    if (state() != QProcess::NotRunning)
        ::kill(pid_t(m_group), sig);
}
