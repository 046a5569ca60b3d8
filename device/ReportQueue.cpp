#include "ReportQueue.h"

int64_t ReportQueue::supersedeKey(const Report &r)
{
    const bool speedOrLighting = r[1] == 0x32 && (r[2] == 0x51 || r[2] == 0x52);
    const bool query = r[1] == 0x33 && (r[2] == 0x50 || r[2] == 0x51);
    if (!speedOrLighting && !query)
        return -1;
    return (int64_t(r[1]) << 16) | (int64_t(r[2]) << 8) | int64_t(r[3]);
}

ReportQueue::Push ReportQueue::push(QueuedReport entry, std::vector<uint64_t> *answeredNone)
{
    const int64_t key = entry.exchange ? -1 : supersedeKey(entry.report);
    if (key >= 0) {
        // Look back to the last barrier for a report this one supersedes.
        for (auto it = m_entries.rbegin(); it != m_entries.rend(); ++it) {
            if (it->exchange || supersedeKey(it->report) < 0)
                break;
            if (supersedeKey(it->report) != key)
                continue;
            std::vector<uint64_t> tickets = std::move(it->tickets);
            m_entries.erase(std::next(it).base());
            tickets.insert(tickets.end(), entry.tickets.begin(), entry.tickets.end());
            while (tickets.size() > kMaxTicketsPerReport) {
                answeredNone->push_back(tickets.front());
                tickets.erase(tickets.begin());
            }
            entry.tickets = std::move(tickets);
            m_entries.push_back(std::move(entry));
            return Push::Merged;
        }
    }
    if (m_entries.size() >= m_capacity) {
        answeredNone->insert(answeredNone->end(), entry.tickets.begin(), entry.tickets.end());
        return Push::Full;
    }
    m_entries.push_back(std::move(entry));
    return Push::Queued;
}

bool ReportQueue::pop(QueuedReport *out)
{
    if (m_entries.empty())
        return false;
    *out = std::move(m_entries.front());
    m_entries.pop_front();
    return true;
}

std::deque<QueuedReport> ReportQueue::takeAll()
{
    std::deque<QueuedReport> all;
    all.swap(m_entries);
    return all;
}
