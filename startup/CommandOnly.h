// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

struct CommandLine;

// --help, --version, --send and a bad line: no display, no boxes, nothing
// started. Needs a QCoreApplication. Returns the exit code.
int runCommandOnly(const CommandLine &line, const char *program, const char *version);
