// SPDX-License-Identifier: GPL-3.0-or-later
// What the window costs the GUI thread: one phone command on the box the
// window shows (and on another box), and the idle CPU of sixteen simulated
// boxes polled once a second with the window hidden.
//   QT_QPA_PLATFORM=offscreen build/bin/bench_view_refresh
// Run it inside a private network namespace (the program listens on the
// phone port): unshare -n sh -c 'ip link set lo up; QT_QPA_PLATFORM=offscreen build/bin/bench_view_refresh'
#include "app/Aurivent.h"
#include "startup/CommandLine.h"
#include "startup/DeviceSetup.h"
#include "core/Core.h"
#include "device/BoxTable.h"
#include "ui/MainView.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <QVariantMap>

#include <sys/resource.h>

#include <memory>

namespace {

// Settings of the benchmark's own, a fresh program on simulated boxes.
struct Program {
    QTemporaryDir home;
    Core core;
    std::unique_ptr<Aurivent> window;

    explicit Program(const QString &spec)
    {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        const QString folder = home.path() + QStringLiteral("/Kq/RGBVaylaZeve");
        QDir().mkpath(folder);
        QFile device(folder + QStringLiteral("/Device.ini"));
        if (device.open(QIODevice::WriteOnly))
            device.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nPassword=9462\nOpenPassword=0\nLanguage=0\n");
        device.close();
        DeviceSetup devices;
        QString error;
        const CommandLine line = CommandLine::parse({QStringLiteral("bench"), QStringLiteral("--simulate=") + spec});
        if (!devices.apply(line, core.bus(), nullptr, nullptr, &error))
            qFatal("%s", qPrintable(error));
        StartOptions options;
        options.simulated = true;
        window = std::make_unique<Aurivent>(core, options);
        QCoreApplication::processEvents();
    }
};

// Command 2: a colour and a light mode for all five fans of a box.
QVariantMap colourCommand(int box, int red)
{
    QString boxes(16, QLatin1Char('0'));
    boxes[box] = QLatin1Char('1');
    QVariantMap data{{QStringLiteral("BoxNum"), boxes},
                     {QStringLiteral("FanNum"), QStringLiteral("11111")},
                     {QStringLiteral("LED1"), QStringLiteral("111111111111")},
                     {QStringLiteral("RColor"), red},
                     {QStringLiteral("GColor"), 40},
                     {QStringLiteral("BColor"), 200},
                     {QStringLiteral("ColorMode"), 0},
                     {QStringLiteral("LightMode"), 4},
                     {QStringLiteral("Speed"), 2}};
    return QVariantMap{{QStringLiteral("command"), 2}, {QStringLiteral("Data"), data}};
}

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// One command as a client sends it, apart from its neighbours: the time from
// its arrival until the window shows it (refreshes may wait for the next
// turn of the event loop, so that turn is counted too).
void phoneCommand(benchmark::State &state, int box)
{
    Program program(QStringLiteral("1,1"));
    program.window->view()->show();
    QCoreApplication::processEvents();
    int red = 0;
    for (auto _ : state) {
        QThread::msleep(20); // a client's commands are apart; not measured
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        program.window->socketHelperReceiveData(colourCommand(box, red++ % 256));
        QCoreApplication::processEvents();
        state.SetIterationTime(timer.nsecsElapsed() / 1e9);
    }
}

void BM_PhoneCommandShownBox(benchmark::State &state) { phoneCommand(state, 0); }
BENCHMARK(BM_PhoneCommandShownBox)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

void BM_PhoneCommandOtherBox(benchmark::State &state) { phoneCommand(state, 1); }
BENCHMARK(BM_PhoneCommandOtherBox)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(100);

// Sixteen boxes, the window hidden, nothing happening but the speed poll:
// the share of one core the program takes.
void BM_IdleSixteenBoxesHidden(benchmark::State &state)
{
    Program program(QStringLiteral("1,1,1,1,1,1,1,1,1,1,1,1,1,1,1,1"));
    program.window->view()->hide();
    const int seconds = int(state.range(0));
    for (auto _ : state) {
        QEventLoop loop;
        const double before = cpuSeconds();
        QElapsedTimer wall;
        wall.start();
        QTimer::singleShot(seconds * 1000, &loop, &QEventLoop::quit);
        loop.exec();
        const double cpu = cpuSeconds() - before;
        state.SetIterationTime(wall.nsecsElapsed() / 1e9);
        state.counters["cpu_percent"] = 100.0 * cpu / (wall.nsecsElapsed() / 1e9);
    }
}
BENCHMARK(BM_IdleSixteenBoxesHidden)->Arg(10)->UseManualTime()->Unit(benchmark::kSecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "*.debug=false;*.info=false");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
