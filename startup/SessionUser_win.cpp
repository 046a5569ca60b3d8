// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionUser.h"

// An elevated program on Windows is still the user who asked for it: its
// folders and its files are that user's already.
SessionUser::Adoption SessionUser::adoptInvokingUser()
{
    return Adoption();
}

void SessionUser::withDeviceAccess(const std::function<void()> &open)
{
    open();
}
