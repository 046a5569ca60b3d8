// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

// Reading and replacing the program's own small files, so that neither can
// hang the program or lose the file. One backend per platform
// (FileAccess_linux.cpp, FileAccess_win.cpp).
namespace FileAccess {

struct Read {
    enum class Status {
        Ok,
        Missing,     // nothing at the path
        Refused,     // not a regular file, or larger than allowed
        Failed,      // there, but could not be opened or read
    };
    Status status = Status::Missing;
    QByteArray bytes;  // the whole file when Ok
    QString error;     // why, when Refused or Failed
};

// Reads the file at path (symbolic links followed) whole, when it is a
// regular file of at most maxBytes. Never waits on the path: a FIFO, a
// device or a socket is refused without reading a byte from it, and a file
// that grows past maxBytes while it is read is refused too.
Read readRegular(const QString &path, qint64 maxBytes);

// Replaces the file at path by bytes, or leaves it as it was: the bytes go to
// a new file beside it (named path + ".saving-" + six characters), which is
// flushed to the disk, given the old file's permissions (owner-only for a new
// file) and renamed over path; then the folder is flushed too, so that the
// rename itself survives a power cut. False with *error when the new file is
// not in place; a folder that cannot be flushed only weakens durability and
// is logged.
bool replaceDurably(const QString &path, const QByteArray &bytes, QString *error);

} // namespace FileAccess
