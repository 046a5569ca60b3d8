// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThreadName.h"

#include <sys/prctl.h>

void nameThisThread(const char *name)
{
    prctl(PR_SET_NAME, name, 0, 0, 0);
}
