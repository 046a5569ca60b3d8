// SPDX-License-Identifier: GPL-3.0-or-later
#include "StorageFixture.h"

#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
BoxModel boxes;
} // namespace

using namespace StorageFixture;

class TestDeviceFile : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder()));
    }

    void init() { cleanStart(boxes); }

    void pathsFollowTheSettingsLocation()
    {
        const QString folder = QDir(qEnvironmentVariable("XDG_CONFIG_HOME")).absolutePath()
                               + QStringLiteral("/Kq/RGBVaylaZeve");
        QCOMPARE(IniHelper::dataFolder(), folder);
        QCOMPARE(IniHelper::deviceFilePath(), folder + QStringLiteral("/Device.ini"));
        QCOMPARE(IniHelper::profilePath(1), folder + QStringLiteral("/VaylaZeve/Profile1.ini"));
        QCOMPARE(IniHelper::profilePath(5), folder + QStringLiteral("/VaylaZeve/Profile5.ini"));
        QCOMPARE(IniHelper::vaylaProfilePath(3), folder + QStringLiteral("/Vayla/Vayla Profile3.ini"));
        QVERIFY(IniHelper::profilePath(0).isEmpty());
        QVERIFY(IniHelper::profilePath(6).isEmpty());
        QVERIFY(IniHelper::vaylaProfilePath(-1).isEmpty());

        // Saving never creates the "application" settings that fix the location.
        QVERIFY(IniHelper::writeDeviceProfile(AppSettings(), boxes.records()));
        QVERIFY(QFileInfo::exists(IniHelper::deviceFilePath()));
        QVERIFY(!QFileInfo::exists(QFileInfo(folder).absolutePath() + QStringLiteral("/application.ini")));
    }

    void cleanStartGivesDefaults()
    {
        AppSettings settings;
        settings.isStartAutoUpdate = false;
        settings.isAutoRun = false;
        settings.languageIndex = 4;
        settings.OpenPassword = true;
        settings.Password = QStringLiteral("1111");
        boxes[3].boxType = 0;
        boxes[3].profileValue = 4;
        boxes[3].rainbowFan[2].isMonitor = false;
        boxes[3].rainbowFan[2].fanType = 3;
        boxes[3].vaylaFan[1].isMonitor = false;

        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());

        QCOMPARE(settings.isStartAutoUpdate, true);
        QCOMPARE(settings.isAutoRun, true);
        QCOMPARE(settings.languageIndex, 0);
        QCOMPARE(settings.OpenPassword, false);
        QCOMPARE(settings.Password, QStringLiteral("9462"));
        QCOMPARE(settings.updateServer, QString());
        for (int box = 0; box < kBoxCount; ++box) {
            QCOMPARE(boxes[box].boxType, 1);
            QCOMPARE(boxes[box].profileValue, 1);
            for (int fan = 0; fan < kRainbowFanCount; ++fan) {
                QCOMPARE(boxes[box].rainbowFan[fan].isMonitor, true);
                QCOMPARE(boxes[box].rainbowFan[fan].fanType, 0);
            }
            for (int fan = 0; fan < kVaylaFanCount; ++fan)
                QCOMPARE(boxes[box].vaylaFan[fan].isMonitor, true);
        }
        // Reading alone writes nothing.
        QVERIFY(!QFileInfo::exists(IniHelper::dataFolder()));
    }

    void missingMainGroupTurnsSettingsOff()
    {
        writeRaw(IniHelper::deviceFilePath(),
                 "[Device0]\nBoxType=0\nProfile=3\n"
                 "[Device7]\nMonitor=\"0,1,0,1,0\"\nFanType=\"4,0,0,0,9\"\nVaylaMonitor=\"0,0,1\"\n");
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());

        QCOMPARE(settings.isStartAutoUpdate, false);
        QCOMPARE(settings.isAutoRun, false);
        QCOMPARE(settings.languageIndex, 0);
        QCOMPARE(settings.Password, QString());
        QCOMPARE(settings.OpenPassword, false);
        QCOMPARE(settings.updateServer, QString());
        // Per-box keys that are missing take their defaults.
        QCOMPARE(boxes[0].boxType, 0);
        QCOMPARE(boxes[0].profileValue, 3);
        QCOMPARE(boxes[0].rainbowFan[4].isMonitor, true);
        QCOMPARE(boxes[7].boxType, 1);
        QCOMPARE(boxes[7].profileValue, 1);
        QCOMPARE(boxes[7].rainbowFan[0].isMonitor, false);
        QCOMPARE(boxes[7].rainbowFan[1].isMonitor, true);
        QCOMPARE(boxes[7].rainbowFan[0].fanType, 4);
        QCOMPARE(boxes[7].rainbowFan[4].fanType, 9);
        QCOMPARE(boxes[7].vaylaFan[0].isMonitor, false);
        QCOMPARE(boxes[7].vaylaFan[2].isMonitor, true);
        QCOMPARE(boxes[15].vaylaFan[0].isMonitor, true);
    }

    void roundTripKeepsEveryField()
    {
        AppSettings saved;
        saved.isStartAutoUpdate = false;
        saved.isAutoRun = false;
        saved.languageIndex = 6;
        saved.OpenPassword = true;
        saved.Password = QStringLiteral("0042");
        saved.updateServer = QStringLiteral("https://updates.example.net:8443/api?a=1,2");
        for (int box = 0; box < kBoxCount; ++box) {
            boxes[box].boxType = box % 3;   // 0, 1 and 2
            boxes[box].profileValue = 1 + box % 5;
            for (int fan = 0; fan < kRainbowFanCount; ++fan) {
                boxes[box].rainbowFan[fan].isMonitor = (box + fan) % 2 == 0;
                boxes[box].rainbowFan[fan].fanType = (box * fan) % 4;
            }
            for (int fan = 0; fan < kVaylaFanCount; ++fan)
                boxes[box].vaylaFan[fan].isMonitor = (box + fan) % 3 == 0;
        }
        const BoxRecords before = boxes.records();

        QVERIFY(IniHelper::writeDeviceProfile(saved, boxes.records()));
        const QString path = IniHelper::deviceFilePath();
        QCOMPARE(storedText(path, QStringLiteral("Device1/Monitor")), QStringLiteral("0,1,0,1,0"));
        QCOMPARE(storedText(path, QStringLiteral("Device3/FanType")), QStringLiteral("0,3,2,1,0"));
        QCOMPARE(storedText(path, QStringLiteral("Device0/VaylaMonitor")), QStringLiteral("1,0,0"));
        QCOMPARE(storedText(path, QStringLiteral("Device14/BoxType")), QStringLiteral("2"));
        QCOMPARE(storedText(path, QStringLiteral("Main/AutoUpdate")), QStringLiteral("0"));
        QCOMPARE(storedText(path, QStringLiteral("Main/OpenPassword")), QStringLiteral("1"));
        QCOMPARE(storedText(path, QStringLiteral("Main/Password")), QStringLiteral("0042"));
        QCOMPARE(leftovers(path), QStringList());

        boxes.reset();
        AppSettings loaded;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), loaded, boxes.records());
        QCOMPARE(loaded.isStartAutoUpdate, false);
        QCOMPARE(loaded.isAutoRun, false);
        QCOMPARE(loaded.languageIndex, 6);
        QCOMPARE(loaded.OpenPassword, true);
        QCOMPARE(loaded.Password, QStringLiteral("0042"));
        QCOMPARE(loaded.updateServer, saved.updateServer);
        for (int box = 0; box < kBoxCount; ++box) {
            QCOMPARE(boxes[box].boxType, before[box].boxType);
            QCOMPARE(boxes[box].profileValue, before[box].profileValue);
            for (int fan = 0; fan < kRainbowFanCount; ++fan) {
                QCOMPARE(boxes[box].rainbowFan[fan].isMonitor, before[box].rainbowFan[fan].isMonitor);
                QCOMPARE(boxes[box].rainbowFan[fan].fanType, before[box].rainbowFan[fan].fanType);
            }
            for (int fan = 0; fan < kVaylaFanCount; ++fan)
                QCOMPARE(boxes[box].vaylaFan[fan].isMonitor, before[box].vaylaFan[fan].isMonitor);
        }
    }

    void writeReplacesItsKeysAndKeepsOthers()
    {
        writeRaw(IniHelper::deviceFilePath(),
                 "[Main]\nPassword=7777\nUpdateServer=http://old\nWindowPos=12\n[Device2]\nBoxType=0\n");
        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
        QCOMPARE(settings.updateServer, QStringLiteral("http://old"));
        settings.Password = QStringLiteral("1234");
        QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));

        const QString path = IniHelper::deviceFilePath();
        QCOMPARE(storedText(path, QStringLiteral("Main/Password")), QStringLiteral("1234"));
        QCOMPARE(storedText(path, QStringLiteral("Main/UpdateServer")), QStringLiteral("http://old"));
        QCOMPARE(storedText(path, QStringLiteral("Main/WindowPos")), QStringLiteral("12"));
        QCOMPARE(storedText(path, QStringLiteral("Device2/BoxType")), QStringLiteral("0"));
        QCOMPARE(storedText(path, QStringLiteral("Device15/Profile")), QStringLiteral("1"));
        QCOMPARE(FreshSettings(path)->childGroups().size(), kBoxCount + 1);
    }

    void malformedDeviceDataIsReadByPosition()
    {
        // Lists written by hand without quotes, short lists, junk and huge numbers.
        writeRaw(IniHelper::deviceFilePath(),
                 "[Device0]\nMonitor=1,0,1\nFanType=2\nVaylaMonitor=x\nProfile=9\nBoxType=7\n"
                 "[Device1]\nProfile=99999999999\nBoxType=abc\n"
                 "[Device2]\nProfile=-3\nMonitor=,,,1,1\n"
                 "[Main]\nLanguage=12\nAutoUpdate=yes\nisAutoRun=2\nOpenPassword=0x1\n");
        AppSettings settings;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^value out of range: Profile=9 box 0")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^value out of range: Profile=0 box 1")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^value out of range: Profile=-3 box 2")));
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());

        QCOMPARE(boxes[0].boxType, 7);
        QCOMPARE(boxes[0].profileValue, 1);
        const bool monitor0[] = {true, false, true, false, false};
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            QCOMPARE(boxes[0].rainbowFan[fan].isMonitor, monitor0[fan]);
        QCOMPARE(boxes[0].rainbowFan[0].fanType, 2);
        QCOMPARE(boxes[0].rainbowFan[1].fanType, 0);
        QCOMPARE(boxes[0].vaylaFan[0].isMonitor, false);
        QCOMPARE(boxes[1].profileValue, 1);
        QCOMPARE(boxes[1].boxType, 0);
        QCOMPARE(boxes[2].profileValue, 1);
        QCOMPARE(boxes[2].rainbowFan[0].isMonitor, false);
        QCOMPARE(boxes[2].rainbowFan[3].isMonitor, true);
        // The language number is kept; the caller loads a translation for 0-6 only.
        QCOMPARE(settings.languageIndex, 12);
        QCOMPARE(settings.isStartAutoUpdate, false);
        QCOMPARE(settings.isAutoRun, true);
        QCOMPARE(settings.OpenPassword, false);

        // Too few rows from a caller read as empty texts, not past the end.
        boxes.reset();
        DeviceFileData shortData;
        shortData.boxes << QStringList{QStringLiteral("0")};
        for (int box = 0; box < kBoxCount; ++box)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^value out of range: Profile=0")));
        IniHelper::parseDeviceData(shortData, settings, boxes.records());
        QCOMPARE(boxes[0].boxType, 0);
        QCOMPARE(boxes[15].profileValue, 1);
        QCOMPARE(boxes[15].rainbowFan[4].isMonitor, false);
        QCOMPARE(settings.Password, QString());
    }

    void garbageFileLoadsAndIsReplacedByTheNextWrite()
    {
        QByteArray garbage;
        for (int i = 0; i < 4096; ++i)
            garbage.append(char((i * 73 + 11) % 256));
        writeRaw(IniHelper::deviceFilePath(), garbage);

        AppSettings settings;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes.records());
        for (int box = 0; box < kBoxCount; ++box) {
            QVERIFY(boxes[box].profileValue >= 1 && boxes[box].profileValue <= 5);
            QCOMPARE(boxes[box].boxType, 1);
        }

        settings.Password = QStringLiteral("5555");
        QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));
        FreshSettings clean(IniHelper::deviceFilePath());
        QCOMPARE(clean->value(QStringLiteral("Main/Password")).toString(), QStringLiteral("5555"));
        QCOMPARE(clean->status(), QSettings::NoError);
        QCOMPARE(clean->value(QStringLiteral("Device15/FanType")).toString(), QStringLiteral("0,0,0,0,0"));
        QVERIFY(clean->allKeys().size() >= kBoxCount * DeviceKey::Count + MainKey::Count);
    }
};

QTEST_GUILESS_MAIN(TestDeviceFile)
#include "test_storage_device_file.moc"
