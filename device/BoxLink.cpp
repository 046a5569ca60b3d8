#include "BoxLink.h"

#include "BoxWorker.h"
#include "HidTransport.h"
#include "LinkIo.h"
#include "common/Logging.h"

#include <QMetaObject>
#include <QThread>

#include <chrono>

namespace {

// A worker that does not stop within this long is stuck in the kernel; it is
// left behind rather than waited for.
constexpr int kJoinMs = 2000;

void registerTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<Reply>("Reply");
        qRegisterMetaType<QVector<quint64>>("QVector<quint64>");
        qRegisterMetaType<BoxHealth>("BoxHealth");
        return true;
    }();
    Q_UNUSED(registered);
}

} // namespace

BoxLink::BoxLink(int box, HidHandle *handle, const LinkIo &io, QObject *parent)
    : QObject(parent)
    , m_box(box)
    , m_handle(handle)
    , m_io(io)
    , m_shared(std::make_shared<LinkShared>())
{
    registerTypes();
    m_thread = new QThread();
    m_thread->setObjectName(QStringLiteral("box %1").arg(box));
    m_worker = new BoxWorker(box, handle, io, m_shared);
    m_worker->moveToThread(m_thread);
    connect(m_worker, &BoxWorker::replied, this, &BoxLink::deliver, Qt::QueuedConnection);
    connect(m_worker, &BoxWorker::healthChanged, this, &BoxLink::onWorkerHealth, Qt::QueuedConnection);
    m_thread->start();
}

BoxLink::~BoxLink()
{
    shutdown(0);
}

void BoxLink::enqueue(QueuedReport entry)
{
    std::vector<uint64_t> none;
    bool schedule = false;
    ReportQueue::Push result;
    size_t length = 0;
    {
        std::lock_guard<std::mutex> lock(m_shared->mutex);
        if (m_shared->stopping) {
            none = entry.tickets;
            result = ReportQueue::Push::Full;
        } else {
            result = m_shared->queue.push(std::move(entry), &none);
            length = m_shared->queue.size();
            if (result != ReportQueue::Push::Full && !m_shared->drainScheduled) {
                m_shared->drainScheduled = true;
                schedule = true;
            }
        }
    }
    if (result == ReportQueue::Push::Full && !m_overflowLogged) {
        m_overflowLogged = true;
        qCWarning(lcDevice) << "box" << m_box << "queue full: reports dropped until it drains";
    } else if (length < ReportQueue::kDefaultCapacity / 2) {
        // Told again only after the box caught up, not at every report around the limit.
        m_overflowLogged = false;
    }
    if (schedule)
        QMetaObject::invokeMethod(m_worker, &BoxWorker::drain, Qt::QueuedConnection);
    if (!none.empty())
        deliverNone(none);
}

void BoxLink::send(const Report &report)
{
    QueuedReport entry;
    entry.report = report;
    enqueue(std::move(entry));
}

void BoxLink::query(const Report &report, const ReplyHandler &onReply, QObject *context)
{
    const quint64 ticket = m_nextTicket++;
    Waiting &waiting = m_waiting[ticket];
    waiting.handler = onReply;
    waiting.context = context;
    waiting.hasContext = context != nullptr;
    QueuedReport entry;
    entry.report = report;
    entry.tickets.push_back(ticket);
    enqueue(std::move(entry));
}

int BoxLink::exchange(const Report &report, Reply *reply, int *length, int waitMs)
{
    auto pending = std::make_shared<PendingExchange>();
    QueuedReport entry;
    entry.report = report;
    entry.exchange = pending;
    enqueue(std::move(entry));

    std::unique_lock<std::mutex> lock(pending->mutex);
    const bool done = pending->done.wait_for(lock, std::chrono::milliseconds(waitMs < 0 ? 0 : waitMs),
                                             [&] { return pending->finished; });
    if (reply)
        *reply = done ? pending->reply : Reply{};
    if (length)
        *length = done ? pending->length : -1;
    return done ? pending->written : -1;
}

int BoxLink::queued() const
{
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return static_cast<int>(m_shared->queue.size());
}

bool BoxLink::isIdle() const
{
    if (!m_waiting.empty())
        return false;
    std::lock_guard<std::mutex> lock(m_shared->mutex);
    return m_shared->stopping || (m_shared->queue.empty() && !m_shared->busy && !m_shared->drainScheduled);
}

bool BoxLink::waitDrained(int ms)
{
    std::unique_lock<std::mutex> lock(m_shared->mutex);
    return m_shared->idle.wait_for(lock, std::chrono::milliseconds(ms < 0 ? 0 : ms), [this] {
        return m_shared->stopping || (m_shared->queue.empty() && !m_shared->busy);
    });
}

void BoxLink::deliver(const QVector<quint64> &tickets, const Reply &reply, int length)
{
    for (quint64 ticket : tickets) {
        auto it = m_waiting.find(ticket);
        if (it == m_waiting.end())
            continue;
        const Waiting waiting = std::move(it->second);
        m_waiting.erase(it);
        if (waiting.handler && (!waiting.hasContext || waiting.context))
            waiting.handler(reply, length);
    }
}

void BoxLink::deliverNone(const std::vector<uint64_t> &tickets)
{
    // Later, on the event loop, never inside the caller's send or query.
    const QVector<quint64> list(tickets.begin(), tickets.end());
    QMetaObject::invokeMethod(
        this, [this, list] { deliver(list, Reply{}, 0); }, Qt::QueuedConnection);
}

void BoxLink::onWorkerHealth(BoxHealth health)
{
    if (health == m_health)
        return;
    m_health = health;
    emit healthChanged(m_box, health);
}

void BoxLink::shutdown(int flushMs)
{
    if (!m_thread)
        return;
    std::deque<QueuedReport> dropped;
    {
        std::unique_lock<std::mutex> lock(m_shared->mutex);
        if (flushMs > 0) {
            m_shared->idle.wait_for(lock, std::chrono::milliseconds(flushMs), [this] {
                return m_shared->queue.empty() && !m_shared->busy;
            });
        }
        m_shared->stopping = true;
        dropped = m_shared->queue.takeAll();
    }
    for (QueuedReport &entry : dropped) {
        if (entry.exchange)
            entry.exchange->finish(-1, Reply{}, -1);
    }
    m_waiting.clear();
    m_thread->quit();
    if (m_thread->wait(static_cast<unsigned long>(m_io.readTimeoutMs.load() + kJoinMs))) {
        delete m_worker;
        delete m_thread;
        if (m_handle && m_io.transport)
            m_io.transport->close(m_handle);
    } else {
        // The worker still holds the handle; closing it under its feet would be worse.
        qCWarning(lcDevice) << "box" << m_box << "I/O thread did not stop; its handle is left open";
    }
    m_worker = nullptr;
    m_thread = nullptr;
    m_handle = nullptr;
}
