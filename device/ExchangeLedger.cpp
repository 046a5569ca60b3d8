// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExchangeLedger.h"

#include "BoxHealth.h"

#include <algorithm>
#include <limits>

const InFlight *ExchangeLedger::oldestUnsettled() const
{
    return m_settled < m_count ? &at(m_settled) : nullptr;
}

int64_t ExchangeLedger::nextDueMs() const
{
    int64_t due = std::numeric_limits<int64_t>::max();
    if (m_settled < m_count)
        due = at(m_settled).deadlineMs;
    if (m_settled > 0 && at(0).forgetAtMs < due)
        due = at(0).forgetAtMs;
    return due;
}

uint64_t ExchangeLedger::add(QueuedReport sent, int written, int64_t nowMs, int timeoutMs, int lateAllowanceMs)
{
    if (full())
        return 0;
    InFlight &e = at(m_count);
    e.sent = std::move(sent);
    e.seq = m_nextSeq++;
    e.written = written;
    e.writtenAtMs = nowMs;
    e.deadlineMs = nowMs + timeoutMs;
    e.forgetAtMs = e.deadlineMs + lateAllowanceMs;
    e.settled = false;
    ++m_count;
    return e.seq;
}

void ExchangeLedger::settle(InFlight &e, const Reply &reply, int length, LedgerListener &listener)
{
    e.settled = true;
    ++m_settled;
    m_lastSettledSeq = e.seq;
    listener.settled(e, reply, length);
}

void ExchangeLedger::popFront()
{
    at(0) = InFlight(); // lets go of a blocking exchange at once
    m_head = (m_head + 1) % kCapacity;
    --m_count;
    --m_settled;
}

void ExchangeLedger::onReply(const Reply &reply, int length, int64_t nowMs, bool delayKnown, LedgerListener &listener)
{
    if (length <= 0)
        return;
    // A report still waiting in time is the likelier owner: the reports that
    // were given up before it did not get their replies. Only when none of
    // those fits is the reply a late one.
    int match = -1;
    for (int i = m_settled; i < m_count && match < 0; ++i) {
        if (BoxHealthTracker::isReplyTo(at(i).sent.report, reply, length))
            match = i;
    }
    for (int i = 0; i < m_settled && match < 0; ++i) {
        if (BoxHealthTracker::isReplyTo(at(i).sent.report, reply, length))
            match = i;
    }
    if (match < 0) {
        // A stray echo of something already forgotten belongs to nobody;
        // anything else is the oldest report's reply, and nonsense.
        if (BoxHealthTracker::isKnownEcho(reply, length) || m_count == 0)
            return;
        InFlight &oldest = at(0);
        if (!oldest.settled)
            settle(oldest, reply, length, listener);
        listener.missed(oldest);
        popFront();
        return;
    }
    // The box answers in order: what was written before the matched report
    // will get no reply of its own.
    for (int i = 0; i < match; ++i) {
        InFlight &lost = at(0);
        if (!lost.settled)
            settle(lost, Reply{}, 0, listener);
        listener.missed(lost);
        popFront();
    }
    InFlight &e = at(0);
    const bool late = e.settled;
    if (!late)
        settle(e, reply, length, listener);
    // The delay is the box's only when nothing written after it could have
    // been answered in its place.
    const bool newest = m_count == 1;
    listener.answered(e, late, delayKnown && newest ? int(nowMs - e.writtenAtMs) : -1);
    popFront();
}

void ExchangeLedger::onSilence(uint64_t seq, LedgerListener &listener)
{
    while (m_settled < m_count && at(m_settled).seq <= seq)
        settle(at(m_settled), Reply{}, 0, listener);
}

void ExchangeLedger::expire(int64_t nowMs, LedgerListener &listener)
{
    while (m_settled < m_count && at(m_settled).deadlineMs <= nowMs)
        settle(at(m_settled), Reply{}, 0, listener);
    while (m_settled > 0 && at(0).forgetAtMs <= nowMs) {
        listener.missed(at(0));
        popFront();
        m_strays = true;
    }
}

void ExchangeLedger::extendDeadlines(int timeoutMs, int lateAllowanceMs)
{
    for (int i = m_settled; i < m_count; ++i) {
        InFlight &e = at(i);
        e.deadlineMs = std::max(e.deadlineMs, e.writtenAtMs + timeoutMs);
        e.forgetAtMs = std::max(e.forgetAtMs, e.deadlineMs + lateAllowanceMs);
    }
}

void ExchangeLedger::dropOldest(LedgerListener &listener)
{
    if (m_count == 0)
        return;
    if (!at(0).settled)
        settle(at(0), Reply{}, 0, listener);
    listener.missed(at(0));
    popFront();
    m_strays = true;
}

void ExchangeLedger::fail(LedgerListener &listener)
{
    while (m_settled < m_count)
        settle(at(m_settled), Reply{}, -1, listener);
    while (m_count > 0)
        popFront();
}
