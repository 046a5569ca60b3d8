// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program on a simulated box: a save that fails is shown to the
// user once, and numbered commands with extreme words change nothing they
// should not.

#include "SimFixture.h"

#include "core/Core.h"

#include "app/Aurivent.h"
#include "app/SaveFailureNotice.h"
#include "storage/IniHelper.h"
#include "ui/MainView.h"

#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

#include <climits>

namespace {

QList<QMessageBox *> shownBoxes()
{
    QList<QMessageBox *> boxes;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *box = qobject_cast<QMessageBox *>(w); box && box->isVisible())
            boxes << box;
    return boxes;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

} // namespace

class TestSaveFailures : public QObject {
    Q_OBJECT

private:
    // A fresh core for every case, as every start of the program has.
    std::unique_ptr<Core> core = std::make_unique<Core>();
    DeviceBus &bus() { return core->bus(); }
    void start()
    {
        QDir(IniHelper::dataFolder()).removeRecursively();
        writeFile(IniHelper::deviceFilePath(), "[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\nPassword=9462\nOpenPassword=0\n");
        installSimulatedBoxes(bus(), QStringLiteral("1"));
    }

private slots:
    void init() { core = std::make_unique<Core>(); }
    void cleanup() { core.reset(); }
    void aFailedSaveIsShownOnce()
    {
        start();
        Aurivent program(*core);
        auto *notice = program.findChild<SaveFailureNotice *>();
        QVERIFY(notice);
        QSignalSpy shown(notice, &SaveFailureNotice::shown);

        // Neither the profile nor the device file can be written: the profile
        // folder's name is taken by a file, the device file's by a folder.
        writeFile(IniHelper::dataFolder() + QStringLiteral("/VaylaZeve"), "not a folder");
        QVERIFY(QFile::remove(IniHelper::deviceFilePath()));
        QVERIFY(QDir().mkpath(IniHelper::deviceFilePath()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeProfileIni failed: ")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeDeviceIni failed: ")));
        QVERIFY(program.handleWindowMessage(0x8119, 0, 0));

        QTRY_COMPARE_WITH_TIMEOUT(shownBoxes().size(), 1, 10000);
        QCOMPARE(shown.count(), 1);
        QMessageBox *box = shownBoxes().first();
        QCOMPARE(box->windowTitle(), SaveFailureNotice::title());
        QCOMPARE(box->text(), QStringLiteral("The settings could not be written to Profile1.ini, Device.ini."));
        QCOMPARE(box->text(), SaveFailureNotice::text({IniHelper::profilePath(1), IniHelper::deviceFilePath()}));

        // Dismissed, the next failure is shown again, on its own.
        box->close();
        QTRY_VERIFY(shownBoxes().isEmpty());
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeDeviceIni failed: ")));
        QVERIFY(program.handleWindowMessage(0x8102, 1, 0));
        QTRY_COMPARE_WITH_TIMEOUT(shownBoxes().size(), 1, 10000);
        QCOMPARE(shown.count(), 2);
        QCOMPARE(shownBoxes().first()->text(), QStringLiteral("The settings could not be written to Device.ini."));

        // A save that works shows nothing.
        shownBoxes().first()->close();
        QVERIFY(QDir(IniHelper::deviceFilePath()).removeRecursively());
        QVERIFY(program.handleWindowMessage(0x8102, 0, 0));
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCOMPARE(shown.count(), 2);
        QVERIFY(shownBoxes().isEmpty());
    }

    void extremeWordsAreChecked()
    {
        start();
        Aurivent program(*core);
        QCOMPARE(program.state().currentProfile, 1);
        for (int word : {INT_MAX, INT_MIN, -1, 5}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^0x8107 refused: no profile index")));
            QVERIFY(program.handleWindowMessage(0x8107, word, 0));
            QCOMPARE(program.state().currentProfile, 1);
        }
        QVERIFY(program.handleWindowMessage(0x8107, 4, 0));
        QCOMPARE(program.state().currentProfile, 5);

        // A colour word with its top bit set still gives its three bytes.
        QVERIFY(program.handleWindowMessage(0x8120, 1, 0));  // LED 11 only
        QVERIFY(program.handleWindowMessage(0x8118, int(0xFF00FF80u), 0));
        const RainbowFanRecord &fan = program.boxes()[0].rainbowFan[0];
        QCOMPARE(fan.rValue_Led[11], 0x80);
        QCOMPARE(fan.gValue_Led[11], 0xFF);
        QCOMPARE(fan.bValue_Led[11], 0x00);
    }
};

QTEST_MAIN(TestSaveFailures)
#include "test_savefailures.moc"
