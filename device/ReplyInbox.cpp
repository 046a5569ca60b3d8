// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReplyInbox.h"

#include <chrono>

ReplyInbox::ReplyInbox(std::function<void()> wake)
    : m_wake(std::move(wake))
{
    m_items.reserve(64);
}

void ReplyInbox::setWake(std::function<void()> wake)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_wake = std::move(wake);
}

void ReplyInbox::postReply(int box, quint64 openId, const QueuedReport &sent, const Reply &reply, int length)
{
    Item item;
    item.box = box;
    item.openId = openId;
    item.tickets = sent.tickets;
    item.ticketCount = sent.ticketCount;
    item.reply = reply;
    item.length = length;
    post(item);
}

void ReplyInbox::postHealth(int box, quint64 openId, BoxHealth health)
{
    Item item;
    item.box = box;
    item.openId = openId;
    item.isHealth = true;
    item.health = health;
    post(item);
}

void ReplyInbox::postNone(int box, quint64 openId, const std::vector<uint64_t> &tickets)
{
    for (size_t i = 0; i < tickets.size();) {
        Item item;
        item.box = box;
        item.openId = openId;
        for (; i < tickets.size() && item.ticketCount < QueuedReport::kMaxTickets; ++i)
            item.tickets[item.ticketCount++] = tickets[i];
        post(item);
    }
}

void ReplyInbox::post(const Item &item)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_items.push_back(item);
        ++m_activityCount;
        // Under the lock, so that the waker cannot go away in the middle.
        if (!m_wakePending && m_wake) {
            m_wakePending = true;
            ++m_wakes;
            m_wake();
        }
    }
    m_activity.notify_all();
}

void ReplyInbox::take(std::vector<Item> *items)
{
    items->clear();
    std::lock_guard<std::mutex> lock(m_mutex);
    items->swap(m_items);
    m_wakePending = false;
}

void ReplyInbox::notifyActivity()
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_activityCount;
    }
    m_activity.notify_all();
}

void ReplyInbox::waitForActivity(int ms)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    const quint64 seen = m_activityCount;
    m_activity.wait_for(lock, std::chrono::milliseconds(ms < 0 ? 0 : ms),
                        [&] { return m_activityCount != seen || !m_items.empty(); });
}

quint64 ReplyInbox::wakeCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_wakes;
}
