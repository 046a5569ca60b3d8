// SPDX-License-Identifier: GPL-3.0-or-later
// A box's 64-byte replies as the speed poll and the firmware read decode them.
#include "FuzzSupport.h"

#include "device/Reports.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    // The first byte is what the read returned: -1 (error) up to 64.
    const int bytesRead = int(data[0] % 66) - 1;
    Reply reply{};
    std::copy(data + 1, data + 1 + std::min(size - 1, reply.size()), reply.begin());
    int port = -1;
    int rpm = -1;
    if (Reports::decodeFanSpeed(reply, bytesRead, &port, &rpm))
        Fuzz::require(port >= 1 && port <= 5 && rpm >= 0);
    const QString version = Reports::firmwareVersionText(reply);
    Fuzz::require(!version.isEmpty() && version.size() <= 32);
    return 0;
}
