// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeepAlive.h"

#include <winsock2.h>
#include <mstcpip.h>

namespace KeepAlive {

bool enable(qintptr socketDescriptor)
{
    tcp_keepalive settings{};
    settings.onoff = 1;
    settings.keepalivetime = kIdleSeconds * 1000;
    settings.keepaliveinterval = kIntervalSeconds * 1000;
    // Windows sends a fixed number of probes (10 since Vista).
    DWORD returned = 0;
    return WSAIoctl(static_cast<SOCKET>(socketDescriptor), SIO_KEEPALIVE_VALS, &settings, sizeof settings, nullptr, 0,
                    &returned, nullptr, nullptr)
        == 0;
}

} // namespace KeepAlive
