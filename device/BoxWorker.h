// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxHealth.h"
#include "ExchangeLedger.h"
#include "Report.h"
#include "ReplyTiming.h"
#include "ReportQueue.h"

#include <QtGlobal>

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>

struct HidHandle;
struct LinkIo;
class ReplyInbox;

// What a box link (GUI thread) and its worker (I/O thread) share: the queue
// and the worker's progress, all behind one lock.
struct LinkShared {
    std::mutex mutex;
    std::condition_variable work; // something queued, an outcome asked for, or stop
    std::condition_variable idle; // the worker ran dry
    ReportQueue queue;
    bool busy = false;     // the worker holds a report it has not finished
    bool sleeping = false; // the worker waits on `work`: a push must wake it
    bool stopping = false; // no more I/O: the link is closing
    std::atomic<bool> stopNow{false}; // the same, for a worker between two reads
    bool finished = false; // the worker's loop has ended
    int unsettled = 0;     // reports written whose outcome is not known yet
    int settleWaiters = 0; // someone waits for every outcome: collect them now

    bool isIdle() const { return stopping || (queue.empty() && !busy && unsettled == 0); }
};

// Does one box's I/O on a thread of its own. It takes reports from the
// shared queue, all that is waiting per wake-up, and writes them:
// - a report whose reply someone needs (a query, the probe, the firmware
//   read), and every report when the pipeline depth is 1, waits for its
//   reply before anything else is written: write, then read;
// - lighting reports, whose replies nobody reads, are written without waiting
//   for the echo of the ones before, up to the pipeline depth in flight; their
//   replies are read as they come and matched in order by their echo (the
//   ledger), so box health still sees a box that falls silent.
// Replies that someone waits for, and health changes, go to the inbox. The
// worker owns the handle while it runs; nothing else touches it.
class BoxWorker final : private LedgerListener {
public:
    BoxWorker(int box, quint64 openId, HidHandle *handle, const LinkIo &io, std::shared_ptr<LinkShared> shared,
              std::shared_ptr<ReplyInbox> inbox);

    // The thread's body: returns once the link is stopping.
    void run();

private:
    bool next(QueuedReport *entry);
    void process(QueuedReport entry);
    // Reads, without waiting, the replies that have come; settles what is due.
    void collect();
    // Reads, waiting as long as the deadlines allow, until report `seq` has
    // its outcome; the first read waits firstWaitMs when that is given.
    void waitUntilSettled(uint64_t seq, int firstWaitMs = -1);
    void settleAll();
    void failAll();
    void publishHealth(BoxHealth before);

    // LedgerListener
    void settled(const InFlight &entry, const Reply &reply, int length) override;
    void answered(const InFlight &entry, bool late, int delayMs) override;
    void missed(const InFlight &entry) override;

    const int m_box;
    const quint64 m_openId;
    HidHandle *const m_handle;
    const LinkIo &m_io;
    std::shared_ptr<LinkShared> m_shared;
    std::shared_ptr<ReplyInbox> m_inbox;
    ExchangeLedger m_ledger;
    ReplyTiming m_timing;
    BoxHealthTracker m_health;
};
