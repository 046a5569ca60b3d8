#include "common/AtomicFile.h"

#include "common/FileSync.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <filesystem>

namespace AtomicFile {

namespace {

bool fail(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return false;
}

} // namespace

bool write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions permissions, QString *why)
{
    const QFileInfo target(path);
    const QString folder = target.absolutePath();
    if (!QDir().mkpath(folder))
        return fail(why, QStringLiteral("cannot create folder ") + folder);
    if (target.exists() && !target.isFile())
        return fail(why, path + QStringLiteral(" is not a regular file"));

    // The staging name never ends like the target, so a collector that reads
    // "*.prom" (say) never picks up a half-written file.
    QTemporaryFile staged(target.absoluteFilePath() + QStringLiteral(".saving-XXXXXX"));
    if (!staged.open())
        return fail(why, QStringLiteral("cannot create a file in ") + folder + QStringLiteral(": ") + staged.errorString());
    if (staged.write(bytes) != bytes.size() || !FileSync::syncFile(staged))
        return fail(why, QStringLiteral("cannot write ") + staged.fileName() + QStringLiteral(": ") + staged.errorString());
    if (staged.size() != bytes.size())
        return fail(why, QStringLiteral("incomplete file ") + staged.fileName());
    if (!staged.setPermissions(permissions))
        return fail(why, QStringLiteral("cannot set permissions of ") + staged.fileName());
    staged.close();

    std::error_code error;
    std::filesystem::rename(std::filesystem::path(staged.fileName().toStdU16String()),
                            std::filesystem::path(target.absoluteFilePath().toStdU16String()), error);
    if (error)
        return fail(why, QStringLiteral("cannot replace ") + path + QStringLiteral(": ") +
                             QString::fromStdString(error.message()));
    staged.setAutoRemove(false);
    FileSync::syncFolder(folder);
    return true;
}

bool read(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *why)
{
    const QFileInfo info(path);
    if (!info.exists())
        return fail(why, path + QStringLiteral(" does not exist"));
    if (!info.isFile())
        return fail(why, path + QStringLiteral(" is not a regular file"));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(why, QStringLiteral("cannot open ") + path + QStringLiteral(": ") + file.errorString());
    // One byte more than allowed tells a file that is too large from one
    // that is exactly at the bound, whatever its size said a moment ago.
    const QByteArray content = file.read(maxBytes + 1);
    if (content.size() > maxBytes)
        return fail(why, path + QStringLiteral(" is larger than ") + QString::number(maxBytes) + QStringLiteral(" bytes"));
    if (file.error() != QFileDevice::NoError)
        return fail(why, QStringLiteral("cannot read ") + path + QStringLiteral(": ") + file.errorString());
    *bytes = content;
    return true;
}

}
