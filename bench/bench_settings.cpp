// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files on the GUI thread: a device file parsed the way the
// program did before (through a file QSettings reads) and from memory as it
// does now, the steps from parsed keys to records and of a save in memory,
// a whole read of the device file from disk, and a whole save (with its
// flushes of the file and the folder). Run: build/bin/bench_settings
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

QByteArray profileFile()
{
    BoxModel boxes;
    boxes.reset();
    QByteArray bytes;
    IniFile::compose(IniFile::Contents(), IniHelper::buildProfileMap(0, boxes[0]), "bench", &bytes);
    return bytes;
}

// From parsed keys to the box records and the settings, as start-up does.
void BM_DeviceFileToRecords(benchmark::State &state)
{
    const auto file = IniFile::parse(deviceFile());
    BoxModel boxes;
    AppSettings settings;
    for (auto _ : state)
        IniHelper::parseDeviceData(IniHelper::deviceDataFrom(*file), settings, boxes.records());
}
BENCHMARK(BM_DeviceFileToRecords)->Unit(benchmark::kMicrosecond);

void BM_ProfileToRecords(benchmark::State &state)
{
    const auto file = IniFile::parse(profileFile());
    BoxModel boxes;
    for (auto _ : state)
        IniHelper::parseProfile(0, IniHelper::profileDataFrom(*file), boxes[0]);
}
BENCHMARK(BM_ProfileToRecords)->Unit(benchmark::kMicrosecond);

// A save in memory: the new file composed over the old one and checked by
// reading it back, without the disk.
void BM_ComposeDeviceFile(benchmark::State &state)
{
    const auto old = IniFile::parse(deviceFile());
    BoxModel boxes;
    boxes.reset();
    AppSettings settings;
    QByteArray bytes;
    for (auto _ : state)
        IniFile::compose(*old, IniHelper::buildDeviceMap(settings, boxes.records()), "bench", &bytes);
}
BENCHMARK(BM_ComposeDeviceFile)->Unit(benchmark::kMicrosecond);

void BM_ComposeProfile(benchmark::State &state)
{
    const auto old = IniFile::parse(profileFile());
    BoxModel boxes;
    boxes.reset();
    QByteArray bytes;
    for (auto _ : state)
        IniFile::compose(*old, IniHelper::buildProfileMap(0, boxes[0]), "bench", &bytes);
}
BENCHMARK(BM_ComposeProfile)->Unit(benchmark::kMicrosecond);

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
