#pragma once

#include "storage/IniHelper.h"

#include <memory>

class QSettings;

// The file side of IniHelper: reading texts through QSettings and replacing
// a file without ever leaving a half-written one behind.
namespace IniFile {

// Opens path for reading and logs once when the file cannot be parsed.
std::unique_ptr<QSettings> openForReading(const QString &path);

// The text of key. A value written without quotes that contains "," is
// parsed by QSettings as a list; it is joined back into its text.
QString readText(QSettings &settings, const QString &key);

// Writes every key of groups into path (QSettings keeps groups and keys
// sorted in the file). Returns false, logging "<label> failed:" and the
// reason, when the complete new file is not on disk; the old file is then
// untouched.
bool writeGroups(const QString &path, const GroupMap &groups, const char *label);

}
