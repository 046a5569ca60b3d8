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

QString frameWithEntries(int entries)
{
    const QJsonObject fan{{"R", twelve(200)}, {"G", twelve(10)}, {"B", twelve(40)}, {"Br", twelve(0.5)}};
    QJsonArray controllers;
    for (int i = 0; i < entries; ++i) {
        QJsonObject entry{{"ControllerNum", 0}};
        for (int k = 0; k < 5; ++k)
            entry.insert(QStringLiteral("Fan") + QString::number(k), fan);
        controllers.append(entry);
    }
    return QString::fromUtf8(QJsonDocument(QJsonObject{{"Controller", controllers}}).toJson(QJsonDocument::Compact));
}

void BM_ScriptTick(benchmark::State &state)
{
    installSimulator(QStringLiteral("1"));
    const QString frame = frameWithEntries(static_cast<int>(state.range(0)));
    ScriptRunner runner;
    for (auto _ : state) {
        runner.testReceiveFileData({frame}, 1000000);
        runner.runScript();
        runner.stop();
    }
}
BENCHMARK(BM_ScriptTick)->Arg(1)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
