// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/RemoteCommands.h"
#include "remote/RemoteHost.h"
#include "remote/RemoteProtocol.h"

#include "SimFixture.h"
#include "device/Reports.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

namespace {
// The box model these cases drive, as the program's own would be.
TestDevices devices;
BoxModel &boxes = devices.boxes;
DeviceBus &bus = devices.bus;
Encoders &encoders = devices.encoders;
} // namespace

namespace {

// Records what a command asked of the application window, in order.
class RecordingHost final : public RemoteHost {
public:
    QStringList calls;
    int profile = 1;
    int phoneLevel = -1;
    QList<QStringList> profileFile;

    void stopMusic() override { calls << QStringLiteral("stopMusic"); }
    void startMusicEffectTimer() override { calls << QStringLiteral("startMusic"); }
    void setPhoneLevel(int level) override { phoneLevel = level; }
    void applyBoxSettings(int box) override { calls << QStringLiteral("apply %1").arg(box); }
    void loadProfile(int box, int p) override { calls << QStringLiteral("load %1 %2").arg(box).arg(p); }
    QList<QStringList> readProfile(int p) override
    {
        calls << QStringLiteral("read %1").arg(p);
        return profileFile;
    }
    void saveBoxProfile(int box) override { calls << QStringLiteral("save %1").arg(box); }
    int currentProfile() const override { return profile; }
    void setCurrentProfile(int p) override
    {
        profile = p;
        calls << QStringLiteral("current %1").arg(p);
    }
    void refreshFanPanels(int box) override { calls << QStringLiteral("refresh %1").arg(box); }
    void setProfileLabel(int p) override { calls << QStringLiteral("label %1").arg(p); }
    void checkProfileButton(int p) override { calls << QStringLiteral("button %1").arg(p); }
};

QVariantMap cmd(int n, const QVariantMap &data)
{
    return QVariantMap{{QStringLiteral("command"), n}, {QStringLiteral("Data"), data}};
}

QJsonObject json(const QString &text)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(text.toUtf8(), &error);
    return error.error == QJsonParseError::NoError ? doc.object() : QJsonObject();
}

// Every colour and brightness entry of a fan as one text, to see what changed.
QString entries(const RainbowFanRecord &f)
{
    QStringList out;
    for (int e = 0; e < kColorEntries; ++e)
        out << QStringLiteral("%1/%2/%3/%4").arg(f.rValue_Led[e]).arg(f.gValue_Led[e]).arg(f.bValue_Led[e])
                   .arg(double(f.brightValue[e]));
    return out.join(QLatin1Char(' '));
}

void fillFan(RainbowFanRecord &f, int colorMode, int lightMode)
{
    for (int e = 0; e < kColorEntries; ++e) {
        f.rValue_Led[e] = 10;
        f.gValue_Led[e] = 20;
        f.bValue_Led[e] = 30;
        f.brightValue[e] = 1.0f;
    }
    f.colorMode = colorMode;
    f.lightMode = lightMode;
    f.lightSpeed = 1;
    f.isTurnOffLed = true;
}

} // namespace

// The phone's commands on the box table, with simulated boxes 0 and 2.
class TestRemoteCommands : public QObject {
    Q_OBJECT

private:
    SimulatedBoxes *sim = nullptr;
    RecordingHost host;
    RainbowFanRecord &fan(int box, int f) { return boxes[box].rainbowFan[f]; }

private slots:
    void init()
    {
        sim = installSimulator(boxes, bus, QStringLiteral("1,-,1"));
        boxes.setCurrentBox(0);
        host = RecordingHost();
        for (int b : {0, 1, 2})
            for (int f = 0; f < kRainbowFanCount; ++f)
                fillFan(fan(b, f), ColorMode::RGB, LightMode::Light);
    }

    void colourLandsWhereTheFanColourModeShowsIt()
    {
        fillFan(fan(0, 1), ColorMode::Single, LightMode::Light);
        fillFan(fan(0, 2), ColorMode::Off, LightMode::Light);
        const QString untouched = entries(fan(0, 3));
        const RainbowFanRecord pristine = fan(0, 3);
        const QVariantMap data{{"BoxNum", "1"}, {"FanNum", "0111"}, {"LED1", "1000000000001111"},
                               {"RColor", 200}, {"GColor", "100"}, {"BColor", 0}};
        QVERIFY(RemoteCommands::execute(cmd(1, data), encoders, host).isEmpty());

        // "Single": only entry 12, whatever LED1 says.
        RainbowFanRecord expected = pristine;
        expected.rValue_Led[12] = 200;
        expected.gValue_Led[12] = 100;
        expected.bValue_Led[12] = 0;
        QCOMPARE(entries(fan(0, 1)), entries(expected));
        // "OFF": nothing.
        QCOMPARE(entries(fan(0, 2)), untouched);
        // "RGB": the selected entries 0 and 12; positions beyond 13 ignored.
        expected.rValue_Led[0] = 200;
        expected.gValue_Led[0] = 100;
        expected.bValue_Led[0] = 0;
        QCOMPARE(entries(fan(0, 3)), entries(expected));
        QCOMPARE(entries(fan(0, 0)), untouched);   // not selected
        QVERIFY(!fan(0, 1).isTurnOffLed && !fan(0, 3).isTurnOffLed);
        QVERIFY(fan(0, 0).isTurnOffLed);
        QCOMPARE(host.calls, (QStringList{"stopMusic", "refresh 0"}));

        // Fans 1..3 were applied: steady light (24), single colour everywhere for fan 1.
        const auto sent = sentTo(sim, 0);
        QCOMPARE(int(sent.size()), 3);
        QCOMPARE(sent[0][3], uint8_t(2));
        QCOMPARE(sent[0][4], uint8_t(Reports::kSteadyPerLed));
        QCOMPARE(sent[0][5 + 3 * 7], uint8_t(100));   // green of LED 7 = entry 12
        QCOMPARE(sent[0][6 + 3 * 7], uint8_t(200));
        QCOMPARE(sent[2][3], uint8_t(4));
        QCOMPARE(sent[2][6], uint8_t(200));           // LED 0 red
        QCOMPARE(sent[2][6 + 3], uint8_t(10));        // LED 1 red unchanged
    }

    void commandNineTakesOnlyAFullColour()
    {
        const QString before = entries(fan(0, 0));
        QVariantMap data{{"BoxNum", "1"}, {"FanNum", "1"}, {"LED1", "1111111111111"}, {"RColor", 255},
                         {"GColor", 0}, {"BColor", 0}, {"ColorMode", 1}, {"LightMode", 4}, {"Speed", 2}};
        RemoteCommands::execute(cmd(9, data), encoders, host);
        QCOMPARE(entries(fan(0, 0)), before);
        QCOMPARE(fan(0, 0).colorMode, 1);
        QCOMPARE(fan(0, 0).lightMode, 4);
        QCOMPARE(fan(0, 0).lightSpeed, 2);
        QVERIFY(!fan(0, 0).isTurnOffLed);
        QCOMPARE(sentTo(sim, 0).at(0)[4], uint8_t(16 + 2));

        // Command 2 with the same data takes it; so does 9 with every component set.
        RemoteCommands::execute(cmd(2, data), encoders, host);
        QCOMPARE(fan(0, 0).rValue_Led[5], 255);
        QCOMPARE(fan(0, 0).gValue_Led[12], 0);
        data["GColor"] = 1;
        data["BColor"] = 1;
        data["FanNum"] = "01";
        RemoteCommands::execute(cmd(9, data), encoders, host);
        QCOMPARE(fan(0, 1).gValue_Led[12], 1);
    }

    void commandZeroSetsTheModesAndSendsThatEffect()
    {
        const QVariantMap data{{"BoxNum", "11100000000000001111"}, {"FanNum", "001011"},
                               {"ColorMode", 2}, {"LightMode", 0}, {"Speed", 3}};
        RemoteCommands::execute(cmd(0, data), encoders, host);
        for (int b : {0, 2}) {
            QCOMPARE(fan(b, 2).lightMode, 0);
            QCOMPARE(fan(b, 2).lightSpeed, 3);
            QCOMPARE(fan(b, 2).colorMode, 2);
            QCOMPARE(fan(b, 4).lightMode, 0);
            QCOMPARE(fan(b, 3).lightMode, int(LightMode::Light));
            const auto sent = sentTo(sim, b);
            QCOMPARE(int(sent.size()), 2);
            QCOMPARE(sent[0][1], uint8_t(0x32));
            QCOMPARE(sent[0][2], uint8_t(0x52));
            QCOMPARE(sent[0][3], uint8_t(3));
            QCOMPARE(sent[0][4], uint8_t(0 + 3));
            QCOMPARE(sent[1][3], uint8_t(5));
            QCOMPARE(sent[0][5], uint8_t(0));   // Snake carries no colour
        }
        // Box 1 is not connected: selected, but left alone.
        QCOMPARE(fan(1, 2).lightMode, int(LightMode::Light));
        QCOMPARE(host.calls, (QStringList{"stopMusic", "refresh 0"}));

        // Copy plays fan 0's mode with the fan's own speed; the current box
        // unselected means no refresh.
        sim->clearSent();
        host.calls.clear();
        fan(2, 1).copyLightMode = LightMode::Breath;
        RemoteCommands::execute(cmd(3, {{"BoxNum", "001"}, {"FanNum", "01"}, {"LightMode", 7}, {"Speed", 1}}), encoders,
                                host);
        QCOMPARE(sentTo(sim, 2).at(0)[4], uint8_t(16 + 1));
        QCOMPARE(host.calls, QStringList{"stopMusic"});
    }

    // Every light mode from the phone is played as the window plays it: the
    // box's own effect at the fan's speed for 0..5, the steady colours for 6,
    // the copied mode for "Copy", nothing for the modes the program animates;
    // LEDs turned off send "off" whatever the mode, and on again the mode.
    void everyLightModeIsPlayedAsStored()
    {
        const QVariantMap one{{"BoxNum", "1"}, {"FanNum", "01"}};
        const auto only = [&](QVariantMap data) {
            for (auto it = one.begin(); it != one.end(); ++it)
                data.insert(it.key(), it.value());
            return data;
        };
        const Report off = Reports::rainbowLighting(2, Reports::kSteadyPerLed);
        for (int mode = 0; mode < LightMode::Count; ++mode) {
            for (int speed = 0; speed < LightSpeed::Count; ++speed) {
                const QString at = QStringLiteral("mode %1 speed %2").arg(mode).arg(speed);
                fan(0, 1).copyLightMode = LightMode::Radar;
                sim->clearSent();
                RemoteCommands::execute(
                    cmd(0, only({{"ColorMode", 0}, {"LightMode", mode}, {"Speed", speed}})), encoders, host);
                const std::vector<Report> played = sentTo(sim, 0);
                const int shown = mode == LightMode::Copy ? int(LightMode::Radar) : mode;
                if (LightMode::isBoxEffect(shown) || shown == LightMode::Light) {
                    QVERIFY2(played.size() == 1, qPrintable(at));
                    QVERIFY2(played[0][2] == 0x52 && played[0][3] == 2, qPrintable(at));
                    const int modeByte =
                        shown == LightMode::Light ? Reports::kSteadyPerLed : Reports::effectModeByte(shown, speed);
                    QVERIFY2(played[0][4] == modeByte, qPrintable(at));
                } else {
                    QVERIFY2(played.empty(), qPrintable(at));
                }

                sim->clearSent();
                RemoteCommands::execute(cmd(11, only({{"Status", 1}})), encoders, host);
                QVERIFY2(sentTo(sim, 0) == std::vector<Report>{off}, qPrintable(at));

                sim->clearSent();
                RemoteCommands::execute(cmd(11, only({{"Status", 0}})), encoders, host);
                QVERIFY2(sentTo(sim, 0) == played, qPrintable(at));
            }
        }
    }

    void badValuesRefuseTheWholeCommand()
    {
        const QString before = entries(fan(0, 0));
        const QVariantMap base{{"BoxNum", "1"}, {"FanNum", "1"}, {"LED1", "1"}, {"ColorMode", 0},
                               {"LightMode", 4}, {"Speed", 0}, {"RColor", 1}, {"GColor", 2},
                               {"BColor", 3}, {"Bright", 5}, {"Profile", 2}, {"Status", 1}};
        const QList<QPair<int, QPair<QString, QVariant>>> bad{
            {0, {"LightMode", 15}}, {0, {"LightMode", -1}}, {0, {"ColorMode", 3}}, {0, {"Speed", 4}},
            {0, {"Speed", "fast"}}, {1, {"RColor", 256}}, {1, {"GColor", -1}}, {2, {"BColor", "x"}},
            {4, {"Bright", "bright"}}, {5, {"RColor", 1000}}, {6, {"ColorMode", 5}}, {7, {"MusicMode", 20}},
            {12, {"Profile", 0}}, {12, {"Profile", 6}}, {12, {"RColor", 300}}, {14, {"Profile", 9}},
            {16, {"ColorMode", -2}}, {11, {"Status", "on"}}};
        for (const auto &b : bad) {
            QVariantMap data = base;
            data[b.second.first] = b.second.second;
            QVERIFY(RemoteCommands::execute(cmd(b.first, data), encoders, host).isEmpty());
            QVERIFY2(host.calls.isEmpty(), qPrintable(QStringLiteral("command %1 %2: %3")
                                                          .arg(b.first).arg(b.second.first, host.calls.join(','))));
            QCOMPARE(entries(fan(0, 0)), before);
            QCOMPARE(fan(0, 0).lightMode, int(LightMode::Light));
            QVERIFY(fan(0, 0).isTurnOffLed);
            QCOMPARE(boxes[0].profileValue, 1);
            QVERIFY(sim->sent().empty());
        }
        QVERIFY(RemoteCommands::execute({{"command", "zero"}}, encoders, host).isEmpty());
        QVERIFY(host.calls.isEmpty());
        // An unknown command changes nothing but still refreshes the shown box.
        RemoteCommands::execute(cmd(99, base), encoders, host);
        QCOMPARE(host.calls, QStringList{"refresh 0"});
        QVERIFY(sim->sent().empty());
    }

    void numbersFromThePhoneAreCheckedNotWrapped()
    {
        // As the phone sends them: JSON text through the frame decoder.
        auto run = [&](const QByteArray &lightMode, const QByteArray &command = "0") {
            const QByteArray text = "{\"command\": " + command + ", \"Data\": {\"BoxNum\": \"1\", \"FanNum\": \"1\", "
                "\"ColorMode\": 0, \"Speed\": 1, \"LightMode\": " + lightMode + "}}";
            const RemoteProtocol::Request request = RemoteProtocol::decodeFrame(text.toBase64());
            host.calls.clear();
            RemoteCommands::execute(request.map, encoders, host);
            return !host.calls.isEmpty();
        };
        for (const char *wrapped : {"4294967300", "-4294967295", "1e300", "\"4294967300\"", "4.5", "\" 4\"",
                                    "\"4 \"", "\"0x4\"", "\"4.0\"", "\"+\"", "\"\"", "[4]", "{\"v\": 4}",
                                    "9223372036854775808", "\"99999999999999999999\""}) {
            QVERIFY2(!run(wrapped), wrapped);
            QCOMPARE(fan(0, 0).lightMode, int(LightMode::Light));
        }
        QVERIFY(sim->sent().empty());
        // A wrapped command number is no command at all.
        QVERIFY(!run("4", "4294967296"));
        QVERIFY(!run("4", "\"4294967296\""));
        QCOMPARE(fan(0, 0).lightMode, int(LightMode::Light));

        // What the phone may send: integers as numbers, integral numbers, decimal text.
        for (const char *fine : {"4", "4.0", "\"4\"", "\"+4\"", "\"04\""}) {
            fan(0, 0).lightMode = LightMode::Light;
            QVERIFY2(run(fine), fine);
            QCOMPARE(fan(0, 0).lightMode, int(LightMode::Breath));
        }
        QVERIFY(run("4", "0.0"));
        // Status may come as a JSON boolean.
        RemoteCommands::execute(cmd(11, {{"BoxNum", "1"}, {"FanNum", "01"}, {"Status", false}}), encoders, host);
        QVERIFY(!fan(0, 1).isTurnOffLed);
        // Bright may carry a fraction, but must be a finite number.
        QVariantMap data{{"BoxNum", "1"}, {"FanNum", "001"}, {"LED1", "1"}, {"ColorMode", 0}, {"RColor", 1},
                         {"GColor", 2}, {"BColor", 3}, {"Speed", 0}};
        const QString before = entries(fan(0, 2));
        for (const QVariant &bad : {QVariant(QStringLiteral("nan")), QVariant(QStringLiteral("inf")),
                                    QVariant(QStringLiteral(" 5")), QVariant(QVariantList{5}),
                                    QVariant(std::numeric_limits<double>::infinity())}) {
            data["Bright"] = bad;
            host.calls.clear();
            RemoteCommands::execute(cmd(4, data), encoders, host);
            QVERIFY2(host.calls.isEmpty(), qPrintable(bad.toString()));
            QCOMPARE(entries(fan(0, 2)), before);
        }
    }

    void brightnessArrivesInTenthsAndStaysInRange()
    {
        QVariantMap data{{"BoxNum", "1"}, {"FanNum", "11111"}, {"LED1", "101"}, {"ColorMode", 0},
                         {"RColor", 255}, {"GColor", 255}, {"BColor", 255}, {"Speed", 0}};
        auto brightAfter = [&](int command, const QVariant &bright, int fanIndex, int entry) {
            data["Bright"] = bright;
            data["FanNum"] = QString(fanIndex, QLatin1Char('0')) + QLatin1Char('1');
            RemoteCommands::execute(cmd(command, data), encoders, host);
            return double(fan(0, fanIndex).brightValue[entry]);
        };
        QCOMPARE(brightAfter(4, 7, 0, 0), double(0.7f));
        QCOMPARE(brightAfter(4, "3", 0, 2), double(0.3f));
        QCOMPARE(brightAfter(5, 15, 1, 0), 1.0);
        QCOMPARE(brightAfter(6, -4, 2, 0), 0.0);
        QCOMPARE(brightAfter(16, 10, 3, 2), 1.0);
        QCOMPARE(brightAfter(16, 2.5, 3, 2), 0.25);
        // Command 12 as well: 5 is half brightness, not 5 times.
        data["Profile"] = 1;
        data["LightMode"] = 6;
        QCOMPARE(brightAfter(12, 5, 4, 0), 0.5);
        // The colour bytes of that fan therefore stay in range.
        int fan4Reports = 0;
        for (const auto &s : sim->sent()) {
            if (s.report[2] == 0x52 && s.report[3] == 5) {
                QCOMPARE(s.report[5], uint8_t(127));
                ++fan4Reports;
            }
        }
        QCOMPARE(fan4Reports, 1);
        // Entries not selected kept their brightness; "Single" targets entry 12.
        QCOMPARE(double(fan(0, 0).brightValue[1]), 1.0);
        data["ColorMode"] = 1;
        QCOMPARE(brightAfter(16, 4, 3, 12), double(0.4f));
    }

    void profileRepliesAreJsonWithTheirKeysAndTypes()
    {
        boxes[0].profileValue = 3;
        QStringList fanItems{"1,2,3,4,5,6,7,8,9,10,11,12,13", "0,0,0,0,0,0,0,0,0,0,0,0,0",
                             "255,255,255,255,255,255,255,255,255,255,255,255,255", "1,1,1,1,1,1,1,1,1,1,1,1,0.5",
                             "4", "9", "2", "1", "1", "6", "3", "0"};
        host.profileFile = {fanItems, fanItems, fanItems, fanItems, fanItems};
        host.profileFile[4][9] = QStringLiteral("14");

        const QJsonObject r13 = json(RemoteCommands::execute(cmd(13, {{"BoxNum", "1"}}), encoders, host));
        QCOMPARE(r13.value("ResType").toInt(-1), 13);
        QCOMPARE(r13.value("Profile").toInt(-1), 3);
        QCOMPARE(host.calls.first(), QStringLiteral("read 3"));
        const QJsonObject f1 = r13.value("Fan1").toObject();
        QCOMPARE(f1.keys(), (QStringList{"BColor", "Bright", "GColor", "RColor", "colorMode", "fanSpeed",
                                         "fanSpeedMode", "isTurnOffLed", "lightMode", "lightSpeed"}));
        QCOMPARE(f1.value("RColor").toString(), fanItems[0]);
        QCOMPARE(f1.value("Bright").toString(), fanItems[3]);
        QCOMPARE(f1.value("fanSpeed").toString(), QStringLiteral("4"));
        QCOMPARE(f1.value("fanSpeedMode").toString(), QStringLiteral("2"));
        QCOMPARE(f1.value("isTurnOffLed").toString(), QStringLiteral("0"));
        QCOMPARE(r13.value("Fan5").toObject().value("lightMode").toString(), QStringLiteral("14"));
        QVERIFY(!r13.contains("Fan0") && !r13.contains("Fan6"));

        // A short file gives empty texts, not a crash.
        host.profileFile = {QStringList{"1"}};
        const QJsonObject shortFile = json(RemoteCommands::execute(cmd(13, {{"BoxNum", "001"}}), encoders, host));
        QCOMPARE(shortFile.value("Profile").toInt(), 1);
        QCOMPARE(shortFile.value("Fan1").toObject().value("RColor").toString(), QStringLiteral("1"));
        QCOMPARE(shortFile.value("Fan3").toObject().value("lightSpeed").toString(), QString());

        // 15: the record in memory, numbers and a JSON boolean.
        RainbowFanRecord &f = fan(2, 1);
        f.rValue_Led[0] = 255;
        f.brightValue[12] = 0.5f;
        f.brightValue[3] = 0.3f;
        f.speedPer = 4;
        f.speedNum = 7;
        f.speedMode = 0;
        f.isTurnOffLed = false;
        boxes[2].profileValue = 5;
        const QJsonObject r15 = json(RemoteCommands::execute(cmd(15, {{"BoxNum", "0010"}}), encoders, host));
        QCOMPARE(r15.value("ResType").toInt(-1), 15);
        QCOMPARE(r15.value("Profile").toInt(-1), 5);
        const QJsonObject live = r15.value("Fan2").toObject();
        QCOMPARE(live.value("RColor").toString(), QStringLiteral("255,10,10,10,10,10,10,10,10,10,10,10,10"));
        QCOMPARE(live.value("Bright").toString(), QStringLiteral("1,1,1,0.3,1,1,1,1,1,1,1,1,0.5"));
        QVERIFY(live.value("fanSpeed").isDouble());
        QCOMPARE(live.value("fanSpeed").toInt(), 4);
        QCOMPARE(live.value("fanSpeed_Num").toInt(), 7);
        QCOMPARE(live.value("fanSpeedMode").toInt(-1), 0);
        QCOMPARE(live.value("lightMode").toInt(), int(LightMode::Light));
        QVERIFY(live.value("isTurnOffLed").isBool());
        QCOMPARE(live.value("isTurnOffLed").toBool(), false);
        QCOMPARE(r15.value("Fan1").toObject().value("isTurnOffLed").toBool(), true);

        // 14: load the profile into each selected box, then answer from the file as 15.
        host.calls.clear();
        host.profileFile = {fanItems};
        const QJsonObject r14 = json(RemoteCommands::execute(cmd(14, {{"BoxNum", "101"}, {"Profile", 4}}), encoders, host));
        QCOMPARE(r14.value("ResType").toInt(-1), 15);
        QCOMPARE(r14.value("Profile").toInt(-1), 4);
        QCOMPARE(r14.value("Fan1").toObject().value("fanSpeed").toString(), QStringLiteral("4"));
        QCOMPARE(boxes[0].profileValue, 4);
        QCOMPARE(boxes[2].profileValue, 4);
        QCOMPARE(host.calls, (QStringList{"load 0 4", "apply 0", "refresh 0", "button 4", "current 4",
                                          "load 2 4", "apply 2", "read 4", "refresh 0"}));

        // Nothing selected and connected: no reply.
        QVERIFY(RemoteCommands::execute(cmd(13, {{"BoxNum", "01"}}), encoders, host).isEmpty());
        QVERIFY(RemoteCommands::execute(cmd(15, {}), encoders, host).isEmpty());
    }

    void savingAProfileStoresWritesAndReappliesTheBoxesOnIt()
    {
        boxes[2].profileValue = 2;
        const QVariantMap data{{"BoxNum", "1"}, {"FanNum", "01"}, {"LED1", "11"}, {"Profile", 2},
                               {"ColorMode", 0}, {"RColor", 9}, {"GColor", 8}, {"BColor", 7}, {"Bright", 10},
                               {"LightMode", 3}, {"Speed", 2}, {"Status", 0}};
        QVERIFY(RemoteCommands::execute(cmd(12, data), encoders, host).isEmpty());
        QCOMPARE(boxes[0].profileValue, 2);
        QCOMPARE(fan(0, 1).rValue_Led[1], 9);
        QCOMPARE(fan(0, 1).rValue_Led[2], 10);
        QCOMPARE(double(fan(0, 1).brightValue[0]), 1.0);
        QCOMPARE(fan(0, 1).lightMode, 3);
        QCOMPARE(fan(0, 1).lightSpeed, 2);
        QVERIFY(!fan(0, 1).isTurnOffLed);
        QCOMPARE(host.calls, (QStringList{"stopMusic", "current 2", "label 2", "save 0", "load 0 2", "refresh 0",
                                          "apply 0", "load 2 2", "apply 2", "refresh 0"}));
        // Each re-applied box is told to keep its settings, after its lighting.
        for (int b : {0, 2}) {
            const auto sent = sentTo(sim, b);
            QVERIFY(!sent.empty());
            QCOMPARE(sent.back()[1], uint8_t(0x32));
            QCOMPARE(sent.back()[2], uint8_t(0x53));
        }
        QCOMPARE(sentTo(sim, 0).front()[4], uint8_t(12 + 2));   // fan 1 applied in "Blink"

        // A box that is not connected saves nothing.
        host.calls.clear();
        sim->clearSent();
        QVariantMap away = data;
        away["BoxNum"] = "01";
        RemoteCommands::execute(cmd(12, away), encoders, host);
        QCOMPARE(host.calls, QStringList{"stopMusic"});
        QVERIFY(sim->sent().empty());
    }

    void phoneMusicSetsTheLevelAndTheFansWithoutSending()
    {
        const QVariantMap start{{"BoxNum", "1"}, {"FanNum", "1"}, {"LED1", "0000000000001"}, {"Status", "1"},
                                {"Volume", 140}, {"MusicMode", 12}, {"ColorMode", 1}, {"RColor", 1},
                                {"GColor", 2}, {"BColor", 3}};
        RemoteCommands::execute(cmd(7, start), encoders, host);
        QCOMPARE(host.calls, (QStringList{"startMusic", "refresh 0"}));
        QCOMPARE(host.phoneLevel, 100);
        QCOMPARE(fan(0, 0).lightMode, 12);
        QCOMPARE(fan(0, 0).colorMode, 1);
        QCOMPARE(fan(0, 0).bValue_Led[12], 3);
        QVERIFY(!fan(0, 0).isTurnOffLed);
        QVERIFY(sim->sent().empty());

        // The volume stream's own maps.
        host.calls.clear();
        RemoteCommands::execute(RemoteProtocol::volumeRequest(QStringLiteral("07:55")), encoders, host);
        QCOMPARE(host.phoneLevel, 55);
        QCOMPARE(host.calls, QStringList{"startMusic"});
        RemoteCommands::execute(RemoteProtocol::volumeRequest(QStringLiteral("07@@")), encoders, host);
        QCOMPARE(host.calls, (QStringList{"startMusic", "stopMusic"}));
        QCOMPARE(host.phoneLevel, 55);
    }

    void turnOffDefaultAndBrightnessCommandsSendTheirReports()
    {
        RemoteCommands::execute(cmd(11, {{"BoxNum", "1"}, {"FanNum", "1"}, {"Status", 1}}), encoders, host);
        QVERIFY(fan(0, 0).isTurnOffLed);
        Report off = Reports::rainbowLighting(1, Reports::kSteadyPerLed);
        QCOMPARE(sentTo(sim, 0).back(), off);
        RemoteCommands::execute(cmd(11, {{"BoxNum", "1"}, {"FanNum", "1"}, {"Status", 0}}), encoders, host);
        QVERIFY(!fan(0, 0).isTurnOffLed);
        QCOMPARE(sentTo(sim, 0).back()[6], uint8_t(10));   // steady light, red of LED 0

        // 8: "Whirl" with the default palette preview; its mode byte follows the
        // same fan of the shown box (box 0, in "Light").
        sim->clearSent();
        RemoteCommands::execute(cmd(8, {{"BoxNum", "001"}, {"FanNum", "00001"}}), encoders, host);
        QCOMPARE(fan(2, 4).lightMode, int(LightMode::Whirl));
        QVERIFY(!fan(2, 4).isTurnOffLed);
        const auto preview = sentTo(sim, 2);
        QCOMPARE(int(preview.size()), 1);
        QCOMPARE(preview[0], Reports::defaultPreview(5, LightMode::Light, ColorMode::RGB));
        QCOMPARE(preview[0][4], uint8_t(24));

        // 16 leaves the turned-off flag as it is.
        sim->clearSent();
        fan(2, 0).isTurnOffLed = true;
        RemoteCommands::execute(cmd(16, {{"BoxNum", "001"}, {"FanNum", "1"}, {"LED1", "1"}, {"Bright", 5}}), encoders, host);
        QCOMPARE(double(fan(2, 0).brightValue[0]), 0.5);
        QVERIFY(fan(2, 0).isTurnOffLed);
        QCOMPARE(sentTo(sim, 2).back(), Reports::rainbowLighting(1, Reports::kSteadyPerLed));
    }
};

QTEST_GUILESS_MAIN(TestRemoteCommands)
#include "test_remotecommands.moc"
