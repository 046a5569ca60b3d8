// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

// A blocking exchange: the caller waits until the worker has done it.
// Shared, so a waiter that gave up leaves nothing dangling.
struct PendingExchange {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int written = -1;
    int length = -1;
    Reply reply{};

    void finish(int w, const Reply &in, int len);
};

// One report waiting for a box's I/O worker. Plain data of a fixed size, so
// the queue keeps it in a pool and a report costs no allocation.
struct QueuedReport {
    // Queries merged into one waiting report get one reply; beyond this many
    // the oldest are answered "none" at once.
    static constexpr int kMaxTickets = 8;

    Report report{};
    std::array<uint64_t, kMaxTickets> tickets{};
    int ticketCount = 0;
    // Set for a blocking exchange.
    std::shared_ptr<PendingExchange> exchange;
    // When it was queued (steady milliseconds), for how long a query has yielded.
    int64_t queuedAtMs = 0;
    // Sent ahead of everything else waiting (the exit caps).
    bool ahead = false;
    // How many reports the queue had sent when this one came.
    uint64_t sentBefore = 0;

    bool needsReply() const { return ticketCount > 0 || exchange != nullptr; }
    // Adds a ticket; when full, the oldest is pushed out to *answeredNone.
    void addTicket(uint64_t ticket, std::vector<uint64_t> *answeredNone);
};

// The queue of one box. Reports that supersede each other — a lighting or
// speed report for the same port, or the same query — keep only the newest,
// which takes the waiting one's place: when a box is too slow for what it is
// given, every fan keeps its turn and all lose frames alike, instead of the
// last ports starving behind the first. A report that supersedes nothing (a
// probe, the save command, a blocking exchange) is a barrier: nothing merges
// across it, so a save still follows what was set before it.
//
// A report that finds nothing to supersede joins the end of the queue. When
// the box is behind on its kind (a report of that kind has waited through a
// send already), it goes ahead of the reports of its kind that came since the
// last send and whose port was served more recently: the fan whose frame went
// out last waits longest, whatever order the caller names the fans in. A box
// that keeps up gets everything in the order it was given.
//
// A speed query yields to the reports behind it for a while, so the poll never
// delays a frame that is due; it goes first once it has waited kQueryYieldMs.
//
// Entries live in a pool allocated once. Not thread-safe; the box link guards it.
class ReportQueue {
public:
    static constexpr size_t kDefaultCapacity = 256;
    static constexpr int64_t kQueryYieldMs = 500;

    enum class Push { Queued, Merged, Full };

    explicit ReportQueue(size_t capacity = kDefaultCapacity);

    // Adds `entry`; tickets it pushed out are appended to *answeredNone.
    // Full: the entry is not taken (its tickets are appended to *answeredNone).
    Push push(QueuedReport entry, std::vector<uint64_t> *answeredNone);
    // Puts `entry` ahead of everything waiting, behind what was put ahead
    // before. Every waiting report it supersedes goes, barriers or not, so
    // nothing older can undo it. Never refused: on a full queue the newest
    // ordinary report makes room (its tickets to *answeredNone).
    void pushAhead(QueuedReport entry, std::vector<uint64_t> *answeredNone);
    // The next report to send at `nowMs`.
    bool pop(QueuedReport *out, int64_t nowMs);
    // Drops waiting lighting reports and queries (their tickets to
    // *answeredNone); what sets fan speeds, saves or waits stays.
    size_t dropLightingAndQueries(std::vector<uint64_t> *answeredNone);
    std::vector<QueuedReport> takeAll();
    size_t size() const { return m_size; }
    bool empty() const { return m_size == 0; }
    size_t capacity() const { return m_slots.size(); }

    // The kind a report supersedes within, or -1 for a barrier: command
    // bytes and port of a speed or lighting report, or of a query.
    static int64_t supersedeKey(const Report &report);
    static bool isLighting(const Report &report) { return report[1] == 0x32 && report[2] == 0x52; }
    static bool isQuery(const Report &report) { return report[1] == 0x33; }

private:
    struct Slot {
        QueuedReport entry;
        int prev = -1;
        int next = -1;
    };

    bool isBarrier(const QueuedReport &e) const;
    // Where the last report of a key went out, in the order of the pops.
    static int servedIndex(const Report &report);
    // Where a report of the served index `served` that supersedes nothing goes.
    int placeFor(int served) const;
    bool yields(const QueuedReport &e, int64_t nowMs) const;
    int allocate();
    void link(int slot, int after); // after -1: at the front
    void unlink(int slot);
    void release(int slot);
    void merge(QueuedReport &into, QueuedReport &&from, std::vector<uint64_t> *answeredNone);

    std::vector<Slot> m_slots;
    int m_head = -1;
    int m_tail = -1;
    int m_free = -1;
    int m_lastAhead = -1;
    size_t m_size = 0;
    uint64_t m_pops = 0;
    // Per kind (speed, lighting, firmware query, speed query) and port byte.
    std::array<uint64_t, 4 * 256> m_lastServed{};
};
