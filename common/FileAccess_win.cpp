// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileAccess.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileAccess {

Read readRegular(const QString &path, qint64 maxBytes)
{
    Read result;
    const QFileInfo info(path);
    if (!info.exists())
        return result;
    if (!info.isFile()) {
        result.status = Read::Status::Refused;
        result.error = QStringLiteral("not a regular file");
        return result;
    }
    if (info.size() > maxBytes) {
        result.status = Read::Status::Refused;
        result.error = QStringLiteral("file of %1 bytes, more than the %2 allowed").arg(info.size()).arg(maxBytes);
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.status = Read::Status::Failed;
        result.error = file.errorString();
        return result;
    }
    result.bytes = file.read(maxBytes + 1);
    if (result.bytes.size() > maxBytes) {
        result.bytes.clear();
        result.status = Read::Status::Refused;
        result.error = QStringLiteral("more than %1 bytes").arg(maxBytes);
        return result;
    }
    result.status = Read::Status::Ok;
    return result;
}

// QSaveFile renames with MoveFileEx, which replaces the old file in one step;
// NTFS journals the rename, so no folder flush is needed there.
bool replaceDurably(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush() || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace FileAccess
