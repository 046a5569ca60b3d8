// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingFanMonitor.h"
#include "SimFixture.h"

#include "device/Encoders.h"
#include "device/FanCurve.h"
#include "device/FanMonitor.h"
#include "device/FanSafety.h"
#include "device/ReportQueue.h"
#include "device/Reports.h"

#include <QtTest>

#include <condition_variable>
#include <mutex>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

namespace {

// Warnings and info lines of the device category, as the user would see them.
QStringList g_log;
QtMessageHandler g_previous = nullptr;
void collect(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtDebugMsg && context.category && QByteArray(context.category) == "aurivent.device")
        g_log << text;
    if (g_previous && type != QtDebugMsg)
        g_previous(type, context, text);
}

struct TraceLine {
    qint64 ms;
    int box;
    QByteArray out;
    bool answered;
};

std::vector<TraceLine> transfers(const QString &path)
{
    std::vector<TraceLine> lines;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return lines;
    while (!file.atEnd()) {
        const QList<QByteArray> w = file.readLine().trimmed().split(' ');
        if (w.size() == 5 && w[1] == "XFER")
            lines.push_back({w[0].toLongLong(), w[2].toInt(), w[3], w[4] != "-"});
    }
    return lines;
}

// Simulated boxes behind a gate: a write waits until the test lets it
// through, so a test decides how fast the box is, not the machine.
class GatedTransport final : public HidTransport {
public:
    explicit GatedTransport(std::unique_ptr<SimulatedBoxes> sim)
        : m_sim(std::move(sim))
    {
    }
    SimulatedBoxes *sim() const { return m_sim.get(); }

    void open(bool open)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_open = open;
        m_changed.notify_all();
    }
    void release(int writes)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_permits += writes;
        m_changed.notify_all();
    }
    int writes() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_writes;
    }
    bool waitForWrites(int n, int ms)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, std::chrono::milliseconds(ms), [&] { return m_writes >= n; });
    }

    int init() override { return m_sim->init(); }
    HidHandle *open(unsigned short v, unsigned short p) override { return m_sim->open(v, p); }
    int write(HidHandle *h, const uint8_t *data, size_t length) override
    {
        {
            std::unique_lock<std::mutex> lock(m_mutex);
            m_changed.wait(lock, [&] { return m_open || m_permits > 0; });
            if (!m_open)
                --m_permits;
        }
        const int written = m_sim->write(h, data, length);
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_writes;
        m_changed.notify_all();
        return written;
    }
    int read(HidHandle *h, uint8_t *data, size_t length, int timeoutMs) override
    {
        return m_sim->read(h, data, length, timeoutMs);
    }
    void close(HidHandle *h) override { m_sim->close(h); }
    QByteArray node(HidHandle *h) const override { return m_sim->node(h); }
    int emergencyDescriptor(HidHandle *h) const override { return m_sim->emergencyDescriptor(h); }

private:
    std::unique_ptr<SimulatedBoxes> m_sim;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_open = true;
    int m_permits = 0;
    int m_writes = 0;
};

// Simulated boxes that write down every call: 'L' a lighting report written,
// 'Q' a query written, 'W' another report written; a read that brought a
// reply is 'b' when it waited for it and 'n' when it only looked, and '.'
// when it brought nothing.
class RecordingTransport final : public HidTransport {
public:
    explicit RecordingTransport(std::unique_ptr<SimulatedBoxes> sim)
        : m_sim(std::move(sim))
    {
    }
    SimulatedBoxes *sim() const { return m_sim.get(); }
    QString events() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_events;
    }
    void clear()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events.clear();
    }

    int init() override { return m_sim->init(); }
    HidHandle *open(unsigned short v, unsigned short p) override { return m_sim->open(v, p); }
    int write(HidHandle *h, const uint8_t *data, size_t length) override
    {
        const int written = m_sim->write(h, data, length);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events += data[1] == 0x32 && data[2] == 0x52 ? QLatin1Char('L') : data[1] == 0x33 ? QLatin1Char('Q') : QLatin1Char('W');
        return written;
    }
    int read(HidHandle *h, uint8_t *data, size_t length, int timeoutMs) override
    {
        const int got = m_sim->read(h, data, length, timeoutMs);
        std::lock_guard<std::mutex> lock(m_mutex);
        m_events += got <= 0 ? QLatin1Char('.') : timeoutMs > 0 ? QLatin1Char('b') : QLatin1Char('n');
        return got;
    }
    void close(HidHandle *h) override { m_sim->close(h); }
    QByteArray node(HidHandle *h) const override { return m_sim->node(h); }
    int emergencyDescriptor(HidHandle *h) const override { return m_sim->emergencyDescriptor(h); }

private:
    std::unique_ptr<SimulatedBoxes> m_sim;
    mutable std::mutex m_mutex;
    QString m_events;
};

std::unique_ptr<SimulatedBoxes> simulatorOf(const QString &spec)
{
    auto sim = std::make_unique<SimulatedBoxes>();
    QString error;
    sim->plugFromSpec(spec, &error);
    sim->setSettleHandler([] { bus.waitForIdle(); });
    return sim;
}

} // namespace

// The device engine: one I/O thread per box, queues that cannot grow, and
// the health of every box.
class TestEngine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    RecordingFanMonitor *m_host = nullptr;

    SimulatedBoxes *start(const QString &spec, int readTimeoutMs = 50)
    {
        bus.setReadTimeout(readTimeoutMs);
        SimulatedBoxes *sim = installSimulator(boxes, bus, spec);
        bus.setHealthHandler([this](int box, BoxHealth health) {
            if (m_host)
                m_host->monitor().onBoxHealth(box, health);
        });
        return sim;
    }

private slots:
    void initTestCase() { g_previous = qInstallMessageHandler(collect); }
    void cleanupTestCase() { qInstallMessageHandler(g_previous); }

    void init()
    {
        g_log.clear();
        m_host = new RecordingFanMonitor(encoders);
    }

    void cleanup()
    {
        bus.closeAll();
        bus.setHealthHandler(nullptr);
        bus.setTrace(nullptr);
        bus.setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);
        bus.setPipelineDepth(DeviceBus::kDefaultPipelineDepth);
        delete m_host;
        m_host = nullptr;
    }

    void aSilentBoxDelaysOnlyItsOwnQueue()
    {
        const QString trace = m_dir.filePath(QStringLiteral("silent.trace"));
        QFile::remove(trace);
        // A long read time-out: the silent box's first exchange alone takes a second.
        SimulatedBoxes *sim = start(QStringLiteral("1,1"), 1000);
        bus.setTrace(std::make_unique<ProtocolTrace>(trace));
        sim->mute(0, true);
        // The silent box gets its work first...
        encoders.requestFanSpeed(0, 0, [](int, int) {});
        encoders.requestFanSpeed(0, 1, [](int, int) {});
        // ...then the healthy box: its polls and a lighting frame for every fan.
        int answered = 0;
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            encoders.requestFanSpeed(1, fan, [&](int, int) { ++answered; });
            encoders.sendCommand_Light(1, fan, 100);
        }
        QTRY_COMPARE_WITH_TIMEOUT(answered, kRainbowFanCount, 30000);
        QVERIFY(bus.waitForIdle());

        // A line is written when its exchange is over: every exchange of the
        // healthy box was over before the silent box's first read gave up.
        qint64 silentFirst = -1;
        int silentCount = 0, healthyCount = 0;
        QStringList healthyTimes;
        for (const TraceLine &l : transfers(trace)) {
            if (l.box == 0) {
                silentFirst = silentFirst < 0 ? l.ms : silentFirst;
                ++silentCount;
                QVERIFY(!l.answered);
            } else {
                ++healthyCount;
                QVERIFY(l.answered);
                healthyTimes << QString::number(l.ms);
            }
        }
        QCOMPARE(silentCount, 2);
        QCOMPARE(healthyCount, 2 * kRainbowFanCount);
        for (const QString &t : healthyTimes)
            QVERIFY2(t.toLongLong() < silentFirst, qPrintable(QStringLiteral("healthy box at %1 ms, silent box's first at %2 ms")
                                                                  .arg(healthyTimes.join(QLatin1Char(',')))
                                                                  .arg(silentFirst)));
    }

    void reportsToOneBoxKeepTheirOrder()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1"));
        sim->setLatency(0, 2);
        std::vector<Report> expected;
        auto push = [&](const Report &r) {
            bus.send(0, r);
            expected.push_back(r);
        };
        // Nothing here supersedes anything still waiting: every report arrives, in order.
        for (int round = 0; round < 10; ++round) {
            for (int port = 1; port <= 5; ++port)
                push(Reports::rainbowLighting(port, round % 4));
            push(Reports::fanDuty(1 + round % 5, 30 + round));
            push(Reports::saveSettings());
        }
        QCOMPARE(sentTo(sim, 0), expected);
    }

    void theNewestFrameWinsWhileTheBoxIsBusy()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1"));
        sim->setLatency(0, 20);
        RainbowFanRecord &fan = boxes[0].rainbowFan[0];
        for (int i = 0; i < kColorEntries; ++i) {
            fan.rValue_Led[i] = 255;
            fan.brightValue[i] = 1.0f;
        }
        fan.colorMode = ColorMode::RGB;
        encoders.sendCommand_FanDuty(0, 1, 60); // another kind: it keeps its place
        for (int level = 1; level <= 100; ++level)
            encoders.sendCommand_Light(0, 0, level);
        QVERIFY(bus.queued(0) <= 2);
        const std::vector<Report> got = sentTo(sim, 0);
        QVERIFY2(got.size() <= 4, qPrintable(QString::number(got.size())));
        QVERIFY(got.back() == Reports::fanLighting(fan, 1, Reports::kSteadyPerLed, Reports::Colours::ByColorMode, 1.0f));
        QVERIFY(std::find(got.begin(), got.end(), Reports::fanDuty(2, 60)) != got.end());
    }

    void aSilentBoxIsToldOnceAndComesBack()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1,1"));
        sim->mute(0, true);
        for (int round = 0; round < 3; ++round) {
            m_host->monitor().poll();
            QVERIFY(bus.waitForIdle());
        }
        QCOMPARE(bus.health(0), BoxHealth::NotAnswering);
        QCOMPARE(m_host->silentAlerts, std::vector<int>{0});
        QCOMPARE(m_host->answering[0], false);
        QCOMPARE(m_host->answering.count(1), size_t(0)); // the other box was never in doubt
        QCOMPARE(g_log.filter(QStringLiteral("not answering")).size(), 1);
        QVERIFY(m_host->alerts.empty()); // no reply is no reading, not a stopped fan

        sim->mute(0, false);
        m_host->monitor().poll();
        QVERIFY(bus.waitForIdle());
        QCOMPARE(bus.health(0), BoxHealth::Answering);
        QCOMPARE(m_host->answering[0], true);
        QCOMPARE(g_log.filter(QStringLiteral("answers again")).size(), 1);
        QCOMPARE(m_host->silentAlerts.size(), size_t(1));
    }

    void aBoxThatGoesAwayMidQueueLeavesTheOthersAlone()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1,1"));
        sim->setLatency(0, 10);
        for (int i = 0; i < 40; ++i)
            bus.send(0, Reports::saveSettings());
        sim->unplug(0);
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            encoders.sendCommand_FanDuty(1, fan, 70);
        QVERIFY(bus.waitForIdle());
        QCOMPARE(bus.health(0), BoxHealth::Gone);
        QCOMPARE(g_log.filter(QStringLiteral("gone")).size(), 1);
        QCOMPARE(m_host->answering[0], false);
        QVERIFY(m_host->silentAlerts.empty()); // unplugged, not silent
        QCOMPARE(bus.health(1), BoxHealth::Answering);
        QCOMPARE(int(sentTo(sim, 1).size()), kRainbowFanCount);
    }

    void aFullQueueHoldsAndSaysSoOnce()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1"));
        sim->mute(0, true);
        // Reports that supersede nothing pile up behind a silent box: the queue holds.
        for (int i = 0; i < 3000; ++i)
            bus.send(0, Reports::saveSettings());
        QVERIFY(bus.queued(0) <= int(ReportQueue::kDefaultCapacity));
        QCOMPARE(g_log.filter(QStringLiteral("queue full")).size(), 1);
        // A query that finds no room is answered "none", not forgotten.
        int none = 0;
        bus.query(0, Reports::readFirmwareVersion(), [&](const Reply &, int length) {
            if (length <= 0)
                ++none;
        });
        QTRY_COMPARE_WITH_TIMEOUT(none, 1, 30000);
        bus.close(0); // with the queue still full
        QCOMPARE(bus.queued(0), 0);
    }

    void shutdownWithFullQueuesNeitherHangsNorCrashes()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1,1,1,1"));
        int replies = 0;
        for (int box = 0; box < 4; ++box) {
            sim->setLatency(box, 30);
            for (int i = 0; i < 200; ++i) {
                bus.send(box, Reports::saveSettings());
                bus.query(box, Reports::readFanSpeed(1 + i % 5), [&](const Reply &, int) { ++replies; });
            }
        }
        sim->mute(2, true);
        bus.closeAll();
        for (int box = 0; box < 4; ++box)
            QVERIFY(!bus.isOpen(box));
        // What was still queued is dropped: no handler runs after the close.
        const int before = replies;
        QCoreApplication::processEvents();
        QCOMPARE(replies, before);
        // A closed box answers at once, with nothing.
        int length = 0;
        QCOMPARE(bus.exchange(0, Reports::readFirmwareVersion(), nullptr, &length), -1);
        QCOMPARE(length, -1);
    }

    void garbageAndShortRepliesMarkTheBox()
    {
        // A box whose firmware answers nonsense: the right length, the wrong bytes.
        class Babbling final : public HidTransport {
        public:
            std::atomic<int> replyLength{kReplySize};
            int init() override { return 0; }
            HidHandle *open(unsigned short, unsigned short product) override
            {
                return product == kProductIdBase ? reinterpret_cast<HidHandle *>(this) : nullptr;
            }
            int write(HidHandle *, const uint8_t *, size_t length) override { return int(length); }
            int read(HidHandle *, uint8_t *data, size_t length, int) override
            {
                std::fill(data, data + length, 0x55);
                return replyLength;
            }
            void close(HidHandle *) override {}
            QByteArray node(HidHandle *) const override { return QByteArrayLiteral("babbling/0"); }
            int emergencyDescriptor(HidHandle *) const override { return -1; }
        };
        auto owned = std::make_unique<Babbling>();
        Babbling *box = owned.get();
        boxes.reset();
        bus.setTransport(std::move(owned));
        bus.setHealthHandler([this](int b, BoxHealth health) { m_host->monitor().onBoxHealth(b, health); });
        setupAllControllerBox(boxes, bus);
        QVERIFY(boxes[0].gIsConnected); // the probe's write went through
        int decoded = 0;
        for (int i = 0; i < 4; ++i) {
            encoders.requestFanSpeed(0, i, [&](int, int) { ++decoded; });
            QVERIFY(bus.waitForIdle());
        }
        QCOMPARE(decoded, 0);
        QCOMPARE(bus.health(0), BoxHealth::NotAnswering);
        QCOMPARE(m_host->silentAlerts, std::vector<int>{0});
        QCOMPARE(g_log.filter(QStringLiteral("not answering")).size(), 1);

        // Short replies are no better.
        box->replyLength = 1;
        for (int i = 0; i < 3; ++i)
            bus.send(0, Reports::saveSettings());
        QVERIFY(bus.waitForIdle());
        QCOMPARE(bus.health(0), BoxHealth::NotAnswering);
        QCOMPARE(g_log.filter(QStringLiteral("not answering")).size(), 1);
    }
    void everyFanGetsItsTurnOnASlowBox_data()
    {
        QTest::addColumn<int>("depth");
        QTest::newRow("write, then read") << 1;
        QTest::newRow("pipelined") << DeviceBus::kDefaultPipelineDepth;
    }

    void everyFanGetsItsTurnOnASlowBox()
    {
        QFETCH(int, depth);
        boxes.reset();
        auto owned = std::make_unique<GatedTransport>(simulatorOf(QStringLiteral("1")));
        GatedTransport *gate = owned.get();
        SimulatedBoxes *sim = gate->sim();
        bus.setTransport(std::move(owned));
        bus.setPipelineDepth(depth);
        setupAllControllerBox(boxes, bus);
        QVERIFY(bus.waitForIdle());
        sim->clearSent();

        // Every 25 ms tick brings a frame for each of the five fans, and the
        // box takes two reports per tick.
        gate->open(false);
        const int before = gate->writes();
        constexpr int kTicks = 60;
        for (int tick = 0; tick < kTicks; ++tick) {
            for (int port = 1; port <= kRainbowFanCount; ++port)
                bus.send(0, Reports::rainbowLighting(port, tick % 24));
            QCoreApplication::processEvents(); // the tick is over: the worker is woken
            gate->release(2);
            QVERIFY(gate->waitForWrites(before + 2 * (tick + 1), 5000));
        }
        gate->open(true);
        QVERIFY(bus.waitForIdle());

        int frames[kRainbowFanCount + 1] = {};
        for (const Report &r : sentTo(sim, 0))
            frames[r[3]] += r[1] == 0x32 && r[2] == 0x52 ? 1 : 0;
        QStringList counts;
        int fewest = 1 << 30, most = 0;
        for (int port = 1; port <= kRainbowFanCount; ++port) {
            counts << QString::number(frames[port]);
            fewest = std::min(fewest, frames[port]);
            most = std::max(most, frames[port]);
        }
        // About 2 x 60 / 5 = 24 each: every fan loses frames alike.
        QVERIFY2(fewest >= 20 && most - fewest <= 4, qPrintable(counts.join(QLatin1Char('/'))));
    }

    void exitCapsGoAheadOfMusicOnASlowBox()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1"), DeviceBus::kDefaultReadTimeoutMs);
        // Every report waits for its echo, as a box that takes 90 ms for each.
        bus.setPipelineDepth(1);
        sim->setLatency(0, 90);
        for (int f = 0; f < kRainbowFanCount; ++f) {
            RainbowFanRecord &fan = boxes[0].rainbowFan[f];
            fan.isMonitor = true;
            fan.isPWM = true;
            fan.speedPer = f; // caps 50, 60, ... 90 %
        }
        // A music tick and a round of the speed poll wait in the queue.
        for (int f = 0; f < kRainbowFanCount; ++f) {
            encoders.sendCommand_Light(0, f, 60);
            encoders.requestFanSpeed(0, f, [](int, int) {});
        }
        QVERIFY(leaveFansSafe(encoders, 1000));
        QVERIFY(g_log.filter(QStringLiteral("not every box")).isEmpty());
        // What did not make it within the flush never will: the program ends.
        bus.closeAll();
        for (int port = 1; port <= kRainbowFanCount; ++port) {
            const std::vector<Report> speeds = lightingReportsOf(sim, 0, 0x51, port);
            QVERIFY2(!speeds.empty(), qPrintable(QStringLiteral("port %1 got no cap").arg(port)));
            QVERIFY(speeds.back() == Reports::fanDuty(port, temperatureCapDuty(port - 1)));
        }
    }

    void aSlowBoxIsAnsweringAndItsStallIsSeen()
    {
        // Each exchange takes longer than the read time-out, but the box answers.
        SimulatedBoxes *sim = start(QStringLiteral("1"), DeviceBus::kDefaultReadTimeoutMs);
        sim->setLatency(0, 150);
        sim->stall(0, 2);
        for (RainbowFanRecord &fan : boxes[0].rainbowFan) {
            fan.isMonitor = true;
            fan.fanType = 0;
        }
        int readings = 0;
        for (int i = 0; i < 10; ++i) {
            encoders.requestFanSpeed(0, i % kRainbowFanCount, [&](int port, int rpm) {
                ++readings;
                m_host->monitor().onFanSpeed(0, port, rpm);
            });
            QVERIFY(bus.waitForIdle());
        }
        // Only the very first read gave up before the box's time was known.
        QVERIFY2(readings >= 9, qPrintable(QString::number(readings)));
        QCOMPARE(m_host->answering.count(0), size_t(0)); // never taken for silent, so never "answers again"
        QVERIFY(m_host->silentAlerts.empty());
        QCOMPARE(m_host->alerts, std::vector<int>{0});
        QCOMPARE(bus.health(0), BoxHealth::Answering);
    }

    void aSilentBoxIsNoticedWhileMusicPlays()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1,1"), DeviceBus::kDefaultReadTimeoutMs);
        auto frames = [] {
            for (int box = 0; box < 2; ++box)
                for (int port = 1; port <= kRainbowFanCount; ++port)
                    bus.send(box, Reports::rainbowLighting(port, 24));
            return true;
        };
        for (int i = 0; i < 10; ++i)
            frames();
        QVERIFY(bus.waitForIdle());
        QCOMPARE(bus.health(0), BoxHealth::Answering);
        sim->mute(0, true);
        // Frames keep coming, and nobody waits for their replies.
        QTRY_VERIFY_WITH_TIMEOUT(frames() && bus.health(0) == BoxHealth::NotAnswering, 3000);
        QCOMPARE(m_host->silentAlerts, std::vector<int>{0});
        QCOMPARE(bus.health(1), BoxHealth::Answering);
        sim->mute(0, false);
        QTRY_VERIFY_WITH_TIMEOUT(frames() && bus.health(0) == BoxHealth::Answering, 3000);
        QCOMPARE(g_log.filter(QStringLiteral("not answering")).size(), 1);
    }

    void lightingIsPipelinedAndAQueryWaitsForTheEchoes_data()
    {
        QTest::addColumn<int>("depth");
        QTest::addColumn<QString>("pattern");
        // Five frames go out at once, and a sixth once the window has room;
        // the query is written once every echo is in, and read before
        // anything else is written.
        QTest::newRow("pipelined") << 5 << QStringLiteral("^LLLLL[bn.]+L[bn.]*Qb$");
        QTest::newRow("write, then read") << 1 << QStringLiteral("^LbLbLbLbLbLbQb$");
    }

    void lightingIsPipelinedAndAQueryWaitsForTheEchoes()
    {
        QFETCH(int, depth);
        QFETCH(QString, pattern);
        boxes.reset();
        auto owned = std::make_unique<RecordingTransport>(simulatorOf(QStringLiteral("1")));
        RecordingTransport *rec = owned.get();
        bus.setTransport(std::move(owned));
        bus.setPipelineDepth(depth);
        setupAllControllerBox(boxes, bus);
        QVERIFY(bus.waitForIdle());
        rec->sim()->setLatency(0, 20);
        rec->sim()->clearSent();
        rec->clear();

        std::vector<Report> expected;
        for (int port = 1; port <= kRainbowFanCount; ++port)
            expected.push_back(Reports::rainbowLighting(port, 20 + port));
        int rpm = -1;
        for (const Report &r : expected)
            bus.send(0, r);
        QTRY_COMPARE_WITH_TIMEOUT(rec->events().count(QLatin1Char('L')), kRainbowFanCount, 30000);
        expected.push_back(Reports::rainbowLighting(1, 12));
        bus.send(0, expected.back());
        encoders.requestFanSpeed(0, 0, [&](int, int r) { rpm = r; });
        expected.push_back(Reports::readFanSpeed(1));
        QVERIFY(bus.waitForIdle());

        const QString events = rec->events();
        QVERIFY2(QRegularExpression(pattern).match(events).hasMatch(), qPrintable(events));
        // Every echo was read, and the bytes and their order are the callers'.
        QCOMPARE(events.count(QLatin1Char('b')) + events.count(QLatin1Char('n')), 7);
        QCOMPARE(rpm, 1000);
        QCOMPARE(sentTo(rec->sim(), 0), expected);

        // A burst never has more than the depth in flight.
        rec->clear();
        for (int port = 1; port <= 7; ++port)
            bus.send(0, Reports::rainbowLighting(port, 24));
        QVERIFY(bus.waitForIdle());
        int inFlight = 0, most = 0;
        for (const QChar c : rec->events()) {
            inFlight += c == QLatin1Char('L') ? 1 : (c == QLatin1Char('b') || c == QLatin1Char('n')) ? -1 : 0;
            most = std::max(most, inFlight);
        }
        QVERIFY2(most == depth && inFlight == 0, qPrintable(rec->events()));
    }

    void theGuiIsNotWokenForReportsNobodyWaitsFor()
    {
        start(QStringLiteral("1,1"), DeviceBus::kDefaultReadTimeoutMs);
        QVERIFY(bus.waitForIdle());
        const quint64 before = bus.replyWakeUps();
        for (int round = 0; round < 40; ++round) {
            for (int port = 1; port <= kRainbowFanCount; ++port) {
                encoders.sendCommand_Light(0, port - 1, round);
                encoders.sendCommand_FanDuty(1, port - 1, 30 + round);
            }
        }
        QVERIFY(bus.waitForIdle());
        QCOMPARE(bus.replyWakeUps(), before);

        // Replies that are waited for are handed out, on the event loop.
        int answered = 0;
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            encoders.requestFanSpeed(0, fan, [&](int, int) { ++answered; });
            encoders.requestFanSpeed(1, fan, [&](int, int) { ++answered; });
        }
        QTRY_COMPARE_WITH_TIMEOUT(answered, 2 * kRainbowFanCount, 30000);
        const quint64 wakes = bus.replyWakeUps() - before;
        QVERIFY2(wakes >= 1 && wakes <= quint64(2 * kRainbowFanCount), qPrintable(QString::number(wakes)));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
