// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/SensorPlugin.h"
#include "lighting/TemperatureReading.h"

#include "SensorLabels.h"

#include <QCoreApplication>
#include <QtTest>

namespace {

QStringList g_messages;
void collect(QtMsgType, const QMessageLogContext &, const QString &text)
{
    g_messages << text;
}

QString library(const char *name)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lib") + QLatin1String(name)
        + QStringLiteral(".so");
}

void script(const char *readings, int init = 0, int count = -1, bool unterminated = false)
{
    qputenv("FAKE_SENSORS", readings);
    qputenv("FAKE_SENSORS_INIT", QByteArray::number(init));
    if (count != -1)
        qputenv("FAKE_SENSORS_COUNT", QByteArray::number(count));
    else
        qunsetenv("FAKE_SENSORS_COUNT");
    qputenv("FAKE_SENSORS_UNTERMINATED", unterminated ? "1" : "0");
}

// Binds the scripted plug-in through the real loader and logs what it said.
std::unique_ptr<SensorPlugin> bind(const QString &path)
{
    g_messages.clear();
    QtMessageHandler previous = qInstallMessageHandler(collect);
    std::unique_ptr<SensorPlugin> plugin = bindSensorPlugin(path);
    qInstallMessageHandler(previous);
    return plugin;
}

QString mapped(const char *chip, const char *label)
{
    char out[64];
    aurivent_map_temperature_label(chip, label, out, sizeof out);
    return QString::fromLatin1(out);
}

} // namespace

// The sensor plug-in binding and the temperature read through it.
class TestSensor : public QObject {
    Q_OBJECT

private slots:
    void cpuLabelsAreExact()
    {
        for (const char *yes : {"Core MAX", "Core #0", "Core #7", "CPU", "CPU Package", "CPU 0", "CPU 7",
                                "Temperature 1", "Temperature 8"})
            QVERIFY2(isCpuTemperatureLabel(QLatin1String(yes)), yes);
        for (const char *no : {"CPU Core", "Core #8", "Core #10", "core #1", "CPU 8", "CPU ", "Temperature 0",
                               "Temperature 9", "Temperature 10", "cpu", "Core MAX ", "", "GPU"})
            QVERIFY2(!isCpuTemperatureLabel(QLatin1String(no)), no);
    }

    void bindingSaysWhyItHasNoSensors()
    {
        QVERIFY(!bind(library("NoSuchSensors")));
        QVERIFY(g_messages.contains(QStringLiteral("CANNOT LOAD DLL")));

        QString error;
        QVERIFY(!SensorPlugin::load(library("FakeSensorsIncomplete"), &error));
        QVERIFY2(error.contains(QStringLiteral("HWi32_GetUsage")), qPrintable(error));
        QVERIFY(!bind(library("FakeSensorsIncomplete")));
        QVERIFY(g_messages.contains(QStringLiteral("CANNOT LOAD DLL")));

        script("Cpu|T:CPU=40", 7);
        QVERIFY(!bind(library("FakeSensors")));
        QVERIFY2(g_messages.contains(QStringLiteral("INIT FAILED: 7")), qPrintable(g_messages.join('|')));

        script("Cpu|T:CPU=40");
        QVERIFY(bind(library("FakeSensors")));
        QVERIFY(g_messages.contains(QStringLiteral("INIT OK")));
        QVERIFY(!g_messages.contains(QStringLiteral("CANNOT LOAD DLL")));
    }

    void passTakesTheHighestCpuReading()
    {
        script("Intel|T:CPU Package=48.7|T:Core #3=51.2|T:CPU Core=80|T:GPU=90;"
               "Board|T:Core #1=-9999|T:CPU=0|T:Temperature 9=99|T:Temperature 2=50.9");
        std::unique_ptr<SensorPlugin> plugin = bind(library("FakeSensors"));
        QVERIFY(plugin);
        TemperaturePass pass = readCpuTemperature(*plugin);
        QCOMPARE(pass.temperature, 51);
        QVERIFY(pass.cpuFound);
        QCOMPARE(pass.readings, 6);

        script("A|T:Core #0=40.2;B|T:Core MAX=63.99|T:CPU Core=99");
        QCOMPARE(plugin->initialise(0), 0);
        pass = readCpuTemperature(*plugin);
        QCOMPARE(pass.temperature, 63);

        // Sentinels are ignored even under a CPU label; other labels never count.
        script("A|T:CPU=0|T:Core #0=-9999|T:CPU Package=-9999.0|T:GPU=70");
        QCOMPARE(plugin->initialise(0), 0);
        pass = readCpuTemperature(*plugin);
        QCOMPARE(pass.temperature, 0);
        QVERIFY(!pass.cpuFound);
        QCOMPARE(pass.readings, 1);

        script("");
        QCOMPARE(plugin->initialise(0), 0);
        pass = readCpuTemperature(*plugin);
        QCOMPARE(pass.temperature, 0);
        QVERIFY(!pass.cpuFound);
        QCOMPARE(pass.readings, 0);
    }

    void outsideIndicesAndTextsAreBounded()
    {
        script("Long|T:CPU=45", 0, -1, true);
        std::unique_ptr<SensorPlugin> plugin = bind(library("FakeSensors"));
        QVERIFY(plugin);
        QCOMPARE(plugin->sensorCount(), 1);
        // The library filled every byte; the binding still ends the text.
        QCOMPARE(plugin->sensorName(0), QString(SensorPlugin::kTextSize - 1, QLatin1Char('x')));
        QString label;
        QCOMPARE(plugin->reading(SensorPlugin::Kind::Temperature, 0, 0, &label), 45.0);
        QCOMPARE(label.size(), SensorPlugin::kTextSize - 1);
        QString unit;
        plugin->otherReading(0, 0, &label, &unit);
        QCOMPARE(unit.size(), SensorPlugin::kTextSize - 1);

        script("One|T:CPU=45", 0, 100000);
        QCOMPARE(plugin->initialise(0), 0);
        QCOMPARE(plugin->sensorCount(), SensorPlugin::kMaxSensors);
        QCOMPARE(readCpuTemperature(*plugin).temperature, 45);
        script("One|T:CPU=45", 0, -4);
        QCOMPARE(plugin->initialise(0), 0);
        QCOMPARE(plugin->sensorCount(), 0);

        script("One|T:CPU=45");
        QCOMPARE(plugin->initialise(0), 0);
        for (int r : {-1, 64, 1000})
            QCOMPARE(plugin->reading(SensorPlugin::Kind::Temperature, 0, r, &label), SensorPlugin::kNoReading);
        for (int s : {-1, SensorPlugin::kMaxSensors, 1 << 30})
            QCOMPARE(plugin->reading(SensorPlugin::Kind::Voltage, s, 0, &label), SensorPlugin::kNoReading);
        QCOMPARE(plugin->sensorName(-3), QString());
        QCOMPARE(plugin->reading(static_cast<SensorPlugin::Kind>(9), 0, 0, &label), SensorPlugin::kNoReading);
    }

    void infoDumpListsEveryKindInOrder()
    {
        script("Board|T:CPU=45.5|V:Vcore=1.2345678|F:Fan1=1200|C:Amps=0|P:Pkg=35.25|K:Clk=4200|U:Load=12.5"
               "|O:Energy=3|T:Core #0=-9999|T:Core #1=50;Disk|T:Composite=38");
        std::unique_ptr<SensorPlugin> plugin = bind(library("FakeSensors"));
        QVERIFY(plugin);
        const QStringList lines = sensorInfoLines(*plugin);
        QCOMPARE(lines, (QStringList{
                            QStringLiteral("HWi32_GetTemperature:CPU = 45.5"),
                            QStringLiteral("HWi32_GetVoltage:Vcore = 1.23457"),
                            QStringLiteral("HWi32_GetFan:Fan1 = 1200"),
                            QStringLiteral("HWi32_GetPower:Pkg = 35.25"),
                            QStringLiteral("HWi32_GetClock:Clk = 4200"),
                            QStringLiteral("HWi32_GetUsage:Load = 12.5"),
                            QStringLiteral("HWi32_GetTemperature:Core #1 = 50"),
                            QStringLiteral("HWi32_GetTemperature:Composite = 38"),
                        }));
    }

    void projectPluginLoadsAndExplainsMissingSensors()
    {
        QString error;
        std::unique_ptr<SensorPlugin> plugin = SensorPlugin::load(library("AuriventSensors"), &error);
        QVERIFY2(plugin, qPrintable(error));
        const int init = plugin->initialise(0);
        if (init == 0) {
            // A machine with hwmon chips: each has a name, and the pass runs.
            QVERIFY(plugin->sensorCount() > 0);
            for (int s = 0; s < plugin->sensorCount(); ++s)
                QVERIFY(!plugin->sensorName(s).isEmpty());
            const TemperaturePass pass = readCpuTemperature(*plugin);
            QVERIFY(pass.temperature >= 0 && pass.temperature < 150);
        } else {
            // None here: nothing to read, and the binding reports the failure.
            QCOMPARE(plugin->sensorCount(), 0);
            QCOMPARE(readCpuTemperature(*plugin).readings, 0);
            QVERIFY(sensorInfoLines(*plugin).isEmpty());
            QVERIFY(!bind(library("AuriventSensors")));
            // The code with the library's own reason, in the lighting category's line.
            const QString failed = QStringLiteral("INIT FAILED: ") + QString::number(init) + QStringLiteral(" (");
            const QStringList said = g_messages.filter(failed);
            QVERIFY2(said.size() == 1 && said.first().startsWith(failed) && said.first().endsWith(QLatin1Char(')'))
                         && said.first().size() > failed.size() + 10,
                     qPrintable(g_messages.join('|')));
            QVERIFY(plugin->failureReason().size() > 10);
        }
    }

    void linuxLabelsBecomeTheCountedOnes()
    {
        QCOMPARE(mapped("coretemp", "Package id 0"), QStringLiteral("CPU Package"));
        QCOMPARE(mapped("coretemp", "Package id 1"), QStringLiteral("CPU 1"));
        QCOMPARE(mapped("coretemp", "Physical id 0"), QStringLiteral("CPU Package"));
        QCOMPARE(mapped("coretemp", "Core 0"), QStringLiteral("Core #0"));
        QCOMPARE(mapped("coretemp", "Core 12"), QStringLiteral("Core #12"));
        QCOMPARE(mapped("coretemp", "Core x"), QStringLiteral("Core x"));
        QCOMPARE(mapped("k10temp", "Tctl"), QStringLiteral("CPU"));
        QCOMPARE(mapped("k10temp", "Tdie"), QStringLiteral("CPU"));
        QCOMPARE(mapped("k10temp", "Tccd1"), QStringLiteral("CPU 0"));
        QCOMPARE(mapped("zenpower", "Tccd8"), QStringLiteral("CPU 7"));
        QCOMPARE(mapped("k10temp", "Tccd0"), QStringLiteral("Tccd0"));
        QCOMPARE(mapped("cpu_thermal", "temp1"), QStringLiteral("CPU"));
        QCOMPARE(mapped("acpitz", "temp1"), QStringLiteral("temp1"));
        QCOMPARE(mapped("nvme", "Composite"), QStringLiteral("Composite"));
        QCOMPARE(mapped("amdgpu", "edge"), QStringLiteral("edge"));
        QCOMPARE(mapped("nvme", "Core 1"), QStringLiteral("Core 1")); // only coretemp's cores are cores
        QCOMPARE(mapped("k10temp", "temp1"), QStringLiteral("CPU")); // older AMD: one unnamed input
        QCOMPARE(mapped("cpu1_thermal", "temp1"), QStringLiteral("CPU"));
        QCOMPARE(mapped(nullptr, nullptr), QString());
        char tiny[4];
        aurivent_map_temperature_label("coretemp", "Package id 0", tiny, sizeof tiny);
        QCOMPARE(QString::fromLatin1(tiny), QStringLiteral("CPU"));
    }

    void implausibleCpuReadingsAreNoReading()
    {
        // -128 is what a broken sensor typically returns.
        script("A|T:CPU=-128|T:Core #0=125.5|T:CPU Package=130|T:CPU 1=-0.5;B|T:GPU=40");
        std::unique_ptr<SensorPlugin> plugin = bind(library("FakeSensors"));
        QVERIFY(plugin);
        TemperaturePass pass = readCpuTemperature(*plugin);
        QVERIFY(!pass.cpuFound);
        QCOMPARE(pass.temperature, 0);

        // The plausible ones still count, up to 125 inclusive.
        script("A|T:CPU=-128|T:Core #1=44.9|T:Core #2=125|T:CPU 3=126");
        QCOMPARE(plugin->initialise(0), 0);
        pass = readCpuTemperature(*plugin);
        QVERIFY(pass.cpuFound);
        QCOMPARE(pass.temperature, 125);
        script("A|T:CPU=0.4");
        QCOMPARE(plugin->initialise(0), 0);
        pass = readCpuTemperature(*plugin);
        QVERIFY(pass.cpuFound);
        QCOMPARE(pass.temperature, 0);
    }

    void onlyCpuChipsGiveCpuLabels()
    {
        // The plug-in's own idea of a CPU label is the program's.
        for (const char *l : {"Core MAX", "Core #0", "Core #7", "Core #8", "CPU", "CPU Package", "CPU 0", "CPU 7",
                              "CPU 8", "CPU 10", "Temperature 0", "Temperature 1", "Temperature 8",
                              "Temperature 9", "Temperature 18", "cpu", "CPU ", "Core #", "", "Tctl", "temp1"})
            QCOMPARE(bool(aurivent_is_cpu_label(l)), isCpuTemperatureLabel(QLatin1String(l)));

        for (const char *chip : {"coretemp", "k10temp", "zenpower", "k8temp", "cpu_thermal", "cpu0_thermal"})
            QVERIFY2(aurivent_is_cpu_chip(chip), chip);
        for (const char *chip : {"acpitz", "nct6798", "it8686", "nvme", "amdgpu", "cpu_thermalx", "cpux_thermal",
                                 "cpu_thermal0", "Coretemp", "", "thinkpad"})
            QVERIFY2(!aurivent_is_cpu_chip(chip), chip);
        QVERIFY(!aurivent_is_cpu_chip(nullptr));

        // ACPI zones and board chips are listed under their own names; a
        // label that would read as CPU gets the chip in front of it.
        for (const char *chip : {"acpitz", "nct6798", "it8686", "nvme", ""}) {
            for (const char *label : {"temp1", "temp2", "CPU", "CPU Package", "Core #0", "Core MAX", "CPU 1",
                                      "Temperature 1", "SYSTIN", "Composite"}) {
                const QString out = mapped(chip, label);
                QVERIFY2(!isCpuTemperatureLabel(out), qPrintable(QLatin1String(chip) + QLatin1Char('/') + out));
                QVERIFY2(out.endsWith(QLatin1String(label)), qPrintable(out));
            }
        }
        QCOMPARE(mapped("nct6798", "CPU"), QStringLiteral("nct6798 CPU"));
        QCOMPARE(mapped("acpitz", "Temperature 1"), QStringLiteral("acpitz Temperature 1"));
        QCOMPARE(mapped("nct6798", "SYSTIN"), QStringLiteral("SYSTIN"));
        // Even cut short by a small buffer, it never reads as a CPU label.
        char small[4];
        aurivent_map_temperature_label("CPU", "CPU", small, sizeof small);
        QVERIFY(!isCpuTemperatureLabel(QString::fromLatin1(small)));
    }
};

QTEST_GUILESS_MAIN(TestSensor)
#include "test_sensor.moc"
