#include "device/BoxHealth.h"
#include "device/BoxWorker.h"
#include "device/ReportQueue.h"
#include "device/Reports.h"

#include <QtTest>

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
    e.tickets.push_back(ticket);
    return e;
}

std::vector<Report> drain(ReportQueue &q)
{
    std::vector<Report> out;
    QueuedReport e;
    while (q.pop(&e))
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
    void newestOfAKindWinsAndMovesToTheEnd()
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
        // The order of the newest of each kind is the order the caller asked in.
        QVERIFY(out[0] == Reports::fanDuty(2, 50));
        QVERIFY(out[1] == Reports::fanTargetSpeed(1, 900));
        QVERIFY(out[2] == Reports::rainbowLighting(1, 25));

        // Single-colour fans: duty and "performance" of one port supersede each other too.
        q.push(sendOf(Reports::vaylaDuty(3, 20)), &none);
        q.push(sendOf(Reports::vaylaLighting(3, 0, 1, 2, 3)), &none);
        q.push(sendOf(Reports::vaylaPerformance(3)), &none);
        const std::vector<Report> vayla = drain(q);
        QCOMPARE(vayla.size(), size_t(2));
        QVERIFY(vayla[1] == Reports::vaylaPerformance(3));
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
        QVERIFY(q.pop(&e));
        QVERIFY(e.report == Reports::readFanSpeed(2));
        QVERIFY(q.pop(&e));
        QVERIFY(e.report == Reports::readFanSpeed(1));
        QCOMPARE(e.tickets, (std::vector<uint64_t>{1, 3}));

        // Beyond the per-report bound, the oldest waiting tickets are answered "none".
        for (uint64_t t = 10; t < 10 + ReportQueue::kMaxTicketsPerReport + 3; ++t)
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
