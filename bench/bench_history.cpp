// SPDX-License-Identifier: GPL-3.0-or-later
// The history fed faster than real time: 25 hours of every series a history
// can hold (16 boxes x 5 fans, RPM and duty, 16 box healths, 8 temperature
// sources) and of a typical machine (one box, 2 sources), as the core will
// feed it: a speed per fan each second, a duty change now and then, a
// temperature every 5 s.
//
//   build/bin/bench_history
//
// Printed per setup:
//   heap      bytes the allocator handed out for the history (mallinfo2),
//             the history's own count and its stated bound
//   rss       resident memory added, MiB
//   feed      CPU time per simulated second, and that as a share of one core
//             when the history runs in real time
//   save      state file: the copy taken on the history's thread, the packing
//             (compression, checksum) done off it, its size, decode time
//   query     one series over 24 h (minutes) and over 1 h (seconds)
#include "history/History.h"
#include "history/HistoryFile.h"

#include <QFile>

#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <memory>

namespace {

constexpr qint64 kStart = 1'800'000'000;

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

std::size_t heapBytes()
{
    return mallinfo2().uordblks;
}

double rssMiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0) : 0;
}

void run(const char *name, int boxes, int sources, qint64 seconds)
{
    const std::size_t heap0 = heapBytes();
    const double rss0 = rssMiB();
    auto h = std::make_unique<History>();
    QStringList names;
    for (int i = 0; i < sources; ++i)
        names << QStringLiteral("coretemp-isa-%1/Package id %1").arg(i);
    quint32 noise = 1;

    const double cpu0 = cpuSeconds();
    for (qint64 t = kStart; t < kStart + seconds; ++t) {
        for (int box = 0; box < boxes; ++box) {
            for (int fan = 0; fan < 5; ++fan) {
                noise = noise * 1664525u + 1013904223u;
                h->setFanRpm(box, fan, 900 + int(noise >> 24));
                if ((t + fan) % 97 == 0)
                    h->setFanDuty(box, fan, int(noise >> 25) % 101);
            }
            if (t % 600 == 0)
                h->setBoxHealth(box, 0);
        }
        if (t % 5 == 0)
            for (const QString &s : names)
                h->setTemperature(s, 40.0 + double(noise % 300) / 10.0);
        h->advanceTo(t);
    }
    const double cpu = cpuSeconds() - cpu0;
    const std::size_t heap = heapBytes() - heap0;
    const double rss = rssMiB() - rss0;

    const double e0 = cpuSeconds();
    const QByteArray payload = HistoryFile::payload(*h);
    const double copy = cpuSeconds() - e0;
    const QByteArray file = HistoryFile::pack(payload);
    const double encode = cpuSeconds() - e0;
    History back;
    QString why;
    const double d0 = cpuSeconds();
    const bool decoded = HistoryFile::decode(file, back, &why);
    const double decode = cpuSeconds() - d0;

    const qint64 head = h->headSecond();
    const double q0 = cpuSeconds();
    constexpr int kQueries = 200;
    int points = 0;
    for (int i = 0; i < kQueries; ++i)
        points += h->points(SeriesKey::fanRpm(0, i % 5), head - 86399, head).size();
    const double day = (cpuSeconds() - q0) / kQueries;
    const double q1 = cpuSeconds();
    for (int i = 0; i < kQueries; ++i)
        points += h->points(SeriesKey::fanRpm(0, i % 5), head - 3599, head).size();
    const double hour = (cpuSeconds() - q1) / kQueries;

    const double perSecond = cpu / double(seconds);
    std::printf("%s: %d series, %lld simulated seconds\n", name, h->seriesKeys().size(), static_cast<long long>(seconds));
    std::printf("  heap    %zu bytes from the allocator (%.2f MiB); history's own count %zu; bound %zu (%.2f MiB)\n",
                heap, double(heap) / 1048576.0, h->bytesReserved(), History::bytesBound(h->limits()),
                double(History::bytesBound(h->limits())) / 1048576.0);
    std::printf("  rss     +%.2f MiB\n", rss);
    std::printf("  feed    %.2f s CPU for %lld s: %.1f us per simulated second = %.5f %% of one core in real time\n",
                cpu, static_cast<long long>(seconds), perSecond * 1e6, perSecond * 100.0);
    std::printf("  save    copy %.1f ms on the history's thread, then pack %.1f ms; %d bytes (bound %lld); decode %.1f ms (%s)\n",
                copy * 1e3, (encode - copy) * 1e3, int(file.size()),
                static_cast<long long>(HistoryFile::fileBound(*h)), decode * 1e3, decoded ? "ok" : qPrintable(why));
    std::printf("  query   24 h of one series: %.1f us; 1 h: %.1f us (%d points in all)\n", day * 1e6, hour * 1e6, points);
}

} // namespace

int main()
{
    run("typical (1 box, 2 sources)", 1, 2, 25 * 3600);
    run("largest (16 boxes, 8 sources)", 16, 8, 25 * 3600);
    return 0;
}
