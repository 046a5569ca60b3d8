// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

class AlertLog;

// The alert marks of the graphs' time line, kept across a restart beside
// the history file: one JSON object per line, oldest first,
//   {"t":1765240000,"kind":"stall","raised":true,"box":1,"fan":2}
// with "source", "path", "gone", "celsius", "limit", "seconds" where the
// alert has them. The file is read as outside input: a line that does not
// make a sound alert is skipped (and counted), marks older than a day or
// later than now are dropped, and at most AlertLog::kCapacity are kept.
namespace AlertLogFile {

// Big enough for a full log of the longest lines; a larger file is refused.
constexpr qint64 kMaxBytes = 2 * 1024 * 1024;

QByteArray encode(const AlertLog &log);
// Adds the marks of `bytes` to `log` (which should be empty); the number of
// lines skipped goes to *skipped.
void decode(const QByteArray &bytes, qint64 nowSecond, AlertLog *log, int *skipped);

QString pathBeside(const QString &historyPath);

} // namespace AlertLogFile
