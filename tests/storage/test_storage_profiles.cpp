// SPDX-License-Identifier: GPL-3.0-or-later
#include "StorageFixture.h"

#include <QtTest>

#include <limits>

namespace {
// The box model these cases drive, as the program's own would be.
BoxModel boxes;
} // namespace

using namespace StorageFixture;

namespace {

const int kRainbowR[] = {0, 0, 0, 0, 127, 255, 255, 255, 255, 255, 127, 0, 255};
const int kRainbowG[] = {127, 255, 255, 255, 255, 255, 127, 0, 0, 0, 0, 0, 0};
const int kRainbowB[] = {255, 255, 127, 0, 0, 0, 0, 0, 127, 255, 255, 255, 0};

QStringList rgbRow(const QString &r, const QString &g, const QString &b, const QString &bright,
                   const QString &per, const QString &num, const QString &speedMode, const QString &pwm,
                   const QString &colorMode, const QString &lightMode, const QString &lightSpeed,
                   const QString &off)
{
    return {r, g, b, bright, per, num, speedMode, pwm, colorMode, lightMode, lightSpeed, off};
}

}

class TestProfiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder()));
    }

    void init() { cleanStart(boxes); }

    void missingProfilesGiveTheDefaults()
    {
        IniHelper::parseProfile(0, IniHelper::readProfileIni(1), boxes[0]);
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            const RainbowFanRecord &f = boxes[0].rainbowFan[fan];
            for (int led = 0; led < kColorEntries; ++led) {
                QCOMPARE(f.rValue_Led[led], kRainbowR[led]);
                QCOMPARE(f.gValue_Led[led], kRainbowG[led]);
                QCOMPARE(f.bValue_Led[led], kRainbowB[led]);
                QCOMPARE(f.brightValue[led], 1.0f);
            }
            QCOMPARE(f.lightMode, 5);
            QCOMPARE(f.lightSpeed, 3);
            QCOMPARE(f.colorMode, 0);
            QCOMPARE(f.speedMode, 2);
            QCOMPARE(f.isPWM, true);
            QCOMPARE(f.speedPer, 5);
            QCOMPARE(f.speedNum, 10);
            QCOMPARE(f.isTurnOffLed, false);
        }

        IniHelper::parseVaylaProfile(9, IniHelper::readVaylaProfileIni(5), boxes[9]);
        for (int fan = 0; fan < kVaylaFanCount; ++fan) {
            const VaylaFanRecord &v = boxes[9].vaylaFan[fan];
            QCOMPARE(v.rValue, 255);
            QCOMPARE(v.gValue, 0);
            QCOMPARE(v.bValue, 0);
            QCOMPARE(v.brightValue, 1.0f);
            QCOMPARE(v.speed, 5);
            QCOMPARE(v.speedMode, 2);
            QCOMPARE(v.isPWM, false);
            QCOMPARE(v.lightMode, 0);
            QCOMPARE(v.isTurnOffLed, false);
        }
        QVERIFY(!QFileInfo::exists(IniHelper::dataFolder()));
    }

    void rgbProfileRoundTripKeepsEveryField()
    {
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            RainbowFanRecord &f = boxes[2].rainbowFan[fan];
            for (int led = 0; led < kColorEntries; ++led) {
                f.rValue_Led[led] = (led * 20 + fan) % 256;
                f.gValue_Led[led] = 255 - led;
                f.bValue_Led[led] = led == 12 ? 255 : fan;
                f.brightValue[led] = led % 3 == 0 ? 0.5f : (led % 3 == 1 ? 1.0f : 0.125f);
            }
            f.speedPer = fan;
            f.speedNum = 10 - fan;
            f.speedMode = fan % 3;
            f.isPWM = fan % 2 == 0;
            f.colorMode = fan % 3;
            f.lightMode = fan == 3 ? 14 : fan;   // no Copy here: that one is tested on its own
            f.lightSpeed = fan % 4;
            f.isTurnOffLed = fan == 1;
        }
        const GroupMap map = IniHelper::buildProfileMap(2, boxes[2]);
        QCOMPARE(map.keys(), (QStringList{"Fan0", "Fan1", "Fan2", "Fan3", "Fan4"}));
        QCOMPARE(map[QStringLiteral("Fan1")].keys().size(), RgbProfileKey::Count);
        QCOMPARE(map[QStringLiteral("Fan0")][QStringLiteral("Bright")],
                 QStringLiteral("0.5,1,0.125,0.5,1,0.125,0.5,1,0.125,0.5,1,0.125,0.5"));
        QCOMPARE(map[QStringLiteral("Fan4")][QStringLiteral("RColor")],
                 QStringLiteral("4,24,44,64,84,104,124,144,164,184,204,224,244"));
        QCOMPARE(map[QStringLiteral("Fan1")][QStringLiteral("isTurnOffLed")], QStringLiteral("1"));
        QCOMPARE(map[QStringLiteral("Fan1")][QStringLiteral("PWM")], QStringLiteral("0"));

        QVERIFY(IniHelper::writeProfileIni(map, 4));
        const QString path = IniHelper::profilePath(4);
        QCOMPARE(storedText(path, QStringLiteral("Fan0/Bright")), map[QStringLiteral("Fan0")][QStringLiteral("Bright")]);
        QCOMPARE(storedText(path, QStringLiteral("Fan3/lightMode")), QStringLiteral("14"));
        QCOMPARE(leftovers(path), QStringList());

        const RainbowFanRecord *saved = boxes[2].rainbowFan;
        IniHelper::parseProfile(7, IniHelper::readProfileIni(4), boxes[7]);
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            const RainbowFanRecord &a = saved[fan];
            const RainbowFanRecord &b = boxes[7].rainbowFan[fan];
            for (int led = 0; led < kColorEntries; ++led) {
                QCOMPARE(b.rValue_Led[led], a.rValue_Led[led]);
                QCOMPARE(b.gValue_Led[led], a.gValue_Led[led]);
                QCOMPARE(b.bValue_Led[led], a.bValue_Led[led]);
                QCOMPARE(b.brightValue[led], a.brightValue[led]);
            }
            QCOMPARE(b.speedPer, a.speedPer);
            QCOMPARE(b.speedNum, a.speedNum);
            QCOMPARE(b.speedMode, a.speedMode);
            QCOMPARE(b.isPWM, a.isPWM);
            QCOMPARE(b.colorMode, a.colorMode);
            QCOMPARE(b.lightMode, a.lightMode);
            QCOMPARE(b.lightSpeed, a.lightSpeed);
            QCOMPARE(b.isTurnOffLed, a.isTurnOffLed);
        }
        // Another profile number is another file.
        IniHelper::parseProfile(7, IniHelper::readProfileIni(3), boxes[7]);
        QCOMPARE(boxes[7].rainbowFan[0].lightMode, 5);
    }

    void vaylaProfileRoundTripKeepsEveryField()
    {
        const float brights[] = {0.5f, 1.0f, 0.0f};
        for (int fan = 0; fan < kVaylaFanCount; ++fan) {
            VaylaFanRecord &v = boxes[5].vaylaFan[fan];
            v.rValue = 10 + fan;
            v.gValue = 200 + fan;
            v.bValue = 255 - fan;
            v.brightValue = brights[fan];
            v.speed = fan + 1;
            v.speedMode = fan;
            v.isPWM = fan != 1;
            v.lightMode = 2 - fan;
            v.isTurnOffLed = fan == 2;
        }
        const GroupMap map = IniHelper::buildVaylaProfileMap(5, boxes[5]);
        QCOMPARE(map.keys(), (QStringList{"Fan0", "Fan1", "Fan2"}));
        QCOMPARE(map[QStringLiteral("Fan0")][QStringLiteral("Bright")], QStringLiteral("0.5"));
        QCOMPARE(map[QStringLiteral("Fan1")][QStringLiteral("Bright")], QStringLiteral("1"));
        QCOMPARE(map[QStringLiteral("Fan2")].keys().size(), VaylaProfileKey::Count);
        QVERIFY(IniHelper::writeVaylaProfileIni(map, 2));
        QCOMPARE(storedText(IniHelper::vaylaProfilePath(2), QStringLiteral("Fan0/Bright")), QStringLiteral("0.5"));

        IniHelper::parseVaylaProfile(11, IniHelper::readVaylaProfileIni(2), boxes[11]);
        for (int fan = 0; fan < kVaylaFanCount; ++fan) {
            const VaylaFanRecord &a = boxes[5].vaylaFan[fan];
            const VaylaFanRecord &b = boxes[11].vaylaFan[fan];
            QCOMPARE(b.rValue, a.rValue);
            QCOMPARE(b.gValue, a.gValue);
            QCOMPARE(b.bValue, a.bValue);
            QCOMPARE(b.brightValue, a.brightValue);
            QCOMPARE(b.speed, a.speed);
            QCOMPARE(b.speedMode, a.speedMode);
            QCOMPARE(b.isPWM, a.isPWM);
            QCOMPARE(b.lightMode, a.lightMode);
            QCOMPARE(b.isTurnOffLed, a.isTurnOffLed);
        }
    }

    void copyFansFollowFanZero()
    {
        ProfileData data = IniHelper::defaultProfileData();
        data[0][RgbProfileKey::lightMode] = QStringLiteral("3");
        data[0][RgbProfileKey::colorMode] = QStringLiteral("1");
        data[0][RgbProfileKey::lightSpeed] = QStringLiteral("2");
        data[0][RgbProfileKey::isTurnOffLed] = QStringLiteral("1");
        for (int fan : {2, 4}) {
            data[fan][RgbProfileKey::lightMode] = QStringLiteral("7");
            data[fan][RgbProfileKey::colorMode] = QStringLiteral("2");
            data[fan][RgbProfileKey::lightSpeed] = QStringLiteral("0");
            data[fan][RgbProfileKey::isTurnOffLed] = QStringLiteral("0");
        }
        IniHelper::parseProfile(1, data, boxes[1]);
        const RainbowFanRecord *fans = boxes[1].rainbowFan;
        for (int fan : {2, 4}) {
            QCOMPARE(fans[fan].lightMode, 7);
            QCOMPARE(fans[fan].copyLightMode, 3);
            QCOMPARE(effectiveLightMode(fans[fan]), 3);
            QCOMPARE(fans[fan].colorMode, 1);
            QCOMPARE(fans[fan].lightSpeed, 2);
            QCOMPARE(fans[fan].isTurnOffLed, true);
        }
        QCOMPARE(fans[3].colorMode, 0);
        QCOMPARE(fans[3].lightSpeed, 3);
        QCOMPARE(fans[3].isTurnOffLed, false);

        // "Copy" on fan 0 has nothing to follow and must not refer to itself.
        data[0][RgbProfileKey::lightMode] = QStringLiteral("7");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^lightMode Copy on fan 0")));
        IniHelper::parseProfile(1, data, boxes[1]);
        for (int fan : {0, 2, 4}) {
            QCOMPARE(fans[fan].lightMode, 7);
            QCOMPARE(fans[fan].copyLightMode, 0);
        }
    }

    void malformedProfileValuesAreKeptInRange()
    {
        ProfileData data(kRainbowFanCount);
        // Fan 0: three items per list, everything else missing.
        data[0] = QStringList{QStringLiteral("10,20,30"), QStringLiteral("1,2,3"), QStringLiteral("7"),
                              QStringLiteral("0.5,1")};
        // Fan 1: out of range everywhere.
        data[1] = rgbRow(QStringLiteral("-5,256,99999,abc,1e3,255,0x10,12.5, 40 ,0,0,0,300,77"),
                         QStringLiteral("0"), QStringLiteral("0"),
                         QStringLiteral("2,-1,nan,inf,-inf,0.25,x,1e40,1,1,1,1,1"),
                         QStringLiteral("6"), QStringLiteral("11"), QStringLiteral("3"), QStringLiteral("5"),
                         QStringLiteral("3"), QStringLiteral("15"), QStringLiteral("4"), QStringLiteral("-1"));
        // Fan 2: negative and huge numbers.
        data[2] = rgbRow(QString(), QString(), QString(), QString(), QStringLiteral("-1"),
                         QStringLiteral("-7"), QStringLiteral("-1"), QStringLiteral("abc"),
                         QStringLiteral("-1"), QStringLiteral("99999999999"), QStringLiteral("-2"),
                         QStringLiteral("2147483647"));
        // Fan 3 and 4: rows missing altogether (data[3], data[4] empty); data
        // has no row 5 at all.
        {
            WarningLog log;
            IniHelper::parseProfile(6, data, boxes[6]);
            // One line for each replaced value, and no other warning.
            QCOMPARE(log.count(QStringLiteral("value out of range: ")), 20);
            QCOMPARE(log.lines.size(), 20);
            QVERIFY(log.lines.contains(QStringLiteral("value out of range: lightMode=15 box 6 fan 1 -> 5")));
            QVERIFY(log.lines.contains(QStringLiteral("value out of range: Bright=nan box 6 fan 1 -> 1")));
            QVERIFY(log.lines.contains(QStringLiteral("value out of range: RColor=99999 box 6 fan 1 -> 255")));
        }

        const RainbowFanRecord *fans = boxes[6].rainbowFan;
        const int r0[] = {10, 20, 30, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
        for (int led = 0; led < kColorEntries; ++led) {
            QCOMPARE(fans[0].rValue_Led[led], r0[led]);
            QCOMPARE(fans[0].bValue_Led[led], led == 0 ? 7 : 0);
            QCOMPARE(fans[0].brightValue[led], led == 0 ? 0.5f : (led == 1 ? 1.0f : 0.0f));
        }
        QCOMPARE(fans[0].speedPer, 0);
        QCOMPARE(fans[0].lightMode, 0);

        const int r1[] = {0, 255, 255, 0, 0, 255, 0, 0, 40, 0, 0, 0, 255};
        const float b1[] = {1, 0, 1, 1, 0, 0.25f, 0, 0, 1, 1, 1, 1, 1};
        for (int led = 0; led < kColorEntries; ++led) {
            QCOMPARE(fans[1].rValue_Led[led], r1[led]);
            QCOMPARE(fans[1].brightValue[led], b1[led]);
        }
        QCOMPARE(fans[1].speedPer, 5);
        QCOMPARE(fans[1].speedNum, 10);
        QCOMPARE(fans[1].speedMode, 2);
        QCOMPARE(fans[1].isPWM, true);
        QCOMPARE(fans[1].colorMode, 0);
        QCOMPARE(fans[1].lightMode, 5);
        QCOMPARE(fans[1].lightSpeed, 3);
        QCOMPARE(fans[1].isTurnOffLed, true);

        QCOMPARE(fans[2].speedPer, 0);
        QCOMPARE(fans[2].speedNum, 0);
        QCOMPARE(fans[2].speedMode, 2);
        QCOMPARE(fans[2].isPWM, false);
        QCOMPARE(fans[2].colorMode, 0);
        QCOMPARE(fans[2].lightMode, 0);   // does not parse: 0
        QCOMPARE(fans[2].lightSpeed, 3);
        QCOMPARE(fans[2].isTurnOffLed, true);

        QCOMPARE(fans[4].lightMode, 0);
        QCOMPARE(fans[4].rValue_Led[12], 0);

        ProfileData vayla{QStringList{QStringLiteral("300"), QStringLiteral("-4"), QStringLiteral("x"),
                                      QStringLiteral("nan"), QStringLiteral("9"), QStringLiteral("7"),
                                      QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("1")},
                          QStringList{QStringLiteral("1"), QStringLiteral("2")}};
        {
            WarningLog log;
            IniHelper::parseVaylaProfile(6, vayla, boxes[6]);
            QCOMPARE(log.lines.size(), 6);
            QVERIFY(log.lines.contains(QStringLiteral("value out of range: lightMode=3 box 6 fan 0 -> 0")));
        }
        const VaylaFanRecord *v = boxes[6].vaylaFan;
        QCOMPARE(v[0].rValue, 255);
        QCOMPARE(v[0].gValue, 0);
        QCOMPARE(v[0].bValue, 0);
        QCOMPARE(v[0].brightValue, 1.0f);
        QCOMPARE(v[0].speed, 5);
        QCOMPARE(v[0].speedMode, 2);
        QCOMPARE(v[0].lightMode, 0);
        QCOMPARE(v[1].rValue, 1);
        QCOMPARE(v[1].gValue, 2);
        QCOMPARE(v[1].brightValue, 0.0f);
        QCOMPARE(v[2].speed, 0);
    }

    void badNumbersAreRefused()
    {
        boxes[0].rainbowFan[0].lightMode = 9;
        boxes[0].vaylaFan[0].rValue = 17;

        QTest::ignoreMessage(QtWarningMsg, "readProfileIni refused: profile 0");
        QCOMPARE(IniHelper::readProfileIni(0), IniHelper::defaultProfileData());
        QTest::ignoreMessage(QtWarningMsg, "readVaylaProfileIni refused: profile 6");
        QCOMPARE(IniHelper::readVaylaProfileIni(6), IniHelper::defaultVaylaProfileData());

        const GroupMap map = IniHelper::buildProfileMap(0, boxes[0]);
        QTest::ignoreMessage(QtWarningMsg, "writeProfileIni refused: profile 6");
        QCOMPARE(IniHelper::writeProfileIni(map, 6), false);
        QTest::ignoreMessage(QtWarningMsg, "writeVaylaProfileIni refused: profile -1");
        QCOMPARE(IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(0, boxes[0]), -1), false);
        QVERIFY(!QFileInfo::exists(IniHelper::dataFolder()));

        ControllerBox outside; // what a caller might hand in with a bad number
        outside.rainbowFan[0].lightMode = 9;
        outside.vaylaFan[0].rValue = 17;
        QTest::ignoreMessage(QtWarningMsg, "parseProfile refused: box 16");
        IniHelper::parseProfile(16, IniHelper::defaultProfileData(), outside);
        QTest::ignoreMessage(QtWarningMsg, "parseVaylaProfile refused: box -1");
        IniHelper::parseVaylaProfile(-1, IniHelper::defaultVaylaProfileData(), outside);
        QTest::ignoreMessage(QtWarningMsg, "buildProfileMap refused: box -1");
        QVERIFY(IniHelper::buildProfileMap(-1, outside).isEmpty());
        QTest::ignoreMessage(QtWarningMsg, "buildVaylaProfileMap refused: box 16");
        QVERIFY(IniHelper::buildVaylaProfileMap(16, outside).isEmpty());
        QCOMPARE(outside.rainbowFan[0].lightMode, 9);
        QCOMPARE(outside.vaylaFan[0].rValue, 17);
        QCOMPARE(boxes[0].rainbowFan[0].lightMode, 9);
        QCOMPARE(boxes[0].vaylaFan[0].rValue, 17);
    }

    void damagedProfileFilesLoad()
    {
        QByteArray garbage;
        for (int i = 0; i < 3000; ++i)
            garbage.append(char((i * 131 + 7) % 256));
        writeRaw(IniHelper::profilePath(2), garbage);
        writeRaw(IniHelper::vaylaProfilePath(2), garbage.left(777));
        IniHelper::parseProfile(3, IniHelper::readProfileIni(2), boxes[3]);
        IniHelper::parseVaylaProfile(3, IniHelper::readVaylaProfileIni(2), boxes[3]);
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            QVERIFY(LightMode::isValid(boxes[3].rainbowFan[fan].lightMode));
            QVERIFY(boxes[3].rainbowFan[fan].brightValue[12] >= 0.0f);
        }

        // A file cut short in the middle of a list, written by hand without quotes.
        writeRaw(IniHelper::profilePath(5),
                 "[Fan0]\nRColor=1,2,3,4,5,6,7,8,9,10,11,12,13\nlightMode=8\n[Fan1]\nRColor=200,20");
        IniHelper::parseProfile(3, IniHelper::readProfileIni(5), boxes[3]);
        QCOMPARE(boxes[3].rainbowFan[0].rValue_Led[12], 13);
        QCOMPARE(boxes[3].rainbowFan[0].lightMode, 8);
        QCOMPARE(boxes[3].rainbowFan[1].rValue_Led[0], 200);
        QCOMPARE(boxes[3].rainbowFan[1].rValue_Led[1], 20);
        QCOMPARE(boxes[3].rainbowFan[1].rValue_Led[2], 0);
        // A present file with missing keys reads 0 there, not the defaults.
        QCOMPARE(boxes[3].rainbowFan[1].lightMode, 0);
        QCOMPARE(boxes[3].rainbowFan[4].speedNum, 0);
    }
};

QTEST_GUILESS_MAIN(TestProfiles)
#include "test_storage_profiles.moc"
