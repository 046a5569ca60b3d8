// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/ExchangeLedger.h"
#include "device/ReplyTiming.h"
#include "device/Reports.h"

#include <QtTest>

#include <string>

namespace {

QueuedReport sendOf(const Report &r)
{
    QueuedReport e;
    e.report = r;
    return e;
}

Reply echoOf(const Report &out)
{
    Reply in{};
    in[0] = out[1];
    in[1] = out[2];
    if (out[1] == 0x33 && out[2] == 0x51)
        in[2] = out[3];
    return in;
}

// Writes down what the ledger tells, one word per event: "s<seq>:<length>"
// settled, "a<seq>" answered, "l<seq>" answered late, "m<seq>" missed.
class Recorder final : public LedgerListener {
public:
    QStringList events;
    std::vector<int> delays;

    void settled(const InFlight &e, const Reply &, int length) override
    {
        events << QStringLiteral("s%1:%2").arg(e.seq).arg(length);
    }
    void answered(const InFlight &e, bool late, int delayMs) override
    {
        events << QStringLiteral("%1%2").arg(late ? QLatin1Char('l') : QLatin1Char('a')).arg(e.seq);
        delays.push_back(delayMs);
    }
    void missed(const InFlight &e) override { events << QStringLiteral("m%1").arg(e.seq); }
    QString take()
    {
        const QString all = events.join(QLatin1Char(' '));
        events.clear();
        return all;
    }
};

} // namespace

// What the worker knows of the reports in flight to one box: which reply
// answers which report, what counts as late, and what as lost.
class TestLedger : public QObject {
    Q_OBJECT

private slots:
    void repliesAnswerTheirOwnReportsInOrder()
    {
        ExchangeLedger ledger;
        Recorder rec;
        const Report frame = Reports::rainbowLighting(1, 24);
        const Report poll = Reports::readFanSpeed(2);
        QCOMPARE(ledger.add(sendOf(frame), 65, 0, 100, 400), uint64_t(1));
        QCOMPARE(ledger.unsettled(), 1);
        QCOMPARE(ledger.nextDueMs(), int64_t(100));
        ledger.onReply(echoOf(frame), 64, 5, true, rec);
        QCOMPARE(rec.take(), QStringLiteral("s1:64 a1"));
        QCOMPARE(rec.delays.back(), 5); // a read waited for it: the box's own time
        QVERIFY(ledger.isSettled(1));

        QCOMPARE(ledger.add(sendOf(frame), 65, 10, 100, 400), uint64_t(2));
        QCOMPARE(ledger.add(sendOf(frame), 65, 11, 100, 400), uint64_t(3));
        QCOMPARE(ledger.add(sendOf(poll), 65, 12, 100, 400), uint64_t(4));
        ledger.onReply(echoOf(frame), 64, 15, true, rec);
        QCOMPARE(rec.take(), QStringLiteral("s2:64 a2"));
        // With more in flight behind it, the reply might have been the next one's.
        QCOMPARE(rec.delays.back(), -1);
        QVERIFY(!ledger.isSettled(3));
        // The poll's reply comes: the third report's echo was lost on the way.
        ledger.onReply(echoOf(poll), 64, 19, false, rec);
        QCOMPARE(rec.take(), QStringLiteral("s3:0 m3 s4:64 a4"));
        QCOMPARE(rec.delays.back(), -1); // nobody waited: the box's time is unknown
        QVERIFY(ledger.empty());

        // Another fan's speed is no answer to this fan's query, and an echo
        // that nothing in flight asked for belongs to nobody.
        ledger.add(sendOf(Reports::readFanSpeed(4)), 65, 20, 100, 400);
        ledger.onReply(echoOf(Reports::readFanSpeed(5)), 64, 21, true, rec);
        ledger.onReply(echoOf(frame), 64, 21, true, rec);
        QCOMPARE(rec.take(), QString());
        QCOMPARE(ledger.unsettled(), 1);
        // Nonsense is the oldest report's reply, and counts against the box.
        Reply garbage{};
        garbage.fill(0x55);
        ledger.onReply(garbage, 64, 22, true, rec);
        QCOMPARE(rec.take(), QStringLiteral("s5:64 m5"));
        QVERIFY(ledger.empty());
        // A short reply is no echo either.
        ledger.add(sendOf(frame), 65, 30, 100, 400);
        ledger.onReply(echoOf(frame), 1, 31, true, rec);
        QCOMPARE(rec.take(), QStringLiteral("s6:1 m6"));
    }

    void aLateReplyIsASignOfLifeNotAnAnswerToTheNext()
    {
        ExchangeLedger ledger;
        Recorder rec;
        const Report first = Reports::readFanSpeed(1);
        const Report second = Reports::readFanSpeed(2);
        ledger.add(sendOf(first), 65, 0, 100, 400);
        // Its read gives up: settled as none, but kept for its late reply.
        ledger.expire(99, rec);
        QCOMPARE(rec.take(), QString());
        ledger.expire(100, rec);
        QCOMPARE(rec.take(), QStringLiteral("s1:0"));
        QCOMPARE(ledger.unsettled(), 0);
        QCOMPARE(ledger.size(), 1);
        QCOMPARE(ledger.nextDueMs(), int64_t(500));

        ledger.add(sendOf(second), 65, 110, 100, 400);
        ledger.onReply(echoOf(first), 64, 150, true, rec);
        QCOMPARE(rec.take(), QStringLiteral("l1"));
        QVERIFY(!ledger.isSettled(2));
        ledger.onReply(echoOf(second), 64, 160, true, rec);
        QCOMPARE(rec.take(), QStringLiteral("s2:64 a2"));
        QCOMPARE(rec.delays.back(), 50);

        // Of two reports with the same echo, one given up and one still in
        // time, the one in time owns the reply: the other's never came.
        const Report frame = Reports::rainbowLighting(2, 24);
        ledger.add(sendOf(frame), 65, 170, 10, 400);
        ledger.expire(180, rec);
        ledger.add(sendOf(frame), 65, 185, 100, 400);
        ledger.onReply(echoOf(frame), 64, 190, true, rec);
        QCOMPARE(rec.take(), QStringLiteral("s3:0 m3 s4:64 a4"));
        QVERIFY(ledger.empty());

        // A reply that never comes: forgotten once its late allowance is over.
        ledger.add(sendOf(first), 65, 200, 100, 400);
        ledger.expire(300, rec);
        QVERIFY(!ledger.strayRepliesMayWait());
        ledger.expire(699, rec);
        QCOMPARE(rec.take(), QStringLiteral("s5:0"));
        ledger.expire(700, rec);
        QCOMPARE(rec.take(), QStringLiteral("m5"));
        QVERIFY(ledger.empty());
        // ...after which a reply of it might still be waiting to be read.
        QVERIFY(ledger.strayRepliesMayWait());
        ledger.strayRepliesRead();
        QVERIFY(!ledger.strayRepliesMayWait());
    }

    void silenceAndDeadHandlesSettleInOrder()
    {
        ExchangeLedger ledger;
        Recorder rec;
        const Report frame = Reports::rainbowLighting(3, 24);
        for (int i = 0; i < 3; ++i)
            ledger.add(sendOf(frame), 65, i, 100, 400);
        ledger.onSilence(2, rec);
        QCOMPARE(rec.take(), QStringLiteral("s1:0 s2:0"));
        QCOMPARE(ledger.oldestUnsettled()->seq, uint64_t(3));
        ledger.fail(rec);
        QCOMPARE(rec.take(), QStringLiteral("s3:-1"));
        QVERIFY(ledger.empty());

        for (int i = 0; i < ExchangeLedger::kCapacity; ++i)
            QVERIFY(ledger.add(sendOf(frame), 65, 10, 100, 400) != 0);
        QVERIFY(ledger.full());
        QCOMPARE(ledger.add(sendOf(frame), 65, 10, 100, 400), uint64_t(0));
        ledger.dropOldest(rec);
        QCOMPARE(rec.take(), QStringLiteral("s4:0 m4"));
        QVERIFY(!ledger.full());
    }

    void theReadTimeOutFollowsASlowBox()
    {
        ReplyTiming t(100);
        QCOMPARE(t.timeoutMs(), 100);
        QCOMPARE(t.lateAllowanceMs(), 200);
        // A quick box never brings it below the setting.
        t.onReply(2);
        QCOMPARE(t.timeoutMs(), 100);
        // A reply that came after its read gave up: twice as long from now on.
        t.onLateReply();
        QCOMPARE(t.timeoutMs(), 200);
        // A box at 150 ms per exchange gets room for it.
        t.onReply(150);
        QCOMPARE(t.timeoutMs(), 300);
        // Never past the ceiling, so a silent box is still noticed soon.
        t.onReply(5000);
        QCOMPARE(t.timeoutMs(), ReplyTiming::kMaxTimeoutMs);
        t.onLateReply();
        QCOMPARE(t.timeoutMs(), ReplyTiming::kMaxTimeoutMs);
        // Quick again: it comes down step by step, not at the first quick reply.
        t.onReply(2);
        QVERIFY(t.timeoutMs() < ReplyTiming::kMaxTimeoutMs && t.timeoutMs() > 300);
        for (int i = 0; i < 100; ++i)
            t.onReply(2);
        QCOMPARE(t.timeoutMs(), 100);
        // A new setting starts over from it, and a long one is its own ceiling.
        t.onLateReply();
        t.setBase(1000);
        QCOMPARE(t.timeoutMs(), 1000);
        t.onReply(900);
        QCOMPARE(t.timeoutMs(), 1000);
    }
};

QTEST_APPLESS_MAIN(TestLedger)
#include "test_ledger.moc"
