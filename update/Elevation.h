// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Starting another program with administrator rights, then getting out of
// its way. One header, one backend per platform:
//   Linux   - a plain start when we already are root, otherwise through
//             pkexec; the child outlives the caller.
//   Windows - ShellExecuteExW with the verb "runas".
// The caller is blocked at most kWaitMs: the wait only gives a program that
// fails at once the chance to say so; a program still running then is fine.

struct ElevationResult {
    bool started = false;  // the program (or its elevation request) is running or ran
    QString error;         // why not, when started is false
};

namespace Elevation {

constexpr int kWaitMs = 3000;

// Starts `file` with `args` in working directory `dir`. A bare file name is
// looked up in `dir`, never on the search path. Never blocks longer than
// kWaitMs.
ElevationResult start(const QString &file, const QStringList &args, const QString &dir);

// The file name of a program of this project on this platform
// ("Aurivent" here, "Aurivent.exe" on Windows).
QString programFile(const QString &baseName);

} // namespace Elevation
