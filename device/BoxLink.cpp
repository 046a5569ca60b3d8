// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxLink.h"

#include "BoxWorker.h"
#include "HidTransport.h"
#include "LinkIo.h"
#include "ReplyInbox.h"
#include "ThreadName.h"
#include "common/Logging.h"

#include <chrono>
#include <cstdio>

namespace {

// A worker that does not stop within this long is stuck in the kernel; it is
// left behind rather than waited for.
constexpr int kJoinMs = 2000;

int64_t steadyMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

BoxLink::BoxLink(int box, quint64 openId, HidHandle *handle, const LinkIo &io, std::shared_ptr<ReplyInbox> inbox,
                 WakeLater wakeLater)
    : m_box(box)
    , m_openId(openId)
    , m_handle(handle)
    , m_io(io)
    , m_shared(std::make_shared<LinkShared>())
    , m_inbox(std::move(inbox))
    , m_wakeLater(std::move(wakeLater))
{
    auto worker = std::make_shared<BoxWorker>(box, openId, handle, io, m_shared, m_inbox);
    m_thread = std::thread([worker, box] {
        char name[16];
        std::snprintf(name, sizeof name, "box %d", box);
        nameThisThread(name);
        worker->run();
    });
}

BoxLink::~BoxLink()
{
    shutdown(0);
}

void BoxLink::enqueue(QueuedReport entry, bool ahead, bool now)
{
    std::vector<uint64_t> none;
    std::shared_ptr<PendingExchange> exchange = entry.exchange;
    ReportQueue::Push result = ReportQueue::Push::Queued;
    bool stopping = false;
    bool sleeping = false;
    size_t length = 0;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->stopping) {
            none.assign(entry.tickets.begin(), entry.tickets.begin() + entry.ticketCount);
            result = ReportQueue::Push::Full;
            stopping = true;
        } else {
            entry.queuedAtMs = steadyMs();
            if (ahead)
                m_shared->queue.pushAhead(std::move(entry), &none);
            else
                result = m_shared->queue.push(std::move(entry), &none);
            length = m_shared->queue.size();
            sleeping = m_shared->sleeping && result != ReportQueue::Push::Full;
        }
    }
    // A worker woken at the first of a tick's reports would fight the caller
    // for the lock over the rest: unless asked to hurry, it is woken once
    // they are in. Woken outside the lock, so that it does not wake into it.
    if (sleeping && (now || !m_wakeLater))
        m_shared->work.notify_one();
    else if (sleeping && !m_wakeAsked) {
        m_wakeAsked = true;
        m_wakeLater(this);
    }
    if (result == ReportQueue::Push::Full) {
        if (exchange)
            exchange->finish(-1, Reply{}, -1);
        if (!m_overflowLogged && !stopping) {
            m_overflowLogged = true;
            qCWarning(lcDevice) << "box" << m_box << "queue full: reports dropped until it drains";
        }
    } else if (length < ReportQueue::kDefaultCapacity / 2) {
        // Told again only after the box caught up, not at every report around the limit.
        m_overflowLogged = false;
    }
    if (!none.empty())
        deliverNone(none);
}

void BoxLink::send(const Report &report)
{
    QueuedReport entry;
    entry.report = report;
    enqueue(std::move(entry), false, false);
}

void BoxLink::sendAhead(const Report &report)
{
    QueuedReport entry;
    entry.report = report;
    enqueue(std::move(entry), true, true);
}

void BoxLink::query(const Report &report, const ReplyHandler &onReply, QObject *context)
{
    const quint64 ticket = m_nextTicket++;
    Waiting &waiting = m_waiting[ticket];
    waiting.handler = onReply;
    waiting.context = context;
    waiting.hasContext = context != nullptr;
    QueuedReport entry;
    entry.report = report;
    entry.tickets[0] = ticket;
    entry.ticketCount = 1;
    enqueue(std::move(entry), false, false);
}

int BoxLink::exchange(const Report &report, Reply *reply, int *length, int waitMs)
{
    auto pending = std::make_shared<PendingExchange>();
    QueuedReport entry;
    entry.report = report;
    entry.exchange = pending;
    enqueue(std::move(entry), false, true); // its caller blocks: no event loop will come

    std::unique_lock<std::mutex> lock(pending->mutex);
    const bool done = pending->done.wait_for(lock, std::chrono::milliseconds(waitMs < 0 ? 0 : waitMs),
                                             [&] { return pending->finished; });
    if (reply)
        *reply = done ? pending->reply : Reply{};
    if (length)
        *length = done ? pending->length : -1;
    return done ? pending->written : -1;
}

void BoxLink::dropLightingAndQueries()
{
    std::vector<uint64_t> none;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->queue.dropLightingAndQueries(&none);
    }
    if (!none.empty())
        deliverNone(none);
}

void BoxLink::wakeWorker()
{
    m_wakeAsked = false;
    bool sleeping;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        sleeping = m_shared->sleeping;
    }
    if (sleeping)
        m_shared->work.notify_one();
}

int BoxLink::queued() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return static_cast<int>(m_shared->queue.size());
}

bool BoxLink::isIdle() const
{
    if (!m_waiting.empty())
        return false;
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->isIdle();
}

void BoxLink::setSettling(bool on)
{
    if (on == m_settling)
        return;
    m_settling = on;
    bool sleeping;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        m_shared->settleWaiters += on ? 1 : -1;
        sleeping = m_shared->sleeping;
    }
    if (on && sleeping)
        m_shared->work.notify_one();
}

bool BoxLink::waitDrained(int ms)
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    ++m_shared->settleWaiters;
    if (m_shared->sleeping)
        m_shared->work.notify_one();
    const bool drained = m_shared->idle.wait_for(lock, std::chrono::milliseconds(ms < 0 ? 0 : ms),
                                                 [this] { return m_shared->isIdle(); });
    --m_shared->settleWaiters;
    return drained;
}

void BoxLink::deliver(const uint64_t *tickets, int count, const Reply &reply, int length)
{
    for (int i = 0; i < count; ++i) {
        auto it = m_waiting.find(tickets[i]);
        if (it == m_waiting.end())
            continue;
        const Waiting waiting = std::move(it->second);
        m_waiting.erase(it);
        if (waiting.handler && (!waiting.hasContext || waiting.context))
            waiting.handler(reply, length);
    }
}

void BoxLink::deliverNone(const std::vector<uint64_t> &tickets)
{
    // Later, on the event loop, never inside the caller's send or query.
    m_inbox->postNone(m_box, m_openId, tickets);
}

bool BoxLink::setHealth(BoxHealth health)
{
    if (health == m_health)
        return false;
    m_health = health;
    return true;
}

void BoxLink::shutdown(int flushMs)
{
    if (!m_thread.joinable())
        return;
    std::vector<QueuedReport> dropped;
    {
        std::unique_lock<std::mutex> lock(m_shared->mutex);
        if (flushMs > 0) {
            ++m_shared->settleWaiters;
            if (m_shared->sleeping)
                m_shared->work.notify_one();
            m_shared->idle.wait_for(lock, std::chrono::milliseconds(flushMs), [this] { return m_shared->isIdle(); });
            --m_shared->settleWaiters;
        }
        m_shared->stopping = true;
        m_shared->stopNow = true;
        dropped = m_shared->queue.takeAll();
        m_shared->work.notify_one();
    }
    for (QueuedReport &entry : dropped) {
        if (entry.exchange)
            entry.exchange->finish(-1, Reply{}, -1);
    }
    m_waiting.clear();
    bool finished;
    {
        std::unique_lock<std::mutex> lock(m_shared->mutex);
        finished = m_shared->idle.wait_for(lock, std::chrono::milliseconds(m_io.readTimeoutMs.load() + kJoinMs),
                                           [this] { return m_shared->finished; });
    }
    if (finished) {
        m_thread.join();
        if (m_handle && m_io.transport)
            m_io.transport->close(m_handle);
    } else {
        // The worker still holds the handle; closing it under its feet would be worse.
        qCWarning(lcDevice) << "box" << m_box << "I/O thread did not stop; its handle is left open";
        m_thread.detach();
    }
    m_handle = nullptr;
}
