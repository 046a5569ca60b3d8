#pragma once

#include "BoxHealth.h"
#include "Report.h"
#include "ReportQueue.h"

#include <QObject>
#include <QVector>

#include <condition_variable>
#include <memory>
#include <mutex>

struct HidHandle;
struct LinkIo;

// What a box link (GUI thread) and its worker (I/O thread) share: the queue
// and the worker's progress, all behind one lock.
struct LinkShared {
    std::mutex mutex;
    std::condition_variable idle; // signalled whenever the worker runs dry
    ReportQueue queue;
    bool drainScheduled = false;  // a drain() is on its way to the worker
    bool busy = false;            // the worker holds a report it has not finished
    bool stopping = false;        // no more I/O: the link is closing
};

// A blocking exchange: the caller waits until the worker has done it.
struct PendingExchange {
    std::mutex mutex;
    std::condition_variable done;
    bool finished = false;
    int written = -1;
    int length = -1;
    Reply reply{};

    void finish(int w, const Reply &in, int len);
};

// Does one box's I/O on its own thread: takes reports from the shared queue,
// writes each and reads its reply, and hands replies back as signals. It owns
// the handle while it runs; nothing else touches it.
class BoxWorker : public QObject {
    Q_OBJECT
public:
    BoxWorker(int box, HidHandle *handle, const LinkIo &io, std::shared_ptr<LinkShared> shared);

public slots:
    // Works through the queue until it is empty or the link is closing.
    void drain();

signals:
    void replied(const QVector<quint64> &tickets, const Reply &reply, int length);
    void healthChanged(BoxHealth health);

private:
    int exchange(const Report &out, Reply *in, int *length);
    void drainStaleReplies();

    const int m_box;
    HidHandle *const m_handle;
    const LinkIo &m_io;
    std::shared_ptr<LinkShared> m_shared;
    BoxHealthTracker m_health;
    // A read timed out: its reply may still come and must not answer the next write.
    bool m_maybeStale = false;
};
