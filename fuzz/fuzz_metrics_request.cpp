// SPDX-License-Identifier: GPL-3.0-or-later
// Whatever a client sends the metrics server: a status from the few it
// knows, and never a request served that is not "GET /metrics".
#include "FuzzSupport.h"

#include "metrics/MetricsRequest.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const int status = MetricsRequest::classify(bytes, 8192);
    Fuzz::require(status == 0 || status == 200 || status == 400 || status == 404 || status == 405 || status == 431 ||
                  status == 505);
    if (status == 200)
        Fuzz::require(bytes.startsWith("GET /metrics"));
    if (status == 0)
        Fuzz::require(bytes.size() <= 8192);
    return 0;
}
