#pragma once

#include "Report.h"

#include <functional>
#include <memory>

class HidTransport;
class ProtocolTrace;
struct HidHandle;

// The one place where reports reach the boxes. Every caller uses the weakest
// call that serves it:
// - send():     the caller needs no reply; reports to one box go out in order;
// - query():    the reply (or "none", length <= 0) is handed to onReply;
// - exchange(): blocking write and read, for discovery and the firmware read.
// Today all three run synchronously on the calling (GUI) thread; callers must
// not rely on that for send() and query().
class DeviceBus {
public:
    // Boxes answer within a few milliseconds; 100 ms leaves a wide margin for
    // a busy USB bus while keeping a box that never answers from costing the
    // program more than a tenth of a second per command.
    static constexpr int kDefaultReadTimeoutMs = 100;

    using ReplyHandler = std::function<void(const Reply &reply, int length)>;

    static DeviceBus &instance();

    // Takes ownership. Closing handles of the old transport is the caller's job.
    void setTransport(std::unique_ptr<HidTransport> transport);
    HidTransport *transport() const { return m_transport.get(); }

    // Takes ownership; null switches the trace off.
    void setTrace(std::unique_ptr<ProtocolTrace> trace);

    void setReadTimeout(int ms) { m_readTimeoutMs = ms < 0 ? 0 : ms; }
    int readTimeout() const { return m_readTimeoutMs; }

    int init();
    HidHandle *open(int box);
    void close(int box, HidHandle *handle);

    int exchange(int box, HidHandle *handle, const Report &out, Reply *reply = nullptr,
                 int *replyLength = nullptr);
    void send(int box, HidHandle *handle, const Report &out);
    void query(int box, HidHandle *handle, const Report &out, const ReplyHandler &onReply);

private:
    DeviceBus();
    ~DeviceBus();
    void drainStaleReplies(int box, HidHandle *handle);

    std::unique_ptr<HidTransport> m_transport;
    std::unique_ptr<ProtocolTrace> m_trace;
    int m_readTimeoutMs = kDefaultReadTimeoutMs;
    // Set when a read timed out: a late reply may still be queued for that box.
    bool m_maybeStale[16] = {};
};
