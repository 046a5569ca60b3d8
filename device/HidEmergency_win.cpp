// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidEmergency.h"

// Windows reaches a HID device only through overlapped handles that a crash
// handler cannot safely use: no emergency path there.
int openEmergencyDescriptor(const QByteArray &)
{
    return -1;
}

void closeEmergencyDescriptor(int)
{
}
