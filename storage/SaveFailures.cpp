// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SaveFailures.h"

SaveFailures &SaveFailures::instance()
{
    static SaveFailures failures;
    return failures;
}
