#pragma once

#include "BoxHealth.h"
#include "Report.h"

#include <QObject>
#include <QPointer>
#include <QVector>

#include <functional>
#include <map>
#include <memory>

class BoxWorker;
class QThread;
struct HidHandle;
struct LinkIo;
struct LinkShared;
struct QueuedReport;

// One open box, as the GUI thread sees it. The link owns the box's handle
// and an I/O worker on a thread of its own, so a slow or silent box delays
// only its own reports:
// - send() queues a copy and returns at once; reports to one box keep their
//   order, and one that supersedes a waiting one (same port and kind) replaces it;
// - query() hands the reply, or "none" (length <= 0), to its handler on the
//   GUI thread, unless the handler's context object is gone by then;
// - exchange() waits for its reply: only for discovery's probe and the firmware read.
class BoxLink : public QObject {
    Q_OBJECT
public:
    using ReplyHandler = std::function<void(const Reply &reply, int length)>;

    // Takes the open handle; `io` must outlive the link.
    BoxLink(int box, HidHandle *handle, const LinkIo &io, QObject *parent = nullptr);
    // Stops at once (see shutdown) and closes the handle.
    ~BoxLink() override;

    int box() const { return m_box; }
    BoxHealth health() const { return m_health; }

    void send(const Report &report);
    void query(const Report &report, const ReplyHandler &onReply, QObject *context = nullptr);
    // Blocks the caller at most waitMs; returns what the write returned, or -1.
    int exchange(const Report &report, Reply *reply, int *length, int waitMs);

    // Nothing queued, nothing in the worker's hands, no reply left to hand out.
    bool isIdle() const;
    int queued() const;
    // Waits at most ms for the worker to send everything queued (no event loop
    // runs meanwhile); true when it did.
    bool waitDrained(int ms);
    // Lets the worker finish what is queued for at most flushMs, drops the
    // rest, stops the thread and closes the handle. Safe to call twice.
    void shutdown(int flushMs);

signals:
    void healthChanged(int box, BoxHealth health);

private:
    struct Waiting {
        ReplyHandler handler;
        QPointer<QObject> context;
        bool hasContext = false;
    };

    void enqueue(QueuedReport entry);
    void deliver(const QVector<quint64> &tickets, const Reply &reply, int length);
    void deliverNone(const std::vector<uint64_t> &tickets);
    void onWorkerHealth(BoxHealth health);

    const int m_box;
    HidHandle *m_handle;
    const LinkIo &m_io;
    std::shared_ptr<LinkShared> m_shared;
    QThread *m_thread = nullptr;
    BoxWorker *m_worker = nullptr;
    std::map<quint64, Waiting> m_waiting;
    quint64 m_nextTicket = 1;
    BoxHealth m_health = BoxHealth::Answering;
    bool m_overflowLogged = false;
};
