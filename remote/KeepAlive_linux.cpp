// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeepAlive.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

namespace KeepAlive {

bool enable(qintptr socketDescriptor)
{
    const int fd = static_cast<int>(socketDescriptor);
    const int on = 1;
    const int idle = kIdleSeconds;
    const int interval = kIntervalSeconds;
    const int count = kProbeCount;
    // Unacknowledged replies to a vanished peer would otherwise be retried
    // for a quarter of an hour; give up after as long as the probes take.
    const unsigned int userTimeoutMs = (kIdleSeconds + kIntervalSeconds * kProbeCount) * 1000u;
    return setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) == 0
        && setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle) == 0
        && setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval) == 0
        && setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count) == 0
        && setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeoutMs, sizeof userTimeoutMs) == 0;
}

} // namespace KeepAlive
