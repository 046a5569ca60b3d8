// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString runtimeDirectory()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo(runtime).isDir() ? runtime : QString();
}

QString privateFolder()
{
    return QDir::tempPath() + QStringLiteral("/Aurivent-%1").arg(getuid());
}

bool checkPrivate(const QString &folder, QString *error)
{
    struct stat info;
    if (lstat(QFile::encodeName(folder).constData(), &info) != 0) {
        *error = QStringLiteral("%1: %2").arg(folder, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    if (!S_ISDIR(info.st_mode)) {
        *error = QStringLiteral("%1 is not a folder; not used").arg(folder);
        return false;
    }
    if (info.st_uid != getuid()) {
        *error = QStringLiteral("%1 belongs to another user (uid %2); not used").arg(folder).arg(info.st_uid);
        return false;
    }
    if ((info.st_mode & 077) != 0) {
        *error = QStringLiteral("%1 is open to other users (mode %2); not used")
                     .arg(folder).arg(info.st_mode & 0777, 4, 8, QLatin1Char('0'));
        return false;
    }
    return true;
}

} // namespace

namespace ChannelFolder {

QString path()
{
    const QString runtime = runtimeDirectory();
    return runtime.isEmpty() ? privateFolder() : runtime;
}

bool prepare(QString *error)
{
    if (!runtimeDirectory().isEmpty())
        return true;
    const QString folder = privateFolder();
    if (mkdir(QFile::encodeName(folder).constData(), 0700) != 0 && errno != EEXIST) {
        *error = QStringLiteral("cannot create %1: %2").arg(folder, QString::fromLocal8Bit(strerror(errno)));
        return false;
    }
    return checkPrivate(folder, error);
}

bool check(QString *error)
{
    return !runtimeDirectory().isEmpty() || checkPrivate(privateFolder(), error);
}

} // namespace ChannelFolder
