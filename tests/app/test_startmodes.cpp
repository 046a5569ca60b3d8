// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimFixture.h"

#include "core/Core.h"

#include "app/Aurivent.h"
#include "app/AutorunStore.h"
#include "app/TraylessWindow.h"
#include "storage/IniHelper.h"
#include "ui/MainView.h"

#include <QAbstractButton>
#include <QAction>
#include <QStandardPaths>
#include <QSystemTrayIcon>
#include "device/DeviceBus.h"

#include <QtTest>

#include <memory>

// How the whole program starts: autostart against the desktop's entry, the
// service without a window, the start in the tray, and a desktop with no tray.
class TestStartModes : public QObject {
    Q_OBJECT

private:
    // A fresh core for every case, as every start of the program has.
    std::unique_ptr<Core> core = std::make_unique<Core>();
    DeviceBus &bus() { return core->bus(); }
    QString entry;
    QString memory;

    void start(const QByteArray &autorun)
    {
        QDir(IniHelper::dataFolder()).removeRecursively();
        QDir().mkpath(IniHelper::dataFolder());
        QFile::remove(entry);
        QFile file(IniHelper::deviceFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Main]\nAutoUpdate=0\nisAutoRun=" + autorun + "\nLanguage=0\nPassword=9462\nOpenPassword=0\n");
        file.close();
        installSimulatedBoxes(bus(), QStringLiteral("1"));
    }

    static bool storedAutorun()
    {
        AppSettings read;
        BoxRecords records{};
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), read, records);
        return read.isAutoRun;
    }

    static QAction *autorunAction(Aurivent &program)
    {
        for (QAction *a : program.findChildren<QAction *>())
            if (a->text().startsWith(QStringLiteral("Start Aurivent at log-in")))
                return a;
        return nullptr;
    }

    static void settle()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

private slots:
    void init() { core = std::make_unique<Core>(); }
    void cleanup() { core.reset(); }
    void initTestCase()
    {
        entry = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart/Aurivent.desktop");
        memory = IniHelper::dataFolder() + QStringLiteral("/AutostartWritten");
    }

    void firstStartWritesTheEntry()
    {
        start("1");
        Aurivent program(*core);
        QCOMPARE(createAutorunStore()->read(), QCoreApplication::applicationFilePath());
        QCOMPARE(createAutorunStore()->entry().arguments, QStringList{QStringLiteral("--minimized")});
        QVERIFY(QFile::exists(memory));
        QVERIFY(program.state().settings.isAutoRun);
    }

    void entryRemovedOnTheDesktopIsStoredOff()
    {
        start("1");
        QFile mark(memory);
        QVERIFY(mark.open(QIODevice::WriteOnly));
        mark.close();
        Aurivent program(*core);
        QVERIFY(!QFile::exists(entry));
        QVERIFY(!program.state().settings.isAutoRun);
        QVERIFY(!storedAutorun());
        QAction *autorun = autorunAction(program);
        QVERIFY(autorun);
        QVERIFY(autorun->isCheckable() && !autorun->isChecked()); // the menu shows it off
    }

    // The desktop's start-up list switched the entry back on: the program
    // starts with autostart on, shows it so, stores it, and leaves the entry
    // as the desktop wrote it; the menu's switch then turns it off in place.
    void entrySwitchedOnOnTheDesktopIsStoredOn()
    {
        start("0");
        QDir().mkpath(QFileInfo(entry).absolutePath());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Desktop Entry]\nType=Application\nName=Aurivent\nExec=/usr/bin/Aurivent --minimized --verbose\n"
                   "Hidden=false\nX-GNOME-Autostart-enabled=true\n");
        file.close();
        const QByteArray before = [this] {
            QFile f(entry);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        {
            Aurivent program(*core);
            QVERIFY(program.state().settings.isAutoRun);
            QVERIFY(storedAutorun());
            QAction *autorun = autorunAction(program);
            QVERIFY(autorun);
            QVERIFY(autorun->isChecked());
            QFile f(entry);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), before);

            program.trayIconAction();
            QVERIFY(!storedAutorun());
            QVERIFY(QFile::exists(entry));
            QVERIFY(createAutorunStore()->entry().disabled);
            QCOMPARE(createAutorunStore()->entry().arguments,
                     (QStringList{QStringLiteral("--minimized"), QStringLiteral("--verbose")}));
        }
        // The next start finds it off on the desktop too, and keeps it.
        Aurivent again(*core);
        QVERIFY(!again.state().settings.isAutoRun);
        QVERIFY(QFile::exists(entry));
    }

    void simulatedBoxesLeaveAutostartAlone()
    {
        start("1");
        StartOptions options;
        options.simulated = true;
        Aurivent program(*core, options);
        QVERIFY(!QFile::exists(entry));
        QVERIFY(!QFile::exists(memory));
        QAction *autorun = autorunAction(program);
        QVERIFY(autorun);
        QVERIFY(!autorun->isEnabled());
        program.trayIconAction();
        QVERIFY(!QFile::exists(entry));
        QVERIFY(program.state().settings.isAutoRun);
        QVERIFY(storedAutorun());
    }

    void headlessHasNoWindowAndNoTray()
    {
        start("1");
        StartOptions options;
        options.headless = true;
        Aurivent program(*core, options);
        QVERIFY(!program.view());
        QVERIFY(program.findChildren<QSystemTrayIcon *>().isEmpty());
        QVERIFY(!QFile::exists(entry)); // the service leaves the desktop's autostart alone
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->metaObject()->className()));
        // Commands that need no window still work; showing one is a no-op.
        QVERIFY(program.handleWindowMessage(0x8101, 1, 0));
        QVERIFY(program.handleWindowMessage(0x8103, 1, 0));
        QVERIFY(program.state().settings.OpenPassword);
        // The box is driven and its fans are polled.
        QVERIFY(program.boxes()[0].gIsConnected);
        program.updateSpeed();
        QVERIFY(bus().waitForIdle());
    }

    void minimizedStartStaysInTheTray()
    {
        start("0");
        StartOptions options;
        options.minimized = true;
        Aurivent program(*core, options);
        QVERIFY(program.view());
        QVERIFY(program.view()->isHidden());
        program.showMainView();
        QVERIFY(!program.view()->isHidden());
    }

    // No tray: closing or hiding minimizes, closing the minimized window
    // ends the program. With a tray: closing hides, as always.
    void windowWithoutTray()
    {
        start("0");
        Aurivent program(*core);
        MainView *view = program.view();
        bool tray = false;
        int ends = 0;
        new TraylessWindow(view, [&tray] { return tray; }, [&ends] { ++ends; });
        QVERIFY(view->isVisible());

        view->close();
        settle();
        QVERIFY(!view->isHidden());
        QVERIFY(view->isMinimized());
        QCOMPARE(ends, 0);

        view->showNormal();
        auto *closeButton = view->findChild<QAbstractButton *>(QStringLiteral("Close_Window"));
        QVERIFY(closeButton);
        QTest::mouseClick(closeButton, Qt::LeftButton);
        settle();
        QVERIFY(!view->isHidden());
        QVERIFY(view->isMinimized());

        QVERIFY(program.handleWindowMessage(0x8101, 0, 0));
        settle();
        QVERIFY(view->isMinimized() && !view->isHidden());

        view->close(); // closed again while minimized
        QCOMPARE(ends, 1);

        tray = true;
        view->showNormal();
        view->close();
        settle();
        QVERIFY(view->isHidden());
        QCOMPARE(ends, 1);
    }
};

QTEST_MAIN(TestStartModes)
#include "test_startmodes.moc"
