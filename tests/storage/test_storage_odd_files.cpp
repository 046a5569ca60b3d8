// SPDX-License-Identifier: GPL-3.0-or-later
// Files with keys and values the program never writes itself (odd names,
// typed values of other Qt programs): a save must still store the user's
// change and keep them, and a failed save must be announced.

#include "StorageFixture.h"

#include "storage/IniFile.h"
#include "storage/SaveFailures.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
BoxModel boxes;
} // namespace

using namespace StorageFixture;

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// Lines that QSettings parses into keys it cannot write back under the same
// name or with the same value.
QByteArray oddLines(const char *group)
{
    return QByteArray("[") + group + "]\n"
           "\\lightMode=5\n"                                   // a key "Group//lightMode"
           "Nan=@Variant(\\0\\0\\0\\x6\\x7f\\xf8\\0\\0\\0\\0\\0\\0)\n"  // a double NaN
           "Broken=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x4junk)\n"
           "Empty=@Invalid()\n"
           "%41%42%=1\n"
           "a\\\\b=2\n";
}

}

class TestOddFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder()));
    }

    void init() { cleanStart(boxes); }

    void oddKeysNeverBlockADeviceSave_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("dropped");  // warnings about keys that did not survive
        QTest::newRow("odd keys in Main") << oddLines("Main") + "Password=1111\nWindowPos=12\n" << 0;
        QTest::newRow("odd keys in a box group") << QByteArray("[Main]\nPassword=1111\nWindowPos=12\n")
                                                     + oddLines("Device3") << 0;
        // "/x" is written back as "x": a key of another name.
        QTest::newRow("odd top-level keys") << QByteArray("\\x=1\nNan2=@Variant(\\0\\0\\0\\x6\\x7f\\xf8\\0\\0\\0\\0\\0\\0)\n"
                                                          "[Main]\nPassword=1111\nWindowPos=12\n") << 1;
        QTest::newRow("odd keys behind a byte-order mark") << kBom + oddLines("Main") + "Password=1111\nWindowPos=12\n" << 0;
        // Keys "//x", "///x" and "////x" (groups "" and "\\"): each is written
        // back as the one a slash shorter, so each try keeps some that read back
        // and then lose their name at the next.
        QTest::newRow("keys that shift into each other's names")
            << QByteArray("[\n\\lightMode=5\n[\\\\\n\\lightMode=5\nlightMode=5\n[Main]\nPassword=1111\nWindowPos=12\n") << 1;
    }

    void oddKeysNeverBlockADeviceSave()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, dropped);
        writeRaw(IniHelper::deviceFilePath(), file);
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
        QCOMPARE(settings.Password, QStringLiteral("1111"));

        settings.Password = QStringLiteral("2468");
        boxes[3].profileValue = 4;
        {
            WarningLog log;
            QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));
            QCOMPARE(log.count(QStringLiteral("writeDeviceIni failed")), 0);
            // Read and written in the same dialect, odd keys come back as they were.
            QCOMPARE(log.count(QStringLiteral("writeDeviceIni:")), dropped);
        }
        const QByteArray saved = readRaw(IniHelper::deviceFilePath());
        if (file.contains("Broken="))
            for (const char *kept : {"\\lightMode=5\n", "Nan=@Variant(", "Broken=@Variant(", "Empty=@Invalid()\n"})
                QVERIFY2(saved.contains(kept), kept);
        QCOMPARE(leftovers(IniHelper::deviceFilePath()), QStringList());

        boxes.reset();
        AppSettings loaded;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), loaded, boxes.records());
        QCOMPARE(loaded.Password, QStringLiteral("2468"));
        QCOMPARE(boxes[3].profileValue, 4);
        // A foreign key that survives a save is kept beside the odd ones.
        QCOMPARE(storedText(IniHelper::deviceFilePath(), QStringLiteral("Main/WindowPos")), QStringLiteral("12"));
        QVERIFY(!readRaw(IniHelper::deviceFilePath()).startsWith(kBom));

        // The file that came out saves again without dropping anything more.
        loaded.Password = QStringLiteral("1357");
        WarningLog again;
        QVERIFY(IniHelper::writeDeviceProfile(loaded, boxes.records()));
        QCOMPARE(again.lines, QStringList());
        QCOMPARE(storedText(IniHelper::deviceFilePath(), QStringLiteral("Main/Password")), QStringLiteral("1357"));
    }

    // A save parses the file it composed to check it; that parse, handed
    // back, is what the file on disk reads as, dropped keys left out.
    void composeHandsBackWhatTheFileReadsAs_data() { oddKeysNeverBlockADeviceSave_data(); }
    void composeHandsBackWhatTheFileReadsAs()
    {
        QFETCH(QByteArray, file);
        const auto old = IniFile::parse(file);
        AppSettings settings;
        settings.Password = QStringLiteral("2468");
        QByteArray saved;
        std::unique_ptr<IniFile::Contents> back;
        {
            WarningLog log;
            QVERIFY(IniFile::compose(*old, IniHelper::buildDeviceMap(settings, boxes.records()), "compose", &saved, &back));
        }
        QVERIFY(back);
        writeRaw(IniHelper::deviceFilePath(), saved);
        const auto onDisk = IniFile::openForReading(IniHelper::deviceFilePath());
        QCOMPARE(back->values, onDisk->values);
        QCOMPARE(back->opaque, onDisk->opaque);
        QVERIFY(back->readable && onDisk->readable);
        QCOMPARE(IniFile::readText(*back, QStringLiteral("Main/Password")), QStringLiteral("2468"));
    }

    void oddKeysNeverBlockAProfileSave()
    {
        writeRaw(IniHelper::profilePath(2), oddLines("Fan0") + "lightMode=3\n[Fan4]\nBright=nan,1,1\n");
        writeRaw(IniHelper::vaylaProfilePath(2), oddLines("Fan1") + "RColor=9\n");
        IniHelper::parseProfile(0, IniHelper::readProfileIni(2), boxes[0]);
        IniHelper::parseVaylaProfile(0, IniHelper::readVaylaProfileIni(2), boxes[0]);
        QCOMPARE(boxes[0].rainbowFan[0].lightMode, 3);
        QCOMPARE(boxes[0].vaylaFan[1].rValue, 9);

        boxes[0].rainbowFan[0].rValue_Led[4] = 77;
        boxes[0].vaylaFan[1].gValue = 66;
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 2));
        QVERIFY(IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(0, boxes[0]), 2));

        boxes.reset();
        IniHelper::parseProfile(5, IniHelper::readProfileIni(2), boxes[5]);
        IniHelper::parseVaylaProfile(5, IniHelper::readVaylaProfileIni(2), boxes[5]);
        QCOMPARE(boxes[5].rainbowFan[0].rValue_Led[4], 77);
        QCOMPARE(boxes[5].rainbowFan[0].lightMode, 3);
        QCOMPARE(boxes[5].vaylaFan[1].gValue, 66);
        QCOMPARE(boxes[5].vaylaFan[1].rValue, 9);
    }

    void byteOrderMarkIsSkipped()
    {
        // The mark would otherwise become part of the first key's name.
        writeRaw(IniHelper::deviceFilePath(), kBom + "Stray=1\n[Device0]\nBoxType=0\nProfile=3\n[Main]\nPassword=4321\nAutoUpdate=1\n");
        writeRaw(IniHelper::profilePath(1), kBom + "[Fan0]\nlightMode=8\nRColor=\"1,2,3\"\n");
        AppSettings settings;
        {
            WarningLog log;
            IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
            IniHelper::parseProfile(0, IniHelper::readProfileIni(1), boxes[0]);
            QCOMPARE(log.lines, QStringList());
        }
        QCOMPARE(boxes[0].boxType, 0);
        QCOMPARE(boxes[0].profileValue, 3);
        QCOMPARE(settings.Password, QStringLiteral("4321"));
        QCOMPARE(settings.isStartAutoUpdate, true);
        QCOMPARE(boxes[0].rainbowFan[0].lightMode, 8);
        QCOMPARE(boxes[0].rainbowFan[0].rValue_Led[2], 3);

        settings.Password = QStringLiteral("8642");
        QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));
        const QByteArray saved = readRaw(IniHelper::deviceFilePath());
        QVERIFY(!saved.startsWith(kBom));
        QVERIFY(saved.contains("Stray=1"));
        QVERIFY(!saved.contains("\xEF\xBB\xBF"));
        boxes.reset();
        AppSettings loaded;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), loaded, boxes.records());
        QCOMPARE(loaded.Password, QStringLiteral("8642"));
        QCOMPARE(boxes[0].profileValue, 3);
    }

    void failedSavesAreAnnouncedOnce()
    {
        QSignalSpy spy(&SaveFailures::instance(), &SaveFailures::saveFailed);
        QVERIFY(IniHelper::writeDeviceProfile(AppSettings(), boxes.records()));
        QCOMPARE(spy.count(), 0);

        // The profile folder cannot be created: a plain file has its name.
        writeRaw(IniHelper::dataFolder() + QStringLiteral("/VaylaZeve"), "not a folder");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeProfileIni failed: cannot create folder")));
        QCOMPARE(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 3), false);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toString(), IniHelper::profilePath(3));

        // Where the device file should be is a folder: it cannot be replaced.
        QFile::remove(IniHelper::deviceFilePath());
        QVERIFY(QDir().mkpath(IniHelper::deviceFilePath()));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeDeviceIni failed: ")));
        QCOMPARE(IniHelper::writeDeviceProfile(AppSettings(), boxes.records()), false);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toString(), IniHelper::deviceFilePath());

        // A refused profile number is the caller's mistake, not a failed save.
        QTest::ignoreMessage(QtWarningMsg, "writeProfileIni refused: profile 0");
        QCOMPARE(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 0), false);
        QCOMPARE(spy.count(), 2);
    }
};

QTEST_GUILESS_MAIN(TestOddFiles)
#include "test_storage_odd_files.moc"
