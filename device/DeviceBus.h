#pragma once

#include "BoxHealth.h"
#include "common/Limits.h"
#include "LinkIo.h"
#include "Report.h"

#include <QByteArray>
#include <QtGlobal>

#include <functional>
#include <memory>

class BoxLink;
class HidTransport;
class ProtocolTrace;
class QObject;

// The one place where reports reach the boxes: a link per open box, each with
// its own I/O thread (BoxLink). Every caller uses the weakest call that serves it:
// - send():     the caller needs no reply; reports to one box go out in order;
// - query():    the reply (or "none", length <= 0) is handed to onReply on the GUI thread;
// - exchange(): waits for the reply, for discovery's probe and the firmware read.
// Everything here is called from the GUI thread. One bus per program, owned
// by whoever runs the boxes (the core) and handed to its users by reference.
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

    using ReplyHandler = std::function<void(const Reply &reply, int length)>;
    using HealthHandler = std::function<void(int box, BoxHealth health)>;

    // Takes ownership; every open box is closed first.
    void setTransport(std::unique_ptr<HidTransport> transport);
    HidTransport *transport() const { return m_io.transport; }

    // Null switches the trace off.
    void setTrace(std::unique_ptr<ProtocolTrace> trace);

    void setReadTimeout(int ms) { m_io.readTimeoutMs = ms < 0 ? 0 : ms; }
    int readTimeout() const { return m_io.readTimeoutMs; }

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

private:
    bool allIdle() const;
    BoxLink *link(int box) const;

    LinkIo m_io;
    std::unique_ptr<HidTransport> m_transport;
    std::unique_ptr<BoxLink> m_links[kBoxCount];
    HealthHandler m_healthHandler;
    quint64 m_openIds[kBoxCount] = {};
    QByteArray m_nodes[kBoxCount];
    int m_emergency[kBoxCount]; // -1: none
    quint64 m_lastOpenId = 0;
};
