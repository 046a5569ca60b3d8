#include "SimFixture.h"

#include "device/Encoders.h"
#include "device/FanMonitor.h"
#include "device/ReportQueue.h"
#include "device/Reports.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
BoxModel boxes;
} // namespace

namespace {

class RecordingMonitorHost final : public FanMonitorHost {
public:
    std::vector<int> stallAlerts;
    std::vector<int> silentAlerts;
    std::map<int, bool> answering;
    std::map<int, int> speeds;

    void showFanSpeed(int fan, int rpm) override { speeds[fan] = rpm; }
    void showFanError(int, bool) override {}
    void showBoxAlarm(int, bool) override {}
    void raiseStallAlert(int box) override { stallAlerts.push_back(box); }
    void showBoxAnswering(int box, bool a) override { answering[box] = a; }
    void raiseBoxSilentAlert(int box) override { silentAlerts.push_back(box); }
};

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

} // namespace

// The device engine: one I/O thread per box, queues that cannot grow, and
// the health of every box.
class TestEngine : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    RecordingMonitorHost *m_host = nullptr;

    SimulatedBoxes *start(const QString &spec, int readTimeoutMs = 50)
    {
        DeviceBus::instance().setReadTimeout(readTimeoutMs);
        SimulatedBoxes *sim = installSimulator(boxes, spec);
        DeviceBus::instance().setHealthHandler([this](int box, BoxHealth health) {
            if (m_host)
                onBoxHealth(box, health, *m_host);
        });
        return sim;
    }

private slots:
    void initTestCase() { g_previous = qInstallMessageHandler(collect); }
    void cleanupTestCase() { qInstallMessageHandler(g_previous); }

    void init()
    {
        g_log.clear();
        m_host = new RecordingMonitorHost;
    }

    void cleanup()
    {
        DeviceBus::instance().closeAll();
        DeviceBus::instance().setHealthHandler(nullptr);
        DeviceBus::instance().setTrace(nullptr);
        DeviceBus::instance().setReadTimeout(DeviceBus::kDefaultReadTimeoutMs);
        delete m_host;
        m_host = nullptr;
    }

    void aSilentBoxDelaysOnlyItsOwnQueue()
    {
        const QString trace = m_dir.filePath(QStringLiteral("silent.trace"));
        QFile::remove(trace);
        // A long read time-out: the silent box's first exchange alone takes a second.
        SimulatedBoxes *sim = start(QStringLiteral("1,1"), 1000);
        DeviceBus::instance().setTrace(std::make_unique<ProtocolTrace>(trace));
        sim->mute(0, true);
        // The silent box gets its work first...
        requestFanSpeed(boxes, 0, 0, [](int, int) {});
        requestFanSpeed(boxes, 0, 1, [](int, int) {});
        // ...then the healthy box: its polls and a lighting frame for every fan.
        int answered = 0;
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            requestFanSpeed(boxes, 1, fan, [&](int, int) { ++answered; });
            sendCommand_Light(boxes, 1, fan, 100);
        }
        QTRY_COMPARE(answered, kRainbowFanCount);
        QVERIFY(DeviceBus::instance().waitForIdle());

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
            DeviceBus::instance().send(0, r);
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
        sendCommand_FanDuty(boxes, 0, 1, 60); // another kind: it keeps its place
        for (int level = 1; level <= 100; ++level)
            sendCommand_Light(boxes, 0, 0, level);
        QVERIFY(DeviceBus::instance().queued(0) <= 2);
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
            updateSpeed(boxes, *m_host);
            QVERIFY(DeviceBus::instance().waitForIdle());
        }
        QCOMPARE(DeviceBus::instance().health(0), BoxHealth::NotAnswering);
        QCOMPARE(m_host->silentAlerts, std::vector<int>{0});
        QCOMPARE(m_host->answering[0], false);
        QCOMPARE(m_host->answering.count(1), size_t(0)); // the other box was never in doubt
        QCOMPARE(g_log.filter(QStringLiteral("not answering")).size(), 1);
        QVERIFY(m_host->stallAlerts.empty()); // no reply is no reading, not a stopped fan

        sim->mute(0, false);
        updateSpeed(boxes, *m_host);
        QVERIFY(DeviceBus::instance().waitForIdle());
        QCOMPARE(DeviceBus::instance().health(0), BoxHealth::Answering);
        QCOMPARE(m_host->answering[0], true);
        QCOMPARE(g_log.filter(QStringLiteral("answers again")).size(), 1);
        QCOMPARE(m_host->silentAlerts.size(), size_t(1));
    }

    void aBoxThatGoesAwayMidQueueLeavesTheOthersAlone()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1,1"));
        sim->setLatency(0, 10);
        for (int i = 0; i < 40; ++i)
            DeviceBus::instance().send(0, Reports::saveSettings());
        sim->unplug(0);
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            sendCommand_FanDuty(boxes, 1, fan, 70);
        QVERIFY(DeviceBus::instance().waitForIdle());
        QCOMPARE(DeviceBus::instance().health(0), BoxHealth::Gone);
        QCOMPARE(g_log.filter(QStringLiteral("gone")).size(), 1);
        QCOMPARE(m_host->answering[0], false);
        QVERIFY(m_host->silentAlerts.empty()); // unplugged, not silent
        QCOMPARE(DeviceBus::instance().health(1), BoxHealth::Answering);
        QCOMPARE(int(sentTo(sim, 1).size()), kRainbowFanCount);
    }

    void aFullQueueHoldsAndSaysSoOnce()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1"));
        sim->mute(0, true);
        // Reports that supersede nothing pile up behind a silent box: the queue holds.
        for (int i = 0; i < 3000; ++i)
            DeviceBus::instance().send(0, Reports::saveSettings());
        QVERIFY(DeviceBus::instance().queued(0) <= int(ReportQueue::kDefaultCapacity));
        QCOMPARE(g_log.filter(QStringLiteral("queue full")).size(), 1);
        // A query that finds no room is answered "none", not forgotten.
        int none = 0;
        DeviceBus::instance().query(0, Reports::readFirmwareVersion(), [&](const Reply &, int length) {
            if (length <= 0)
                ++none;
        });
        QTRY_COMPARE(none, 1);
        DeviceBus::instance().close(0); // with the queue still full
        QCOMPARE(DeviceBus::instance().queued(0), 0);
    }

    void shutdownWithFullQueuesNeitherHangsNorCrashes()
    {
        SimulatedBoxes *sim = start(QStringLiteral("1,1,1,1"));
        int replies = 0;
        for (int box = 0; box < 4; ++box) {
            sim->setLatency(box, 30);
            for (int i = 0; i < 200; ++i) {
                DeviceBus::instance().send(box, Reports::saveSettings());
                DeviceBus::instance().query(box, Reports::readFanSpeed(1 + i % 5), [&](const Reply &, int) { ++replies; });
            }
        }
        sim->mute(2, true);
        DeviceBus::instance().closeAll();
        for (int box = 0; box < 4; ++box)
            QVERIFY(!DeviceBus::instance().isOpen(box));
        // What was still queued is dropped: no handler runs after the close.
        const int before = replies;
        QCoreApplication::processEvents();
        QCOMPARE(replies, before);
        // A closed box answers at once, with nothing.
        int length = 0;
        QCOMPARE(DeviceBus::instance().exchange(0, Reports::readFirmwareVersion(), nullptr, &length), -1);
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
        DeviceBus::instance().setTransport(std::move(owned));
        DeviceBus::instance().setHealthHandler([this](int b, BoxHealth health) { onBoxHealth(b, health, *m_host); });
        setupAllControllerBox(boxes);
        QVERIFY(boxes[0].gIsConnected); // the probe's write went through
        int decoded = 0;
        for (int i = 0; i < 4; ++i) {
            requestFanSpeed(boxes, 0, i, [&](int, int) { ++decoded; });
            QVERIFY(DeviceBus::instance().waitForIdle());
        }
        QCOMPARE(decoded, 0);
        QCOMPARE(DeviceBus::instance().health(0), BoxHealth::NotAnswering);
        QCOMPARE(m_host->silentAlerts, std::vector<int>{0});
        QCOMPARE(g_log.filter(QStringLiteral("not answering")).size(), 1);

        // Short replies are no better.
        box->replyLength = 1;
        for (int i = 0; i < 3; ++i)
            DeviceBus::instance().send(0, Reports::saveSettings());
        QVERIFY(DeviceBus::instance().waitForIdle());
        QCOMPARE(DeviceBus::instance().health(0), BoxHealth::NotAnswering);
        QCOMPARE(g_log.filter(QStringLiteral("not answering")).size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
