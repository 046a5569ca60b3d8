// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The service is its own program beside this one (auriventd, without any
// window library): `Aurivent --headless` becomes it, with the same
// arguments. Returns only when it could not be started, with the exit code.
int becomeService(int argc, char *argv[]);
