#include "DeviceBus.h"

#include "BoxTable.h"
#include "HidTransport.h"
#include "ProtocolTrace.h"

DeviceBus::DeviceBus() = default;
DeviceBus::~DeviceBus() = default;

DeviceBus &DeviceBus::instance()
{
    static DeviceBus bus;
    return bus;
}

void DeviceBus::setTransport(std::unique_ptr<HidTransport> transport)
{
    m_transport = std::move(transport);
    for (bool &stale : m_maybeStale)
        stale = false;
}

void DeviceBus::setTrace(std::unique_ptr<ProtocolTrace> trace)
{
    m_trace = std::move(trace);
}

int DeviceBus::init()
{
    return m_transport ? m_transport->init() : -1;
}

HidHandle *DeviceBus::open(int box)
{
    if (!m_transport || !isValidBox(box))
        return nullptr;
    HidHandle *handle = m_transport->open(kVendorId, static_cast<unsigned short>(kProductIdBase + box));
    m_maybeStale[box] = false;
    if (m_trace)
        m_trace->open(box, handle != nullptr);
    return handle;
}

void DeviceBus::close(int box, HidHandle *handle)
{
    if (!m_transport || !handle)
        return;
    m_transport->close(handle);
    if (m_trace)
        m_trace->close(box);
}

void DeviceBus::drainStaleReplies(int box, HidHandle *handle)
{
    if (!isValidBox(box) || !m_maybeStale[box])
        return;
    uint8_t scratch[kReplySize];
    // Bounded: a box cannot queue more than a handful of input reports.
    for (int i = 0; i < 64 && m_transport->read(handle, scratch, kReplySize, 0) > 0; ++i) {
    }
    m_maybeStale[box] = false;
}

int DeviceBus::exchange(int box, HidHandle *handle, const Report &out, Reply *reply,
                        int *replyLength)
{
    Reply in{};
    int length = -1;
    int written = -1;
    if (m_transport && handle) {
        drainStaleReplies(box, handle);
        written = m_transport->write(handle, out.data(), kReportSize);
        // Write, then read one reply, as the box expects.
        length = m_transport->read(handle, in.data(), kReplySize, m_readTimeoutMs);
        if (length == 0 && isValidBox(box))
            m_maybeStale[box] = true;
    }
    if (m_trace)
        m_trace->transfer(box, out, &in, length);
    if (reply)
        *reply = in;
    if (replyLength)
        *replyLength = length;
    return written;
}

void DeviceBus::send(int box, HidHandle *handle, const Report &out)
{
    exchange(box, handle, out);
}

void DeviceBus::query(int box, HidHandle *handle, const Report &out, const ReplyHandler &onReply)
{
    Reply in{};
    int length = -1;
    exchange(box, handle, out, &in, &length);
    if (onReply)
        onReply(in, length);
}
