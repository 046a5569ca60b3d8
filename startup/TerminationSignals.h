// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// SIGTERM, SIGINT and SIGHUP end the event loop the way the tray's Exit does,
// so that a stopped service or a Ctrl+C ends the program in order.
void quitOnTerminationSignals();
