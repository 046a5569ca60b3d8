// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <memory>

class HidTransport;
class ProtocolTrace;

// What every box link reads from the bus at each exchange. The bus owns it;
// the values may change while links run, so each is read atomically.
struct LinkIo {
    // Thread-safe for calls on different handles, as hidapi is; the links only
    // ever use their own handle.
    HidTransport *transport = nullptr;
    std::atomic<int> readTimeoutMs{100};
    // How many lighting reports may be written before the echo of the first
    // came back; 1 is write-then-read for every report.
    std::atomic<int> pipelineDepth{1};
    // Replaced with std::atomic_store; read with std::atomic_load.
    std::shared_ptr<ProtocolTrace> trace;

    std::shared_ptr<ProtocolTrace> currentTrace() const { return std::atomic_load(&trace); }
};
