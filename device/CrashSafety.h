// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <vector>

// The last thing the program does if it crashes: every fan that follows the
// CPU temperature is sent its cap, so it is not left at a cool-CPU duty with
// nothing following the temperature any more. The reports are built in
// advance on the GUI thread; the crash handler only calls write(2), which is
// safe in a signal handler, and allocates nothing.
namespace CrashSafety {

struct Prepared {
    int descriptor; // where the box takes a whole report in one write
    Report report;
};

// 16 boxes of 5 fans.
constexpr int kMaxPrepared = 80;

// Installs the handlers of SIGSEGV, SIGBUS, SIGABRT, SIGILL and SIGFPE; once.
// Each writes the prepared reports, then lets the signal end the process as
// it would have (a core dump included). An exit() that bypasses the orderly
// end (Qt's own when the X server goes away) writes them too; the orderly
// end has closed every box by then, so nothing is left to write.
void install();

// Replaces the prepared reports (at most kMaxPrepared are kept).
void prepare(const std::vector<Prepared> &reports);

// Drops every report prepared for `descriptor`; called before it is closed,
// so that a crash never writes into whatever reuses its number.
void forget(int descriptor);

// Writes every prepared report now, as the handler does; how many went out whole.
int writePrepared();

} // namespace CrashSafety
