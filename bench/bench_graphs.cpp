// SPDX-License-Identifier: GPL-3.0-or-later
// The graphs window's cost, side by side in one run:
//   program  the whole program on sixteen simulated boxes (window hidden):
//            CPU with the graphs window closed, open on every fan over 1 h,
//            open on one fan over 5 min, and closed again;
//   fed      a history of 16 boxes x 5 fans and the CPU temperature fed 24 h
//            faster than real time: its heap, then CPU as the window redraws
//            it each second (closed / every fan 1 h / every fan 24 h / one fan
//            5 min / closed again) and the heap the open window adds.
// CPU is the share of one core (process CPU time / wall time).
// Run: build/bin/bench_graphs [SECONDS_PER_PHASE]   (default 15)
#include "alerts/Alert.h"
#include "app/Aurivent.h"
#include "core/Core.h"
#include "startup/CommandLine.h"
#include "startup/DeviceSetup.h"
#include "history/History.h"
#include "monitoring/AlertLog.h"
#include "monitoring/HistoryLogReader.h"
#include "ui/MainView.h"
#include "ui/graphs/GraphsOpener.h"
#include "ui/graphs/GraphsWindow.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QTimer>

#include <malloc.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <memory>

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

std::size_t heapBytes()
{
    return mallinfo2().uordblks;
}

// The share of one core the process takes over `seconds` of the event loop.
double cpuShare(int seconds)
{
    QEventLoop loop;
    const double before = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
    loop.exec();
    return 100.0 * (cpuSeconds() - before) / (double(wall.nsecsElapsed()) / 1e9);
}

void row(const char *what, double percent, double closed)
{
    std::printf("  %-34s %6.2f %% of a core   x%.2f of closed\n", what, percent, closed > 0 ? percent / closed : 0.0);
    std::fflush(stdout);
}

void program(int seconds)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    qputenv("XDG_STATE_HOME", home.path().toUtf8());
    const QString folder = home.path() + QStringLiteral("/Kq/RGBVaylaZeve");
    QDir().mkpath(folder);
    QFile device(folder + QStringLiteral("/Device.ini"));
    if (device.open(QIODevice::WriteOnly))
        device.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nPassword=9462\nOpenPassword=0\nLanguage=0\n");
    device.close();
    Core core;
    DeviceSetup devices;
    QString error;
    const CommandLine line = CommandLine::parse(
        {QStringLiteral("bench"), QStringLiteral("--simulate=1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1")});
    if (!devices.apply(line, core.bus(), nullptr, nullptr, &error))
        qFatal("%s", qPrintable(error));
    StartOptions options;
    options.simulated = true;
    Aurivent app(core, options);
    app.view()->hide();
    QAction *graphs = nullptr;
    for (QAction *a : app.findChildren<QAction *>())
        if (a->text() == QStringLiteral("Graphs"))
            graphs = a;
    if (!graphs)
        qFatal("no Graphs entry in the tray menu");
    cpuShare(3); // the boxes found, the first polls done

    std::printf("program, 16 simulated boxes, %d s per phase\n", seconds);
    const double closed = cpuShare(seconds);
    row("graphs closed", closed, closed);
    graphs->trigger();
    GraphsWindow *w = nullptr;
    for (QWidget *t : QApplication::topLevelWidgets())
        if (auto *g = qobject_cast<GraphsWindow *>(t))
            w = g;
    if (!w)
        qFatal("the graphs window did not open");
    w->setRange(GraphRange::OneHour);
    row("open: every fan, 1 h", cpuShare(seconds), closed);
    w->setScope(GraphScope::ofFan(0, 0));
    w->setRange(GraphRange::FiveMinutes);
    row("open: one fan, 5 min", cpuShare(seconds), closed);
    w->close();
    row("closed again", cpuShare(seconds), closed);
}

void fed(int seconds)
{
    const qint64 start = 1765000000;
    qint64 now = start;
    const std::size_t heap0 = heapBytes();
    History history;
    AlertLog log;
    auto step = [&] {
        const double t = double(now - start);
        history.setTemperature(QStringLiteral("cpu"), 50 + 10 * std::sin(t / 600));
        for (int box = 0; box < 16; ++box)
            for (int fan = 0; fan < 5; ++fan) {
                history.setFanDuty(box, fan, 60 + (box + fan) % 20);
                history.setFanRpm(box, fan, 1000 + 20 * fan + int(200 * std::sin(t / (300 + box))));
            }
        history.advanceTo(now);
        if ((now - start) % 3600 == 1800) {
            Alert a;
            a.kind = AlertKind::Stall;
            a.raised = (now - start) % 7200 == 1800;
            a.box = int((now - start) / 3600) % 16;
            a.fan = 2;
            a.time = QDateTime::fromSecsSinceEpoch(now, Qt::UTC);
            log.record(a, now);
        }
        ++now;
    };
    QElapsedTimer feedTime;
    feedTime.start();
    while (now < start + 24 * 3600 + 60)
        step();
    const std::size_t heapFed = heapBytes();
    std::printf("fed history, 16 boxes x 5 fans + cpu, 24 h in %.1f s\n", double(feedTime.elapsed()) / 1000.0);
    std::printf("  history heap %.2f MiB (its own count %.2f MiB, bound %.2f MiB)\n",
                double(heapFed - heap0) / 1048576.0, double(history.bytesReserved()) / 1048576.0,
                double(History::bytesBound(history.limits())) / 1048576.0);

    HistoryLogReader reader(&history, &log);
    // One second of history per second of the clock, as the recorder does.
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        step();
        emit reader.sampled();
    });
    tick.start(1000);
    GraphsOpener opener(&reader);

    const double closed = cpuShare(seconds);
    row("graphs closed", closed, closed);
    const std::size_t heapClosed = heapBytes();
    opener.open(GraphScope::everything());
    opener.window()->setRange(GraphRange::OneHour);
    row("open: every fan, 1 h", cpuShare(seconds), closed);
    const std::size_t heapOpen = heapBytes();
    opener.window()->setRange(GraphRange::Day);
    row("open: every fan, 24 h", cpuShare(seconds), closed);
    opener.open(GraphScope::ofFan(0, 0));
    opener.window()->setRange(GraphRange::FiveMinutes);
    row("open: one fan, 5 min", cpuShare(seconds), closed);
    opener.window()->close();
    row("closed again", cpuShare(seconds), closed);
    std::printf("  the open window (every fan, 1 h) adds %.2f MiB of heap\n",
                (double(heapOpen) - double(heapClosed)) / 1048576.0);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int seconds = argc > 1 ? std::max(1, atoi(argv[1])) : 15;
    fed(seconds);
    program(seconds);
    return 0;
}
