// The settings files on the GUI thread: a device file parsed the way the
// program did before (through a file QSettings reads) and from memory as it
// does now, a whole read of the device file from disk, and a whole save
// (with its flushes of the file and the folder). Run: build/bin/bench_settings
// (XDG_CONFIG_HOME decides which disk the save goes to).

#include "device/BoxModel.h"
#include "storage/IniFile.h"
#include "storage/IniHelper.h"

#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include <benchmark/benchmark.h>

namespace {

QByteArray deviceFile()
{
    BoxModel boxes;
    boxes.reset();
    AppSettings settings;
    QByteArray bytes;
    IniFile::compose(IniFile::Contents(), IniHelper::buildDeviceMap(settings, boxes.records()), "bench", &bytes);
    return bytes;
}

void BM_ParseDeviceFileThroughQSettings(benchmark::State &state)
{
    const QByteArray bytes = deviceFile();
    for (auto _ : state) {
        QTemporaryFile file(QDir::tempPath() + QStringLiteral("/aurivent-bench-XXXXXX"));
        file.open();
        file.write(bytes);
        file.close();
        QSettings settings(file.fileName(), QSettings::IniFormat);
        QMap<QString, QVariant> values;
        for (const QString &key : settings.allKeys())
            values.insert(key, settings.value(key));
        benchmark::DoNotOptimize(values);
    }
}
BENCHMARK(BM_ParseDeviceFileThroughQSettings)->Unit(benchmark::kMicrosecond);

void BM_ParseDeviceFileInMemory(benchmark::State &state)
{
    const QByteArray bytes = deviceFile();
    for (auto _ : state)
        benchmark::DoNotOptimize(IniFile::parse(bytes));
}
BENCHMARK(BM_ParseDeviceFileInMemory)->Unit(benchmark::kMicrosecond);

void BM_ReadDeviceFile(benchmark::State &state)
{
    BoxModel boxes;
    boxes.reset();
    AppSettings settings;
    IniHelper::writeDeviceProfile(settings, boxes.records());
    for (auto _ : state)
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
}
BENCHMARK(BM_ReadDeviceFile)->Unit(benchmark::kMicrosecond);

void BM_SaveDeviceFile(benchmark::State &state)
{
    BoxModel boxes;
    boxes.reset();
    AppSettings settings;
    for (auto _ : state)
        benchmark::DoNotOptimize(IniHelper::writeDeviceProfile(settings, boxes.records()));
}
BENCHMARK(BM_SaveDeviceFile)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir home;
    if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home.path()));
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
