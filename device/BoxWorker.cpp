#include "BoxWorker.h"

#include "HidTransport.h"
#include "LinkIo.h"
#include "ProtocolTrace.h"

void PendingExchange::finish(int w, const Reply &in, int len)
{
    std::lock_guard<std::mutex> lock(mutex);
    written = w;
    reply = in;
    length = len;
    finished = true;
    done.notify_all();
}

BoxWorker::BoxWorker(int box, HidHandle *handle, const LinkIo &io, std::shared_ptr<LinkShared> shared)
    : m_box(box)
    , m_handle(handle)
    , m_io(io)
    , m_shared(std::move(shared))
{
}

void BoxWorker::drain()
{
    for (;;) {
        QueuedReport entry;
        {
            std::lock_guard<std::mutex> lock(m_shared->mutex);
            m_shared->busy = false;
            if (m_shared->stopping || !m_shared->queue.pop(&entry)) {
                m_shared->drainScheduled = false;
                m_shared->idle.notify_all();
                return;
            }
            m_shared->busy = true;
        }
        Reply in{};
        int length = -1;
        const int written = exchange(entry.report, &in, &length);
        if (entry.exchange)
            entry.exchange->finish(written, in, length);
        if (!entry.tickets.empty())
            emit replied(QVector<quint64>(entry.tickets.begin(), entry.tickets.end()), in, length);
        if (m_health.onExchange(entry.report, written, in, length))
            emit healthChanged(m_health.state());
    }
}

void BoxWorker::drainStaleReplies()
{
    if (!m_maybeStale)
        return;
    uint8_t scratch[kReplySize];
    // Bounded: a box cannot queue more than a handful of input reports.
    for (int i = 0; i < 64 && m_io.transport->read(m_handle, scratch, kReplySize, 0) > 0; ++i) {
    }
    m_maybeStale = false;
}

int BoxWorker::exchange(const Report &out, Reply *in, int *length)
{
    drainStaleReplies();
    // Write, then read one reply, as the box expects.
    const int written = m_io.transport->write(m_handle, out.data(), kReportSize);
    *length = m_io.transport->read(m_handle, in->data(), kReplySize, m_io.readTimeoutMs.load());
    if (*length == 0)
        m_maybeStale = true;
    if (const auto trace = m_io.currentTrace())
        trace->transfer(m_box, out, in, *length);
    return written;
}
