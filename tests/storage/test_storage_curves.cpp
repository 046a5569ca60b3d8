// SPDX-License-Identifier: GPL-3.0-or-later
#include "StorageFixture.h"

#include "storage/CurvesFile.h"

#include <QtTest>

namespace {
BoxModel boxes;

Curve curve(const char *name, QVector<CurvePoint> points)
{
    Curve c;
    c.name = QString::fromUtf8(name);
    c.points = std::move(points);
    return c;
}

// A profile as a program without curves writes it: every key but "Curve".
QByteArray oldRgbProfile()
{
    QByteArray text;
    for (int fan = 0; fan < kRainbowFanCount; ++fan)
        text += "[Fan" + QByteArray::number(fan)
            + "]\nRColor=\"0,0,0,0,127,255,255,255,255,255,127,0,255\"\nGColor=\"127,255,255,255,255,255,127,0,0,0,0,0,0\"\n"
              "BColor=\"255,255,127,0,0,0,0,0,127,255,255,255,0\"\nBright=\"1,1,1,1,1,1,1,1,1,1,1,1,1\"\n"
              "Speed_Per=3\nSpeed_Num=10\nSpeedMode=2\nPWM=1\ncolorMode=0\nlightMode=5\nlightSpeed=3\nisTurnOffLed=0\n\n";
    return text;
}

QStringList names(const CurveSettings &settings)
{
    QStringList out;
    for (const Curve &c : settings.curves)
        out << c.name;
    return out;
}

} // namespace

using namespace StorageFixture;

// The curves file and each fan's curve in its profile.
class TestStorageCurves : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder())); }
    void init() { cleanStart(boxes); }

    void oldFilesLoadAsClassic()
    {
        WarningLog log;
        const CurveSettings none = CurvesFile::read();
        QVERIFY(none.curves.isEmpty());
        QCOMPARE(none.readingPeriod, 5);
        QVERIFY(!QFileInfo::exists(CurvesFile::path()));

        writeRaw(IniHelper::profilePath(2), oldRgbProfile());
        writeRaw(IniHelper::vaylaProfilePath(2), "[Fan0]\nSpeed=4\nPWM=1\n[Fan1]\nPWM=1\n");
        for (ControllerBox &b : boxes)
            for (RainbowFanRecord &f : b.rainbowFan)
                f.curveName = QStringLiteral("stale");
        IniHelper::parseProfile(0, IniHelper::readProfileIni(2), boxes[0]);
        IniHelper::parseVaylaProfile(1, IniHelper::readVaylaProfileIni(2), boxes[1]);
        IniHelper::parseProfile(3, IniHelper::readProfileIni(5), boxes[3]); // no file at all
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            QCOMPARE(boxes[0].rainbowFan[fan].curveName, QStringLiteral("Classic"));
            QCOMPARE(boxes[3].rainbowFan[fan].curveName, QStringLiteral("Classic"));
            QCOMPARE(boxes[0].rainbowFan[fan].speedPer, 3);
        }
        for (int fan = 0; fan < kVaylaFanCount; ++fan)
            QCOMPARE(boxes[1].vaylaFan[fan].curveName, QStringLiteral("Classic"));
        QCOMPARE(boxes[1].vaylaFan[0].speed, 4);
        // An absent key is no fault.
        QCOMPARE(log.lines, QStringList());
    }

    void fansKeepTheirCurveThroughAProfile()
    {
        const QStringList assigned{"Gaming", "Quiet", "Classic", "Ünïcode curve", "a,b = c"};
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            boxes[2].rainbowFan[fan].curveName = assigned.at(fan);
        const GroupMap map = IniHelper::buildProfileMap(2, boxes[2]);
        QCOMPARE(map[QStringLiteral("Fan3")][QStringLiteral("Curve")], assigned.at(3));
        QVERIFY(IniHelper::writeProfileIni(map, 4));
        QCOMPARE(storedText(IniHelper::profilePath(4), QStringLiteral("Fan1/Curve")), QStringLiteral("Quiet"));
        IniHelper::parseProfile(7, IniHelper::readProfileIni(4), boxes[7]);
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            QCOMPARE(boxes[7].rainbowFan[fan].curveName, assigned.at(fan));

        for (int fan = 0; fan < kVaylaFanCount; ++fan)
            boxes[4].vaylaFan[fan].curveName = assigned.at(fan + 1);
        QVERIFY(IniHelper::writeVaylaProfileIni(IniHelper::buildVaylaProfileMap(4, boxes[4]), 1));
        IniHelper::parseVaylaProfile(5, IniHelper::readVaylaProfileIni(1), boxes[5]);
        for (int fan = 0; fan < kVaylaFanCount; ++fan)
            QCOMPARE(boxes[5].vaylaFan[fan].curveName, assigned.at(fan + 1));

        // Back to Classic: the key is written again, not left as it was.
        boxes[2].rainbowFan[1].curveName = QStringLiteral("Classic");
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(2, boxes[2]), 4));
        IniHelper::parseProfile(7, IniHelper::readProfileIni(4), boxes[7]);
        QCOMPARE(boxes[7].rainbowFan[1].curveName, QStringLiteral("Classic"));
    }

    void badCurveNamesInAProfileAreClassic()
    {
        WarningLog log;
        QByteArray text = oldRgbProfile();
        text.replace("[Fan1]\n", "[Fan1]\nCurve=\"  padded \"\n");
        text.replace("[Fan2]\n", "[Fan2]\nCurve=" + QByteArray(40, 'x') + "\n");
        text.replace("[Fan3]\n", "[Fan3]\nCurve=\"tab\\there\"\n");
        text.replace("[Fan4]\n", "[Fan4]\nCurve=Cooling\n");
        writeRaw(IniHelper::profilePath(1), text);
        IniHelper::parseProfile(0, IniHelper::readProfileIni(1), boxes[0]);
        for (int fan = 0; fan < 4; ++fan)
            QCOMPARE(boxes[0].rainbowFan[fan].curveName, QStringLiteral("Classic"));
        QCOMPARE(boxes[0].rainbowFan[4].curveName, QStringLiteral("Cooling"));
        QCOMPARE(log.count(QStringLiteral("curve name refused: Curve=")), 3);
        // The rest of the fan reads as ever.
        QCOMPARE(boxes[0].rainbowFan[3].speedPer, 3);
    }

    void curvesRoundTrip()
    {
        CurveSettings settings;
        settings.readingPeriod = 2;
        Curve gaming = curve("Gaming", {{30, 30}, {50, 45}, {70, 100}});
        gaming.hysteresis = 3;
        gaming.stepUp = 12;
        gaming.stepDown = 4;
        gaming.minDuty = 35;
        gaming.source.ids = QStringList{"cpu", "amdgpu-pci-0300/junction", "nvidia-GPU-1a2b/GPU"};
        gaming.source.mix = SourceMix::Max;
        Curve disks = curve("Disks = cool; \"quoted\"", {{20, 0}, {45, 60}});
        disks.shape = CurveShape::Steps;
        disks.source.ids = QStringList{"nvme-pci-0100/Composite", "drivetemp-scsi-0-0/temp1 #2"};
        disks.source.mix = SourceMix::Average;
        Curve full = curve("Eight", {{0, 0}, {10, 10}, {20, 20}, {30, 30}, {40, 40}, {50, 50}, {60, 60}, {125, 100}});
        settings.curves = {gaming, disks, full};
        QVERIFY(settings.problem().isEmpty());

        QVERIFY(CurvesFile::write(settings));
        QCOMPARE(leftovers(CurvesFile::path()), QStringList());
        QStringList refusals;
        CurveSettings back = CurvesFile::read(&refusals);
        QCOMPARE(refusals, QStringList());
        QCOMPARE(back.readingPeriod, 2);
        QCOMPARE(names(back), names(settings));
        for (int i = 0; i < settings.curves.size(); ++i)
            QVERIFY2(back.curves.at(i) == settings.curves.at(i), qPrintable(settings.curves.at(i).name));
        QCOMPARE(storedText(CurvesFile::path(), QStringLiteral("Curve0/Points")), QStringLiteral("30:30,50:45,70:100"));

        // A curve deleted stays deleted; what is left keeps its place.
        settings.curves.removeFirst();
        QVERIFY(CurvesFile::write(settings));
        back = CurvesFile::read(&refusals);
        QCOMPARE(names(back), names(settings));
        QCOMPARE(back.curves.at(1), full);
        settings.curves.clear();
        QVERIFY(CurvesFile::write(settings));
        QVERIFY(CurvesFile::read(&refusals).curves.isEmpty());
        QCOMPARE(refusals, QStringList());
    }

    void badSettingsAreNeverWritten()
    {
        CurveSettings good;
        good.curves << curve("Mine", {{30, 30}, {60, 100}});
        QVERIFY(CurvesFile::write(good));
        const QByteArray before = readRaw(CurvesFile::path());
        WarningLog log;
        CurveSettings bad = good;
        bad.curves << curve("mine", {{30, 30}, {60, 100}});
        QVERIFY(!CurvesFile::write(bad));
        bad = good;
        bad.readingPeriod = 0;
        QVERIFY(!CurvesFile::write(bad));
        bad = good;
        bad.curves << curve("Balanced", {{30, 30}, {60, 100}});
        QVERIFY(!CurvesFile::write(bad));
        bad = good;
        bad.curves.first().points.first().duty = 101;
        QVERIFY(!CurvesFile::write(bad));
        QCOMPARE(log.count(QStringLiteral("writeCurves refused:")), 4);
        QCOMPARE(readRaw(CurvesFile::path()), before);
    }

    void everyValueReadIsChecked_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("read");
        QTest::addColumn<QStringList>("refused");
        QTest::addColumn<int>("period");
        const QByteArray good = "[Curve0]\nName=Good\nPoints=\"30:30,60:100\"\n";
        auto row = [&](const char *tag, const QByteArray &curve1, const char *refusal) {
            QTest::newRow(tag) << good + "[Curve1]\nName=Bad\n" + curve1 << QStringList{"Good"}
                               << QStringList{refusal} << 5;
        };
        row("one point", "Points=30:30\n", "Curve1: 1 points");
        row("nine points", "Points=\"1:1,2:2,3:3,4:4,5:5,6:6,7:7,8:8,9:9\"\n", "Curve1: more than 8 points");
        row("no points", "Shape=Steps\n", "Curve1: 0 points");
        row("falling temperatures", "Points=\"60:30,30:100\"\n", "Curve1: point 2: temperatures must rise");
        row("falling duty", "Points=\"30:60,60:30\"\n", "Curve1: point 2: duty falls");
        row("too hot", "Points=\"30:30,126:100\"\n", "Curve1: point 2: temperature 126");
        row("duty over 100", "Points=\"30:30,60:101\"\n", "Curve1: point 2: duty 101");
        row("not a point", "Points=\"30-30,60:100\"\n", "Curve1: point not temperature:duty: 30-30");
        row("not a number", "Points=\"30:30,60:1e2\"\n", "Curve1: point not temperature:duty: 60:1e2");
        row("number too big", "Points=\"30:30,99999999999:100\"\n", "Curve1: point not temperature:duty");
        row("hysteresis", "Points=\"30:30,60:100\"\nHysteresis=21\n", "Curve1: hysteresis 21");
        row("hysteresis text", "Points=\"30:30,60:100\"\nHysteresis=2x\n", "Curve1: Hysteresis not a number: 2x");
        row("step up", "Points=\"30:30,60:100\"\nStepUp=101\n", "Curve1: step up 101");
        row("step down", "Points=\"30:30,60:100\"\nStepDown=-1\n", "Curve1: step down -1");
        row("minimum duty", "Points=\"30:30,60:100\"\nMinDuty=200\n", "Curve1: minimum duty 200");
        row("shape", "Points=\"30:30,60:100\"\nShape=Curvy\n", "Curve1: Shape not Linear/Steps: Curvy");
        row("mix", "Points=\"30:30,60:100\"\nMix=Median\n", "Curve1: Mix not Max/Average: Median");
        row("empty source", "Points=\"30:30,60:100\"\nSources=\"cpu,,a/b\"\n", "Curve1: empty source");
        row("source twice", "Points=\"30:30,60:100\"\nSources=\"cpu,cpu\"\n", "Curve1: source named twice: cpu");
        row("nine sources", "Points=\"30:30,60:100\"\nSources=\"a,b,c,d,e,f,g,h,i\"\n", "Curve1: 9 sources");
        QTest::newRow("name of a preset") << good + "[Curve1]\nName=quiet\nPoints=\"30:30,60:100\"\n"
                                          << QStringList{"Good"} << QStringList{"Curve1: the name of a preset"} << 5;
        QTest::newRow("name taken") << good + "[Curve1]\nName=GOOD\nPoints=\"30:30,60:100\"\n" << QStringList{"Good"}
                                    << QStringList{"Curve1: name used by an earlier curve"} << 5;
        QTest::newRow("no name") << good + "[Curve1]\nPoints=\"30:30,60:100\"\n" << QStringList{"Good"}
                                 << QStringList{"Curve1: empty name"} << 5;
        QTest::newRow("control character in the name")
            << good + "[Curve1]\nName=\"a\\x1b[2Jb\"\nPoints=\"30:30,60:100\"\n" << QStringList{"Good"}
            << QStringList{"Curve1: name with a control character"} << 5;
        QTest::newRow("an empty slot is no fault")
            << QByteArray("[Curve0]\nName=\nPoints=\n[Curve1]\nName=Next\nPoints=\"30:30,60:100\"\n") << QStringList{"Next"}
            << QStringList() << 5;
        QTest::newRow("curves beyond the last slot")
            << good + "[Curve32]\nName=Far\nPoints=\"30:30,60:100\"\n[Curve007]\nName=Odd\n" << QStringList{"Good"}
            << QStringList{"Curve007: not read (Curve0..Curve31 only)", "Curve32: not read (Curve0..Curve31 only)"} << 5;
        QTest::newRow("period") << "[Main]\nReadingPeriod=1\n" + good << QStringList{"Good"} << QStringList() << 1;
        QTest::newRow("period 0") << "[Main]\nReadingPeriod=0\n" + good << QStringList{"Good"}
                                  << QStringList{"ReadingPeriod 0, not 1..5; 5 s"} << 5;
        QTest::newRow("period 6") << QByteArray("[Main]\nReadingPeriod=6\n") << QStringList()
                                  << QStringList{"ReadingPeriod 6, not 1..5; 5 s"} << 5;
        QTest::newRow("period text") << QByteArray("[Main]\nReadingPeriod=fast\n") << QStringList()
                                     << QStringList{"ReadingPeriod fast, not 1..5; 5 s"} << 5;
        QTest::newRow("not an ini file") << QByteArray("\x00\xff\xfe garbage [[[ = ]]]\n", 24) << QStringList()
                                         << QStringList() << 5;
    }

    void everyValueReadIsChecked()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, read);
        QFETCH(QStringList, refused);
        QFETCH(int, period);
        WarningLog log;
        QStringList refusals;
        const CurveSettings settings = CurvesFile::fromContents(*IniFile::parse(file), &refusals);
        QCOMPARE(names(settings), read);
        QCOMPARE(settings.readingPeriod, period);
        QCOMPARE(refusals.size(), refused.size());
        for (int i = 0; i < refused.size(); ++i)
            QVERIFY2(refusals.at(i).startsWith(refused.at(i)), qPrintable(refusals.at(i)));
        // Each refusal is logged, and what was read is usable.
        QCOMPARE(log.count(QStringLiteral("Curves.ini refused:")), refused.size());
        QVERIFY2(settings.problem().isEmpty(), qPrintable(settings.problem()));
    }
};

QTEST_GUILESS_MAIN(TestStorageCurves)
#include "test_storage_curves.moc"
