// SPDX-License-Identifier: GPL-3.0-or-later
#include "SessionUser.h"

long SessionUser::invokingUid(const QByteArray &pkexecUid, const QByteArray &sudoUid)
{
    for (const QByteArray &text : {pkexecUid, sudoUid}) {
        bool ok = false;
        const long uid = text.trimmed().toLong(&ok);
        if (ok && uid > 0 && uid < 0x7fffffffL)
            return uid;
    }
    return -1;
}
