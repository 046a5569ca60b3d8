// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// Windows passes a program one command-line string, which the started
// program splits into arguments again (quotes group, backslashes escape a
// quote). Joining arguments with spaces, as _spawnv does, splits a path such
// as "C:\Program Files\Aurivent\auriventd.exe" in two: each argument is
// quoted so that it splits back into exactly itself.
std::wstring quoteWindowsArgument(const std::wstring &argument);
std::wstring joinWindowsArguments(const std::vector<std::wstring> &arguments);
