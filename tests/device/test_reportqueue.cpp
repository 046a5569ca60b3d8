// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoxHealth.h"
#include "device/ReportQueue.h"
#include "device/Reports.h"

#include <QtTest>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {
// Counts the allocations made while `g_counting` is set.
std::atomic<long> g_allocations{0};
std::atomic<bool> g_counting{false};
} // namespace

void *operator new(std::size_t size)
{
    if (g_counting)
        ++g_allocations;
    if (void *p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void *p) noexcept { std::free(p); }
void operator delete(void *p, std::size_t) noexcept { std::free(p); }

namespace {

QueuedReport sendOf(const Report &r)
{
    QueuedReport e;
    e.report = r;
    return e;
}

QueuedReport queryOf(const Report &r, uint64_t ticket)
{
    QueuedReport e = sendOf(r);
    e.tickets[0] = ticket;
    e.ticketCount = 1;
    return e;
}

std::vector<uint64_t> ticketsOf(const QueuedReport &e)
{
    return std::vector<uint64_t>(e.tickets.begin(), e.tickets.begin() + e.ticketCount);
}

// Long after anything was queued: no query yields any more.
constexpr int64_t kLater = 1000000;

std::vector<Report> drain(ReportQueue &q, int64_t nowMs = kLater)
{
    std::vector<Report> out;
    QueuedReport e;
    while (q.pop(&e, nowMs))
        out.push_back(e.report);
    return out;
}

Reply echoOf(const Report &out)
{
    Reply in{};
    in[0] = out[1];
    in[1] = out[2];
    return in;
}

} // namespace

// The queue of one box: what supersedes what, and what never merges.
class TestReportQueue : public QObject {
    Q_OBJECT

private slots:
    void newestOfAKindWinsInTheWaitingOnesPlace()
    {
        ReportQueue q;
        std::vector<uint64_t> none;
        QCOMPARE(q.push(sendOf(Reports::fanDuty(1, 40)), &none), ReportQueue::Push::Queued);
        QCOMPARE(q.push(sendOf(Reports::rainbowLighting(1, 24)), &none), ReportQueue::Push::Queued);
        QCOMPARE(q.push(sendOf(Reports::fanDuty(2, 50)), &none), ReportQueue::Push::Queued);
        // Port 1's speed again: the duty and the target speed set the same thing.
        QCOMPARE(q.push(sendOf(Reports::fanTargetSpeed(1, 900)), &none), ReportQueue::Push::Merged);
        QCOMPARE(q.push(sendOf(Reports::rainbowLighting(1, 25)), &none), ReportQueue::Push::Merged);
        QVERIFY(none.empty());
        const std::vector<Report> out = drain(q);
        QCOMPARE(out.size(), size_t(3));
        // Each kind keeps the turn it had: the newest report of it goes there.
        QVERIFY(out[0] == Reports::fanTargetSpeed(1, 900));
        QVERIFY(out[1] == Reports::rainbowLighting(1, 25));
        QVERIFY(out[2] == Reports::fanDuty(2, 50));

        // Single-colour fans: duty and "performance" of one port supersede each other too.
        q.push(sendOf(Reports::vaylaDuty(3, 20)), &none);
        q.push(sendOf(Reports::vaylaLighting(3, 0, 1, 2, 3)), &none);
        q.push(sendOf(Reports::vaylaPerformance(3)), &none);
        const std::vector<Report> vayla = drain(q);
        QCOMPARE(vayla.size(), size_t(2));
        QVERIFY(vayla[0] == Reports::vaylaPerformance(3));
    }

    void barriersAreNeverCrossed()
    {
        ReportQueue q;
        std::vector<uint64_t> none;
        q.push(sendOf(Reports::rainbowLighting(2, 24)), &none);
        q.push(sendOf(Reports::saveSettings()), &none);
        // After the save: a new colour for port 2 must not jump ahead of it,
        // nor may the colour the save was meant to keep be dropped.
        QCOMPARE(q.push(sendOf(Reports::rainbowLighting(2, 25)), &none), ReportQueue::Push::Queued);
        q.push(sendOf(Reports::probe()), &none);
        q.push(sendOf(Reports::probe()), &none);
        QueuedReport exchange = sendOf(Reports::readFanSpeed(1));
        exchange.exchange = std::make_shared<PendingExchange>();
        q.push(std::move(exchange), &none);
        // A query may not merge into a blocking exchange of the same report.
        QCOMPARE(q.push(queryOf(Reports::readFanSpeed(1), 9), &none), ReportQueue::Push::Queued);
        const std::vector<Report> out = drain(q);
        QCOMPARE(out.size(), size_t(7));
        QVERIFY(out[0] == Reports::rainbowLighting(2, 24));
        QVERIFY(out[1] == Reports::saveSettings());
        QVERIFY(out[2] == Reports::rainbowLighting(2, 25));
    }

    void queriesShareOneReplyAndNoTicketIsLost()
    {
        ReportQueue q;
        std::vector<uint64_t> none;
        q.push(queryOf(Reports::readFanSpeed(1), 1), &none);
        q.push(queryOf(Reports::readFanSpeed(2), 2), &none);
        QCOMPARE(q.push(queryOf(Reports::readFanSpeed(1), 3), &none), ReportQueue::Push::Merged);
        // A query never merges with a command, even of the same port.
        QCOMPARE(q.push(sendOf(Reports::fanDuty(1, 30)), &none), ReportQueue::Push::Queued);
        QueuedReport e;
        QVERIFY(q.pop(&e, kLater));
        QVERIFY(e.report == Reports::readFanSpeed(1));
        QCOMPARE(ticketsOf(e), (std::vector<uint64_t>{1, 3}));
        QVERIFY(q.pop(&e, kLater));
        QVERIFY(e.report == Reports::readFanSpeed(2));

        // Beyond the per-report bound, the oldest waiting tickets are answered "none".
        for (uint64_t t = 10; t < 10 + QueuedReport::kMaxTickets + 3; ++t)
            q.push(queryOf(Reports::readFanSpeed(5), t), &none);
        QCOMPARE(none, (std::vector<uint64_t>{10, 11, 12}));
        q.takeAll();
    }

    void aFullQueueRefusesAndAnswersNone()
    {
        ReportQueue q(4);
        std::vector<uint64_t> none;
        for (int i = 0; i < 4; ++i)
            QCOMPARE(q.push(sendOf(Reports::saveSettings()), &none), ReportQueue::Push::Queued);
        QCOMPARE(q.push(sendOf(Reports::saveSettings()), &none), ReportQueue::Push::Full);
        QCOMPARE(q.push(queryOf(Reports::readFirmwareVersion(), 7), &none), ReportQueue::Push::Full);
        QCOMPARE(none, std::vector<uint64_t>{7});
        QCOMPARE(q.size(), size_t(4));
        // A report that supersedes a waiting one still gets in: it takes no room.
        q.takeAll();
        q.push(sendOf(Reports::fanDuty(1, 30)), &none);
        for (int i = 0; i < 3; ++i)
            q.push(sendOf(Reports::saveSettings()), &none);
        QCOMPARE(q.push(sendOf(Reports::fanDuty(1, 90)), &none), ReportQueue::Push::Full);
        q.takeAll();
        q.push(sendOf(Reports::saveSettings()), &none);
        for (int p = 1; p <= 3; ++p)
            q.push(sendOf(Reports::fanDuty(p, 30)), &none);
        QCOMPARE(q.push(sendOf(Reports::fanDuty(2, 90)), &none), ReportQueue::Push::Merged);
        QCOMPARE(q.size(), size_t(4));
    }

    void aSlowBoxServesEveryFanInTurn()
    {
        // A music tick gives every fan a frame; the box takes two per tick.
        ReportQueue q;
        std::vector<uint64_t> none;
        int served[6] = {};
        for (int tick = 0; tick < 100; ++tick) {
            for (int port = 1; port <= 5; ++port)
                q.push(sendOf(Reports::rainbowLighting(port, tick % 24)), &none);
            QueuedReport e;
            for (int taken = 0; taken < 2 && q.pop(&e, tick); ++taken) {
                ++served[e.report[3]];
                // The newest frame of the fan went out, not a stale one.
                QCOMPARE(int(e.report[4]), tick % 24);
            }
            QVERIFY(q.size() <= 5);
        }
        for (int port = 1; port <= 5; ++port)
            QVERIFY2(served[port] >= 39 && served[port] <= 41,
                     qPrintable(QStringLiteral("port %1 got %2 of 200 frames").arg(port).arg(served[port])));
    }

    void aQueryYieldsToFramesButNotForever()
    {
        ReportQueue q;
        std::vector<uint64_t> none;
        QueuedReport query = queryOf(Reports::readFanSpeed(3), 1);
        query.queuedAtMs = 100;
        q.push(std::move(query), &none);
        for (int port = 1; port <= 2; ++port) {
            QueuedReport frame = sendOf(Reports::rainbowLighting(port, 24));
            frame.queuedAtMs = 110;
            q.push(std::move(frame), &none);
        }
        QueuedReport e;
        QVERIFY(q.pop(&e, 120));
        QVERIFY(e.report == Reports::rainbowLighting(1, 24));
        // Once it has waited its time, it goes before frames that came later.
        QVERIFY(q.pop(&e, 100 + ReportQueue::kQueryYieldMs));
        QVERIFY(e.report == Reports::readFanSpeed(3));
        QVERIFY(q.pop(&e, 0));
        QVERIFY(e.report == Reports::rainbowLighting(2, 24));

        // Alone, a query goes at once; and a blocking exchange never yields.
        q.push(queryOf(Reports::readFanSpeed(1), 2), &none);
        QVERIFY(q.pop(&e, 0));
        QVERIFY(e.report == Reports::readFanSpeed(1));
        QueuedReport exchange = sendOf(Reports::readFirmwareVersion());
        exchange.exchange = std::make_shared<PendingExchange>();
        q.push(std::move(exchange), &none);
        q.push(sendOf(Reports::rainbowLighting(4, 24)), &none);
        QVERIFY(q.pop(&e, 0));
        QVERIFY(e.report == Reports::readFirmwareVersion());
        q.takeAll();
    }

    void exitReportsGoAheadOfEverything()
    {
        ReportQueue q;
        std::vector<uint64_t> none;
        for (int port = 1; port <= 5; ++port)
            q.push(sendOf(Reports::rainbowLighting(port, 24)), &none);
        q.push(sendOf(Reports::fanDuty(1, 40)), &none);
        q.push(sendOf(Reports::saveSettings()), &none);
        q.push(sendOf(Reports::fanDuty(1, 50)), &none); // behind a barrier
        q.push(sendOf(Reports::fanDuty(3, 60)), &none);
        q.push(queryOf(Reports::readFanSpeed(2), 4), &none);
        q.pushAhead(sendOf(Reports::fanDuty(1, 100)), &none);
        q.pushAhead(sendOf(Reports::fanDuty(2, 90)), &none);
        // A second cap of a port replaces the first, in its place.
        q.pushAhead(sendOf(Reports::fanDuty(1, 80)), &none);
        // An ordinary report that comes later does not merge into a cap.
        QCOMPARE(q.push(sendOf(Reports::fanDuty(2, 30)), &none), ReportQueue::Push::Queued);
        QVERIFY(none.empty());

        QCOMPARE(q.dropLightingAndQueries(&none), size_t(6));
        QCOMPARE(none, std::vector<uint64_t>{4});
        const std::vector<Report> out = drain(q);
        // No older duty of port 1 is left to undo its cap, whatever barrier stood between.
        const std::vector<Report> expected{Reports::fanDuty(1, 80), Reports::fanDuty(2, 90), Reports::saveSettings(),
                                           Reports::fanDuty(3, 60), Reports::fanDuty(2, 30)};
        QCOMPARE(out, expected);

        // A full queue makes room: the newest ordinary report goes, never a blocking exchange.
        ReportQueue small(3);
        none.clear();
        QueuedReport exchange = sendOf(Reports::readFirmwareVersion());
        exchange.exchange = std::make_shared<PendingExchange>();
        small.push(std::move(exchange), &none);
        small.push(sendOf(Reports::saveSettings()), &none);
        small.push(queryOf(Reports::readFanSpeed(5), 7), &none);
        small.pushAhead(sendOf(Reports::fanDuty(4, 100)), &none);
        QCOMPARE(none, std::vector<uint64_t>{7});
        QCOMPARE(drain(small), (std::vector<Report>{Reports::fanDuty(4, 100), Reports::readFirmwareVersion(),
                                                   Reports::saveSettings()}));
    }

    void aReportCostsNoAllocation()
    {
        ReportQueue q;
        std::vector<uint64_t> none;
        none.reserve(64);
        QueuedReport e;
        auto round = [&](int i) {
            for (int port = 1; port <= 5; ++port)
                q.push(sendOf(Reports::rainbowLighting(port, i % 24)), &none);
            q.push(queryOf(Reports::readFanSpeed(1 + i % 5), uint64_t(i)), &none);
            q.push(sendOf(Reports::fanDuty(2, 30 + i % 50)), &none);
            while (q.pop(&e, kLater)) {
            }
        };
        round(0);
        g_allocations = 0;
        g_counting = true;
        for (int i = 1; i <= 1000; ++i)
            round(i);
        g_counting = false;
        QCOMPARE(g_allocations.load(), 0L);
    }

    void healthFollowsReplies()
    {
        BoxHealthTracker h;
        const Report poll = Reports::readFanSpeed(1);
        Reply garbage{};
        garbage[0] = 0x99;
        QCOMPARE(h.state(), BoxHealth::Answering);
        // One lost reply, then garbage, then a short reply: three misses in a row.
        QVERIFY(!h.onExchange(poll, kReportSize, Reply{}, 0));
        QVERIFY(!h.onExchange(poll, kReportSize, garbage, kReplySize));
        QVERIFY(h.onExchange(poll, kReportSize, echoOf(poll), 1));
        QCOMPARE(h.state(), BoxHealth::NotAnswering);
        QVERIFY(!h.onExchange(poll, kReportSize, Reply{}, 0)); // told once
        QVERIFY(h.onExchange(poll, kReportSize, echoOf(poll), kReplySize));
        QCOMPARE(h.state(), BoxHealth::Answering);

        // A miss between replies starts the count again.
        QVERIFY(!h.onExchange(poll, kReportSize, Reply{}, 0));
        QVERIFY(!h.onExchange(poll, kReportSize, Reply{}, 0));
        QVERIFY(!h.onExchange(poll, kReportSize, echoOf(poll), kReplySize));
        QVERIFY(!h.onExchange(poll, kReportSize, Reply{}, 0));
        QCOMPARE(h.state(), BoxHealth::Answering);

        // A failed write or read: the handle is dead, whatever came before;
        // silence after that does not make it merely "not answering".
        QVERIFY(h.onExchange(poll, -1, Reply{}, -1));
        QCOMPARE(h.state(), BoxHealth::Gone);
        for (int i = 0; i < 5; ++i)
            QVERIFY(!h.onExchange(poll, kReportSize, Reply{}, 0));
        QCOMPARE(h.state(), BoxHealth::Gone);
        QVERIFY(h.onExchange(poll, kReportSize, echoOf(poll), kReplySize));
        QCOMPARE(h.state(), BoxHealth::Answering);
        BoxHealthTracker reading;
        QVERIFY(reading.onExchange(poll, kReportSize, Reply{}, -1));
        QCOMPARE(reading.state(), BoxHealth::Gone);
    }
};

QTEST_APPLESS_MAIN(TestReportQueue)
#include "test_reportqueue.moc"
