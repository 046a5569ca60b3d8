// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class History;

// The history kept across a restart: every series as it is in memory, in one
// versioned file that is checked as a whole before anything of it is used.
//
//   "AURVHIST"  u32 version (1)  u32 N  32-byte SHA-256 of the N bytes  N bytes
//
// The N bytes are the zlib-compressed payload (qCompress), little-endian:
//   i64 newest second, u16 seconds kept (3600), u16 minutes kept (1440), u16 series
//   per series: u8 kind, i8 box, i8 fan, u16 name length, the name (UTF-8),
//               3600 x i16 seconds, 1440 x (i16 min, i16 mean, i16 max, u8 count)
//               minutes, oldest first, then the minute in progress
//               (i16 min, i16 max, i32 sum, u8 count)
// A file of another version, a bad checksum, a size past the bound, a value
// out of range or a series the history cannot hold refuses the whole file.
class HistoryFile {
public:
    static constexpr quint32 kVersion = 1;

    // <state folder>/history.bin
    static QString defaultPath();

    static QByteArray encode(const History &history);
    // encode() in two steps: the payload is a quick copy taken on the
    // history's thread; packing it (compression, checksum) may run anywhere.
    static QByteArray payload(const History &history);
    static QByteArray pack(const QByteArray &payload);
    // Replaces what `history` holds with the file's content, or changes
    // nothing and says why.
    static bool decode(const QByteArray &bytes, History &history, QString *why);

    // Atomic save (readable by its owner only); false and logged on failure.
    static bool save(const History &history, const QString &path);
    // The same for a file already encoded; safe on any thread.
    static bool write(const QByteArray &file, const QString &path);
    // A missing file is no error and leaves the history as it is; a refused
    // one is logged and left on disk for a look (it is replaced at the next save).
    static bool load(History &history, const QString &path);

    // The largest file a history with these limits can write.
    static qint64 fileBound(const History &history);
};
