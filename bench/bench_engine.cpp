// The device engine under load: the real program core on simulated boxes,
// every fan of every box in a music mode (a frame every 25 ms), the speed poll
// once a second, each exchange with a box taking 2 ms as on real USB, and the
// command channel asked every 100 ms. Rows: 1, 4 and 16 boxes, all answering
// and with the first box silent. Each row runs in a process of its own.
//
//   unshare -n sh -c 'ip link set lo up; build/bin/bench_engine [SECONDS] [EXCHANGE_MS]'
//
// Printed per row:
//   gui-io    share of wall time the GUI thread spends inside device I/O calls
//   frames    music frames delivered / frames due, per fan of an answering box
//             (mean and the worst fan)
//   rtt       command-channel round trip, p50 / p99 in ms
//   cpu       CPU time of the whole process / wall time
//   rss       resident memory at the start and at the end, MiB
//
// Only interfaces that every version of the engine has are used, so the same
// file measures the code before and after a change side by side.
#include "app/Aurivent.h"
#include "app/CommandChannel.h"
#include "device/BoxTable.h"
#include "device/DeviceBus.h"
#include "device/HidTransport.h"
#include "device/sim/SimulatedBoxes.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

qint64 nowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch()).count();
}

double rssMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Simulated boxes behind a real USB's exchange time, measuring what the GUI
// thread spends inside the transport and counting the frames each fan gets.
class TimedTransport final : public HidTransport {
public:
    TimedTransport(SimulatedBoxes *boxes, int exchangeMs)
        : m_boxes(boxes)
        , m_exchangeMs(exchangeMs)
    {
        for (auto &box : m_frames)
            for (auto &fan : box)
                fan = 0;
    }

    ~TimedTransport() override { delete m_boxes; }

    std::atomic<qint64> guiNs{0};

    int frames(int box, int fan) const { return m_frames[box][fan].load(); }
    void resetFrames()
    {
        for (auto &box : m_frames)
            for (auto &fan : box)
                fan = 0;
    }

    int init() override { return m_boxes->init(); }
    HidHandle *open(unsigned short vendor, unsigned short product) override
    {
        const Timed t(this);
        HidHandle *h = m_boxes->open(vendor, product);
        if (h) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_boxOf.push_back({h, product - kProductIdBase});
        }
        return h;
    }
    int write(HidHandle *h, const uint8_t *data, size_t length) override
    {
        const Timed t(this);
        if (length >= 4 && data[1] == 0x32 && data[2] == 0x52 && data[3] >= 1 && data[3] <= 5) {
            const int box = boxOf(h);
            if (box >= 0)
                ++m_frames[box][data[3] - 1];
        }
        return m_boxes->write(h, data, length);
    }
    int read(HidHandle *h, uint8_t *data, size_t length, int timeoutMs) override
    {
        const Timed t(this);
        // The USB round trip of a write and its reply.
        if (timeoutMs > 0 && m_exchangeMs > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(m_exchangeMs));
        return m_boxes->read(h, data, length, timeoutMs);
    }
    void close(HidHandle *h) override
    {
        const Timed t(this);
        m_boxes->close(h);
    }
    QByteArray node(HidHandle *h) const override { return m_boxes->node(h); }
    int emergencyDescriptor(HidHandle *h) const override { return m_boxes->emergencyDescriptor(h); }

private:
    struct Timed {
        explicit Timed(TimedTransport *t)
            : transport(t)
            , gui(QThread::currentThread() == QCoreApplication::instance()->thread())
            , start(gui ? nowNs() : 0)
        {
        }
        ~Timed()
        {
            if (gui)
                transport->guiNs += nowNs() - start;
        }
        TimedTransport *transport;
        bool gui;
        qint64 start;
    };

    int boxOf(HidHandle *h)
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (auto it = m_boxOf.rbegin(); it != m_boxOf.rend(); ++it)
            if (it->first == h)
                return it->second;
        return -1;
    }

    SimulatedBoxes *m_boxes;
    int m_exchangeMs;
    std::mutex m_mutex;
    std::vector<std::pair<HidHandle *, int>> m_boxOf;
    std::atomic<int> m_frames[16][5];
};

struct Row {
    int boxes = 1;
    bool silent = false;
    int seconds = 20;
    int exchangeMs = 2;
};

double percentile(std::vector<double> v, double p)
{
    if (v.empty())
        return -1;
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5));
    return v[i];
}

int runRow(const Row &row)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_RUNTIME_DIR", (home.path() + QStringLiteral("/run")).toUtf8());
    QDir().mkpath(home.path() + QStringLiteral("/run"));
    QFile::setPermissions(home.path() + QStringLiteral("/run"), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                     | QFileDevice::ExeOwner);
    const QString folder = home.path() + QStringLiteral("/config/Kq/RGBVaylaZeve");
    QDir().mkpath(folder);
    QFile device(folder + QStringLiteral("/Device.ini"));
    if (device.open(QIODevice::WriteOnly))
        device.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nPassword=9462\nOpenPassword=0\nLanguage=0\n");
    device.close();

    auto boxes = std::make_unique<SimulatedBoxes>();
    QString spec;
    for (int b = 0; b < row.boxes; ++b)
        spec += (b ? QStringLiteral(",1") : QStringLiteral("1"));
    QString error;
    boxes->plugFromSpec(spec, &error);
    SimulatedBoxes *sim = boxes.get();
    auto timed = std::make_unique<TimedTransport>(boxes.release(), row.exchangeMs);
    TimedTransport *transport = timed.get();
    DeviceBus::instance().setTransport(std::move(timed));

    CommandChannel channel;
    channel.listen(&error);
    StartOptions options;
    options.simulated = true;
    options.channel = &channel;
    auto program = std::make_unique<Aurivent>(options);
    if (row.silent)
        sim->mute(0, true);

    // Every fan of every box in a music mode: a frame every 25 ms.
    for (int b = 0; b < row.boxes; ++b) {
        for (RainbowFanRecord &fan : program->boxes()[b].rainbowFan) {
            fan.lightMode = LightMode::Music_2;
            fan.isTurnOffLed = false;
        }
        program->applyBoxSettings(b);
    }

    // The command channel, asked from a thread of its own as another program would.
    std::vector<double> rtt;
    std::atomic<bool> stop{false};
    std::thread asker([&] {
        while (!stop) {
            const auto start = Clock::now();
            QString ignored;
            CommandChannel::send(0x8114, 0, 0, &ignored); // an ID nobody handles: a pure round trip
            rtt.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
    });

    // Settle, then measure.
    QEventLoop settle;
    QTimer::singleShot(2000, &settle, &QEventLoop::quit);
    settle.exec();
    transport->resetFrames();
    const qint64 gui0 = transport->guiNs;
    const double cpu0 = cpuSeconds();
    const double rss0 = rssMiB();
    QElapsedTimer wall;
    wall.start();
    QEventLoop run;
    QTimer::singleShot(row.seconds * 1000, &run, &QEventLoop::quit);
    run.exec();
    const double wallS = double(wall.nsecsElapsed()) / 1e9;
    const double guiShare = double(transport->guiNs - gui0) / 1e9 / wallS;
    const double cpu = (cpuSeconds() - cpu0) / wallS;
    const double rss1 = rssMiB();
    double sum = 0, worst = 1e9;
    int fans = 0;
    const double due = wallS / 0.025;
    for (int b = row.silent ? 1 : 0; b < row.boxes; ++b) {
        for (int f = 0; f < kRainbowFanCount; ++f) {
            const double ratio = transport->frames(b, f) / due;
            sum += ratio;
            worst = std::min(worst, ratio);
            ++fans;
        }
    }
    stop = true;
    asker.join();

    const QByteArray frames = fans ? QByteArray::number(sum / fans, 'f', 3) + " / " + QByteArray::number(worst, 'f', 3)
                                   : QByteArray("  (none answers)");
    std::printf("%5d  %-6s  %6.2f %%  %-17s  %8.1f / %8.1f  %6.3f  %6.1f -> %6.1f\n", row.boxes,
                row.silent ? "silent" : "all", 100.0 * guiShare, frames.constData(), percentile(rtt, 0.5),
                percentile(rtt, 0.99), cpu, rss0, rss1);
    std::fflush(stdout);
    program.reset();
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.info=false;*.warning=false");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();

    // A child: one row.
    if (args.size() == 6 && args.at(1) == QLatin1String("--row")) {
        Row row;
        row.boxes = args.at(2).toInt();
        row.silent = args.at(3) == QLatin1String("1");
        row.seconds = args.at(4).toInt();
        row.exchangeMs = args.at(5).toInt();
        return runRow(row);
    }

    const int seconds = args.size() > 1 ? args.at(1).toInt() : 20;
    const int exchangeMs = args.size() > 2 ? args.at(2).toInt() : 2;
    std::printf("music on every fan, %d ms per exchange, %d s per row\n", exchangeMs, seconds);
    std::printf("boxes  boxes   gui-io    frames mean/worst   rtt p50 / p99 ms   cpu     rss MiB\n");
    std::fflush(stdout);
    for (int boxes : {1, 4, 16}) {
        for (bool silent : {false, true}) {
            QProcess child;
            child.setProcessChannelMode(QProcess::ForwardedChannels);
            child.start(QCoreApplication::applicationFilePath(),
                        {QStringLiteral("--row"), QString::number(boxes), silent ? QStringLiteral("1") : QStringLiteral("0"),
                         QString::number(seconds), QString::number(exchangeMs)});
            child.waitForFinished(-1);
        }
    }
    return 0;
}
