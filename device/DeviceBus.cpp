// SPDX-License-Identifier: GPL-3.0-or-later
#include "DeviceBus.h"

#include "BoxLink.h"
#include "BoxTable.h"
#include "CrashSafety.h"
#include "HidTransport.h"
#include "ProtocolTrace.h"
#include "ReplyInbox.h"
#include "Waker.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <algorithm>
#include <iterator>

DeviceBus::DeviceBus()
    : m_inbox(std::make_shared<ReplyInbox>())
{
    std::fill(std::begin(m_emergency), std::end(m_emergency), -1);
    m_io.pipelineDepth = kDefaultPipelineDepth;
}

DeviceBus::~DeviceBus()
{
    closeAll();
    // No worker is left to post, and none may reach the waker while it goes.
    m_inbox->setWake(nullptr);
}

void DeviceBus::setTransport(std::unique_ptr<HidTransport> transport)
{
    closeAll();
    m_transport = std::move(transport);
    m_io.transport = m_transport.get();
}

void DeviceBus::setTrace(std::unique_ptr<ProtocolTrace> trace)
{
    std::atomic_store(&m_io.trace, std::shared_ptr<ProtocolTrace>(std::move(trace)));
}

int DeviceBus::init()
{
    return m_transport ? m_transport->init() : -1;
}

BoxLink *DeviceBus::link(int box) const
{
    return isValidBox(box) ? m_links[box].get() : nullptr;
}

bool DeviceBus::open(int box)
{
    if (!m_transport || !isValidBox(box))
        return false;
    close(box);
    HidHandle *handle = m_transport->open(kVendorId, static_cast<unsigned short>(kProductIdBase + box));
    if (const auto trace = m_io.currentTrace())
        trace->open(box, handle != nullptr);
    if (!handle)
        return false;
    // Asked now, while no worker holds the handle yet.
    m_nodes[box] = m_transport->node(handle);
    m_emergency[box] = m_transport->emergencyDescriptor(handle);
    if (!m_waker && QCoreApplication::instance()) {
        // Made on the first open, on the thread that runs the event loop.
        m_waker = std::make_unique<Waker>([this] { deliverReplies(); });
        Waker *waker = m_waker.get();
        m_inbox->setWake([waker] { waker->wake(); });
    }
    m_openIds[box] = ++m_lastOpenId;
    BoxLink::WakeLater wakeLater;
    if (QCoreApplication::instance()) {
        wakeLater = [this](BoxLink *l) {
            m_toWake[l->box()] = true;
            if (m_wakeScheduled)
                return;
            m_wakeScheduled = true;
            // On the bus's own waker: a bus that goes away with a wake still
            // queued takes the wake with it.
            QMetaObject::invokeMethod(
                m_waker.get(), [this] { wakeWorkers(); }, Qt::QueuedConnection);
        };
    }
    m_links[box] = std::make_unique<BoxLink>(box, m_openIds[box], handle, m_io, m_inbox, wakeLater);
    return true;
}

bool DeviceBus::canOpen(int box)
{
    if (!m_transport || !isValidBox(box))
        return false;
    HidHandle *handle = m_transport->open(kVendorId, static_cast<unsigned short>(kProductIdBase + box));
    const auto trace = m_io.currentTrace();
    if (trace)
        trace->open(box, handle != nullptr);
    if (handle) {
        m_transport->close(handle);
        if (trace)
            trace->close(box);
    }
    return handle != nullptr;
}

bool DeviceBus::isOpen(int box) const
{
    return link(box) != nullptr;
}

quint64 DeviceBus::openId(int box) const
{
    return link(box) ? m_openIds[box] : 0;
}

QByteArray DeviceBus::node(int box) const
{
    return link(box) ? m_nodes[box] : QByteArray();
}

int DeviceBus::emergencyDescriptor(int box) const
{
    return link(box) ? m_emergency[box] : -1;
}

BoxHealth DeviceBus::health(int box) const
{
    const BoxLink *l = link(box);
    return l ? l->health() : BoxHealth::Gone;
}

int DeviceBus::queued(int box) const
{
    const BoxLink *l = link(box);
    return l ? l->queued() : 0;
}

void DeviceBus::close(int box)
{
    if (!link(box))
        return;
    CrashSafety::forget(m_emergency[box]);
    m_links[box]->shutdown(0);
    m_links[box].reset();
    m_nodes[box].clear();
    m_emergency[box] = -1;
    if (const auto trace = m_io.currentTrace())
        trace->close(box);
}

void DeviceBus::closeAll()
{
    for (int box = 0; box < kBoxCount; ++box)
        close(box);
}

int DeviceBus::exchange(int box, const Report &out, Reply *reply, int *replyLength)
{
    BoxLink *l = link(box);
    if (!l) {
        if (reply)
            *reply = Reply{};
        if (replyLength)
            *replyLength = -1;
        return -1;
    }
    return l->exchange(out, reply, replyLength, kExchangeWaitMs);
}

void DeviceBus::send(int box, const Report &out)
{
    if (BoxLink *l = link(box))
        l->send(out);
}

void DeviceBus::sendAhead(int box, const Report &out)
{
    if (BoxLink *l = link(box))
        l->sendAhead(out);
}

void DeviceBus::dropWaitingLightingAndQueries()
{
    for (const auto &l : m_links) {
        if (l)
            l->dropLightingAndQueries();
    }
}

void DeviceBus::deliverReplies()
{
    // A local batch: a handler may wait for the bus and come back here.
    std::vector<ReplyInboxItem> items;
    items.swap(m_spare);
    m_inbox->take(&items);
    for (const ReplyInboxItem &item : items) {
        BoxLink *l = link(item.box);
        if (!l || l->openId() != item.openId)
            continue; // for an opening of the box that is closed by now
        if (!item.isHealth)
            l->deliver(item.tickets.data(), item.ticketCount, item.reply, item.length);
        else if (l->setHealth(item.health) && m_healthHandler)
            m_healthHandler(item.box, item.health);
    }
    items.clear();
    if (items.capacity() > m_spare.capacity())
        m_spare.swap(items);
}

void DeviceBus::query(int box, const Report &out, const ReplyHandler &onReply, QObject *context)
{
    if (BoxLink *l = link(box)) {
        l->query(out, onReply, context);
        return;
    }
    // No box behind the number: "none", later on the event loop like any reply.
    QObject *receiver = context ? context : QCoreApplication::instance();
    if (receiver && onReply)
        QMetaObject::invokeMethod(receiver, [onReply] { onReply(Reply{}, -1); }, Qt::QueuedConnection);
}

bool DeviceBus::allIdle() const
{
    for (const auto &l : m_links) {
        if (l && !l->isIdle())
            return false;
    }
    return true;
}

quint64 DeviceBus::replyWakeUps() const
{
    return m_inbox->wakeCount();
}

void DeviceBus::wakeWorkers()
{
    m_wakeScheduled = false;
    for (int box = 0; box < kBoxCount; ++box) {
        if (!m_toWake[box])
            continue;
        m_toWake[box] = false;
        if (BoxLink *l = link(box))
            l->wakeWorker();
    }
}

void DeviceBus::setSettling(bool on)
{
    for (const auto &l : m_links) {
        if (l)
            l->setSettling(on);
    }
}

bool DeviceBus::waitForIdle(int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    bool idle = false;
    for (;;) {
        // Links opened meanwhile are asked too.
        wakeWorkers();
        setSettling(true);
        deliverReplies();
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (allIdle()) {
            idle = true;
            break;
        }
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            break;
        // Woken by a reply or a worker running dry; now and then the event
        // loop gets a turn for whatever else a handler waits for.
        m_inbox->waitForActivity(int(qMin<qint64>(left, 5)));
    }
    setSettling(false);
    return idle;
}

bool DeviceBus::flush(int timeoutMs)
{
    wakeWorkers();
    QElapsedTimer clock;
    clock.start();
    bool all = true;
    for (const auto &l : m_links) {
        if (l && !l->waitDrained(qMax<qint64>(0, timeoutMs - clock.elapsed())))
            all = false;
    }
    return all;
}
