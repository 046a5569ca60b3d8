#pragma once

#include <QString>

class QFile;

// Asks the system to put what was written to the disk itself, so that a
// rename that follows cannot outlive the data after a power cut.
namespace FileSync {
bool syncFile(QFile &file);
// The folder's entry for a file renamed into it (no-op where the system
// has no such thing).
void syncFolder(const QString &folder);
}
