// SPDX-License-Identifier: GPL-3.0-or-later
#include "ThreadName.h"

void nameThisThread(const char *)
{
    // Thread names are a debugging aid only; Windows shows none here.
}
