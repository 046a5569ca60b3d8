// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Where the program is found on the session bus. The project has no domain of
// its own, so its names sit under its code host's reverse-DNS prefix; the
// trailing 1 is the interface's major version: an incompatible change gets a
// new name (…Aurivent2) beside this one, so old scripts keep working.
namespace AuriventBus {
constexpr const char *kService = "io.github.aurivent.Aurivent1";
constexpr const char *kPath = "/io/github/aurivent/Aurivent1";
constexpr const char *kInterface = "io.github.aurivent.Aurivent1";
// The version of the status snapshot's layout (its "schema" key).
constexpr int kStatusSchema = 1;
} // namespace AuriventBus
