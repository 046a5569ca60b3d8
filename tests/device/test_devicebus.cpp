// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFixture.h"

#include "device/DeviceBus.h"
#include "device/Encoders.h"
#include "device/HidTransport.h"
#include "device/ProtocolTrace.h"
#include "device/Reports.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

namespace {

// A transport that records every call and answers from a script.
class ScriptedTransport final : public HidTransport {
public:
    struct Read {
        int timeoutMs;
    };
    std::vector<Read> reads;
    std::vector<int> events; // 'w' write, 'r' read
    int answersLeft = 0;     // reads that get a reply before the box goes silent
    int lateReplies = 0;     // replies queued after a time-out

    int init() override { return 0; }
    HidHandle *open(unsigned short, unsigned short) override { return reinterpret_cast<HidHandle *>(this); }
    int write(HidHandle *, const uint8_t *, size_t length) override
    {
        events.push_back('w');
        return static_cast<int>(length);
    }
    int read(HidHandle *, uint8_t *data, size_t length, int timeoutMs) override
    {
        events.push_back('r');
        reads.push_back({timeoutMs});
        if (timeoutMs == 0) { // a drain
            if (lateReplies > 0) {
                --lateReplies;
                std::fill(data, data + length, 0xAA);
                return static_cast<int>(length);
            }
            return 0;
        }
        if (answersLeft > 0) {
            --answersLeft;
            std::fill(data, data + length, 0x33);
            return static_cast<int>(length);
        }
        return 0;
    }
    void close(HidHandle *) override {}
    QByteArray node(HidHandle *) const override { return QByteArrayLiteral("scripted/0"); }
    int emergencyDescriptor(HidHandle *) const override { return -1; }
};

} // namespace

// The device bus: time-outs, late replies and the trace.
class TestDeviceBus : public QObject {
    Q_OBJECT

private slots:
    void everyReadHasATimeOut()
    {
        boxes.reset();
        auto owned = std::make_unique<ScriptedTransport>();
        ScriptedTransport *t = owned.get();
                bus.setTrace(nullptr);
        bus.setTransport(std::move(owned));
        bus.setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);
        setupAllControllerBox(boxes, bus);
        QVERIFY(boxes[0].gIsConnected);
        for (const auto &r : t->reads)
            QCOMPARE(r.timeoutMs, DeviceBus::kDefaultReadTimeoutMs);
    }

    void lateRepliesAreDrainedBeforeTheNextWrite()
    {
        boxes.reset();
        auto owned = std::make_unique<ScriptedTransport>();
        ScriptedTransport *t = owned.get();
                bus.setTransport(std::move(owned));
        QVERIFY(bus.open(5));

        t->answersLeft = 1;
        Reply reply{};
        int length = -1;
        bus.exchange(5, Reports::probe(), &reply, &length);
        QCOMPARE(length, kReplySize);

        // The box goes silent: the read times out, then two late replies arrive.
        bus.exchange(5, Reports::probe(), &reply, &length);
        QCOMPARE(length, 0);
        t->lateReplies = 2;
        t->answersLeft = 1;
        t->events.clear();
        t->reads.clear();
        bus.exchange(5, Reports::readFirmwareVersion(), &reply, &length);
        // drain, drain, drain(empty), write, read — the reply is the box's own answer
        const std::vector<int> expected{'r', 'r', 'r', 'w', 'r'};
        QCOMPARE(t->events, expected);
        QCOMPARE(reply[0], uint8_t(0x33));

        // With nothing outstanding there is no drain.
        t->events.clear();
        t->answersLeft = 1;
        bus.exchange(5, Reports::probe(), &reply, &length);
        QCOMPARE(t->events, (std::vector<int>{'w', 'r'}));
    }

    void aSilentBoxDoesNotStopTheOthers()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1,1"));
        bus.setReadTimeout(20);
        sim->mute(0, true);
        boxes.setCurrentBox(0);
        // The firmware read gives up after the time-out and the program goes on.
        encoders.readFirmwareVersion(boxes.currentBox());
        int silentRpm = -1;
        int rpm = -1;
        encoders.requestFanSpeed(0, 0, [&](int, int r) { silentRpm = r; });
        encoders.requestFanSpeed(1, 0, [&](int, int r) { rpm = r; });
        QVERIFY(bus.waitForIdle());
        QCOMPARE(silentRpm, -1); // no reply, nothing decoded
        QCOMPARE(rpm, 1000);
        encoders.sendCommand_FanDuty(1, 0, 50);
        QCOMPARE(sentTo(sim, 1).back()[5], uint8_t(50));
        bus.setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);
    }

    void traceLinesHaveTheirFormat()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("trace.txt"));
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("-,1"), false);
        bus.setReadTimeout(10);
        bus.setTrace(std::make_unique<ProtocolTrace>(path));
        setupAllControllerBox(boxes, bus);
        sim->mute(1, true);
        encoders.sendCommand_FanDuty(1, 0, 40);
        QVERIFY(bus.waitForIdle());
        setupAllControllerBox(boxes, bus); // closes the open handle first
        bus.setTrace(nullptr);
        bus.setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);

        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
        const QStringList lines = QString::fromLatin1(file.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QRegularExpression open(QStringLiteral("^\\d+ OPEN (\\d+) (ok|fail)$"));
        QRegularExpression xfer(QStringLiteral("^\\d+ XFER (\\d+) ([0-9a-f]{130}) ([0-9a-f]{128}|-)$"));
        QRegularExpression close(QStringLiteral("^\\d+ CLOSE (\\d+)$"));
        int opens = 0;
        QStringList xfers;
        int closes = 0;
        for (const QString &line : lines) {
            if (open.match(line).hasMatch())
                ++opens;
            else if (xfer.match(line).hasMatch())
                xfers << line.section(QLatin1Char(' '), 2);
            else if (close.match(line).hasMatch())
                ++closes;
            else
                QFAIL(qPrintable(QStringLiteral("unexpected trace line: ") + line));
        }
        QCOMPARE(opens, 32);
        QCOMPARE(closes, 1);
        QCOMPARE(xfers.size(), 3);
        QVERIFY(xfers.at(0).startsWith(QStringLiteral("1 00fe33")));
        QVERIFY(xfers.at(0).section(QLatin1Char(' '), 2).startsWith(QStringLiteral("fe33")));
        QVERIFY(xfers.at(1).startsWith(QStringLiteral("1 0032510101") + QStringLiteral("28")));
        QVERIFY(xfers.at(1).endsWith(QStringLiteral(" -"))); // the muted box did not answer
    }
};

QTEST_GUILESS_MAIN(TestDeviceBus)
#include "test_devicebus.moc"
