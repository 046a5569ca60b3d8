// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashSafety.h"

// No emergency descriptors on Windows (see HidEmergency_win.cpp): a crash
// there leaves the fans at their last command.
namespace CrashSafety {

void install()
{
}

void prepare(const std::vector<Prepared> &)
{
}

void forget(int)
{
}

int writePrepared()
{
    return 0;
}

} // namespace CrashSafety
