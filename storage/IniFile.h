#pragma once

#include "storage/IniHelper.h"

#include <QMap>
#include <QVariant>

#include <memory>

// The file side of IniHelper: reading texts through QSettings and replacing
// a file without ever leaving a half-written one behind.
namespace IniFile {

// Every key of a file with its value, as QSettings parses it.
struct Contents {
    QMap<QString, QVariant> values;   // key as QSettings lists it -> value
    bool readable = true;             // false: QSettings reported a format or access error
};

// Parses path and logs once when the file cannot be parsed cleanly. A UTF-8
// byte-order mark in front of the first line is skipped: QSettings would
// take it for part of the first line. A missing file gives no keys.
std::unique_ptr<Contents> openForReading(const QString &path);
// The same for the bytes of a file that is not on disk.
std::unique_ptr<Contents> parse(const QByteArray &bytes);

// The text of key. A value written without quotes that contains "," is
// parsed by QSettings as a list; it is joined back into its text.
QString readText(const Contents &contents, const QString &key);

// Writes every key of groups into path (QSettings keeps groups and keys
// sorted in the file). Keys of the old file that groups does not name are
// kept when they read back unchanged after a save; any other (an odd key
// name, a value that does not survive QSettings' writer) is dropped, logged,
// and never stops the save. Returns false, logging "<label> failed:" and the
// reason and telling SaveFailures, when the complete new file is not on disk;
// the old file is then untouched.
bool writeGroups(const QString &path, const GroupMap &groups, const char *label);

}
