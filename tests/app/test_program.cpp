// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"
#include "SensorPasses.h"

#include "core/Core.h"

#include "app/Aurivent.h"
#include "app/AutorunStore.h"
#include "device/Reports.h"
#include "lighting/SoftwareEffects.h"
#include "storage/IniHelper.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QStandardPaths>
#include <QtTest>

#include <memory>

// The whole program on simulated boxes: a user's action in a window ends
// as a report on the wire.
class TestProgram : public QObject {
    Q_OBJECT

private:
    // A fresh core for every case, as every start of the program has.
    std::unique_ptr<Core> core = std::make_unique<Core>();
    DeviceBus &bus() { return core->bus(); }
    SimulatedBoxes *sim = nullptr;

    void start(const QString &spec, const QByteArray &deviceFile)
    {
        sim = startWithSettings(bus(), spec, deviceFile);
        QVERIFY(QFile::exists(IniHelper::deviceFilePath()));
    }

    std::vector<Report> lightingTo(int box, int port)
    {
        std::vector<Report> out;
        for (const Report &r : sentTo(sim, box))
            if (r[1] == 0x32 && r[2] == 0x52 && r[3] == port)
                out.push_back(r);
        return out;
    }

    template <typename View>
    View *viewOfFan(MainView *main, int fan)
    {
        for (View *v : main->findChildren<View *>())
            if (v->fanNumber() == fan)
                return v;
        return nullptr;
    }

private slots:
    void init() { core = std::make_unique<Core>(); }
    void cleanup() { core.reset(); }
    void singleColourFanEndsOnTheWire()
    {
        start(QStringLiteral("0"), "[Device0]\nBoxType=0\n");
        Aurivent program(*core);
        VaylaRGBFanView *fan2 = viewOfFan<VaylaRGBFanView>(program.view(), 2);
        QVERIFY(fan2);
        const QImage palette(QCoreApplication::applicationDirPath() + QStringLiteral("/Images/Vayla/palette.png"));
        QVERIFY(!palette.isNull());

        // A pick 40 px right of the palette's centre.
        const QPoint at(88 + 40, 325);
        const QColor picked = palette.pixelColor(at.x() - 13, at.y() - 250);
        sim->clearSent();
        QTest::mouseClick(fan2, Qt::LeftButton, {}, at);
        auto reports = lightingTo(0, 3);
        QVERIFY(!reports.empty());
        Report r = reports.back();
        QCOMPARE(int(r[4]), 0); // steady colour
        QCOMPARE(int(r[5]), picked.red());
        QCOMPARE(int(r[6]), picked.green());
        QCOMPARE(int(r[7]), picked.blue());
        QCOMPARE(program.boxes()[0].vaylaFan[2].rValue, picked.red());

        auto *blink = fan2->findChild<QAbstractButton *>(QStringLiteral("Blink"));
        QVERIFY(blink);
        QTest::mouseClick(blink, Qt::LeftButton);
        r = lightingTo(0, 3).back();
        QCOMPARE(int(r[4]), 2);
        QCOMPARE(int(r[5]), picked.red());

        auto *off = fan2->findChild<QAbstractButton *>(QStringLiteral("Off"));
        QVERIFY(off);
        QTest::mouseClick(off, Qt::LeftButton);
        r = lightingTo(0, 3).back();
        QCOMPARE(int(r[5]) + int(r[6]) + int(r[7]), 0);
        QVERIFY(lightingTo(0, 1).empty()); // fan 0 was not touched
    }

    void trayAutorunAndWindow()
    {
        start(QStringLiteral("1"), QByteArray());
        const QString entry = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart/Aurivent.desktop");
        QFile::remove(entry);
        Aurivent program(*core); // the device file says autorun off
        QAction *autorun = nullptr;
        for (QAction *a : program.findChildren<QAction *>())
            if (a->text().startsWith(QStringLiteral("Start Aurivent at log-in")))
                autorun = a;
        QVERIFY(autorun);
        QVERIFY(autorun->isCheckable() && !autorun->isChecked());
        QVERIFY(!QFile::exists(entry));

        auto storedAutorun = [] {
            AppSettings read;
            BoxRecords records{};
            IniHelper::parseDeviceData(IniHelper::readDeviceIni(), read, records);
            return read.isAutoRun;
        };
        program.trayIconAction();
        QVERIFY(program.state().settings.isAutoRun);
        QVERIFY(autorun->isChecked());
        QVERIFY(createAutorunStore()->read() == QCoreApplication::applicationFilePath());
        QVERIFY(storedAutorun());
        program.trayIconAction();
        QVERIFY(!program.state().settings.isAutoRun);
        QVERIFY(!autorun->isChecked());
        QVERIFY(!storedAutorun());
        // (Removing the entry again is the autostart store's test: an entry is
        // ours only when it names a program file called Aurivent.)

        // A single click leaves a hidden window hidden; a double click shows it.
        program.view()->hide();
        program.iconActivated(QSystemTrayIcon::Trigger);
        QVERIFY(program.view()->isHidden());
        program.iconActivated(QSystemTrayIcon::DoubleClick);
        QVERIFY(!program.view()->isHidden());

        // Numbered commands: 0x8101 0 hides even a hidden view, 1 shows it.
        QVERIFY(program.handleWindowMessage(0x8101, 0, 0));
        QVERIFY(program.view()->isHidden());
        QVERIFY(program.handleWindowMessage(0x8101, 0, 0));
        QVERIFY(program.view()->isHidden());
        QVERIFY(program.handleWindowMessage(0x8101, 1, 0));
        QVERIFY(!program.view()->isHidden());
        QVERIFY(!program.handleWindowMessage(0x8114, 0, 0));
        QVERIFY(!program.handleWindowMessage(0x8116, 0, 0));
        QVERIFY(program.handleWindowMessage(0x8104, 123, 0));
        QCOMPARE(program.state().settings.Password, QStringLiteral("0123"));
        QVERIFY(program.state().settings.OpenPassword);
    }

    void rgbFanPaletteEndsOnTheWire()
    {
        start(QStringLiteral("1"), QByteArray());
        Aurivent program(*core);
        RainbowFan *fan1 = viewOfFan<RainbowFan>(program.view(), 1);
        QVERIFY(fan1);
        QAbstractButton *led0 = nullptr;
        for (QAbstractButton *b : fan1->findChildren<QAbstractButton *>(QStringLiteral("0")))
            if (b->parentWidget() == fan1 || b->isCheckable())
                led0 = b;
        QVERIFY(led0);
        QTest::mouseClick(led0, Qt::LeftButton);
        QVERIFY(fan1->isLedChecked(0));

        const QImage palette(QCoreApplication::applicationDirPath() + QStringLiteral("/Images/palette.png"));
        QVERIFY(!palette.isNull());
        const QPoint at(200, 260);
        const QColor picked = palette.pixelColor(at.x() - 144, at.y() - 206);
        sim->clearSent();
        QTest::mouseClick(fan1, Qt::LeftButton, {}, at);
        const auto reports = lightingTo(0, 2);
        QVERIFY(!reports.empty());
        const Report r = reports.back();
        QCOMPARE(int(r[4]), 0x17); // the stored Whirl, slowest
        QCOMPARE(int(r[5]), picked.green());
        QCOMPARE(int(r[6]), picked.red());
        QCOMPARE(int(r[7]), picked.blue());
        // LED 1 keeps the stored wheel colour (0, 255, 255).
        QCOMPARE(int(r[8]), 255);
        QCOMPARE(int(r[9]), 0);
    }

    void noTemperatureReadingIsShownAndCapsTheFans()
    {
        start(QStringLiteral("1"), QByteArray());
        Aurivent program(*core);
        QLabel *label = program.view()->findChild<QLabel *>(QStringLiteral("label_temperature"));
        QVERIFY(label);
        const QString degrees = QString(QChar(0x00B0)) + QLatin1Char('C');
        QVERIFY2(!label->text().contains(degrees), qPrintable(label->text())); // not "0 °C" before a reading

        emit program.effects()->temperatureChanged(45);
        QVERIFY2(label->text().contains(QStringLiteral("45") + degrees), qPrintable(label->text()));

        // Whatever sensors this machine has: none. The passes are the test's own.
        program.effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
        QVERIFY(startSensorsAndWait(*program.effects(), QStringLiteral("/nonexistent/libAuriventSensors.so")));
        sim->clearSent();
        QVERIFY(runSensorPass(*program.effects()));
        QVERIFY2(!label->text().contains(degrees), qPrintable(label->text()));
        std::vector<Report> expected;
        for (int port = 1; port <= 5; ++port)
            expected.push_back(Reports::fanDuty(port, 100)); // the stored fans follow the temperature
        // Everything but the speed poll, which may ask meanwhile.
        std::vector<Report> sent;
        for (const Report &r : sentTo(sim, 0))
            if (r[1] != 0x33)
                sent.push_back(r);
        QCOMPARE(sent, expected);
    }
};

QTEST_MAIN(TestProgram)
#include "test_program.moc"
