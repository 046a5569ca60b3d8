// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedSensors.h"
#include "SensorPasses.h"
#include "SimFixture.h"

#include "control/Controller.h"
#include "core/Core.h"
#include "device/DeviceBus.h"
#include "device/FirmwareVersions.h"
#include "control/ViewMessageHandler.h"
#include "monitoring/Monitoring.h"
#include "device/Reports.h"
#include "lighting/SoftwareEffects.h"
#include "remote/SocketHelper.h"
#include "storage/IniHelper.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <memory>

// The control loop the service runs and the window wraps: settings at
// start-up, the phone, the numbered commands and the alerts, with no window.
class TestController : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Core> core;
    SimulatedBoxes *sim = nullptr;

    std::unique_ptr<Controller> start(const QByteArray &settings, const QString &boxes = QStringLiteral("1"))
    {
        QDir(IniHelper::dataFolder()).removeRecursively();
        QDir().mkpath(IniHelper::dataFolder());
        QFile file(IniHelper::deviceFilePath());
        if (!file.open(QIODevice::WriteOnly))
            return nullptr;
        file.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\nPassword=9462\nOpenPassword=0\n" + settings);
        file.close();
        core = std::make_unique<Core>();
        sim = installSimulatedBoxes(core->bus(), boxes);
        ControlOptions options;
        options.simulated = true;
        return std::make_unique<Controller>(*core, options);
    }

    // Runs `act` in the application's own event loop: true when it told the
    // program to end. Events posted while others are handled wait for the
    // next round, so the second hop below comes only after the loop has seen
    // an end asked for. The application's loop (not a local one) also clears
    // the end once it returns, so later cases can wait on events again.
    static bool endsTheProgram(const std::function<void()> &act)
    {
        // What is still queued for `guard` goes with it when this returns.
        QObject guard;
        QTimer::singleShot(0, &guard, act);
        QTimer::singleShot(0, &guard, [&guard] {
            QMetaObject::invokeMethod(&guard, [] { QCoreApplication::exit(1); }, Qt::QueuedConnection);
        });
        return QCoreApplication::exec() == 0;
    }

private slots:
    void cleanup()
    {
        core.reset();
        sim = nullptr;
    }

    void noWindowLibraryIsLoaded()
    {
        auto control = start(QByteArray());
        QVERIFY(control);
        QVERIFY(!QCoreApplication::instance()->inherits("QGuiApplication"));
        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray loaded = maps.readAll();
        QVERIFY(loaded.contains("libQt5Core"));
        QVERIFY2(!loaded.contains("libQt5Gui"), "the control loop's link closure loads Qt Gui");
        QVERIFY2(!loaded.contains("libQt5Widgets"), "the control loop's link closure loads Qt Widgets");
    }

    // At start-up the stored settings reach the box: a fan's fixed speed
    // from the device file goes out without any window.
    void storedSettingsReachTheBoxes()
    {
        auto control = start(QByteArray());
        QVERIFY(control);
        QVERIFY(core->boxes()[0].gIsConnected);
        QVERIFY(core->bus().waitForIdle());
        bool lit = false;
        for (const Report &r : sentTo(sim, 0))
            lit = lit || (r[1] == 0x32 && r[2] == 0x52);
        QVERIFY2(lit, "no lighting report reached the box at start-up");
    }

    // The phone's commands are carried out by the control loop itself.
    void thePhoneDrivesTheBox()
    {
        auto control = start(QByteArray());
        QVERIFY(control);
        QVERIFY(core->bus().waitForIdle());
        sim->clearSent();
        const QVariantMap data{{QStringLiteral("BoxNum"), QStringLiteral("1")},
                               {QStringLiteral("FanNum"), QStringLiteral("001")},
                               {QStringLiteral("ColorMode"), 0},
                               {QStringLiteral("LightMode"), 4},
                               {QStringLiteral("Speed"), 1}};
        control->socketHelperReceiveData({{QStringLiteral("command"), 0}, {QStringLiteral("Data"), data}});
        QVERIFY(core->bus().waitForIdle());
        bool breath = false;
        for (const Report &r : sentTo(sim, 0))
            breath = breath || (r[1] == 0x32 && r[2] == 0x52 && r[3] == 3);
        QVERIFY2(breath, "the phone's command did not reach port 3");
    }

    // 0x8105: with a window, the window closes (and decides); without one,
    // nothing is on screen and the program ends. 0x8101/0x10 go to the window only.
    void numberedCommandsWithAndWithoutAWindow()
    {
        auto control = start(QByteArray());
        QVERIFY(control);
        QSignalSpy hidden(control.get(), &Controller::hideWindowAsked);
        QSignalSpy closed(control.get(), &Controller::closeWindowAsked);
        control->attachWindow(nullptr); // a window whose main view is not made yet
        QVERIFY(control->handleWindowMessage(0x10, 0, 0));
        QCOMPARE(hidden.count(), 1);
        QVERIFY(!endsTheProgram([&control] { control->handleWindowMessage(0x8105, 1, 0); }));
        QCOMPARE(closed.count(), 1);

        control->detachWindow();
        QVERIFY(control->handleWindowMessage(0x10, 0, 0)); // nothing to hide, and nothing breaks
        QCOMPARE(hidden.count(), 1);
        QVERIFY(control->handleWindowMessage(0x8101, 1, 0)); // nothing to show either
        QVERIFY(control->handleWindowMessage(0x8103, 1, 0));
        QVERIFY(control->state().settings.OpenPassword);
        QVERIFY(endsTheProgram([&control] { control->handleWindowMessage(0x8105, 1, 0); }));
        // A setting command still reaches the device file.
        QVERIFY(control->handleWindowMessage(0x8102, 1, 0));
        AppSettings stored;
        BoxRecords records{};
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), stored, records);
        QVERIFY(stored.isStartAutoUpdate);
    }

    // A stalled fan and a silent box are told to whoever shows alerts.
    void stallsAndSilentBoxesAreTold()
    {
        auto control = start(QByteArray());
        QVERIFY(control);
        QSignalSpy alerts(control.get(), &Controller::alertRaised);
        QVERIFY(sim->stall(0, 1).isEmpty());
        // The speed poll runs on its own; a poll now only hurries it.
        control->updateSpeed();
        QTRY_VERIFY_WITH_TIMEOUT(!alerts.isEmpty(), 60000);
        QCOMPARE(alerts.first().at(0).toInt(), 0);
        QCOMPARE(alerts.first().at(1).toBool(), false);
    }

    // The service has no tray to tell: a lost CPU reading still caps the
    // temperature-following fans, it is told, and the loop goes on polling.
    void aLostReadingCapsTheFansAndTheLoopGoesOn()
    {
        qputenv("FAKE_SENSORS_LIVE", "1");
        qputenv("FAKE_SENSORS_INIT", "0");
        scriptSensorReading("");
        auto control = start(QByteArray());
        QVERIFY(control);
        control->stopSpeedPoll();
        control->effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
        QVERIFY(startSensorsAndWait(*control->effects(), pluginLibrary("FakeSensors")));
        QVERIFY(core->bus().waitForIdle());
        sim->clearSent();
        QSignalSpy lost(control->effects(), &SoftwareEffects::temperatureReadingLost);
        QVERIFY(runSensorPass(*control->effects()));
        QCOMPARE(lost.size(), 1);
        const std::vector<std::pair<int, int>> capped{{1, 100}, {2, 100}, {3, 100}, {4, 100}, {5, 100}};
        QVERIFY(sentDuties(sim, 0) == capped);
        control->updateSpeed();
        QVERIFY(core->bus().waitForIdle());
        QCOMPARE(core->bus().health(0), BoxHealth::Answering);
    }

    // Phone access off closes the phone server; a new language or phone
    // access changes the footer line the window shows.
    void theFooterFollowsTheSettings()
    {
        auto control = start(QByteArray());
        QVERIFY(control);
        QVERIFY(control->socketHelper()->isListening()); // the phone server runs by default
        QSignalSpy footer(control.get(), &Controller::ipTextChanged);
        QSignalSpy language(control.get(), &Controller::languageChanged);
        control->state().settings.remoteAccess = 0;
        control->remoteAccessChanged();
        QCOMPARE(footer.size(), 1);
        QCOMPARE(control->ipText(), QStringLiteral("Phone server off"));
        QVERIFY(!control->socketHelper()->isListening());
        control->loadLanguage(0);
        QCOMPARE(language.size(), 1);
        QCOMPARE(footer.size(), 2);
    }

    // The metrics name a box's firmware once the program has asked the box
    // for it anyway (the current box at start, a box switch) and forget it
    // when the box is plugged in again; reading the metrics asks no box.
    void theMetricsShowTheFirmwareAskedSoFar()
    {
        auto control = start(QByteArray(), QStringLiteral("1,-,1"));
        QVERIFY(control);
        control->stopSpeedPoll();
        const QString absent = QStringLiteral("(no box)");
        auto firmwareOf = [&](int box) {
            for (const BoxMetrics &b : control->monitoring()->snapshot().boxes)
                if (b.box == box)
                    return b.firmware;
            return absent;
        };
        // A box shows in the metrics once its fans were read.
        control->updateSpeed();
        QTRY_VERIFY_WITH_TIMEOUT(firmwareOf(0) != absent && firmwareOf(2) != absent, 60000);
        QVERIFY(core->bus().waitForIdle());
        const quint64 sent = sim->sentTotal();
        QCOMPARE(firmwareOf(0), QStringLiteral("1.2.3"));
        QCOMPARE(firmwareOf(2), QString());
        const QByteArray text = control->monitoring()->metricsText();
        QVERIFY(text.contains("aurivent_box_info{box=\"1\",type=\"rgb\",firmware=\"1.2.3\"} 1\n"));
        QVERIFY(text.contains("aurivent_box_info{box=\"3\",type=\"rgb\",firmware=\"\"} 1\n"));
        QVERIFY(core->bus().waitForIdle());
        QCOMPARE(sim->sentTotal(), sent);

        control->messages().changeBox(2);
        QCOMPARE(firmwareOf(2), QStringLiteral("1.2.3"));
        QCOMPARE(control->state().firmwareVersion, QStringLiteral("1.2.3"));

        // Box 1 unplugged and plugged in again: unknown until it is asked.
        QVERIFY(sim->unplug(0).isEmpty());
        QVERIFY(sim->plug(0, 1).isEmpty());
        control->devices().deviceChanged({SimulatedBoxes::nodeOf(0)});
        QVERIFY(core->boxes().isConnected(0));
        QCOMPARE(firmwareOf(0), QString());
        QCOMPARE(firmwareOf(2), QStringLiteral("1.2.3"));
        control->messages().changeBox(0);
        QCOMPARE(firmwareOf(0), QStringLiteral("1.2.3"));

        // Box 3 pulled out: gone at its next report, and forgotten with it.
        QVERIFY(sim->unplug(2).isEmpty());
        control->updateSpeed();
        QTRY_VERIFY_WITH_TIMEOUT(core->bus().health(2) == BoxHealth::Gone, 30000);
        QCOMPARE(core->firmware().text(2), QString());
        QCOMPARE(core->firmware().text(0), QStringLiteral("1.2.3"));

        // Without a box the window shows the default version, and nothing is known.
        control.reset();
        control = start(QByteArray(), QStringLiteral("-"));
        QVERIFY(control);
        QCOMPARE(control->state().firmwareVersion, QString::fromLatin1(kDefaultVersion));
        QCOMPARE(core->firmware().text(core->boxes().currentBox()), QString());
    }
};

QTEST_GUILESS_MAIN(TestController)
#include "test_controller.moc"
