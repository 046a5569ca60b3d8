// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ReportQueue.h"

#include <array>
#include <cstdint>

// One report written to a box whose reply has not been matched yet.
struct InFlight {
    QueuedReport sent;
    uint64_t seq = 0;
    int written = 0;
    int64_t writtenAtMs = 0;
    int64_t deadlineMs = 0; // a read waiting for it gives up here
    int64_t forgetAtMs = 0; // a reply later than this is no longer taken as its own
    bool settled = false;   // its outcome is told: the reply, or none at the deadline
};

// What the ledger tells its owner, always in the order the reports were written.
class LedgerListener {
public:
    virtual ~LedgerListener() = default;
    // The outcome of a report is known: a reply (length > 0), none (0), or a
    // dead handle (-1). Told once per report.
    virtual void settled(const InFlight &entry, const Reply &reply, int length) = 0;
    // A proper reply came, in time or `late` (after it was settled as none).
    // `delayMs` >= 0 when a read was waiting when it came, so the delay is the box's.
    virtual void answered(const InFlight &entry, bool late, int delayMs) = 0;
    // The report will get no proper reply.
    virtual void missed(const InFlight &entry) = 0;
};

// The reports written to one box and not yet answered, oldest first. A box
// answers in order, one reply per report, echoing the command bytes; so a reply
// belongs to the oldest report it echoes, and the reports written before that
// one will get none. A report whose read gave up stays until its late
// allowance has passed, so that its late reply is recognised as a sign of
// life instead of answering a newer report. Pure bookkeeping: the worker does
// the reading and writing and gives the times.
class ExchangeLedger {
public:
    static constexpr int kCapacity = 16;

    bool empty() const { return m_count == 0; }
    bool full() const { return m_count == kCapacity; }
    int size() const { return m_count; }
    // Reports still waiting for their outcome.
    int unsettled() const { return m_count - m_settled; }
    // Whether the report numbered `seq` (as add() returned) has its outcome.
    bool isSettled(uint64_t seq) const { return seq <= m_lastSettledSeq; }
    // The oldest report still waiting for its outcome (null: none).
    const InFlight *oldestUnsettled() const;
    // When something next falls due: a deadline, or the end of a late allowance.
    int64_t nextDueMs() const;

    // Records a written report; returns its number. Not on a full ledger.
    uint64_t add(QueuedReport sent, int written, int64_t nowMs, int timeoutMs, int lateAllowanceMs);
    // A reply read at `nowMs`. `delayKnown`: a read was waiting when it came.
    void onReply(const Reply &reply, int length, int64_t nowMs, bool delayKnown, LedgerListener &listener);
    // A read for the report `seq` and those before it waited its time and got
    // nothing: they are settled as none.
    void onSilence(uint64_t seq, LedgerListener &listener);
    // Settles what passed its deadline and forgets what passed its late allowance.
    void expire(int64_t nowMs, LedgerListener &listener);
    // The box was found slower than thought: the reports still waiting get
    // the new time-out and allowance, counted from their writes.
    void extendDeadlines(int timeoutMs, int lateAllowanceMs);
    // Makes room on a full ledger: the oldest report is given up.
    void dropOldest(LedgerListener &listener);
    // The handle is dead: everything waiting is settled as failed and forgotten.
    void fail(LedgerListener &listener);

    // A report was forgotten while its reply might still come: whatever the
    // box has queued should be read before a report that needs its reply.
    bool strayRepliesMayWait() const { return m_strays; }
    void strayRepliesRead() { m_strays = false; }

private:
    InFlight &at(int i) { return m_ring[(m_head + i) % kCapacity]; }
    const InFlight &at(int i) const { return m_ring[(m_head + i) % kCapacity]; }
    void settle(InFlight &e, const Reply &reply, int length, LedgerListener &listener);
    void popFront();

    std::array<InFlight, kCapacity> m_ring;
    int m_head = 0;
    int m_count = 0;
    int m_settled = 0; // the first m_settled entries are settled
    uint64_t m_nextSeq = 1;
    uint64_t m_lastSettledSeq = 0;
    bool m_strays = false;
};
