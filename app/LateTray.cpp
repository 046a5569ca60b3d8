// SPDX-License-Identifier: GPL-3.0-or-later
#include "LateTray.h"

// The interface's own code is its signals (moc); the backends are LateTray_linux.cpp
// and LateTray_win.cpp.
