// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdateFolder.h"

#include <QFileInfo>
#include <QSettings>

QString updateDataFolderName()
{
    return QStringLiteral("RGBVaylaZeve");
}

QString updateDataFolder()
{
    // Only the location matters; these settings are never written.
    const QSettings settings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Kq"),
                             QStringLiteral("application"));
    return QFileInfo(settings.fileName()).absolutePath() + QLatin1Char('/') + updateDataFolderName();
}
