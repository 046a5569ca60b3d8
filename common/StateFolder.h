// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder for what the program keeps between runs but is no setting (on
// Linux $XDG_STATE_HOME/aurivent, else ~/.local/state/aurivent).
QString stateFolder();
