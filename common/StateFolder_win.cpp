// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StateFolder.h"

#include <QStandardPaths>

QString stateFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Aurivent/State");
}
