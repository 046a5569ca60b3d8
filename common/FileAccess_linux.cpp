// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/FileAccess.h"


#include <QDebug>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileAccess {

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(strerror(error));
}

// Closes fd on every way out.
struct Descriptor {
    explicit Descriptor(int fd) : fd(fd) {}
    ~Descriptor()
    {
        if (fd >= 0)
            ::close(fd);
    }
    int fd;
};

bool writeAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

const char *kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return "a folder";
    if (S_ISFIFO(mode))
        return "a FIFO";
    if (S_ISSOCK(mode))
        return "a socket";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "a device";
    return "not a regular file";
}

} // namespace

Read readRegular(const QString &path, qint64 maxBytes)
{
    Read result;
    const QByteArray name = QFile::encodeName(path);
    struct stat info;
    // Looked at before it is opened: opening some devices does something.
    if (::stat(name.constData(), &info) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return result;
        result.status = Read::Status::Failed;
        result.error = errnoText(errno);
        return result;
    }
    if (!S_ISREG(info.st_mode)) {
        result.status = Read::Status::Refused;
        result.error = QString::fromLatin1(kindOf(info.st_mode));
        return result;
    }
    // Non-blocking, so that a FIFO put there since the look cannot hold us.
    Descriptor file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (file.fd < 0) {
        result.status = errno == ENOENT ? Read::Status::Missing : Read::Status::Failed;
        result.error = errnoText(errno);
        return result;
    }
    if (::fstat(file.fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.status = Read::Status::Refused;
        result.error = QString::fromLatin1(kindOf(info.st_mode));
        return result;
    }
    auto tooLarge = [&](qint64 size) {
        result.status = Read::Status::Refused;
        result.bytes.clear();
        result.error = QStringLiteral("file of %1 bytes, more than the %2 allowed").arg(size).arg(maxBytes);
        return result;
    };
    if (info.st_size > maxBytes)
        return tooLarge(info.st_size);
    result.bytes.resize(int(info.st_size) + 1);
    qint64 got = 0;
    for (;;) {
        if (got == result.bytes.size()) {
            if (got > maxBytes)
                return tooLarge(got);
            result.bytes.resize(int(qMin<qint64>(maxBytes + 1, 2 * got + 1)));
        }
        const ssize_t n = ::read(file.fd, result.bytes.data() + got, size_t(result.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            result.status = Read::Status::Failed;
            result.error = errnoText(errno);
            result.bytes.clear();
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxBytes)
        return tooLarge(got);
    result.bytes.resize(int(got));
    result.status = Read::Status::Ok;
    return result;
}

bool replaceDurably(const QString &path, const QByteArray &bytes, QString *error)
{
    const QFileInfo target(path);
    const QByteArray name = QFile::encodeName(target.absoluteFilePath());
    const QByteArray folder = QFile::encodeName(target.absolutePath());
    QByteArray staging = name + ".saving-XXXXXX";
    Descriptor file(::mkostemp(staging.data(), O_CLOEXEC));
    if (file.fd < 0) {
        *error = QStringLiteral("cannot create a file in %1: %2").arg(target.absolutePath(), errnoText(errno));
        return false;
    }
    auto fail = [&](const QString &what) {
        *error = what + QStringLiteral(": ") + errnoText(errno);
        ::unlink(staging.constData());
        return false;
    };
    struct stat old;
    const mode_t mode = ::stat(name.constData(), &old) == 0 ? (old.st_mode & 07777) : 0600;
    if (::fchmod(file.fd, mode) != 0)
        return fail(QStringLiteral("cannot set the permissions of the new file"));
    if (!writeAll(file.fd, bytes))
        return fail(QStringLiteral("cannot write the new file"));
    // The content is on the disk before the name points at it.
    if (::fsync(file.fd) != 0)
        return fail(QStringLiteral("cannot flush the new file"));
    const int fd = file.fd;
    file.fd = -1;
    if (::close(fd) != 0)
        return fail(QStringLiteral("cannot close the new file"));
    if (::rename(staging.constData(), name.constData()) != 0)
        return fail(QStringLiteral("cannot rename the new file over %1").arg(path));
    // The rename is an entry of the folder: without this, a power cut soon
    // after can bring the old file back.
    Descriptor dir(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.fd < 0 || ::fsync(dir.fd) != 0)
        qWarning().noquote() << "folder not flushed after a save, the change may not survive a power cut:"
                             << target.absolutePath() << errnoText(errno);
    return true;
}

} // namespace FileAccess
