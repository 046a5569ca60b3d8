// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Names the calling thread as tools (top, /proc) show it; at most 15 characters.
void nameThisThread(const char *name);
