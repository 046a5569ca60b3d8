#pragma once

#include <QFileDevice>
#include <QString>

class QByteArray;

// Whole-file replacement for files the program writes in one piece (state
// files, exported metrics). Readers of the path see either the old file or
// the complete new one, never a part.
namespace AtomicFile {

// Writes bytes to a file beside path, flushes it to the disk, checks its size
// and renames it over path; the folder is created when missing. The new file
// gets `permissions`. Returns false with the reason in *why (when given) and
// leaves the old file as it was; nothing is left behind beside it.
bool write(const QString &path, const QByteArray &bytes, QFileDevice::Permissions permissions,
           QString *why = nullptr);

// Reads at most maxBytes of path. A file larger than that, a missing file
// and anything that is not a regular file give false, with the reason.
bool read(const QString &path, qint64 maxBytes, QByteArray *bytes, QString *why = nullptr);

}
