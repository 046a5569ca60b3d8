// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/ChildProcess.h"

ChildProcess::ChildProcess(QObject *parent) : QProcess(parent)
{
    connect(this, &QProcess::started, this, [this] { m_group = processId(); });
}
