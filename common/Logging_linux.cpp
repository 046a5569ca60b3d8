// SPDX-License-Identifier: GPL-3.0-or-later
#include "Logging.h"

#include <sys/stat.h>

namespace Logging {

bool stderrIsJournal(const QByteArray &journalStream)
{
    // systemd names the stream it connected; a redirection by a shell
    // script in between gives another file, which gets no prefixes.
    const int colon = journalStream.indexOf(':');
    if (colon <= 0)
        return false;
    bool deviceOk = false;
    bool inodeOk = false;
    const qulonglong device = journalStream.left(colon).toULongLong(&deviceOk);
    const qulonglong inode = journalStream.mid(colon + 1).toULongLong(&inodeOk);
    struct stat status;
    if (!deviceOk || !inodeOk || fstat(2, &status) != 0)
        return false;
    return qulonglong(status.st_dev) == device && qulonglong(status.st_ino) == inode;
}

} // namespace Logging
