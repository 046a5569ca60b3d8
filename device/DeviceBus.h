// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxHealth.h"
#include "common/Limits.h"
#include "LinkIo.h"
#include "Report.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <vector>

class BoxLink;
class HidTransport;
class ReplyInbox;
struct ReplyInboxItem;
class Waker;
class ProtocolTrace;
class QObject;

// The one place where reports reach the boxes: a link per open box, each with
// its own I/O thread (BoxLink). Every caller uses the weakest call that serves it:
// - send():     the caller needs no reply; reports to one box go out in order;
// - query():    the reply (or "none", length <= 0) is handed to onReply on the GUI thread;
// - exchange(): waits for the reply, for discovery's probe and the firmware read.
// Replies and health news come back to the GUI thread in batches, through one
// inbox for every box. A box's worker is woken for what send() and query()
// queued once the GUI thread is back in its event loop, so that it finds a
// whole tick at once; a caller that queues and then blocks without the event
// loop uses flush() or waitForIdle(). Everything here is called from the GUI
// thread. One bus per program, owned by whoever runs the boxes (the core) and
// handed to its users by reference.
class DeviceBus {
public:
    DeviceBus();
    ~DeviceBus();
    DeviceBus(const DeviceBus &) = delete;
    DeviceBus &operator=(const DeviceBus &) = delete;

    // Boxes answer within a few milliseconds; 100 ms leaves a wide margin for
    // a busy USB bus while a box that never answers holds up only its own queue.
    static constexpr int kDefaultReadTimeoutMs = 100;
    // How long exchange() waits for its turn and its reply before giving up.
    static constexpr int kExchangeWaitMs = 1000;
    // Lighting reports written before the echo of the first came back: a
    // music tick of a whole box goes out at once, and the box's replies,
    // matched by their echo, still tell whether it answers.
    static constexpr int kDefaultPipelineDepth = 5;

    using ReplyHandler = std::function<void(const Reply &reply, int length)>;
    using HealthHandler = std::function<void(int box, BoxHealth health)>;

    // Takes ownership; every open box is closed first.
    void setTransport(std::unique_ptr<HidTransport> transport);
    HidTransport *transport() const { return m_io.transport; }

    // Null switches the trace off.
    void setTrace(std::unique_ptr<ProtocolTrace> trace);

    // The shortest time a read waits for a reply; a box that answers slowly
    // gets longer (see ReplyTiming).
    void setReadTimeout(int ms) { m_io.readTimeoutMs = ms < 0 ? 0 : ms; }
    int readTimeout() const { return m_io.readTimeoutMs; }

    // 1: every report waits for its reply before the next is written.
    void setPipelineDepth(int depth) { m_io.pipelineDepth = depth < 1 ? 1 : depth; }
    int pipelineDepth() const { return m_io.pipelineDepth; }

    // Told on the GUI thread whenever an open box's health changes.
    void setHealthHandler(HealthHandler handler) { m_healthHandler = std::move(handler); }

    int init();
    // Opens box `box` (closing an open link of it first); false when it cannot be opened.
    bool open(int box);
    bool isOpen(int box) const;
    // Tells one opening of a box from the next: a new number for every open,
    // 0 while the box is closed.
    quint64 openId(int box) const;
    // The device node the open box lives on (empty while closed).
    QByteArray node(int box) const;
    // Where a crash handler may write the box a whole report; -1 if nowhere.
    int emergencyDescriptor(int box) const;
    BoxHealth health(int box) const;
    // Reports waiting in the box's queue (0 when it is closed).
    int queued(int box) const;
    // Drops what is queued for the box and closes it.
    void close(int box);
    void closeAll();

    int exchange(int box, const Report &out, Reply *reply = nullptr, int *replyLength = nullptr);
    void send(int box, const Report &out);
    // Goes ahead of everything waiting for the box, and replaces any waiting
    // report of its kind: for the reports that leave the fans safe on exit.
    void sendAhead(int box, const Report &out);
    // Drops the lighting reports and queries still waiting for every box
    // (queries are answered "none"); speed reports and the rest stay.
    void dropWaitingLightingAndQueries();
    // With a context, the handler is skipped when the context is gone by then.
    void query(int box, const Report &out, const ReplyHandler &onReply, QObject *context = nullptr);

    // Runs the GUI event loop until every open box has sent all it was given
    // and every reply has been handed out; false after timeoutMs.
    bool waitForIdle(int timeoutMs = 5000);
    // Gives every open box at most timeoutMs in all to send what is queued;
    // false when some box still had reports left.
    bool flush(int timeoutMs);

    // Opens a handle and closes it again at once, for the presence scan.
    bool canOpen(int box);

    // Hands out the replies and health news the workers have posted. Runs by
    // itself on the event loop; waitForIdle() calls it too.
    void deliverReplies();
    // How often the box workers woke the GUI thread to hand something out.
    quint64 replyWakeUps() const;

private:
    bool allIdle() const;
    BoxLink *link(int box) const;
    void setSettling(bool on);
    // Wakes the workers that were given reports since the last time.
    void wakeWorkers();

    LinkIo m_io;
    std::shared_ptr<ReplyInbox> m_inbox;
    std::unique_ptr<Waker> m_waker;
    std::vector<ReplyInboxItem> m_spare;
    // Workers to wake once the GUI thread is back in its event loop.
    bool m_toWake[kBoxCount] = {};
    bool m_wakeScheduled = false;
    std::unique_ptr<HidTransport> m_transport;
    std::unique_ptr<BoxLink> m_links[kBoxCount];
    HealthHandler m_healthHandler;
    quint64 m_openIds[kBoxCount] = {};
    QByteArray m_nodes[kBoxCount];
    int m_emergency[kBoxCount]; // -1: none
    quint64 m_lastOpenId = 0;
};
