#pragma once

#include "Report.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

// A blocking exchange waiting for its turn; the worker fills it in and
// releases the waiter. Shared, so a waiter that gave up leaves nothing dangling.
struct PendingExchange;

// One report waiting for a box's I/O worker.
struct QueuedReport {
    Report report{};
    // Queries waiting for this report's reply (several when queries merged).
    std::vector<uint64_t> tickets;
    // Set for a blocking exchange.
    std::shared_ptr<PendingExchange> exchange;
};

// The queue of one box. Reports that supersede each other — a lighting or
// speed report for the same port, or the same query — keep only the newest,
// moved to the end, so the box ends in the state the caller asked for last.
// A report that supersedes nothing (a probe, the save command, a blocking
// exchange) is a barrier: nothing merges across it, so a save still follows
// what was set before it. Not thread-safe; the box link guards it.
class ReportQueue {
public:
    static constexpr size_t kDefaultCapacity = 256;
    // Queries merged into one waiting report get one reply; beyond this many
    // the oldest are answered "none" at once.
    static constexpr size_t kMaxTicketsPerReport = 8;

    enum class Push { Queued, Merged, Full };

    explicit ReportQueue(size_t capacity = kDefaultCapacity)
        : m_capacity(capacity)
    {
    }

    // Adds `entry`; tickets it pushed out are appended to *answeredNone.
    // Full: the entry is not taken (its tickets are appended to *answeredNone).
    Push push(QueuedReport entry, std::vector<uint64_t> *answeredNone);
    bool pop(QueuedReport *out);
    std::deque<QueuedReport> takeAll();
    size_t size() const { return m_entries.size(); }
    bool empty() const { return m_entries.empty(); }

    // The kind a report supersedes within, or -1 for a barrier: command
    // bytes and port of a speed or lighting report, or of a query.
    static int64_t supersedeKey(const Report &report);

private:
    size_t m_capacity;
    std::deque<QueuedReport> m_entries;
};
