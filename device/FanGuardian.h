// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CrashSafety.h"

#include <vector>

// Fans safe even when the program is killed outright (SIGKILL, the kernel's
// OOM killer), where no handler of its own can run: a small process forked
// at start-up holds its own descriptors of the boxes' nodes and the prepared
// cap reports, and writes them when the program ends without saying goodbye.
// It runs no Qt and allocates nothing after the fork; it blocks in poll().
namespace FanGuardian {

// Forks the guardian; once. False (and the program goes on without it) where
// the platform has none or the fork failed.
bool start();
bool isRunning();

// Hands the guardian the reports a crash would send, with its own copies of
// their descriptors; only a table that differs from the last one is sent.
void update(const std::vector<CrashSafety::Prepared> &reports);

// The orderly end: the guardian leaves without writing anything.
void dismiss();

} // namespace FanGuardian
