// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxHealth.h"
#include "Report.h"
#include "ReportQueue.h"

#include <QtGlobal>

#include <array>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

// One thing the GUI thread is to be told.
struct ReplyInboxItem {
    int box = -1;
    quint64 openId = 0; // which opening of the box it belongs to
    bool isHealth = false;
    BoxHealth health = BoxHealth::Answering;
    std::array<uint64_t, QueuedReport::kMaxTickets> tickets{};
    int ticketCount = 0;
    Reply reply{};
    int length = 0;
};

// What the box workers hand back to the GUI thread: replies that someone
// waits for, and changes of a box's health. One inbox for every box, so that
// replies that come close together cost the GUI thread one wake-up, and
// reports whose reply nobody waits for cost it none.
class ReplyInbox {
public:
    using Item = ReplyInboxItem;

    // `wake` is called, from whichever thread posts, when the inbox goes from
    // empty to holding something; it must get take() called on the GUI thread.
    explicit ReplyInbox(std::function<void()> wake = nullptr);

    void setWake(std::function<void()> wake);
    void postReply(int box, quint64 openId, const QueuedReport &sent, const Reply &reply, int length);
    void postHealth(int box, quint64 openId, BoxHealth health);
    // "None" for queries that will never be sent; handed out like any reply.
    void postNone(int box, quint64 openId, const std::vector<uint64_t> &tickets);
    // Everything posted so far, oldest first. `spare` is given back for reuse,
    // so a steady stream of replies allocates nothing.
    void take(std::vector<Item> *items);

    // Something changed that a waiter may be looking for: an item was posted,
    // or a worker ran dry. Waits at most `ms`.
    void waitForActivity(int ms);
    void notifyActivity();

    // How often a post had to wake the GUI thread.
    quint64 wakeCount() const;

private:
    void post(const Item &item);

    mutable std::mutex m_mutex;
    std::condition_variable m_activity;
    std::vector<Item> m_items;
    bool m_wakePending = false;
    quint64 m_activityCount = 0;
    quint64 m_wakes = 0;
    std::function<void()> m_wake;
};
