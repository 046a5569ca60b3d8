// SPDX-License-Identifier: GPL-3.0-or-later
// Reading lighting script files and playing them on simulated boxes.

#include "SimFixture.h"

#include "script/ScriptFile.h"
#include "script/ScriptRunner.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <map>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

namespace {

QJsonArray filled(double value, int count = 12)
{
    QJsonArray a;
    for (int i = 0; i < count; ++i)
        a.append(value);
    return a;
}

QJsonObject fan(double r, double g, double b, double br)
{
    return QJsonObject{{"R", filled(r)}, {"G", filled(g)}, {"B", filled(b)}, {"Br", filled(br)}};
}

QString frame(const QJsonArray &controllers)
{
    return QString::fromUtf8(QJsonDocument(QJsonObject{{"Controller", controllers}}).toJson());
}

// One frame lighting fan 0 of box 0 with red `r`.
QString simpleFrame(int r)
{
    return frame(QJsonArray{QJsonObject{{"ControllerNum", 0}, {"Fan0", fan(r, 0, 0, 1.0)}}});
}

struct Lighting {
    int box;
    int port;
    int mode;
    int g0, r0, b0;  // triple of LED 0
    Report report;
};

std::vector<Lighting> lightingSent(const SimulatedBoxes *sim)
{
    std::vector<Lighting> out;
    for (const auto &s : sim->sent())
        if (s.report[1] == 0x32 && s.report[2] == 0x52)
            out.push_back({s.box, s.report[3], s.report[4], s.report[5], s.report[6], s.report[7], s.report});
    return out;
}

// Red components of LED 0 in the order they were sent.
// Whether the runner can still send anything: every frame leaves on a tick
// of one of its timers.
bool timerRunning(const QObject &runner)
{
    for (const QTimer *timer : runner.findChildren<QTimer *>())
        if (timer->isActive())
            return true;
    return false;
}

QList<int> redsSent(const SimulatedBoxes *sim)
{
    QList<int> reds;
    for (const Lighting &l : lightingSent(sim))
        reds << l.r0;
    return reds;
}

} // namespace

class TestScript : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString writeScript(const char *name, const QVariant &count, const QVariant &frequency, const QStringList &frames)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QFile::remove(path);
        QSettings file(path, QSettings::IniFormat);
        if (count.isValid())
            file.setValue("/Config/Count", count);
        if (frequency.isValid())
            file.setValue("/Config/Frequency", frequency);
        for (int i = 0; i < frames.size(); ++i)
            file.setValue("/Data/" + QString::number(i), QString::fromLatin1(frames[i].toUtf8().toBase64()));
        file.sync();
        return path;
    }

    // Plays single frames at once, without waiting for the timer.
    static void playNow(ScriptRunner &runner, const QStringList &frames)
    {
        runner.testReceiveFileData(frames, 1000000);
        for (int i = 0; i < frames.size(); ++i)
            runner.runScript();
    }

private slots:
    void readingFiles()
    {
        const QStringList frames{simpleFrame(1), QString::fromUtf8("{\"Umlaut\":\"ä–日\"}"), simpleFrame(3)};
        Script s = ScriptFile::read(writeScript("good.ini", 3, 100, frames));
        QCOMPARE(s.frames, frames);
        QCOMPARE(s.period, 100);

        // Fewer frames stored than counted: positions stay, the gap is an empty frame.
        s = ScriptFile::read(writeScript("short.ini", 3, 40, {simpleFrame(1)}));
        QCOMPARE(s.frames, (QStringList{simpleFrame(1), QString(), QString()}));
        s = ScriptFile::read(writeScript("empty.ini", 0, 40, {}));
        QCOMPARE(s.frames, QStringList());

        QCOMPARE(ScriptFile::read(m_dir.filePath("missing.ini")).frames, QStringList());
        QCOMPARE(ScriptFile::read(QString()).frames, QStringList());
        QCOMPARE(ScriptFile::read(m_dir.path()).frames, QStringList());
        // Refused: negative, absurd or unreadable counts, and periods that are not positive.
        for (const auto &bad : {std::pair<QVariant, QVariant>{-1, 100}, {100001, 100}, {"many", 100}, {QVariant(), 100},
                                {1, 0}, {1, -5}, {1, "fast"}, {1, QVariant()}}) {
            s = ScriptFile::read(writeScript("bad.ini", bad.first, bad.second, {simpleFrame(1)}));
            QVERIFY2(s.frames.isEmpty() && s.period == 0, qPrintable(bad.first.toString() + "/" + bad.second.toString()));
        }
        s = ScriptFile::read(writeScript("limit.ini", ScriptFile::kMaxFrames, 10, {}));
        QCOMPARE(s.frames.size(), ScriptFile::kMaxFrames);
    }

    void playsEachFrameOnceThenStops()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, "1,1");
        ScriptRunner runner(encoders);
        QSignalSpy finished(&runner, &ScriptRunner::finished);
        runner.testReceiveFileData({simpleFrame(10), simpleFrame(11), simpleFrame(12)}, 100);
        QVERIFY(runner.isPlaying());
        QCOMPARE(runner.period(), 100);
        QVERIFY(lightingSent(sim).empty());  // the first frame waits for the first tick
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QVERIFY(!runner.isPlaying());
        QCOMPARE(runner.framesLeft(), 0);
        QCOMPARE(redsSent(sim), (QList<int>{10, 11, 12}));
        QVERIFY(!timerRunning(runner)); // it does not loop
        QVERIFY(bus.waitForIdle());
        QCOMPARE(redsSent(sim).size(), 3);
        QCOMPARE(finished.size(), 1);
        for (const Lighting &l : lightingSent(sim)) {
            QCOMPARE(l.box, 0);
            QCOMPARE(l.port, 1);
            QCOMPARE(l.mode, 24);
        }
    }

    void frameContents()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, "1,1");
        ScriptRunner runner(encoders);
        QJsonObject partial{{"R", QJsonArray{255, 300, -20}}, {"G", QJsonArray{10}}, {"Br", QJsonArray{1, 2.5, 1}}};
        playNow(runner, {frame(QJsonArray{
                             QJsonObject{{"ControllerNum", 1},
                                         {"Fan0", fan(200, 100, 50, 0.5)},
                                         {"Fan2", QJsonObject()},
                                         {"Fan4", partial}},
                             QJsonObject{{"Fan1", fan(1, 2, 3, 1)}},  // no ControllerNum: box 0
                         })});
        // Each box has its own I/O thread: order holds per box, not across boxes.
        std::vector<Lighting> sent;
        for (int box : {1, 0}) {
            for (const Lighting &l : lightingSent(sim))
                if (l.box == box)
                    sent.push_back(l);
        }
        QCOMPARE(sent.size(), size_t(3));
        // Box 1 port 1: green, red, blue scaled by brightness.
        QCOMPARE(sent[0].box, 1);
        QCOMPARE(sent[0].port, 1);
        for (int i = 0; i < 12; ++i) {
            QCOMPARE(int(sent[0].report[5 + 3 * i]), 50);
            QCOMPARE(int(sent[0].report[6 + 3 * i]), 100);
            QCOMPARE(int(sent[0].report[7 + 3 * i]), 25);
        }
        // Box 1 port 5: short arrays leave the rest dark; out-of-range values held at the limits.
        QCOMPARE(sent[1].box, 1);
        QCOMPARE(sent[1].port, 5);
        const Report &p = sent[1].report;
        QCOMPARE((QList<int>{p[5], p[6], p[7]}), (QList<int>{10, 255, 0}));
        QCOMPARE((QList<int>{p[8], p[9], p[10]}), (QList<int>{0, 255, 0}));
        QCOMPARE((QList<int>{p[11], p[12], p[13]}), (QList<int>{0, 0, 0}));
        for (int i = 14; i <= 40; ++i)
            QCOMPARE(int(p[i]), 0);
        // Port 3 was left alone.
        for (const Lighting &l : sent)
            QVERIFY(!(l.box == 1 && l.port == 3));
        QCOMPARE(sent[2].box, 0);
        QCOMPARE(sent[2].port, 2);
        QCOMPARE((QList<int>{sent[2].g0, sent[2].r0, sent[2].b0}), (QList<int>{2, 1, 3}));
    }

    void outOfRangeControllersAreIgnored()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, "1,1");
        ScriptRunner runner(encoders);
        playNow(runner, {frame(QJsonArray{QJsonObject{{"ControllerNum", 16}, {"Fan0", fan(9, 9, 9, 1)}},
                                          QJsonObject{{"ControllerNum", -1}, {"Fan0", fan(9, 9, 9, 1)}},
                                          QJsonObject{{"ControllerNum", 1e12}, {"Fan0", fan(9, 9, 9, 1)}},
                                          QJsonObject{{"ControllerNum", 0.5}, {"Fan0", fan(9, 9, 9, 1)}},
                                          QJsonObject{{"ControllerNum", 5}, {"Fan0", fan(9, 9, 9, 1)}},  // not connected
                                          QJsonObject{{"ControllerNum", 1}, {"Fan5", fan(9, 9, 9, 1)}},  // no such fan
                                          QJsonValue(7),
                                          QJsonObject{{"ControllerNum", 1}, {"Fan3", fan(4, 4, 4, 1)}}})});
        const std::vector<Lighting> sent = lightingSent(sim);
        QCOMPARE(sent.size(), size_t(1));
        QCOMPARE(sent[0].box, 1);
        QCOMPARE(sent[0].port, 4);
        QCOMPARE(runner.framesLeft(), 0);
    }

    void aFrameAddressesEachBoxAtMostOnce()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, "1,1");
        ScriptRunner runner(encoders);
        QJsonArray entries;
        for (int i = 0; i < 20; ++i) {
            QJsonObject entry{{"ControllerNum", i % 2}};
            for (int k = 0; k < 5; ++k)
                entry.insert(QStringLiteral("Fan") + QString::number(k), fan(i, 0, 0, 1.0));
            entries.append(entry);
        }
        // One log line for the script, however many of its frames are too long.
        static QStringList told;
        told.clear();
        const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext &, const QString &text) {
            if (text.startsWith(QLatin1String("script frame: ")))
                told << text;
        });
        playNow(runner, {frame(entries), frame(entries)});
        qInstallMessageHandler(previous);
        QCOMPARE(told, QStringList{"script frame: 20 controller entries, only the first 16 are played (said once per script)"});
        // Each box's queue keeps only the newest report of a fan that is still
        // waiting, so fewer may reach a box; none beyond the sixteenth entry does,
        // and every fan ends on the last entry of the sixteen that names its box
        // (entries alternate between the boxes: 14 for box 0, 15 for box 1).
        const std::vector<Lighting> sent = lightingSent(sim);
        QVERIFY(sent.size() <= size_t(2 * 16 * 5));
        std::map<std::pair<int, int>, int> last;
        for (const Lighting &l : sent) {
            QVERIFY2(l.r0 <= 15, qPrintable(QString::number(l.r0)));
            last[{l.box, l.port}] = l.r0;
        }
        QCOMPARE(int(last.size()), 2 * 5);
        for (const auto &fan : last)
            QCOMPARE(fan.second, fan.first.first == 0 ? 14 : 15);

        // A frame text far longer than any frame of 16 entries is not even parsed.
        sim->clearSent();
        QString padded = simpleFrame(9);
        padded.insert(1, QString(ScriptRunner::kMaxFrameChars, QLatin1Char(' ')));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^script frame skipped: \\d+ characters")));
        playNow(runner, {padded, simpleFrame(8)});
        QCOMPARE(redsSent(sim), QList<int>{8});
    }

    void scriptFilesAsTheyComeFromOutside()
    {
        // A byte-order mark in front is skipped.
        const QString marked = writeScript("marked.ini", 2, 50, {simpleFrame(5), simpleFrame(6)});
        QFile file(marked);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        file.close();
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("\xEF\xBB\xBF" + bytes);
        file.close();
        const Script s = ScriptFile::read(marked);
        QCOMPARE(s.frames, (QStringList{simpleFrame(5), simpleFrame(6)}));
        QCOMPARE(s.period, 50);

        // A file far beyond any script of full frames is not read at all.
        QFile huge(m_dir.filePath("huge.ini"));
        QVERIFY(huge.open(QIODevice::WriteOnly));
        QVERIFY(huge.resize(ScriptFile::kMaxFileBytes + 1));
        huge.close();
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^script refused, file of 67108865 bytes")));
        QCOMPARE(ScriptFile::read(huge.fileName()).frames, QStringList());
    }

    void corruptFramesAreSkipped()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, "1,1");
        ScriptRunner runner(encoders);
        QSignalSpy finished(&runner, &ScriptRunner::finished);
        // A key twice in one object counts as corrupt too (Qt's parser would lose memory on it).
        const QString repeated = QStringLiteral("{\"Controller\":[{\"Fan0\":{\"R\":[9],\"R\":[9]}}]}");
        runner.testReceiveFileData({simpleFrame(20), "{not json", "[1,2,3]", QString(), "{\"Controller\":5}", repeated,
                                    simpleFrame(21)},
                                   30);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QCOMPARE(redsSent(sim), (QList<int>{20, 21}));
    }

    void aSecondScriptReplacesTheFirst()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, "1,1");
        ScriptRunner runner(encoders);
        QSignalSpy finished(&runner, &ScriptRunner::finished);
        runner.testReceiveFileData({simpleFrame(10), simpleFrame(11), simpleFrame(12), simpleFrame(13),
                                    simpleFrame(14)},
                                   60);
        QTRY_VERIFY_WITH_TIMEOUT(!redsSent(sim).isEmpty(), 5000);
        runner.testReceiveFileData({simpleFrame(100), simpleFrame(101)}, 60);
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QVERIFY(!timerRunning(runner));
        QVERIFY(bus.waitForIdle());
        QCOMPARE(runner.findChildren<QTimer *>().size(), 1);
        const QList<int> reds = redsSent(sim);
        const int firstOfB = reds.indexOf(100);
        QVERIFY(firstOfB >= 1);
        QCOMPARE(reds.mid(firstOfB), (QList<int>{100, 101}));  // each frame of B once, nothing of A after
        for (int i = 0; i < firstOfB; ++i)
            QCOMPARE(reds[i], 10 + i);
        QVERIFY(firstOfB < 5);
        QCOMPARE(finished.size(), 1);
    }

    void refusedScriptsPlayNothing()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, "1,1");
        ScriptRunner runner(encoders);
        runner.testReceiveFileData({}, 100);
        QVERIFY(!runner.isPlaying());
        runner.testReceiveFileData({simpleFrame(1)}, 0);
        runner.testReceiveFileData({simpleFrame(1)}, -100);
        QVERIFY(!runner.isPlaying());
        QVERIFY(!timerRunning(runner));
        QVERIFY(bus.waitForIdle());
        QVERIFY(lightingSent(sim).empty());

        // A refused script leaves the one that plays alone.
        QSignalSpy finished(&runner, &ScriptRunner::finished);
        runner.testReceiveFileData({simpleFrame(30), simpleFrame(31)}, 50);
        runner.testReceiveFileData({}, 50);
        QVERIFY(runner.isPlaying());
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);
        QCOMPARE(redsSent(sim), (QList<int>{30, 31}));

        // Stopping ends playback at once.
        runner.testReceiveFileData({simpleFrame(40), simpleFrame(41)}, 50);
        runner.stop();
        QVERIFY(!runner.isPlaying());
        QCOMPARE(runner.framesLeft(), 0);
        QCOMPARE(finished.size(), 2);
        QVERIFY(!timerRunning(runner));
        QVERIFY(bus.waitForIdle());
        QCOMPARE(redsSent(sim).size(), 2);
    }
};

QTEST_MAIN(TestScript)
#include "test_script.moc"
