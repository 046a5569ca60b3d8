// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>

#include <mutex>

// The protocol trace: one line per device event, flushed at once, so that a
// crash or a kill never loses the last exchange. Every box's I/O thread writes
// to it; lines never interleave.
//   MS OPEN B ok|fail
//   MS XFER B OUT IN      (hex without spaces; IN is "-" when nothing was read)
//   MS CLOSE B
class ProtocolTrace {
public:
    // Appends to `path`. isOpen() tells whether the file could be opened.
    explicit ProtocolTrace(const QString &path);

    bool isOpen() const { return m_file.isOpen(); }
    QString errorString() const { return m_file.errorString(); }

    void open(int box, bool ok);
    void transfer(int box, const Report &out, const Reply *in, int inLength);
    void close(int box);

private:
    void writeLine(const QByteArray &line);

    std::mutex m_mutex;
    QFile m_file;
    QElapsedTimer m_clock;
};
