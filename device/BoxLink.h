// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxHealth.h"
#include "Report.h"

#include <QPointer>
#include <QtGlobal>

#include <functional>
#include <map>
#include <memory>
#include <thread>
#include <vector>

class QObject;
struct HidHandle;
struct LinkIo;
struct LinkShared;
struct QueuedReport;
class ReplyInbox;

// One open box, as the GUI thread sees it. The link owns the box's handle
// and an I/O worker on a thread of its own, so a slow or silent box delays
// only its own reports:
// - send() queues a copy and returns at once; reports to one box keep their
//   order, and one that supersedes a waiting one (same port and kind) takes its place;
// - sendAhead() puts a report before everything waiting (the exit caps);
// - query() hands the reply, or "none" (length <= 0), to its handler on the
//   GUI thread, unless the handler's context object is gone by then;
// - exchange() waits for its reply: only for discovery's probe and the firmware read.
// Replies come back through the bus's inbox (deliver()).
class BoxLink {
public:
    using ReplyHandler = std::function<void(const Reply &reply, int length)>;

    // Asked to wake the link's worker soon (wakeWorker()), once the caller has
    // given it everything it has for now; null wakes it at once.
    using WakeLater = std::function<void(BoxLink *link)>;

    // Takes the open handle; `io` and `inbox` must outlive the link.
    BoxLink(int box, quint64 openId, HidHandle *handle, const LinkIo &io, std::shared_ptr<ReplyInbox> inbox,
            WakeLater wakeLater = nullptr);
    // Stops at once (see shutdown) and closes the handle.
    ~BoxLink();

    int box() const { return m_box; }
    quint64 openId() const { return m_openId; }
    BoxHealth health() const { return m_health; }

    void send(const Report &report);
    void sendAhead(const Report &report);
    void query(const Report &report, const ReplyHandler &onReply, QObject *context = nullptr);
    // Blocks the caller at most waitMs; returns what the write returned, or -1.
    int exchange(const Report &report, Reply *reply, int *length, int waitMs);
    // Drops waiting lighting reports and queries (the queries are answered "none").
    void dropLightingAndQueries();

    // Nothing queued, nothing in the worker's hands, no outcome still to come,
    // no reply left to hand out.
    bool isIdle() const;
    int queued() const;
    // Waits at most ms for the worker to send everything queued and learn
    // what came of it (no event loop runs meanwhile); true when it did.
    bool waitDrained(int ms);
    // While true, the worker collects every outcome at once instead of when
    // it next wakes; for callers that wait for the link to be idle.
    void setSettling(bool on);
    // Lets the worker finish what is queued for at most flushMs, drops the
    // rest, stops the thread and closes the handle. Safe to call twice.
    void shutdown(int flushMs);

    // Wakes the worker if it sleeps, for what was queued since.
    void wakeWorker();

    // On the GUI thread: replies from the inbox.
    void deliver(const uint64_t *tickets, int count, const Reply &reply, int length);
    // On the GUI thread: the worker's news; true when the health changed.
    bool setHealth(BoxHealth health);

private:
    struct Waiting {
        ReplyHandler handler;
        QPointer<QObject> context;
        bool hasContext = false;
    };

    // `now`: wake the worker at once rather than later.
    void enqueue(QueuedReport entry, bool ahead, bool now);
    void deliverNone(const std::vector<uint64_t> &tickets);

    const int m_box;
    const quint64 m_openId;
    HidHandle *m_handle;
    const LinkIo &m_io;
    std::shared_ptr<LinkShared> m_shared;
    std::shared_ptr<ReplyInbox> m_inbox;
    std::thread m_thread;
    std::map<quint64, Waiting> m_waiting;
    quint64 m_nextTicket = 1;
    BoxHealth m_health = BoxHealth::Answering;
    bool m_overflowLogged = false;
    bool m_settling = false;
    WakeLater m_wakeLater;
    bool m_wakeAsked = false; // m_wakeLater was called and wakeWorker() has not come yet
};
