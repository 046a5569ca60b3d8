// SPDX-License-Identifier: GPL-3.0-or-later
#include "StorageFixture.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
BoxModel boxes;
} // namespace

using namespace StorageFixture;

// A save that cannot complete says so and leaves the previous file alone.
class TestWriteFailures : public QObject {
    Q_OBJECT

private:
    QString m_configHome;

    AppSettings savedSettings()
    {
        AppSettings settings;
        settings.Password = QStringLiteral("1357");
        settings.updateServer = QStringLiteral("http://old.example");
        return settings;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder()));
        m_configHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    }

    void init() { cleanStart(boxes); }

    void cleanup()
    {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_configHome);
    }

    void folderThatCannotExistFailsEveryWrite()
    {
        // A data folder below a regular file cannot be created, not even by root.
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        writeRaw(scratch.filePath(QStringLiteral("plain")), "not a folder");
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.filePath(QStringLiteral("plain/config")));
        QVERIFY(IniHelper::dataFolder().startsWith(scratch.filePath(QStringLiteral("plain/"))));

        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeDeviceIni failed: cannot create folder")));
        QCOMPARE(IniHelper::writeDeviceProfile(savedSettings(), boxes.records()), false);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeProfileIni failed: cannot create folder")));
        QCOMPARE(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 1), false);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeVaylaProfileIni failed: cannot create folder")));
        QCOMPARE(IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(0, boxes[0]), 1), false);
        QCOMPARE(readRaw(scratch.filePath(QStringLiteral("plain"))), QByteArray("not a folder"));
    }

    void targetThatCannotBeReplacedKeepsWhatIsThere()
    {
        QVERIFY(QDir().mkpath(IniHelper::deviceFilePath()));   // a folder where the file belongs
        writeRaw(IniHelper::deviceFilePath() + QStringLiteral("/inside"), "kept");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeDeviceIni failed: cannot replace")));
        QCOMPARE(IniHelper::writeDeviceProfile(savedSettings(), boxes.records()), false);
        QCOMPARE(readRaw(IniHelper::deviceFilePath() + QStringLiteral("/inside")), QByteArray("kept"));
        QCOMPARE(leftovers(IniHelper::deviceFilePath()), QStringList());
    }

    void staleFilesOfAnInterruptedSaveAreRemoved()
    {
        QVERIFY(IniHelper::writeDeviceProfile(savedSettings(), boxes.records()));
        const QString path = IniHelper::deviceFilePath();
        writeRaw(path + QStringLiteral(".saving-Ab12Cd"), "[Main]\nPassword=hal");
        writeRaw(path + QStringLiteral(".saving-Ab12Cd.lock"), "1\n");
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
        QCOMPARE(settings.Password, QStringLiteral("1357"));

        settings.Password = QStringLiteral("2468");
        QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));
        QCOMPARE(leftovers(path), QStringList());
        QCOMPARE(storedText(path, QStringLiteral("Main/Password")), QStringLiteral("2468"));
    }
};

QTEST_GUILESS_MAIN(TestWriteFailures)
#include "test_storage_write_failures.moc"
