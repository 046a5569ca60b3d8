// SPDX-License-Identifier: GPL-3.0-or-later
#include "HidEmergency.h"

#include <fcntl.h>
#include <unistd.h>

int openEmergencyDescriptor(const QByteArray &path)
{
    // Non-blocking: a crash handler must never hang on a box that does not take reports.
    return ::open(path.constData(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
}

void closeEmergencyDescriptor(int descriptor)
{
    if (descriptor >= 0)
        ::close(descriptor);
}
