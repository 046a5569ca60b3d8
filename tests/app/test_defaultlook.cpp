// SPDX-License-Identifier: GPL-3.0-or-later
#include "RecordingAppHost.h"
#include "SimFixture.h"

#include "control/AppState.h"
#include "control/ProfileService.h"
#include "control/ViewMessageHandler.h"
#include "storage/IniHelper.h"
#include "ui/RainbowFan.h"

#include <QColor>
#include <QtTest>

namespace {

TestDevices devices;

BoxModel &boxes = devices.boxes;

DeviceBus &bus = devices.bus;

Encoders &encoders = devices.encoders;

// The "Default" look, LEDs 0..11 round the ring, then the fan's single colour.
const int kLook[kColorEntries][3] = {
    {0, 127, 255}, {0, 255, 255}, {0, 255, 127}, {0, 255, 0},   {127, 255, 0}, {255, 255, 0}, {255, 127, 0},
    {255, 0, 0},   {255, 0, 127}, {255, 0, 255}, {127, 0, 255}, {0, 0, 255},   {255, 0, 0}};

QString lookOf(const RainbowFanRecord &fan)
{
    QStringList out;
    for (int e = 0; e < kColorEntries; ++e)
        out << QStringLiteral("%1,%2,%3").arg(fan.rValue_Led[e]).arg(fan.gValue_Led[e]).arg(fan.bValue_Led[e]);
    return out.join(QLatin1Char(' '));
}

QString expectedLook()
{
    QStringList out;
    for (const auto &c : kLook)
        out << QStringLiteral("%1,%2,%3").arg(c[0]).arg(c[1]).arg(c[2]);
    return out.join(QLatin1Char(' '));
}

// The twelve triples of a lighting report, sent as g, r, b, read back as r,g,b.
QString lookOf(const Report &r)
{
    QStringList out;
    for (int i = 0; i < kLedCount; ++i)
        out << QStringLiteral("%1,%2,%3").arg(r[6 + 3 * i]).arg(r[5 + 3 * i]).arg(r[7 + 3 * i]);
    return out.join(QLatin1Char(' '));
}

} // namespace

// One default look wherever it is made: the fan editor's "Default" button,
// the view message that stores it and sends its preview, and a new profile.
class TestDefaultLook : public QObject {
    Q_OBJECT

private slots:
    void theEditorShowsIt()
    {
        RainbowFan editor;
        editor.setFanNumber(1);
        int grey[kColorEntries];
        float half[kColorEntries];
        for (int e = 0; e < kColorEntries; ++e) {
            grey[e] = 90;
            half[e] = 0.5f;
        }
        editor.setRGB(grey, grey, grey, half);
        editor.pushDefault();
        for (int e = 0; e < kColorEntries; ++e)
            QCOMPARE(editor.ledColor(e), QColor(kLook[e][0], kLook[e][1], kLook[e][2]));
    }

    void theMessageStoresAndPreviewsIt()
    {
        SimulatedBoxes *sim = installSimulator(boxes, bus, QStringLiteral("1"));
        boxes.setCurrentBox(0);
        AppState state;
        RecordingAppHost host;
        ProfileService profiles(encoders, state.settings);
        ViewMessageHandler handler(state, encoders, profiles, host);
        const RainbowFanRecord &fan = boxes[0].rainbowFan[1];

        handler.receiveMainData({"btn_default", "1", "4", "0", "3"}); // Breath, RGB, slow
        QCOMPARE(lookOf(fan), expectedLook());
        std::vector<Report> sent = sentTo(sim, 0);
        QVERIFY(!sent.empty());
        QCOMPARE(int(sent.back()[3]), 2);
        const QString ring = expectedLook().section(QLatin1Char(' '), 0, kLedCount - 1);
        QCOMPARE(lookOf(sent.back()), ring);

        // In "Single" the first triple carries the single colour.
        sim->clearSent();
        handler.receiveMainData({"btn_default", "1", "6", "1", "3"}); // Light, Single
        QCOMPARE(lookOf(fan), expectedLook());
        sent = sentTo(sim, 0);
        QVERIFY(!sent.empty());
        QCOMPARE(lookOf(sent.back()), QStringLiteral("255,0,0") + ring.mid(ring.indexOf(QLatin1Char(' '))));
    }

    void aNewProfileStartsFromIt()
    {
        ControllerBox record;
        IniHelper::parseProfile(0, IniHelper::defaultProfileData(), record);
        for (int f = 0; f < kRainbowFanCount; ++f)
            QCOMPARE(lookOf(record.rainbowFan[f]), expectedLook());
    }
};

QTEST_MAIN(TestDefaultLook)
#include "test_defaultlook.moc"
