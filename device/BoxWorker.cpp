// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxWorker.h"

#include "HidTransport.h"
#include "LinkIo.h"
#include "ProtocolTrace.h"
#include "ReplyInbox.h"

#include <algorithm>
#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;

int64_t steadyMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
}

// A box cannot queue more input reports than this between two reads; a
// transport that answers more than this to one wait is babbling.
constexpr int kMaxReadsPerRound = 64;

} // namespace

BoxWorker::BoxWorker(int box, quint64 openId, HidHandle *handle, const LinkIo &io, std::shared_ptr<LinkShared> shared,
                     std::shared_ptr<ReplyInbox> inbox)
    : m_box(box)
    , m_openId(openId)
    , m_handle(handle)
    , m_io(io)
    , m_shared(std::move(shared))
    , m_inbox(std::move(inbox))
    , m_timing(io.readTimeoutMs.load())
{
}

void BoxWorker::run()
{
    QueuedReport entry;
    while (next(&entry)) {
        process(std::move(entry));
        entry = QueuedReport();
    }
    // Closing: what is still in flight will not be read any more.
    m_ledger.fail(*this);
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    m_shared->unsettled = 0;
    m_shared->finished = true;
    m_shared->idle.notify_all();
}

bool BoxWorker::next(QueuedReport *entry)
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    m_shared->busy = false;
    m_shared->unsettled = m_ledger.unsettled();
    for (;;) {
        if (m_shared->stopping) {
            m_shared->idle.notify_all();
            return false;
        }
        if (m_shared->queue.pop(entry, steadyMs())) {
            m_shared->busy = true;
            return true;
        }
        if (m_shared->isIdle()) {
            m_shared->idle.notify_all();
            if (m_shared->settleWaiters > 0)
                m_inbox->notifyActivity();
        }
        const bool settleNow = m_shared->settleWaiters > 0 && m_ledger.unsettled() > 0;
        if (!settleNow) {
            // Asleep until there is work, or until an outcome falls due.
            const int64_t due = m_ledger.nextDueMs();
            m_shared->sleeping = true;
            if (m_ledger.empty())
                m_shared->work.wait(lock);
            else if (due > steadyMs())
                m_shared->work.wait_until(lock, Clock::time_point(std::chrono::milliseconds(due)));
            m_shared->sleeping = false;
            if (m_ledger.empty() || steadyMs() < m_ledger.nextDueMs())
                continue; // work, a stop, a settle request, or a spurious wake-up
        }
        lock.unlock();
        const BoxHealth before = m_health.state();
        if (settleNow)
            settleAll();
        else
            collect();
        publishHealth(before);
        lock.lock();
        m_shared->unsettled = m_ledger.unsettled();
    }
}

void BoxWorker::process(QueuedReport entry)
{
    m_timing.setBase(m_io.readTimeoutMs.load());
    const BoxHealth before = m_health.state();
    const int depth = m_io.pipelineDepth.load();
    const bool pipelined = depth > 1 && !entry.needsReply() && ReportQueue::isLighting(entry.report);
    if (pipelined) {
        // Echoes are read when the window is full, or when the worker next
        // wakes with nothing to write: not one look per report.
        if (m_ledger.unsettled() >= depth || m_ledger.full())
            collect();
        while ((m_ledger.unsettled() >= depth || m_ledger.full()) && !m_shared->stopNow.load()) {
            if (const InFlight *oldest = m_ledger.oldestUnsettled())
                waitUntilSettled(oldest->seq);
            else
                m_ledger.dropOldest(*this);
        }
    } else {
        // Write, then read: nothing may be in flight, and whatever late
        // replies the box has queued are read first, so that none of them
        // answers this report.
        settleAll();
        if (!m_ledger.empty() || m_ledger.strayRepliesMayWait())
            collect();
        if (m_ledger.full())
            m_ledger.dropOldest(*this);
    }

    if (m_shared->stopNow.load()) {
        if (entry.exchange)
            entry.exchange->finish(-1, Reply{}, -1);
        return;
    }
    const int written = m_io.transport->write(m_handle, entry.report.data(), kReportSize);
    if (written < 0) {
        InFlight failed;
        failed.sent = std::move(entry);
        failed.written = written;
        m_health.onFailed();
        settled(failed, Reply{}, -1);
        failAll();
    } else {
        const uint64_t seq =
            m_ledger.add(std::move(entry), written, steadyMs(), m_timing.timeoutMs(), m_timing.lateAllowanceMs());
        if (!pipelined)
            waitUntilSettled(seq, m_timing.timeoutMs());
    }
    publishHealth(before);
}

void BoxWorker::collect()
{
    if (!m_ledger.empty() || m_ledger.strayRepliesMayWait()) {
        Reply in{};
        int reads = 0;
        for (; reads < kMaxReadsPerRound; ++reads) {
            const int length = m_io.transport->read(m_handle, in.data(), kReplySize, 0);
            if (length < 0) {
                failAll();
                return;
            }
            if (length == 0)
                break;
            m_ledger.onReply(in, length, steadyMs(), false, *this);
        }
        if (reads < kMaxReadsPerRound)
            m_ledger.strayRepliesRead();
    }
    m_ledger.expire(steadyMs(), *this);
}

void BoxWorker::waitUntilSettled(uint64_t seq, int firstWaitMs)
{
    Reply in{};
    for (int reads = 0; !m_ledger.isSettled(seq); ++reads) {
        if (m_shared->stopNow.load())
            return; // closing: the outcomes are settled on the way out
        const int64_t now = steadyMs();
        m_ledger.expire(now, *this);
        const InFlight *oldest = m_ledger.oldestUnsettled();
        if (m_ledger.isSettled(seq) || !oldest)
            break;
        if (reads >= kMaxReadsPerRound) {
            m_ledger.onSilence(seq, *this);
            break;
        }
        const uint64_t waitingFor = oldest->seq;
        // The read right after a write waits the whole time-out, whatever
        // part of a millisecond the write took.
        const int wait = reads == 0 && firstWaitMs > 0 && waitingFor == seq
            ? firstWaitMs
            : int(std::max<int64_t>(1, oldest->deadlineMs - now));
        const Clock::time_point start = Clock::now();
        const int length = m_io.transport->read(m_handle, in.data(), kReplySize, wait);
        // Only a reply that came while the read waited tells how long the box takes.
        const bool waited = Clock::now() - start >= std::chrono::microseconds(500);
        if (length < 0) {
            failAll();
            return;
        }
        if (length == 0)
            m_ledger.onSilence(waitingFor, *this);
        else
            m_ledger.onReply(in, length, steadyMs(), waited, *this);
    }
}

void BoxWorker::settleAll()
{
    // The reports in flight are numbered one after the other.
    if (const InFlight *oldest = m_ledger.oldestUnsettled())
        waitUntilSettled(oldest->seq + uint64_t(m_ledger.unsettled()) - 1);
}

void BoxWorker::failAll()
{
    m_health.onFailed();
    m_ledger.fail(*this);
}

void BoxWorker::publishHealth(BoxHealth before)
{
    if (m_health.state() != before)
        m_inbox->postHealth(m_box, m_openId, m_health.state());
}

void BoxWorker::settled(const InFlight &entry, const Reply &reply, int length)
{
    if (const auto trace = m_io.currentTrace())
        trace->transfer(m_box, entry.sent.report, &reply, length);
    if (entry.sent.exchange)
        entry.sent.exchange->finish(entry.written, reply, length);
    if (entry.sent.ticketCount > 0)
        m_inbox->postReply(m_box, m_openId, entry.sent, reply, length);
}

void BoxWorker::answered(const InFlight &, bool late, int delayMs)
{
    m_health.onAnswered();
    const int before = m_timing.timeoutMs();
    if (late)
        m_timing.onLateReply();
    else if (delayMs >= 0)
        m_timing.onReply(delayMs);
    if (m_timing.timeoutMs() > before)
        m_ledger.extendDeadlines(m_timing.timeoutMs(), m_timing.lateAllowanceMs());
}

void BoxWorker::missed(const InFlight &)
{
    m_health.onMissed();
}
