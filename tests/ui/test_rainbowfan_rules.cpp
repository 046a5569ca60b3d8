// SPDX-License-Identifier: GPL-3.0-or-later
// The selector rules and LED style texts of the RGB fan editor, without widgets.
#include "device/BoxTable.h"
#include "ui/FanModeRules.h"
#include "ui/LedStyle.h"

#include <QColor>
#include <cmath>

#include <QtTest>

using namespace FanModeRules;

class TestRainbowFanRules : public QObject {
    Q_OBJECT

private slots:
    void lightModeArrowsSkipPhoneModesAndCopyOnFirstFan()
    {
        QCOMPARE(lightModeRight(LightMode::Temperature, 1), int(LightMode::Snake));
        QCOMPARE(lightModeLeft(LightMode::Snake, 1), int(LightMode::Temperature));
        QCOMPARE(lightModeRight(LightMode::Music_3, 1), int(LightMode::Temperature));
        QCOMPARE(lightModeLeft(LightMode::Temperature, 1), int(LightMode::Music_3));
        QCOMPARE(lightModeRight(LightMode::Light, 0), int(LightMode::Music_1));
        QCOMPARE(lightModeRight(LightMode::Light, 1), int(LightMode::Copy));
        QCOMPARE(lightModeLeft(LightMode::Music_1, 0), int(LightMode::Light));
        QCOMPARE(lightModeLeft(LightMode::Music_1, 4), int(LightMode::Copy));
        QCOMPARE(lightModeRight(LightMode::Blink, 0), int(LightMode::Breath));
        // A full turn to the right visits every reachable mode once.
        QSet<int> seen;
        int m = LightMode::Snake;
        for (int i = 0; i < 12; ++i) {
            seen.insert(m);
            m = lightModeRight(m, 2);
        }
        QCOMPARE(m, int(LightMode::Snake));
        QCOMPARE(seen.size(), 12);
        QVERIFY(!seen.contains(LightMode::Mobile_1) && !seen.contains(LightMode::Mobile_3));
        // Values set from outside land where the right arrow would.
        QCOMPARE(normaliseLightMode(LightMode::Mobile_2, 1), int(LightMode::Temperature));
        QCOMPARE(normaliseLightMode(LightMode::Copy, 0), int(LightMode::Music_1));
        QCOMPARE(normaliseLightMode(LightMode::Copy, 3), int(LightMode::Copy));
        QCOMPARE(normaliseLightMode(LightMode::Snake, 0), int(LightMode::Snake));
    }

    void colorModeFollowsLightMode()
    {
        QCOMPARE(constrainColorMode(LightMode::Snake, 0, ColorMode::RGB), int(ColorMode::Off));
        QCOMPARE(constrainColorMode(LightMode::Cycle, 0, ColorMode::Single), int(ColorMode::Off));
        QCOMPARE(constrainColorMode(LightMode::Radar, 0, ColorMode::RGB), int(ColorMode::Single));
        QCOMPARE(constrainColorMode(LightMode::Whirl, 0, ColorMode::Off), int(ColorMode::RGB));
        QCOMPARE(constrainColorMode(LightMode::Breath, 0, ColorMode::Off), int(ColorMode::RGB));
        QCOMPARE(constrainColorMode(LightMode::Music_2, 0, ColorMode::Single), int(ColorMode::Single));
        QCOMPARE(constrainColorMode(LightMode::Temperature, 0, ColorMode::Off), int(ColorMode::Off));
        QCOMPARE(constrainColorMode(LightMode::Mobile_1, 0, ColorMode::Single), int(ColorMode::Single));
        // Copy follows the copied mode; a copied software effect leaves it as set.
        QCOMPARE(constrainColorMode(LightMode::Copy, LightMode::Radar, ColorMode::RGB), int(ColorMode::Single));
        QCOMPARE(constrainColorMode(LightMode::Copy, LightMode::Cycle, ColorMode::RGB), int(ColorMode::Off));
        QCOMPARE(constrainColorMode(LightMode::Copy, LightMode::Music_1, ColorMode::Off), int(ColorMode::Off));

        // Two-mode light modes toggle; past either end lands on the other.
        QCOMPARE(stepColorMode(LightMode::Breath, 0, ColorMode::RGB, +1), int(ColorMode::Single));
        QCOMPARE(stepColorMode(LightMode::Breath, 0, ColorMode::Single, +1), int(ColorMode::RGB));
        QCOMPARE(stepColorMode(LightMode::Breath, 0, ColorMode::RGB, -1), int(ColorMode::Single));
        QCOMPARE(stepColorMode(LightMode::Light, 0, ColorMode::Single, -1), int(ColorMode::RGB));
        QCOMPARE(stepColorMode(LightMode::Radar, 0, ColorMode::Single, +1), int(ColorMode::Single));
        // Free modes step through all three and wrap instead of leaving 0..2.
        QCOMPARE(stepColorMode(LightMode::Mobile_2, 0, ColorMode::Off, +1), int(ColorMode::RGB));
        QCOMPARE(stepColorMode(LightMode::Mobile_2, 0, ColorMode::RGB, -1), int(ColorMode::Off));

        QCOMPARE(defaultColorMode(LightMode::Cycle, 0, ColorMode::RGB), int(ColorMode::Off));
        QCOMPARE(defaultColorMode(LightMode::Radar, 0, ColorMode::RGB), int(ColorMode::Single));
        QCOMPARE(defaultColorMode(LightMode::Light, 0, ColorMode::Single), int(ColorMode::RGB));
        QCOMPARE(defaultColorMode(LightMode::Music_3, 0, ColorMode::Single), int(ColorMode::RGB));
        QCOMPARE(defaultColorMode(LightMode::Mobile_1, 0, ColorMode::Single), int(ColorMode::Single));
        QCOMPARE(defaultColorMode(LightMode::Copy, LightMode::Snake, ColorMode::RGB), int(ColorMode::Off));
    }

    void speedsMasksAndSummaries()
    {
        QCOMPARE(lightSpeedLeft(LightSpeed::Slow), int(LightSpeed::SoFast));
        QCOMPARE(lightSpeedLeft(LightSpeed::Normal), int(LightSpeed::Slow));
        QCOMPARE(lightSpeedRight(LightSpeed::SoFast), int(LightSpeed::Slow));
        QCOMPARE(lightSpeedRight(LightSpeed::Fast), int(LightSpeed::SoFast));

        QCOMPARE(selectionMask(0), QStringLiteral("000000000000"));
        QCOMPARE(selectionMask(1), QStringLiteral("000000000001"));
        QCOMPARE(selectionMask(1 << 11), QStringLiteral("100000000000"));
        QCOMPARE(selectionMask(0xFFF), QStringLiteral("111111111111"));
        QVERIFY(isEmptyMask(selectionMask(0)));
        QVERIFY(!isEmptyMask(selectionMask(8)));

        QCOMPARE(pwmSpeedSummary(0, "Silent", "Performance"), QStringLiteral("Silent 50 %"));
        QCOMPARE(pwmSpeedSummary(3, "Silent", "Performance"), QStringLiteral("80 %"));
        QCOMPARE(pwmSpeedSummary(5, "Silent", "Performance"), QStringLiteral("Performance\n100 %"));
        QCOMPARE(rpmSpeedSummary(0, "Silent", "Performance"), QStringLiteral("Silent 0 %"));
        QCOMPARE(rpmSpeedSummary(7, "Silent", "Performance"), QStringLiteral("70 %"));
        QCOMPARE(rpmSpeedSummary(10, "Silent", "Performance"), QStringLiteral("Performance\n100 %"));
        QCOMPARE(speedModeForStep(0, 5), int(SpeedMode::Silent));
        QCOMPARE(speedModeForStep(5, 5), int(SpeedMode::Performance));
        QCOMPARE(speedModeForStep(5, 10), int(SpeedMode::Custom));
    }

    void enableTableAndTags()
    {
        ControlEnables e = controlEnables(LightMode::Cycle);
        QCOMPARE(e.colorArrows, Enable::Off);
        QCOMPARE(e.speedArrows, Enable::On);
        QCOMPARE(e.editButtons, Enable::Keep);
        QCOMPARE(e.brightness, Enable::Off);
        e = controlEnables(LightMode::Light);
        QCOMPARE(e.speedArrows, Enable::Off);
        QCOMPARE(e.brightness, Enable::On);
        e = controlEnables(LightMode::Temperature);
        QCOMPARE(e.editButtons, Enable::Off);
        QCOMPARE(e.turnOff, Enable::Off);
        e = controlEnables(LightMode::Music_2);
        QCOMPARE(e.colorArrows, Enable::Keep);
        QCOMPARE(e.turnOff, Enable::Off);
        e = controlEnables(LightMode::Mobile_3);
        QCOMPARE(e.editButtons, Enable::On);

        QCOMPARE(lightModeMessageTag(LightMode::Copy), QStringLiteral("btn_copy"));
        QCOMPARE(lightModeMessageTag(LightMode::Music_1), QStringLiteral("btn_music"));
        QCOMPARE(lightModeMessageTag(LightMode::Music_3), QStringLiteral("btn_music"));
        QCOMPARE(lightModeMessageTag(LightMode::Mobile_1), QStringLiteral("btn_done"));
        QCOMPARE(lightModeMessageTag(LightMode::Temperature), QStringLiteral("btn_done"));

        QVERIFY(!colorModeApplies(LightMode::Whirl));
        QVERIFY(colorModeApplies(LightMode::Breath));
        QVERIFY(!colorModeApplies(LightMode::Copy));
        QVERIFY(!lightSpeedApplies(LightMode::Light));
        QVERIFY(!lightSpeedApplies(LightMode::Music_1));
        QVERIFY(lightSpeedApplies(LightMode::Whirl));
        QVERIFY(lightSpeedApplies(LightMode::Mobile_1));
        // The speed arrows agree with the table in every mode.
        for (int m = 0; m < LightMode::Count; ++m)
            QCOMPARE(speedArrowsFollowMode(m), controlEnables(m).speedArrows == Enable::On);
    }

    void ledStyleAndTextColour()
    {
        QCOMPARE(LedStyle::buttonTextColor(255, 171, 99), QStringLiteral("black"));
        QCOMPARE(LedStyle::buttonTextColor(255, 170, 99), QStringLiteral("white"));
        QCOMPARE(LedStyle::buttonTextColor(255, 171, 100), QStringLiteral("white"));
        QCOMPARE(LedStyle::buttonTextColor(254, 255, 0), QStringLiteral("black"));
        QCOMPARE(LedStyle::buttonTextColor(255, 255, 0), QStringLiteral("black")); // first rule
        QCOMPARE(LedStyle::buttonTextColor(0, 171, 255), QStringLiteral("black"));
        QCOMPARE(LedStyle::buttonTextColor(0, 170, 255), QStringLiteral("white"));
        QCOMPARE(LedStyle::buttonTextColor(0, 0, 0), QStringLiteral("white"));

        QCOMPARE(LedStyle::colorText(1, 22, 255), QStringLiteral("rgb(1,22, 255)"));
        const QString white = LedStyle::ledStyleSheet(255, 255, 255, false);
        QCOMPARE(white.count(QStringLiteral("stop : 0.9 white, stop: 1 black")), 2);
        const QString nearWhite = LedStyle::ledStyleSheet(255, 255, 254, false);
        QVERIFY(!nearWhite.contains(QStringLiteral("stop: 1 black")));
        QCOMPARE(nearWhite.count(QStringLiteral("stop : 0.2 rgb(255,255, 254), stop: 1 rgb(255,255, 254)")), 2);
        QVERIFY(nearWhite.contains(QStringLiteral("border-radius:15px")));
        QVERIFY(nearWhite.contains(QStringLiteral("border-radius:9px")));
        const QString grey = LedStyle::ledStyleSheet(255, 255, 255, true);
        QVERIFY(grey.contains(QStringLiteral("rgb(80,80,80)")));
        QVERIFY(!grey.contains(QStringLiteral("stop: 1 black")));
        // LEDs switched off show no colour at all.
        const QString off = LedStyle::ledStyleSheet(255, 0, 0, false, true);
        QVERIFY(!off.contains(QStringLiteral("255")));
        QVERIFY(!off.contains(QStringLiteral("gradient")));
    }

    void ledNumbersStayReadable()
    {
        // WCAG contrast between the number and the centre it sits on, for
        // every hue of the default wheel, white, black and the grey of Copy.
        auto luminance = [](const QColor &c) {
            auto channel = [](int v) {
                const double s = v / 255.0;
                return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
            };
            return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
        };
        const QColor colours[] = {{0, 127, 255}, {0, 255, 255}, {0, 255, 127}, {0, 255, 0}, {127, 255, 0},
                                  {255, 255, 0}, {255, 127, 0}, {255, 0, 0}, {255, 0, 127}, {255, 0, 255},
                                  {127, 0, 255}, {0, 0, 255}, {255, 255, 255}, {0, 0, 0}, {80, 80, 80}};
        for (const QColor &c : colours) {
            const QColor centre = c == Qt::white ? QColor(Qt::white) : LedStyle::ledCentre(c.red(), c.green(), c.blue());
            const QColor text(LedStyle::ledNumberColor(centre));
            const double a = luminance(centre) + 0.05;
            const double b = luminance(text) + 0.05;
            const double contrast = a > b ? a / b : b / a;
            QVERIFY2(contrast >= 3.0, qPrintable(QStringLiteral("%1: %2").arg(c.name()).arg(contrast)));
            const QString style = LedStyle::ledStyleSheet(c.red(), c.green(), c.blue(), false);
            QVERIFY(style.contains(QStringLiteral("color:") + LedStyle::ledNumberColor(centre)));
        }
    }
};

QTEST_APPLESS_MAIN(TestRainbowFanRules)
#include "test_rainbowfan_rules.moc"
