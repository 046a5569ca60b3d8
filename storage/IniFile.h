// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "storage/IniHelper.h"

#include <QMap>
#include <QSet>
#include <QVariant>

#include <memory>

// The file side of IniHelper: reading a settings file from memory, and
// replacing a file without ever leaving a half-written one behind.
namespace IniFile {

// Settings files the program reads; anything larger is refused, not read.
// A device file or a profile is a few KiB.
constexpr qint64 kMaxSettingsBytes = 1024 * 1024;

// Every key of a file with its value.
struct Contents {
    QMap<QString, QVariant> values;   // "Group/Key" -> QString, QStringList, QByteArray or invalid
    QSet<QString> opaque;             // keys with a typed value kept as its text (see IniText)
    bool readable = true;             // false: refused, not readable, or a line not understood
    bool missing = false;             // no file at the path
    QString refusal;                  // why the file was not read at all (empty when it was)
};

// Reads path (a regular file of at most maxBytes, opened without waiting on
// it) and logs once when it cannot be read or parsed cleanly. A missing file
// gives no keys; so does a refused one (then refusal says why). A UTF-8
// byte-order mark in front of the first line is skipped.
std::unique_ptr<Contents> openForReading(const QString &path, qint64 maxBytes = kMaxSettingsBytes);
// The same for the bytes of a file that is not on disk.
std::unique_ptr<Contents> parse(const QByteArray &bytes);

// The text of key: a list is joined back with ","; a missing key gives a
// null QString, a key with an empty value an empty one.
QString readText(const Contents &contents, const QString &key);

// The new file for `groups` over the old one: keys of the old file that
// groups does not name are kept when they read back unchanged; any other (an
// odd key name, a value that does not survive the writer) is dropped and
// logged. The result is checked by parsing it again; that parse is handed
// back in readBack when asked for. False only when the program's own keys
// would not read back (logged with label).
bool compose(const Contents &old, const GroupMap &groups, const char *label, QByteArray *bytes,
             std::unique_ptr<Contents> *readBack = nullptr);

// Writes every key of groups into path (groups and keys sorted in the file),
// as compose() says, through FileAccess::replaceDurably. Returns false,
// logging "<label> failed:" and the reason and telling SaveFailures, when the
// complete new file is not on disk; the old file is then untouched.
bool writeGroups(const QString &path, const GroupMap &groups, const char *label);

}
