// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReportQueue.h"

void PendingExchange::finish(int w, const Reply &in, int len)
{
    std::lock_guard<std::mutex> lock(mutex);
    written = w;
    reply = in;
    length = len;
    finished = true;
    done.notify_all();
}

void QueuedReport::addTicket(uint64_t ticket, std::vector<uint64_t> *answeredNone)
{
    if (ticketCount == kMaxTickets) {
        answeredNone->push_back(tickets[0]);
        for (int i = 1; i < kMaxTickets; ++i)
            tickets[i - 1] = tickets[i];
        --ticketCount;
    }
    tickets[ticketCount++] = ticket;
}

ReportQueue::ReportQueue(size_t capacity)
    : m_slots(capacity == 0 ? 1 : capacity)
{
    for (size_t i = 0; i < m_slots.size(); ++i)
        m_slots[i].next = i + 1 < m_slots.size() ? int(i + 1) : -1;
    m_free = 0;
}

int64_t ReportQueue::supersedeKey(const Report &r)
{
    const bool speedOrLighting = r[1] == 0x32 && (r[2] == 0x51 || r[2] == 0x52);
    const bool query = r[1] == 0x33 && (r[2] == 0x50 || r[2] == 0x51);
    if (!speedOrLighting && !query)
        return -1;
    return (int64_t(r[1]) << 16) | (int64_t(r[2]) << 8) | int64_t(r[3]);
}

int ReportQueue::servedIndex(const Report &r)
{
    int kind;
    if (r[1] == 0x32 && r[2] == 0x51)
        kind = 0;
    else if (r[1] == 0x32 && r[2] == 0x52)
        kind = 1;
    else if (r[1] == 0x33 && r[2] == 0x50)
        kind = 2;
    else if (r[1] == 0x33 && r[2] == 0x51)
        kind = 3;
    else
        return -1;
    return kind * 256 + r[3];
}

int ReportQueue::placeFor(int served) const
{
    if (served < 0)
        return m_tail;
    const int kind = served / 256;
    auto sameKind = [&](const QueuedReport &w) {
        const int other = servedIndex(w.report);
        return !isBarrier(w) && other >= 0 && other / 256 == kind;
    };
    // Behind on this kind: one of its reports waited through a send.
    bool behind = false;
    for (int i = m_tail; i >= 0 && !isBarrier(m_slots[i].entry) && !behind; i = m_slots[i].prev)
        behind = sameKind(m_slots[i].entry) && m_slots[i].entry.sentBefore != m_pops;
    int after = m_tail;
    while (behind && after >= 0) {
        const QueuedReport &w = m_slots[after].entry;
        if (!sameKind(w) || w.sentBefore != m_pops || m_lastServed[servedIndex(w.report)] <= m_lastServed[served])
            break;
        after = m_slots[after].prev;
    }
    return after;
}

bool ReportQueue::isBarrier(const QueuedReport &e) const
{
    return e.exchange || e.ahead || supersedeKey(e.report) < 0;
}

bool ReportQueue::yields(const QueuedReport &e, int64_t nowMs) const
{
    return isQuery(e.report) && !e.exchange && !e.ahead && nowMs - e.queuedAtMs < kQueryYieldMs;
}

int ReportQueue::allocate()
{
    const int slot = m_free;
    if (slot >= 0)
        m_free = m_slots[slot].next;
    return slot;
}

void ReportQueue::release(int slot)
{
    m_slots[slot].entry = QueuedReport(); // lets go of a blocking exchange at once
    m_slots[slot].prev = -1;
    m_slots[slot].next = m_free;
    m_free = slot;
}

void ReportQueue::link(int slot, int after)
{
    Slot &s = m_slots[slot];
    s.prev = after;
    s.next = after >= 0 ? m_slots[after].next : m_head;
    if (s.next >= 0)
        m_slots[s.next].prev = slot;
    else
        m_tail = slot;
    if (after >= 0)
        m_slots[after].next = slot;
    else
        m_head = slot;
    ++m_size;
}

void ReportQueue::unlink(int slot)
{
    Slot &s = m_slots[slot];
    if (s.prev >= 0)
        m_slots[s.prev].next = s.next;
    else
        m_head = s.next;
    if (s.next >= 0)
        m_slots[s.next].prev = s.prev;
    else
        m_tail = s.prev;
    if (m_lastAhead == slot)
        m_lastAhead = s.prev;
    --m_size;
}

void ReportQueue::merge(QueuedReport &into, QueuedReport &&from, std::vector<uint64_t> *answeredNone)
{
    into.report = from.report;
    for (int i = 0; i < from.ticketCount; ++i)
        into.addTicket(from.tickets[i], answeredNone);
    // The place and the age stay: a query keeps ageing towards its turn.
}

ReportQueue::Push ReportQueue::push(QueuedReport entry, std::vector<uint64_t> *answeredNone)
{
    if (!entry.exchange) {
        const int64_t key = supersedeKey(entry.report);
        // Look back to the last barrier for a report this one supersedes.
        for (int i = m_tail; key >= 0 && i >= 0; i = m_slots[i].prev) {
            QueuedReport &waiting = m_slots[i].entry;
            if (isBarrier(waiting))
                break;
            if (supersedeKey(waiting.report) == key) {
                merge(waiting, std::move(entry), answeredNone);
                return Push::Merged;
            }
        }
    }
    const int slot = allocate();
    if (slot < 0) {
        answeredNone->insert(answeredNone->end(), entry.tickets.begin(), entry.tickets.begin() + entry.ticketCount);
        return Push::Full;
    }
    entry.ahead = false;
    entry.sentBefore = m_pops;
    const int after = entry.exchange ? m_tail : placeFor(servedIndex(entry.report));
    m_slots[slot].entry = std::move(entry);
    link(slot, after);
    return Push::Queued;
}

void ReportQueue::pushAhead(QueuedReport entry, std::vector<uint64_t> *answeredNone)
{
    entry.ahead = true;
    const int64_t key = entry.exchange ? -1 : supersedeKey(entry.report);
    if (key >= 0) {
        QueuedReport *aheadOfKind = nullptr;
        for (int i = m_head; i >= 0;) {
            const int next = m_slots[i].next;
            QueuedReport &waiting = m_slots[i].entry;
            if (!waiting.exchange && supersedeKey(waiting.report) == key) {
                if (waiting.ahead) {
                    aheadOfKind = &waiting;
                } else {
                    for (int t = 0; t < waiting.ticketCount; ++t)
                        answeredNone->push_back(waiting.tickets[t]);
                    unlink(i);
                    release(i);
                }
            }
            i = next;
        }
        if (aheadOfKind) {
            merge(*aheadOfKind, std::move(entry), answeredNone);
            return;
        }
    }
    int slot = allocate();
    if (slot < 0) {
        // Full: the newest report that is neither ahead nor waited for makes room.
        for (int i = m_tail; i >= 0 && slot < 0; i = m_slots[i].prev) {
            if (m_slots[i].entry.ahead || m_slots[i].entry.exchange)
                continue;
            const QueuedReport &victim = m_slots[i].entry;
            answeredNone->insert(answeredNone->end(), victim.tickets.begin(), victim.tickets.begin() + victim.ticketCount);
            unlink(i);
            release(i);
            slot = allocate();
        }
        if (slot < 0)
            return; // a queue of nothing but exit reports and exchanges: nothing to give up
    }
    m_slots[slot].entry = std::move(entry);
    link(slot, m_lastAhead);
    m_lastAhead = slot;
}

bool ReportQueue::pop(QueuedReport *out, int64_t nowMs)
{
    if (m_head < 0)
        return false;
    int pick = m_head;
    if (yields(m_slots[pick].entry, nowMs)) {
        for (int i = m_slots[m_head].next; i >= 0; i = m_slots[i].next) {
            if (!yields(m_slots[i].entry, nowMs)) {
                pick = i;
                break;
            }
        }
    }
    *out = std::move(m_slots[pick].entry);
    unlink(pick);
    release(pick);
    const int served = out->exchange ? -1 : servedIndex(out->report);
    if (served >= 0)
        m_lastServed[served] = ++m_pops;
    return true;
}

size_t ReportQueue::dropLightingAndQueries(std::vector<uint64_t> *answeredNone)
{
    size_t dropped = 0;
    for (int i = m_head; i >= 0;) {
        const int next = m_slots[i].next;
        const QueuedReport &e = m_slots[i].entry;
        if (!e.exchange && !e.ahead && (isLighting(e.report) || isQuery(e.report))) {
            answeredNone->insert(answeredNone->end(), e.tickets.begin(), e.tickets.begin() + e.ticketCount);
            unlink(i);
            release(i);
            ++dropped;
        }
        i = next;
    }
    return dropped;
}

std::vector<QueuedReport> ReportQueue::takeAll()
{
    std::vector<QueuedReport> all;
    all.reserve(m_size);
    while (m_head >= 0) {
        const int slot = m_head;
        all.push_back(std::move(m_slots[slot].entry));
        unlink(slot);
        release(slot);
    }
    return all;
}
