#include "Logging.h"

namespace Logging {

bool stderrIsJournal(const QByteArray &)
{
    return false; // no journald
}

} // namespace Logging
