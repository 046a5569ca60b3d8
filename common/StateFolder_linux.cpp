// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/StateFolder.h"

#include <QDir>

QString stateFolder()
{
    // The base directory rules ignore a relative path.
    const QString state = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !state.isEmpty() && QDir::isAbsolutePath(state)
                             ? state
                             : QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/aurivent");
}
