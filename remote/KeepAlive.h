// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QtGlobal>

// TCP keep-alive with short probe intervals on a connected socket, so that a
// phone that dropped off the network without closing goes away within about
// a minute instead of holding its connection for hours. An idle phone that
// still answers the probes is never closed.
namespace KeepAlive {

constexpr int kIdleSeconds = 30;      // quiet time before the first probe
constexpr int kIntervalSeconds = 10;  // between unanswered probes
constexpr int kProbeCount = 3;        // unanswered probes before the peer counts as gone

// Returns false (and the caller logs) when the system refused an option.
bool enable(qintptr socketDescriptor);

} // namespace KeepAlive
