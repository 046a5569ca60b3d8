// SPDX-License-Identifier: GPL-3.0-or-later
// One tick of the lighting-script player on a simulated box, for a frame of
// ordinary size and for one that names 20 000 controller entries.
#include "SimFixture.h"

#include "script/ScriptRunner.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <benchmark/benchmark.h>

namespace {

QJsonArray twelve(double value)
{
    QJsonArray a;
    for (int i = 0; i < 12; ++i)
        a.append(value);
    return a;
}

// entries controller entries for box 0, each with `fans` full fans, or with
// one fan of a single red value when fans is 0 (the shortest entry that sends).
QString frameWithEntries(int entries, int fans)
{
    const QJsonObject fan{{"R", twelve(200)}, {"G", twelve(10)}, {"B", twelve(40)}, {"Br", twelve(0.5)}};
    const QJsonObject shortFan{{"R", QJsonArray{200}}};
    QJsonArray controllers;
    for (int i = 0; i < entries; ++i) {
        QJsonObject entry{{"ControllerNum", 0}};
        if (fans == 0)
            entry.insert(QStringLiteral("Fan0"), shortFan);
        for (int k = 0; k < fans; ++k)
            entry.insert(QStringLiteral("Fan") + QString::number(k), fan);
        controllers.append(entry);
    }
    return QString::fromUtf8(QJsonDocument(QJsonObject{{"Controller", controllers}}).toJson(QJsonDocument::Compact));
}

void BM_ScriptTick(benchmark::State &state)
{
    TestDevices devices;
    installSimulator(devices, QStringLiteral("1"));
    const QString frame = frameWithEntries(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    state.counters["frame_chars"] = frame.size();
    ScriptRunner runner(devices.encoders);
    for (auto _ : state) {
        runner.testReceiveFileData({frame}, 1000000);
        runner.runScript();
        runner.stop();
    }
}
// Args: entries, full fans per entry (0: one short fan).
BENCHMARK(BM_ScriptTick)->Args({1, 5})->Args({16, 5})->Args({20000, 0})->Args({20000, 5})->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
