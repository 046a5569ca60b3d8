// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CrashSafety.h"

#include <vector>

class BoxModel;
class DeviceBus;
class Encoders;

// Fans are never left unsafe: what the program does for the fans that follow
// the CPU temperature when it stops following it.

// The orderly end: every temperature-following fan gets its cap, ahead of
// everything still waiting for its box (waiting lighting and speed polls are
// dropped), and every box is given at most flushMs in all to take it before
// the program leaves. Fans on a fixed speed keep it: they do not depend on the
// program. One log line per box. Returns false when a box did not take its
// reports in time.
bool leaveFansSafe(Encoders &encoders, int flushMs);

// What a crash would send: the cap report of every temperature-following fan
// of every connected box that has an emergency descriptor.
std::vector<CrashSafety::Prepared> crashReports(const BoxModel &boxes, const DeviceBus &bus);

// A box opened after start-up, or answering again: its temperature-following
// fans get the curve's duty for the last reading, or their cap without one.
void applyFollowingDuty(Encoders &encoders, int box, bool haveReading, int temperature);
