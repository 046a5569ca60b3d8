// SPDX-License-Identifier: GPL-3.0-or-later
// The device engine under load: the real program core on simulated boxes,
// every fan of every box in a music mode (a frame every 25 ms), the speed poll,
// and the command channel asked every 100 ms. Each row runs in a process of
// its own. Rows: 1, 4 and 16 boxes at a 2 ms exchange, all answering and with
// the first box silent; one box at 4, 6, 8 and 12 ms; one box at 2 ms with a
// 12 ms exchange every 100 ms (jitter).
//
//   unshare -n sh -c 'ip link set lo up; build/bin/bench_engine [SECONDS] [DEPTH]'
//   bench_engine --row BOXES SILENT SECONDS EXCHANGE_MS JITTER DEPTH   (one row)
//
// The box model: a report is taken at once, and its reply is ready
// EXCHANGE_MS after it was written, replies in the order of their reports
// (a slow reply holds up the ones behind it). A read waits until the next
// reply is ready or its time-out ends.
//
// Printed per row:
//   gui-io    share of wall time the GUI thread spends inside device I/O calls
//   frames    music frames delivered / frames due, per fan of an answering box:
//             mean, the worst fan, and the spread (the fan furthest from its
//             box's mean, in % of that mean)
//   rtt       command-channel round trip, p50 / p99 in ms
//   cpu       CPU time / wall time in % of one core: the whole process, and
//             the GUI thread alone
//   cs/s      context switches per second of all threads, and of the GUI
//             thread alone (voluntary + involuntary, from /proc)
//   rss       resident memory at the start and at the end, MiB
//
// Only interfaces that every version of the engine has are used (a DEPTH of
// -1 leaves the engine's own setting), so the same file measures the code
// before and after a change side by side.
#include "app/Aurivent.h"
#include "channel/CommandChannel.h"
#include "core/Core.h"
#include "device/BoxTable.h"
#include "device/DeviceBus.h"
#include "device/HidTransport.h"
#include "device/sim/SimulatedBoxes.h"

#include <QApplication>
#include <QDir>
#include <QDirIterator>
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
#include <cmath>
#include <cstdio>
#include <deque>
#include <map>
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

// Voluntary and involuntary context switches of one task, from its status file.
qint64 switchesOf(const QString &statusPath)
{
    QFile status(statusPath);
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    qint64 total = 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("voluntary_ctxt_switches:") || line.startsWith("nonvoluntary_ctxt_switches:"))
            total += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
    }
    return total;
}

// CPU time of one task in clock ticks (user + system), from its stat file.
qint64 ticksOf(const QString &statPath)
{
    QFile stat(statPath);
    if (!stat.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray line = stat.readAll();
    // The fields after the command name, which is in parentheses.
    const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
    return f.size() > 12 ? f.at(11).toLongLong() + f.at(12).toLongLong() : 0;
}

// Context switches and CPU ticks of every thread of the process, and of the GUI thread.
struct Switches {
    qint64 all = 0;
    qint64 gui = 0;
    qint64 guiTicks = 0;
};

Switches switchesNow()
{
    Switches s;
    QDirIterator tasks(QStringLiteral("/proc/self/task"), QDir::Dirs | QDir::NoDotAndDotDot);
    const QString gui = QString::number(getpid());
    while (tasks.hasNext()) {
        const QString task = tasks.next();
        const qint64 n = switchesOf(task + QStringLiteral("/status"));
        s.all += n;
        if (task.endsWith(QLatin1Char('/') + gui)) {
            s.gui = n;
            s.guiTicks = ticksOf(task + QStringLiteral("/stat"));
        }
    }
    return s;
}

// Sets the engine's pipeline depth where the engine has one.
template <typename Bus>
auto setDepth(Bus &bus, int depth, int) -> decltype(bus.setPipelineDepth(depth), bool())
{
    if (depth > 0)
        bus.setPipelineDepth(depth);
    return true;
}
template <typename Bus>
bool setDepth(Bus &, int depth, long)
{
    return depth <= 0;
}

// Simulated boxes behind a real USB's exchange time, measuring what the GUI
// thread spends inside the transport and counting the frames each fan gets.
class TimedTransport final : public HidTransport {
public:
    TimedTransport(SimulatedBoxes *boxes, int exchangeMs, bool jitter)
        : m_boxes(boxes)
        , m_exchangeMs(exchangeMs)
        , m_jitter(jitter)
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
            m_handles[h] = Handle{product - kProductIdBase, {}, 0, 0};
        }
        return h;
    }
    int write(HidHandle *h, const uint8_t *data, size_t length) override
    {
        const Timed t(this);
        const int written = m_boxes->write(h, data, length);
        if (written < 0)
            return written;
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_handles.find(h);
        if (it == m_handles.end())
            return written;
        Handle &handle = it->second;
        if (length >= 4 && data[1] == 0x32 && data[2] == 0x52 && data[3] >= 1 && data[3] <= 5)
            ++m_frames[handle.box][data[3] - 1];
        const qint64 now = nowNs();
        qint64 exchangeNs = qint64(m_exchangeMs) * 1000000;
        if (m_jitter && now - handle.lastSpikeNs >= 100 * qint64(1000000)) {
            handle.lastSpikeNs = now;
            exchangeNs = 12 * qint64(1000000);
        }
        // The box answers in order: a slow reply holds up the ones behind it.
        handle.lastReadyNs = std::max(now + exchangeNs, handle.lastReadyNs);
        handle.replies.push_back(handle.lastReadyNs);
        return written;
    }
    int read(HidHandle *h, uint8_t *data, size_t length, int timeoutMs) override
    {
        const Timed t(this);
        const qint64 deadline = nowNs() + qint64(std::max(0, timeoutMs)) * 1000000;
        for (;;) {
            qint64 readyAt = -1;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                auto it = m_handles.find(h);
                if (it != m_handles.end() && !it->second.replies.empty())
                    readyAt = it->second.replies.front();
            }
            const qint64 now = nowNs();
            if (readyAt >= 0 && readyAt <= now) {
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    auto it = m_handles.find(h);
                    if (it != m_handles.end() && !it->second.replies.empty())
                        it->second.replies.pop_front();
                }
                const int got = m_boxes->read(h, data, length, 0);
                if (got != 0)
                    return got;
                continue; // a silent box: no reply behind this one
            }
            if (now >= deadline)
                return m_boxes->read(h, data, length, 0);
            const qint64 until = readyAt >= 0 ? std::min(readyAt, deadline) : deadline;
            std::this_thread::sleep_for(std::chrono::nanoseconds(until - now));
        }
    }
    void close(HidHandle *h) override
    {
        const Timed t(this);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_handles.erase(h);
        }
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
    struct Handle {
        int box;
        std::deque<qint64> replies; // when each written report's reply is ready
        qint64 lastReadyNs;
        qint64 lastSpikeNs;
    };

    SimulatedBoxes *m_boxes;
    int m_exchangeMs;
    bool m_jitter;
    std::mutex m_mutex;
    std::map<HidHandle *, Handle> m_handles;
    std::atomic<int> m_frames[16][5];
};

struct Row {
    int boxes = 1;
    bool silent = false;
    int seconds = 20;
    int exchangeMs = 2;
    bool jitter = false;
    int depth = -1; // the engine's own
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

    Core core;
    auto boxes = std::make_unique<SimulatedBoxes>();
    QString spec;
    for (int b = 0; b < row.boxes; ++b)
        spec += (b ? QStringLiteral(",1") : QStringLiteral("1"));
    QString error;
    boxes->plugFromSpec(spec, &error);
    SimulatedBoxes *sim = boxes.get();
    auto timed = std::make_unique<TimedTransport>(boxes.release(), row.exchangeMs, row.jitter);
    TimedTransport *transport = timed.get();
    core.bus().setTransport(std::move(timed));
    if (!setDepth(core.bus(), row.depth, 0)) {
        std::printf("this engine has no pipeline depth to set\n");
        return 1;
    }

    CommandChannel channel;
    channel.listen(&error);
    StartOptions options;
    options.simulated = true;
    options.channel = &channel;
    auto program = std::make_unique<Aurivent>(core, options);
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
    const Switches switches0 = switchesNow();
    QElapsedTimer wall;
    wall.start();
    QEventLoop run;
    QTimer::singleShot(row.seconds * 1000, &run, &QEventLoop::quit);
    run.exec();
    const double wallS = double(wall.nsecsElapsed()) / 1e9;
    const double guiShare = double(transport->guiNs - gui0) / 1e9 / wallS;
    const double cpu = (cpuSeconds() - cpu0) / wallS;
    const double rss1 = rssMiB();
    const Switches switches1 = switchesNow();
    double sum = 0, worst = 1e9, spread = 0;
    int fans = 0;
    const double due = wallS / 0.025;
    for (int b = row.silent ? 1 : 0; b < row.boxes; ++b) {
        double boxSum = 0;
        for (int f = 0; f < kRainbowFanCount; ++f)
            boxSum += transport->frames(b, f);
        const double boxMean = boxSum / kRainbowFanCount;
        for (int f = 0; f < kRainbowFanCount; ++f) {
            const double ratio = transport->frames(b, f) / due;
            sum += ratio;
            worst = std::min(worst, ratio);
            if (boxMean > 0)
                spread = std::max(spread, std::abs(transport->frames(b, f) - boxMean) / boxMean);
            ++fans;
        }
    }
    stop = true;
    asker.join();

    const QByteArray frames = fans ? QByteArray::number(sum / fans, 'f', 3) + " / " + QByteArray::number(worst, 'f', 3)
            + " / " + QByteArray::number(100.0 * spread, 'f', 1) + "%"
                                   : QByteArray("  (none answers)");
    const QByteArray exchange = row.jitter ? QByteArray::number(row.exchangeMs) + "+12" : QByteArray::number(row.exchangeMs);
    const double guiCpu = double(switches1.guiTicks - switches0.guiTicks) / double(sysconf(_SC_CLK_TCK)) / wallS;
    std::printf("%5d  %-6s  %-5s  %6.2f %%  %-24s  %7.1f / %7.1f  %5.2f / %5.2f %%  %7.0f / %5.0f  %6.1f -> %6.1f\n",
                row.boxes, row.silent ? "silent" : "all", exchange.constData(), 100.0 * guiShare, frames.constData(),
                percentile(rtt, 0.5), percentile(rtt, 0.99), 100.0 * cpu, 100.0 * guiCpu,
                double(switches1.all - switches0.all) / wallS, double(switches1.gui - switches0.gui) / wallS, rss0, rss1);
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
    if (args.size() == 8 && args.at(1) == QLatin1String("--row")) {
        Row row;
        row.boxes = args.at(2).toInt();
        row.silent = args.at(3) == QLatin1String("1");
        row.seconds = args.at(4).toInt();
        row.exchangeMs = args.at(5).toInt();
        row.jitter = args.at(6) == QLatin1String("1");
        row.depth = args.at(7).toInt();
        return runRow(row);
    }

    const int seconds = args.size() > 1 ? args.at(1).toInt() : 20;
    const int depth = args.size() > 2 ? args.at(2).toInt() : -1;
    std::printf("music on every fan, %d s per row, pipeline depth %s\n", seconds,
                depth > 0 ? qPrintable(QString::number(depth)) : "as built");
    std::printf("boxes  boxes   ms     gui-io    frames mean/worst/spread  rtt p50 / p99 ms  cpu all / gui %%  cs/s all / gui   rss MiB\n");
    std::fflush(stdout);
    std::vector<Row> rows;
    for (int boxes : {1, 4, 16}) {
        for (bool silent : {false, true}) {
            Row row;
            row.boxes = boxes;
            row.silent = silent;
            rows.push_back(row);
        }
    }
    for (int exchangeMs : {4, 6, 8, 12}) {
        Row row;
        row.exchangeMs = exchangeMs;
        rows.push_back(row);
    }
    Row jitter;
    jitter.jitter = true;
    rows.push_back(jitter);
    for (Row row : rows) {
        row.seconds = seconds;
        row.depth = depth;
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(),
                    {QStringLiteral("--row"), QString::number(row.boxes), row.silent ? QStringLiteral("1") : QStringLiteral("0"),
                     QString::number(row.seconds), QString::number(row.exchangeMs),
                     row.jitter ? QStringLiteral("1") : QStringLiteral("0"), QString::number(row.depth)});
        child.waitForFinished(-1);
    }
    return 0;
}
