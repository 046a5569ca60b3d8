// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertSound.h"

#include "common/Logging.h"

#include <QFileInfo>

bool AlertSound::playable(const QString &file)
{
    const QFileInfo info(file);
    if (!info.isAbsolute() || !info.isFile() || !info.isReadable()) {
        qCWarning(lcAlerts).noquote() << "alert sound refused:" << file << "is no readable file";
        return false;
    }
    return true;
}
