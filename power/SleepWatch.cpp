// SPDX-License-Identifier: GPL-3.0-or-later
// The watch's signals; each platform's file builds SleepWatch::create().
#include "power/SleepWatch.h"
