// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFixture.h"

#include "core/Core.h"
#include "lighting/SoftwareEffects.h"
#include "device/Reports.h"
#include "script/ScriptRunner.h"

#include <QFile>
#include <QtTest>

// The core and the libraries it drives, on QCoreApplication alone: the
// service must load no Qt Gui or Widgets, whatever is linked in below it.
class TestCoreOnly : public QObject {
    Q_OBJECT

private slots:
    void noGuiLibraryIsLoaded()
    {
        // Referenced, so that the linker keeps what a service would run.
        Core core;
        SoftwareEffects effects(core.encoders());
        ScriptRunner script(core.encoders());
        QVERIFY(!QCoreApplication::instance()->inherits("QGuiApplication"));

        QFile maps(QStringLiteral("/proc/self/maps"));
        QVERIFY(maps.open(QIODevice::ReadOnly));
        const QByteArray loaded = maps.readAll();
        QVERIFY(loaded.contains("libQt5Core"));
        QVERIFY2(!loaded.contains("libQt5Gui"), "the core's link closure loads Qt Gui");
        QVERIFY2(!loaded.contains("libQt5Widgets"), "the core's link closure loads Qt Widgets");
    }

    // The core's own parts drive a box without a window.
    void theCoreDrivesABoxWithoutAWindow()
    {
        Core core;
        SimulatedBoxes *sim = installSimulator(core.boxes(), core.bus(), QStringLiteral("1"));
        QVERIFY(core.boxes()[0].gIsConnected);
        sim->clearSent();
        core.encoders().sendCommand_FanDuty(0, 2, 60);
        QVERIFY(core.bus().waitForIdle());
        bool seen = false;
        for (const SimulatedBoxes::SentReport &r : sim->sent())
            seen = seen || (r.box == 0 && r.report == Reports::fanDuty(3, 60));
        QVERIFY(seen);
        core.bus().closeAll();
    }
};

QTEST_GUILESS_MAIN(TestCoreOnly)
#include "test_coreonly.moc"
