// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/SourceWatch.h"
#include "lighting/NvidiaGpus.h"
#include "lighting/SensorPlugin.h"
#include "lighting/SensorReader.h"
#include "lighting/TemperatureSources.h"

#include "ScriptedSensors.h"
#include "SensorLabels.h"

#include <QLibrary>
#include <QSignalSpy>
#include <QtTest>

namespace {

// Three chips as a gaming PC shows them: the CPU, a Radeon and an NVMe disk,
// and a board chip whose "CPU" input is not the processor's own.
constexpr char kPc[] = "k10temp-pci-00c3|T:CPU=55.5|T:CPU 0=53"
                       ";amdgpu-pci-0300|T:edge=61|T:junction=70.25|T:mem=-128"
                       ";nvme-pci-0100|T:Composite=38|T:Sensor 1=0"
                       ";nct6798-isa-0290|T:SYSTIN=33|T:nct6798 CPU=45";
constexpr char kPcKinds[] = "1,2,3,4";

std::unique_ptr<SensorPlugin> plugin(const char *library, const char *script, const char *kinds = kPcKinds)
{
    scriptSensorReading(script);
    qputenv("FAKE_SENSORS_KINDS", kinds);
    qputenv("FAKE_SENSORS_LIVE", "1");
    qunsetenv("FAKE_SENSORS_COUNT");
    qunsetenv("FAKE_SENSORS_INIT");
    qunsetenv("FAKE_SENSORS_UNTERMINATED");
    std::unique_ptr<SensorPlugin> p = bindSensorPlugin(pluginLibrary(library));
    return p;
}

// "id=value kind" per source, in the order of the sample.
QStringList listed(const TemperatureSample &sample)
{
    QStringList out;
    for (const SourceReading &r : sample.sources)
        out << QStringLiteral("%1=%2 %3").arg(r.source.id).arg(r.celsius).arg(QLatin1String(sourceKindName(r.source.kind)));
    return out;
}

std::unique_ptr<NvidiaGpus> nvml(const char *library, const char *script, QString *error = nullptr,
                                 int init = 0)
{
    qputenv("FAKE_NVML", script);
    qputenv("FAKE_NVML_INIT", QByteArray::number(init));
    qunsetenv("FAKE_NVML_COUNT");
    return NvidiaGpus::load(pluginLibrary(library), error);
}

} // namespace

// Every temperature source the sensor plug-in and NVIDIA's library report.
class TestSources : public QObject {
    Q_OBJECT

private slots:
    void everyChipGivesNamedSourcesOfItsKind()
    {
        std::unique_ptr<SensorPlugin> p = plugin("FakeSensors", kPc);
        QVERIFY(p);
        const TemperatureSample sample = sampleTemperatures(p.get());
        QCOMPARE(listed(sample), (QStringList{
                                     "k10temp-pci-00c3/CPU=55.5 cpu",
                                     "k10temp-pci-00c3/CPU 0=53 cpu",
                                     "amdgpu-pci-0300/edge=61 gpu",
                                     "amdgpu-pci-0300/junction=70.25 gpu",
                                     "nvme-pci-0100/Composite=38 disk",
                                     "nct6798-isa-0290/SYSTIN=33 board",
                                     "nct6798-isa-0290/nct6798 CPU=45 board",
                                 }));
        // The classic reading in the same pass, by today's rule: CPU labels
        // only, the broken -128 counted as a reading but never as a value.
        QVERIFY(sample.cpu.cpuFound);
        QCOMPARE(sample.cpu.temperature, 55);
        QCOMPARE(sample.cpu.readings, 8);
        QCOMPARE(readCpuTemperature(*p).temperature, 55);

        const QHash<QString, double> values = sourceValues(sample);
        QCOMPARE(values.size(), 8);
        QCOMPARE(values.value(QStringLiteral("cpu")), 55.0);
        QCOMPARE(values.value(QStringLiteral("amdgpu-pci-0300/junction")), 70.25);
        QVERIFY(!values.contains(QStringLiteral("amdgpu-pci-0300/mem")));
        QVERIFY(!values.contains(QStringLiteral("nvme-pci-0100/Sensor 1")));

        // The chips listed in another order (another boot): the same names.
        p = plugin("FakeSensors",
                   "nvme-pci-0100|T:Composite=38;nct6798-isa-0290|T:SYSTIN=33|T:nct6798 CPU=45"
                   ";amdgpu-pci-0300|T:junction=70.25|T:edge=61;k10temp-pci-00c3|T:CPU 0=53|T:CPU=55.5",
                   "3,4,2,1");
        const QHash<QString, double> reordered = sourceValues(sampleTemperatures(p.get()));
        QCOMPARE(reordered, values);
        // No reading at all: no sources, and no CPU.
        QVERIFY(sourceValues(sampleTemperatures(nullptr)).isEmpty());
    }

    void namesStayUniqueAndUsable()
    {
        std::unique_ptr<SensorPlugin> p =
            plugin("FakeSensors", "acpitz-acpi-0|T:temp1=30|T:temp1=31|T:temp1=32|T:a,b=33;odd-chip|T:x=34", "4,9");
        QVERIFY(p);
        QCOMPARE(listed(sampleTemperatures(p.get())), (QStringList{
                                                          "acpitz-acpi-0/temp1=30 board",
                                                          "acpitz-acpi-0/temp1 #2=31 board",
                                                          "acpitz-acpi-0/temp1 #3=32 board",
                                                          "acpitz-acpi-0/a_b=33 board",
                                                          "odd-chip/x=34 other",
                                                      }));
        // Every id is one a curve can name.
        for (const SourceReading &r : sampleTemperatures(p.get()).sources)
            QVERIFY2(sourceIdProblem(r.source.id).isEmpty(), qPrintable(r.source.id));
        QCOMPARE(p->sensorKind(-1), SensorPlugin::ChipKind::Unknown);
        QCOMPARE(p->sensorKind(SensorPlugin::kMaxSensors), SensorPlugin::ChipKind::Unknown);
        QCOMPARE(p->sensorKind(1), SensorPlugin::ChipKind::Other);
    }

    void aLibraryThatCannotTellKindsStillLoads()
    {
        std::unique_ptr<SensorPlugin> p = plugin("FakeSensorsNoKind", kPc);
        QVERIFY(p);
        QCOMPARE(p->sensorKind(0), SensorPlugin::ChipKind::Unknown);
        // CPU labels are the CPU; the rest is "other".
        const QStringList sources = listed(sampleTemperatures(p.get()));
        QCOMPARE(sources.at(0), QStringLiteral("k10temp-pci-00c3/CPU=55.5 cpu"));
        QCOMPARE(sources.at(2), QStringLiteral("amdgpu-pci-0300/edge=61 other"));
        QCOMPARE(sources.at(6), QStringLiteral("nct6798-isa-0290/nct6798 CPU=45 other"));
    }

    void chipsAreSortedByWhatTheyMeasure_data()
    {
        QTest::addColumn<QString>("chip");
        QTest::addColumn<int>("kind");
        const QVector<QPair<const char *, int>> rows{
            {"k10temp", AURIVENT_CHIP_CPU},      {"coretemp", AURIVENT_CHIP_CPU},
            {"zenpower", AURIVENT_CHIP_CPU},     {"cpu0_thermal", AURIVENT_CHIP_CPU},
            {"amdgpu", AURIVENT_CHIP_GPU},       {"radeon", AURIVENT_CHIP_GPU},
            {"nouveau", AURIVENT_CHIP_GPU},      {"i915", AURIVENT_CHIP_GPU},
            {"xe", AURIVENT_CHIP_GPU},           {"nvme", AURIVENT_CHIP_DISK},
            {"drivetemp", AURIVENT_CHIP_DISK},   {"nct6798", AURIVENT_CHIP_BOARD},
            {"it8686", AURIVENT_CHIP_BOARD},     {"acpitz", AURIVENT_CHIP_BOARD},
            {"pch_cannonlake", AURIVENT_CHIP_BOARD}, {"asus_wmi_sensors", AURIVENT_CHIP_BOARD},
            {"iwlwifi_1", AURIVENT_CHIP_OTHER},  {"amdgpux", AURIVENT_CHIP_OTHER},
            {"xen", AURIVENT_CHIP_OTHER},        {"nvme0", AURIVENT_CHIP_OTHER},
            {"", AURIVENT_CHIP_OTHER},
        };
        for (const auto &row : rows)
            QTest::newRow(row.first) << QString::fromLatin1(row.first) << row.second;
    }

    void chipsAreSortedByWhatTheyMeasure()
    {
        QFETCH(QString, chip);
        QFETCH(int, kind);
        QCOMPARE(aurivent_chip_kind(chip.toLatin1().constData()), kind);
    }

    void theProjectPluginTellsKinds()
    {
        // Resolved by name, so the binding finds it.
        QLibrary library(pluginLibrary("AuriventSensors"));
        QVERIFY2(library.load(), qPrintable(library.errorString()));
        QVERIFY(library.resolve("aurivent_sensors_kind"));
        std::unique_ptr<SensorPlugin> p = SensorPlugin::load(pluginLibrary("AuriventSensors"));
        QVERIFY(p);
        if (p->initialise(0) == 0)
            for (int s = 0; s < p->sensorCount(); ++s)
                QVERIFY(p->sensorKind(s) != SensorPlugin::ChipKind::Unknown);
    }

    void nvidiaGpusThroughTheDriversLibrary()
    {
        QString error;
        // The second GPU does not answer now; the third has no UUID and is never offered.
        std::unique_ptr<NvidiaGpus> gpus =
            nvml("FakeNvml", "GPU-1111|NVIDIA RTX A|65;GPU-2222|NVIDIA RTX B|-;|NVIDIA RTX C|50", &error);
        QVERIFY2(gpus, qPrintable(error));
        QCOMPARE(gpus->count(), 2);
        TemperatureSample sample = sampleTemperatures(nullptr, gpus.get());
        QCOMPARE(listed(sample), QStringList{"nvidia-GPU-1111/GPU=65 gpu"});
        QCOMPARE(sample.sources.at(0).source.model, QStringLiteral("NVIDIA RTX A"));
        QVERIFY(!sample.cpu.cpuFound);

        // Later passes see what the driver says then; an implausible value is none.
        qputenv("FAKE_NVML", "GPU-1111|NVIDIA RTX A|-;GPU-2222|NVIDIA RTX B|71;|x|1");
        QCOMPARE(listed(sampleTemperatures(nullptr, gpus.get())), QStringList{"nvidia-GPU-2222/GPU=71 gpu"});
        qputenv("FAKE_NVML", "GPU-1111|NVIDIA RTX A|126;GPU-2222|NVIDIA RTX B|70;|x|1");
        QCOMPARE(listed(sampleTemperatures(nullptr, gpus.get())), QStringList{"nvidia-GPU-2222/GPU=70 gpu"});

        // Beside the sensor plug-in, in one sample.
        std::unique_ptr<SensorPlugin> p = plugin("FakeSensors", "k10temp-pci-00c3|T:CPU=50", "1");
        QCOMPARE(listed(sampleTemperatures(p.get(), gpus.get())),
                 (QStringList{"k10temp-pci-00c3/CPU=50 cpu", "nvidia-GPU-2222/GPU=70 gpu"}));
    }

    void withoutNvidiasLibraryNothingIsOffered()
    {
        QString error;
        QVERIFY(!nvml("NoSuchNvml", "GPU-1|A|50", &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!nvml("FakeNvmlIncomplete", "GPU-1|A|50", &error));
        QVERIFY2(error.contains(QStringLiteral("nvmlDeviceGetTemperature")), qPrintable(error));
        QVERIFY(!nvml("FakeNvml", "GPU-1|A|50", &error, 9));
        QVERIFY2(error.contains(QStringLiteral("nvmlInit failed: 9")), qPrintable(error));
        QVERIFY(!nvml("FakeNvml", "", &error));
        QVERIFY2(error.contains(QStringLiteral("no NVIDIA GPU")), qPrintable(error));
        QVERIFY(!nvml("FakeNvml", "|no uuid|40", &error));
        // A count the driver cannot back: only the GPUs it has, at most 16.
        qputenv("FAKE_NVML", "GPU-1|A|50;GPU-2|B|51");
        qputenv("FAKE_NVML_INIT", "0");
        qputenv("FAKE_NVML_COUNT", "100000");
        std::unique_ptr<NvidiaGpus> gpus = NvidiaGpus::load(pluginLibrary("FakeNvml"), &error);
        QVERIFY(gpus);
        QCOMPARE(gpus->count(), 2);
    }

    void oneSampleOfEverySourceComesFromTheSensorThread()
    {
        SensorReader reader;
        QVector<TemperatureSample> samples;
        connect(&reader, &SensorReader::passDone, this, [&samples](const TemperatureSample &s) { samples << s; });
        QSignalSpy gpusBound(&reader, &SensorReader::gpusBound);
        QSignalSpy bound(&reader, &SensorReader::bound);
        QVERIFY(!reader.requestPass());

        // NVIDIA's GPUs alone are something to read.
        qputenv("FAKE_NVML", "GPU-77|NVIDIA RTX Z|66");
        qputenv("FAKE_NVML_INIT", "0");
        qunsetenv("FAKE_NVML_COUNT");
        QVERIFY(reader.bindGpus(pluginLibrary("FakeNvml")));
        QVERIFY(!reader.bindGpus(pluginLibrary("FakeNvml"))); // one call at a time
        QTRY_COMPARE_WITH_TIMEOUT(gpusBound.size(), 1, 10000);
        QVERIFY(gpusBound.at(0).at(0).toBool());
        QVERIFY(reader.hasGpus() && !reader.hasPlugin());
        QVERIFY(reader.requestPass());
        QTRY_COMPARE_WITH_TIMEOUT(samples.size(), 1, 10000);
        QCOMPARE(listed(samples.at(0)), QStringList{"nvidia-GPU-77/GPU=66 gpu"});
        QVERIFY(!samples.at(0).cpu.cpuFound);

        // With the plug-in beside them: one pass reads both.
        scriptSensorReading(kPc);
        qputenv("FAKE_SENSORS_KINDS", kPcKinds);
        qputenv("FAKE_SENSORS_INIT", "0");
        QVERIFY(reader.bind(pluginLibrary("FakeSensors")));
        QTRY_COMPARE_WITH_TIMEOUT(bound.size(), 1, 10000);
        QVERIFY(reader.requestPass());
        QTRY_COMPARE_WITH_TIMEOUT(samples.size(), 2, 10000);
        const TemperatureSample &both = samples.at(1);
        QCOMPARE(both.cpu.temperature, 55);
        QCOMPARE(both.sources.size(), 8);
        QCOMPARE(both.sources.first().source.id, QStringLiteral("k10temp-pci-00c3/CPU"));
        QCOMPARE(both.sources.last().source.id, QStringLiteral("nvidia-GPU-77/GPU"));

        // A library that is not there: nothing offered, passes go on without GPUs.
        QVERIFY(reader.bindGpus(pluginLibrary("NoSuchNvml")));
        QTRY_COMPARE_WITH_TIMEOUT(gpusBound.size(), 2, 10000);
        QVERIFY(!gpusBound.at(1).at(0).toBool());
        QVERIFY(!reader.hasGpus());
        QVERIFY(reader.requestPass());
        QTRY_COMPARE_WITH_TIMEOUT(samples.size(), 3, 10000);
        QCOMPARE(samples.at(2).sources.size(), 7);
    }

    void aLostGpuCapsItsFansAndLeavesTheMixOnTheCpu()
    {
        // The glue from a pass of the real binding to the per-source rule.
        std::unique_ptr<SensorPlugin> p = plugin("FakeSensors", kPc);
        QVERIFY(p);
        Curve gpu;
        gpu.name = QStringLiteral("GPU");
        gpu.points = {{30, 30}, {80, 100}};
        gpu.source.ids = QStringList{QStringLiteral("amdgpu-pci-0300/junction")};
        Curve mix = gpu;
        mix.name = QStringLiteral("Hottest");
        mix.source.ids = QStringList{QStringLiteral("cpu"), QStringLiteral("amdgpu-pci-0300/junction")};
        const QVector<Curve> curves{gpu, mix};

        SourceWatch watch;
        SourcePass pass = afterSourcePass(watch, curves, sourceValues(sampleTemperatures(p.get())));
        QCOMPARE(pass.inputs.value(QStringLiteral("Hottest")).celsius, 70.25);
        // The GPU driver goes away.
        scriptSensorReading("k10temp-pci-00c3|T:CPU=57;nvme-pci-0100|T:Composite=38");
        QVector<CurveInput::Action> gpuActions;
        for (int i = 0; i < 4; ++i) {
            pass = afterSourcePass(watch, curves, sourceValues(sampleTemperatures(p.get())));
            gpuActions << pass.inputs.value(QStringLiteral("GPU")).action;
            if (i == 2) {
                QCOMPARE(pass.outages.size(), 1);
                QCOMPARE(pass.outages.at(0).source, QStringLiteral("amdgpu-pci-0300/junction"));
                QCOMPARE(pass.outages.at(0).capped, QStringList{QStringLiteral("GPU")});
                QCOMPARE(pass.outages.at(0).partial, QStringList{QStringLiteral("Hottest")});
            } else {
                QVERIFY(pass.outages.isEmpty());
            }
        }
        QCOMPARE(gpuActions, (QVector<CurveInput::Action>{CurveInput::Action::Keep, CurveInput::Action::Keep,
                                                          CurveInput::Action::Cap, CurveInput::Action::Cap}));
        const CurveInput hottest = pass.inputs.value(QStringLiteral("Hottest"));
        QCOMPARE(hottest.action, CurveInput::Action::Curve);
        QCOMPARE(hottest.celsius, 57.0);
        QCOMPARE(hottest.missing, QStringList{QStringLiteral("amdgpu-pci-0300/junction")});
    }
};

QTEST_GUILESS_MAIN(TestSources)
#include "test_sources.moc"
