// SPDX-License-Identifier: GPL-3.0-or-later
#include "Logging.h"

namespace Logging {

bool stderrIsJournal(const QByteArray &)
{
    return false; // no journald
}

} // namespace Logging
