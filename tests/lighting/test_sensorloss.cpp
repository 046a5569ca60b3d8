// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedSensors.h"
#include "SensorPasses.h"
#include "SimFixture.h"
#include "core/CurveController.h"

#include "device/FanSpeed.h"
#include "device/Reports.h"
#include "lighting/LightModes.h"
#include "lighting/SoftwareEffects.h"
#include "lighting/TemperatureColor.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <map>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

namespace {

using Duties = SentDuties;

// The duties a box was sent, as "port:percent ...", for a failure's message.
QString dutiesText(const SimulatedBoxes *sim, int box)
{
    QStringList text;
    for (const auto &[port, percent] : sentDuties(sim, box))
        text << QStringLiteral("%1:%2").arg(port).arg(percent);
    return text.join(QLatin1Char(' '));
}

// Each port's last duty. Passes that follow each other closely may reach the
// wire interleaved: a newer duty takes the place of one still queued for its
// port, so the last report need not be the last port's.
std::map<int, int> lastDuties(const SimulatedBoxes *sim, int box)
{
    std::map<int, int> last;
    for (const auto &[port, percent] : sentDuties(sim, box))
        last[port] = percent;
    return last;
}

QStringList g_log;
void collect(QtMsgType type, const QMessageLogContext &, const QString &text)
{
    if (type != QtDebugMsg)
        g_log << text;
}

} // namespace

// The CPU reading and what the fans and the colours do without one.
class TestSensorLoss : public QObject {
    Q_OBJECT

private:
    SimulatedBoxes *sim = nullptr;
    std::unique_ptr<SoftwareEffects> effects;
    std::unique_ptr<CurveController> curves;

    // The effects' passes drive the fans through their curves, as in the program.
    void makeEffects()
    {
        effects = std::make_unique<SoftwareEffects>(encoders);
        curves = std::make_unique<CurveController>(encoders);
        connect(effects.get(), &SoftwareEffects::temperatureSampled, curves.get(),
                [this](const TemperatureSample &sample) { curves->onPass(sourceValues(sample)); });
    }

private slots:
    void init()
    {
        qputenv("FAKE_SENSORS_LIVE", "1");
        qputenv("FAKE_SENSORS_INIT", "0");
        qunsetenv("FAKE_SENSORS_COUNT");
        scriptSensorReading("Cpu|T:CPU=45");
        // A 12-LED box and a single-colour box; every fan follows the temperature.
        sim = installSimulator(boxes, bus, QStringLiteral("1,0"));
        boxes[1].boxType = BoxType::Vayla;
        boxes[0].rainbowFan[0].speedPer = 2; // cap 70
        boxes[1].vaylaFan[0].speed = 1;      // cap 60
        boxes.forgetCommandedDuties(-1);
        makeEffects();
        // The passes are driven by hand unless a test shortens these.
        effects->setSensorPeriods(3600 * 1000, 3600 * 1000);
    }

    void cleanup()
    {
        effects.reset();
        curves.reset();
        QFile::remove(hangFile());
        qunsetenv("FAKE_SENSORS_HANG_WHILE");
    }

    // While this file exists, every pass of the scripted plug-in hangs.
    static QString hangFile() { return QDir::tempPath() + QStringLiteral("/aurivent-sensors-hang-") + QString::number(QCoreApplication::applicationPid()); }
    static void hangThePlugin()
    {
        QFile file(hangFile());
        QVERIFY(file.open(QIODevice::WriteOnly));
        qputenv("FAKE_SENSORS_HANG_WHILE", hangFile().toLocal8Bit());
    }

    // A pass that comes due while NVIDIA's library is still loading is not
    // skipped: it is made once the library is there, and reads the GPU.
    void aPassDueWhileTheGpusLoadFollowsThem()
    {
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        const QString hold = hangFile() + QStringLiteral("-nvml");
        QFile file(hold);
        QVERIFY(file.open(QIODevice::WriteOnly));
        qputenv("FAKE_NVML_HOLD", hold.toLocal8Bit());
        qputenv("FAKE_NVML", "GPU-77|RTX|66");
        QSignalSpy gpus(effects.get(), &SoftwareEffects::gpusBound);
        QList<QHash<QString, double>> sampled;
        connect(effects.get(), &SoftwareEffects::temperatureSampled, this,
                [&sampled](const TemperatureSample &sample) { sampled << sourceValues(sample); });
        effects->startGpus(pluginLibrary("FakeNvml"));
        effects->updateCPUTemp();
        QVERIFY(sampled.isEmpty());
        QVERIFY(QFile::remove(hold));
        QTRY_VERIFY_WITH_TIMEOUT(!sampled.isEmpty(), 10000);
        QCOMPARE(gpus.size(), 1);
        QVERIFY(gpus.at(0).at(0).toBool());
        QCOMPARE(sampled.at(0).value(QStringLiteral("nvidia-GPU-77/GPU"), -1), 66.0);
        qunsetenv("FAKE_NVML_HOLD");
        qunsetenv("FAKE_NVML");
    }

    void aHungPluginIsAPassWithoutAReading()
    {
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        QVERIFY(runSensorPass(*effects)); // 45 degrees: curve 50
        QSignalSpy lost(effects.get(), &SoftwareEffects::temperatureReadingLost);
        effects->setSensorDeadline(100);
        hangThePlugin();
        sim->clearSent();

        // The call hangs; the GUI thread does not wait for it: the pass is
        // asked for and the thread goes on at once...
        QElapsedTimer call;
        call.start();
        effects->updateCPUTemp();
        QVERIFY2(call.elapsed() < 1000, qPrintable(QString::number(call.elapsed())));
        // ...and at its deadline it is a pass without a reading; so are the
        // passes while the call still hangs, and the third one caps the fans.
        QSignalSpy done(effects.get(), &SoftwareEffects::sensorPassFinished);
        QVERIFY(done.wait(10000));
        QVERIFY(!effects->hasTemperature());
        QVERIFY(sim->sent().empty());
        QVERIFY(runSensorPass(*effects));
        QVERIFY(runSensorPass(*effects));
        QCOMPARE(lost.size(), 1);
        // The reports reach the box through its I/O thread: wait for the last.
        QTRY_COMPARE_WITH_TIMEOUT(sentDuties(sim, 0), (Duties{{1, 70}, {2, 100}, {3, 100}, {4, 100}, {5, 100}}), 10000);

        // The driver recovers: the late answer is dropped, the next pass reads again.
        // The box answers slowly, as on a loaded machine, so that the passes'
        // duties are still queued when the next pass comes.
        sim->setLatency(0, 20);
        QFile::remove(hangFile());
        QTRY_VERIFY_WITH_TIMEOUT((runSensorPass(*effects), effects->hasTemperature()), 20000);
        QCOMPARE(effects->temperature(), 45);
        const std::map<int, int> curve{{1, 50}, {2, 50}, {3, 50}, {4, 50}, {5, 50}};
        QTRY_VERIFY2_WITH_TIMEOUT(lastDuties(sim, 0) == curve, qPrintable(dutiesText(sim, 0)), 10000);
    }

    void aCallThatNeverReturnsIsLeftBehindAndTheExitDoesNotWait()
    {
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        effects->setSensorDeadline(50);
        hangThePlugin();
        QVERIFY(runSensorPass(*effects)); // hangs: no reading
        QVERIFY(!effects->hasTemperature());
        // The retry leaves the hung call behind and starts the plug-in afresh.
        QSignalSpy bound(effects.get(), &SoftwareEffects::sensorsBound);
        bool retried = false;
        QTRY_VERIFY_WITH_TIMEOUT(retried || (retried = effects->retrySensorPlugin()), 10000);
        QVERIFY(bound.wait(10000));
        QCOMPARE(effects->abandonedSensorCalls(), 1);
        QVERIFY(effects->hasSensors());
        // It hangs again; at most two calls are left behind, then it waits for one.
        QVERIFY(runSensorPass(*effects));
        retried = false;
        QTRY_VERIFY_WITH_TIMEOUT(retried || (retried = effects->retrySensorPlugin()), 10000);
        QTRY_COMPARE_WITH_TIMEOUT(bound.size(), 2, 10000);
        QCOMPARE(effects->abandonedSensorCalls(), 2);
        QVERIFY(runSensorPass(*effects));
        QVERIFY(!effects->retrySensorPlugin());
        QCOMPARE(effects->abandonedSensorCalls(), 2);

        // The end of the program does not wait for a call that hangs.
        QElapsedTimer end;
        end.start();
        effects.reset();
        QVERIFY2(end.elapsed() < 2000, qPrintable(QString::number(end.elapsed())));
        QFile::remove(hangFile()); // the calls return, their threads end
    }


    void capAfterThreeMissedPassesThenTheCurveAgain()
    {
        QSignalSpy lost(effects.get(), &SoftwareEffects::temperatureReadingLost);
        QSignalSpy missing(effects.get(), &SoftwareEffects::temperatureMissing);
        QSignalSpy changed(effects.get(), &SoftwareEffects::temperatureChanged);
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        QVERIFY(effects->hasSensors());

        QVERIFY(runSensorPass(*effects)); // 45 degrees: curve 50
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 50}, {2, 50}, {3, 50}, {4, 50}, {5, 50}}));
        QCOMPARE(sentDuties(sim, 1), (Duties{{1, 50}, {2, 50}, {3, 50}}));
        QCOMPARE(changed.takeFirst().at(0).toInt(), 45);

        // A short gap: the fans keep their duty, the label says "no reading".
        sim->clearSent();
        scriptSensorReading("Cpu|T:GPU=70");
        QVERIFY(runSensorPass(*effects));
        QVERIFY(runSensorPass(*effects));
        QVERIFY(sim->sent().empty());
        QCOMPARE(missing.size(), 2);
        QVERIFY(lost.isEmpty());
        QVERIFY(!effects->hasTemperature());

        // The third pass without a reading: every following fan at its cap,
        // with the same duty command the curve uses.
        QVERIFY(runSensorPass(*effects));
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 70}, {2, 100}, {3, 100}, {4, 100}, {5, 100}}));
        QCOMPARE(sentDuties(sim, 1), (Duties{{1, 60}, {2, 100}, {3, 100}}));
        QCOMPARE(sentTo(sim, 0).front(), Reports::fanDuty(1, 70));
        QCOMPARE(sentTo(sim, 1).front(), Reports::vaylaDuty(1, 60));
        QCOMPARE(lost.size(), 1);
        QCOMPARE(boxes.commandedDuty(0, 0), 70);

        // Still no reading: a broken sensor's -128, then nonsense above 125.
        for (const char *broken : {"Cpu|T:CPU=-128", "Cpu|T:CPU=200|T:Core #0=-128", ""}) {
            sim->clearSent();
            scriptSensorReading(broken);
            QVERIFY(runSensorPass(*effects));
            QVERIFY2(sentDuties(sim, 0).size() == 5 && sentDuties(sim, 0)[1] == std::make_pair(2, 100), broken);
            QVERIFY(!effects->hasTemperature());
        }
        QCOMPARE(lost.size(), 1); // told once per outage
        QVERIFY(changed.isEmpty());

        // Readings return: the curve drives the fans again.
        sim->clearSent();
        scriptSensorReading("Cpu|T:CPU=-128|T:Core #0=41.5");
        QVERIFY(runSensorPass(*effects));
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 30}, {2, 30}, {3, 30}, {4, 30}, {5, 30}}));
        QCOMPARE(sentDuties(sim, 1), (Duties{{1, 30}, {2, 30}, {3, 30}}));
        QCOMPARE(changed.takeFirst().at(0).toInt(), 41);
        QVERIFY(effects->hasTemperature());

        // A second outage is told again.
        scriptSensorReading("");
        for (int i = 0; i < 3; ++i)
            QVERIFY(runSensorPass(*effects));
        QCOMPARE(lost.size(), 2);
    }

    // After the computer slept: the reading from before counts for nothing,
    // and a new one is asked for at once, not a period (here an hour) later.
    void aWakeUpForgetsTheReadingAndReadsAtOnce()
    {
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        QVERIFY(runSensorPass(*effects)); // 45 degrees
        QVERIFY(effects->hasTemperature());
        scriptSensorReading("Cpu|T:CPU=58");
        sim->clearSent();
        QSignalSpy done(effects.get(), &SoftwareEffects::sensorPassFinished);

        effects->startTemperatureAfresh();
        QVERIFY(!effects->hasTemperature());
        QTRY_COMPARE_WITH_TIMEOUT(done.size(), 1, 30000);
        QVERIFY(effects->hasTemperature());
        QCOMPARE(effects->temperature(), 58);
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 70}, {2, 90}, {3, 90}, {4, 90}, {5, 90}}));
        QCOMPARE(sentDuties(sim, 1), (Duties{{1, 60}, {2, 90}, {3, 90}}));
    }

    void capFromTheFirstPassAtStartUp()
    {
        // The plug-in runs but has no CPU reading.
        QSignalSpy lost(effects.get(), &SoftwareEffects::temperatureReadingLost);
        scriptSensorReading("Board|T:temp1=30");
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        QVERIFY(effects->hasSensors());
        QVERIFY(sim->sent().empty());
        QVERIFY(runSensorPass(*effects));
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 70}, {2, 100}, {3, 100}, {4, 100}, {5, 100}}));
        QCOMPARE(sentDuties(sim, 1), (Duties{{1, 60}, {2, 100}, {3, 100}}));
        QCOMPARE(lost.size(), 1);

        // No plug-in at all: the same.
        makeEffects();
        effects->setSensorPeriods(3600 * 1000, 3600 * 1000);
        QSignalSpy lostAgain(effects.get(), &SoftwareEffects::temperatureReadingLost);
        sim->clearSent();
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("NoSuchSensors")));
        QVERIFY(!effects->hasSensors());
        QVERIFY(runSensorPass(*effects));
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 70}, {2, 100}, {3, 100}, {4, 100}, {5, 100}}));
        QCOMPARE(lostAgain.size(), 1);
    }

    void aPluginThatStartsLaterIsPickedUp()
    {
        // It fails to start; the retry timer keeps trying.
        qputenv("FAKE_SENSORS_INIT", "3");
        effects->setSensorPeriods(20, 10);
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        QVERIFY(!effects->hasSensors());
        QVERIFY(effects->isSensorRetryRunning());
        QSignalSpy changed(effects.get(), &SoftwareEffects::temperatureChanged);
        qputenv("FAKE_SENSORS_INIT", "0");
        QTRY_VERIFY_WITH_TIMEOUT(effects->hasTemperature(), 20000);
        QVERIFY(effects->hasSensors());
        QCOMPARE(changed.first().at(0).toInt(), 45);
        // With a reading there is nothing left to retry.
        QTRY_VERIFY_WITH_TIMEOUT(!effects->isSensorRetryRunning(), 20000);
    }

    void retriesSayOnlyWhatChanged()
    {
        g_log.clear();
        const QtMessageHandler previous = qInstallMessageHandler(collect);
        qputenv("FAKE_SENSORS_INIT", "3");
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        for (int i = 0; i < 3; ++i)
            QVERIFY(retrySensorsAndWait(*effects));
        qputenv("FAKE_SENSORS_INIT", "4");
        QVERIFY(retrySensorsAndWait(*effects));
        QVERIFY(retrySensorsAndWait(*effects));
        qputenv("FAKE_SENSORS_INIT", "0");
        QVERIFY(retrySensorsAndWait(*effects));
        // Running without a CPU reading: started again and again, quietly.
        scriptSensorReading("Board|T:temp1=30");
        for (int i = 0; i < 3; ++i) {
            QVERIFY(runSensorPass(*effects));
            QVERIFY(retrySensorsAndWait(*effects));
        }
        qInstallMessageHandler(previous);
        QCOMPARE(g_log.filter(QStringLiteral("INIT")),
                 (QStringList{QStringLiteral("INIT FAILED: 3"), QStringLiteral("INIT FAILED: 4"),
                              QStringLiteral("INIT OK")}));
        QCOMPARE(g_log.filter(QStringLiteral("no CPU temperature reading")).size(), 1);
    }

    void aPluginWithoutCpuReadingIsStartedAgain()
    {
        // It starts, but its CPU driver is not loaded yet: the readings it
        // lists only change when it is started again.
        qputenv("FAKE_SENSORS_LIVE", "0");
        scriptSensorReading("Board|T:temp1=30");
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));
        QVERIFY(effects->hasSensors());
        QVERIFY(runSensorPass(*effects));
        QVERIFY(!effects->hasTemperature());
        QVERIFY(effects->isSensorRetryRunning());

        // A new start that fails leaves no plug-in behind to read from.
        qputenv("FAKE_SENSORS_INIT", "2");
        QVERIFY(retrySensorsAndWait(*effects));
        QVERIFY(!effects->hasSensors());
        QVERIFY(effects->sensorInfo().isEmpty());
        qputenv("FAKE_SENSORS_INIT", "0");
        QVERIFY(retrySensorsAndWait(*effects));
        QVERIFY(effects->hasSensors());

        scriptSensorReading("Board|T:temp1=30;k10temp|T:CPU=52");
        QVERIFY(runSensorPass(*effects));
        QVERIFY(!effects->hasTemperature()); // not without a new start
        QVERIFY(retrySensorsAndWait(*effects));
        QVERIFY(runSensorPass(*effects));
        QVERIFY(effects->hasTemperature());
        QCOMPARE(effects->temperature(), 52);
    }

    void noColourBeforeTheFirstReading()
    {
        sim = installSimulator(boxes, bus, QStringLiteral("1"));
        RainbowFanRecord &fan = boxes[0].rainbowFan[1];
        fan.lightMode = LightMode::Temperature;
        fan.isTurnOffLed = false;
        boxes[0].rainbowFan[2].lightMode = LightMode::Copy;
        boxes[0].rainbowFan[2].copyLightMode = LightMode::Temperature;
        boxes[0].rainbowFan[2].isTurnOffLed = false;
        scriptSensorReading("Board|T:temp1=30");
        QVERIFY(startSensorsAndWait(*effects, pluginLibrary("FakeSensors")));

        // Start-up sends the stored settings: no colour yet for fans 1 and 2.
        applyBoxSettings(encoders, 0, *effects, Resend::Startup);
        QVERIFY(effects->isTemperatureColorRunning());
        const Report none{};
        QCOMPARE(sim->lastLighting(0, 1), none);
        effects->sendCommandCPUTemp();
        QVERIFY(runSensorPass(*effects));
        effects->sendCommandCPUTemp();
        applyFanLight(encoders, 0, 1, *effects);
        QCOMPARE(sim->lastLighting(0, 1), none);

        // The first reading brings the colour of its temperature at once.
        auto colour = [](int port, int r, int g, int b) {
            Report report = Reports::rainbowLighting(port, Reports::kSteadySingle);
            Reports::setTriple(report, 0, uint8_t(r), uint8_t(g), uint8_t(b));
            return report;
        };
        scriptSensorReading("Cpu|T:CPU=52.7");
        QVERIFY(runSensorPass(*effects));
        QCOMPARE(sim->lastLighting(0, 1), colour(2, 0, 255, 0));
        QCOMPARE(sim->lastLighting(0, 2), colour(3, 0, 255, 0));
        sim->clearSent();
        effects->sendCommandCPUTemp(); // no change of temperature yet: nothing to walk
        QVERIFY(sim->sent().empty());

        // Lost again: the colour is not walked towards "cold", and a fan
        // switched to the mode now gets no colour.
        scriptSensorReading("");
        QVERIFY(runSensorPass(*effects));
        for (int i = 0; i < 5; ++i)
            effects->sendCommandCPUTemp();
        applyFanLight(encoders, 0, 1, *effects);
        QVERIFY(sim->sent().empty());
        QCOMPARE(sim->lastLighting(0, 1), colour(2, 0, 255, 0));

        // Back: at once the colour of the new reading.
        scriptSensorReading("Cpu|T:CPU=64");
        QVERIFY(runSensorPass(*effects));
        QCOMPARE(sim->lastLighting(0, 1), colour(2, 255, 0, 0));
        // And a fan switched to the mode now gets it at once.
        sim->clearSent();
        applyFanLight(encoders, 0, 1, *effects);
        QCOMPARE(sentTo(sim, 0).size(), size_t(1));
        QCOMPARE(sim->lastLighting(0, 1), colour(2, 255, 0, 0));
    }
};

QTEST_GUILESS_MAIN(TestSensorLoss)
#include "test_sensorloss.moc"
