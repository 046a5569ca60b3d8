// SPDX-License-Identifier: GPL-3.0-or-later
// Light-mode, colour-mode and light-speed selectors, turn-off, the monitor
// switch and the fan-speed controls of the RGB fan editor.
#include "device/BoxTable.h"
#include "ui/RainbowFan.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QHash>
#include <QRegularExpression>
#include <QTranslator>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

namespace {

QStringList messages(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.at(0).toStringList().join(QLatin1Char(' '));
    return out;
}

template <typename T>
T *child(RainbowFan &fan, const char *name)
{
    return fan.findChild<T *>(QLatin1String(name));
}

// Stands in for a language file with longer texts than the English ones.
class LongTexts : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *, const char *source, const char * = nullptr, int = -1) const override
    {
        static const QHash<QString, QString> texts{{"Temperature", "Temperaturanzeige"},
                                                   {"Light Speed", "Lichtgeschwindigkeit"},
                                                   {"Breath", "Atmen"}};
        return texts.value(QString::fromUtf8(source));
    }
};

int fontPx(const QWidget *w)
{
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("font-size:\\s*(\\d+)px")).match(w->styleSheet());
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

void fill(RainbowFan &fan, int fanNumber, int lightMode, int colorMode)
{
    fan.setFanNumber(fanNumber);
    fan.setFanLocation(fanNumber == 0 ? 0 : 1);
    fan.setLightMode(lightMode);
    fan.setColorMode(colorMode);
    fan.resetFanView();
}

} // namespace

class TestRainbowFanSelectors : public QObject {
    Q_OBJECT

private slots:
    void lightModeArrowsAndTheirMessages()
    {
        RainbowFan fan;
        fill(fan, 1, LightMode::Temperature, ColorMode::RGB);
        QSignalSpy spy(&fan, SIGNAL(sendData(QStringList)));
        fan.lightModeRight();
        QCOMPARE(fan.lightMode(), int(LightMode::Snake));
        QCOMPARE(child<QLabel>(fan, "label_lightMode")->text(), QStringLiteral("Snake"));
        fan.lightModeLeft();
        QCOMPARE(fan.lightMode(), int(LightMode::Temperature));
        fan.setLightMode(LightMode::Music_3);
        fan.lightModeRight();
        QCOMPARE(fan.lightMode(), int(LightMode::Temperature));
        fan.setLightMode(LightMode::Light);
        fan.lightModeRight();
        QCOMPARE(fan.lightMode(), int(LightMode::Copy));
        fan.lightModeRight();
        QCOMPARE(fan.lightMode(), int(LightMode::Music_1));
        // Snake forces OFF (2); Copy and Music carry their own tags.
        QCOMPARE(messages(spy), (QStringList{"btn_done 1 0 0 2", "btn_done 1 14 0 0", "btn_done 1 14 0 0",
                                             "btn_copy 1 7 0 2", "btn_music 1 8 0 0"}));

        fill(fan, 0, LightMode::Light, ColorMode::RGB);
        spy.clear();
        fan.lightModeRight();
        QCOMPARE(fan.lightMode(), int(LightMode::Music_1));
        fan.lightModeLeft();
        QCOMPARE(fan.lightMode(), int(LightMode::Light));
        // The arrow buttons themselves, through their shared slot too.
        child<QPushButton>(fan, "btn_LightModeRight")->click();
        QCOMPARE(fan.lightMode(), int(LightMode::Music_1));
        QCOMPARE(spy.size(), 3);

        // Values from outside are normalised like the right arrow, or refused.
        fan.applyLightModeValue(LightMode::Mobile_2);
        QCOMPARE(fan.lightMode(), int(LightMode::Temperature));
        fan.applyLightModeValue(LightMode::Copy);
        QCOMPARE(fan.lightMode(), int(LightMode::Music_1));
        spy.clear();
        fan.applyLightModeValue(15);
        fan.applyLightModeValue(-1);
        fan.setLightMode(99);
        QCOMPARE(spy.size(), 0);
        QCOMPARE(fan.lightMode(), int(LightMode::Music_1));
    }

    void colourModeFollowsTheLightMode()
    {
        RainbowFan fan;
        fill(fan, 2, LightMode::Breath, ColorMode::RGB);
        auto *colourName = child<QLabel>(fan, "label_colorMode");
        auto *left = child<QPushButton>(fan, "btn_ColorModeLeft");
        QSignalSpy spy(&fan, SIGNAL(sendData(QStringList)));

        fan.setLightMode(LightMode::Blink);
        fan.lightModeRight(); // Blink → Breath, which starts from RGB
        QCOMPARE(fan.colorMode(), int(ColorMode::RGB));
        fan.colorModeRight();
        QCOMPARE(colourName->text(), QStringLiteral("Single"));
        QCOMPARE(fan.selectionMask(), QStringLiteral("111111111111"));
        fan.colorModeRight();
        QCOMPARE(colourName->text(), QStringLiteral("RGB"));
        QVERIFY(!fan.isLedChecked(0));
        fan.colorModeLeft();
        QCOMPARE(fan.colorMode(), int(ColorMode::Single));
        QCOMPARE(messages(spy).mid(1), (QStringList{"btn_done 2 4 0 1", "btn_done 2 4 0 0", "btn_done 2 4 0 1"}));

        fan.lightModeLeft();
        fan.lightModeLeft();
        fan.lightModeLeft(); // Breath → Blink → Radar → Cycle
        QCOMPARE(fan.lightMode(), int(LightMode::Cycle));
        QCOMPARE(colourName->text(), QStringLiteral("OFF"));
        QVERIFY(!left->isEnabled());
        QVERIFY(colourName->styleSheet().contains(QStringLiteral("#c0c0c0")));
        fan.lightModeRight();
        QCOMPARE(colourName->text(), QStringLiteral("Single"));
        fan.lightModeRight();
        // A new light mode keeps the colour mode where it allows it: Radar's single colour stays in Blink.
        QCOMPARE(fan.colorMode(), int(ColorMode::Single));
        QVERIFY(left->isEnabled());
        QVERIFY(colourName->styleSheet().contains(QStringLiteral("color:white")));

        // A stored colour mode survives the stored light mode, in either order.
        fan.setColorMode(ColorMode::Single);
        fan.setLightMode(LightMode::Breath);
        QCOMPARE(fan.colorMode(), int(ColorMode::Single));
        fan.setColorMode(3);
        QCOMPARE(fan.colorMode(), int(ColorMode::Single));

        // In Copy mode the arrows follow the copied mode and send nothing.
        fill(fan, 2, LightMode::Copy, ColorMode::RGB);
        fan.setCopyLightMode(LightMode::Radar);
        spy.clear();
        fan.applyColorModeValue(ColorMode::RGB);
        QCOMPARE(fan.colorMode(), int(ColorMode::Single));
        QCOMPARE(spy.size(), 0);
    }

    void lightSpeedArrows()
    {
        RainbowFan fan;
        fill(fan, 3, LightMode::Whirl, ColorMode::RGB);
        QSignalSpy spy(&fan, SIGNAL(sendData(QStringList)));
        fan.setLightSpeed(LightSpeed::Slow);
        fan.lightSpeedLeft();
        QCOMPARE(fan.lightSpeed(), int(LightSpeed::SoFast));
        fan.lightSpeedRight();
        QCOMPARE(fan.lightSpeed(), int(LightSpeed::Slow));
        QCOMPARE(child<QLabel>(fan, "label_lightSpeed")->text(), QStringLiteral("Slow"));
        fan.applyLightSpeedValue(1);
        fan.applyLightSpeedValue(4);
        QCOMPARE(messages(spy), (QStringList{"btn_done 3 5 0 0", "btn_done 3 5 3 0", "btn_done 3 5 1 0"}));
        QVERIFY(child<QPushButton>(fan, "btn_LightSpeedLeft")->isEnabled());

        // No effect speed in Light, Music and Temperature.
        for (int mode : {int(LightMode::Light), int(LightMode::Music_2), int(LightMode::Temperature)}) {
            fan.applyLightModeValue(mode);
            QVERIFY(!child<QPushButton>(fan, "btn_LightSpeedLeft")->isEnabled());
            QVERIFY(child<QLabel>(fan, "label_lightSpeed")->styleSheet().contains(QStringLiteral("#c0c0c0")));
        }
        QVERIFY(!child<QPushButton>(fan, "btn_done")->isEnabled());
        QVERIFY(!child<QPushButton>(fan, "btn_turnoff")->isEnabled());
        QVERIFY(!fan.brightnessSlider()->isEnabled());
        fan.applyLightModeValue(LightMode::Blink);
        QVERIFY(child<QPushButton>(fan, "btn_done")->isEnabled());
    }

    void turnOffOnlyForBoxEffects()
    {
        RainbowFan fan;
        fill(fan, 1, LightMode::Snake, ColorMode::RGB);
        auto *button = child<QPushButton>(fan, "btn_turnoff");
        QSignalSpy spy(&fan, SIGNAL(sendData(QStringList)));
        button->click();
        QVERIFY(fan.isTurnOffLed());
        QVERIFY(button->isChecked());
        fan.pushTurnOff();
        QVERIFY(!fan.isTurnOffLed());
        QVERIFY(!button->isChecked());
        QCOMPARE(messages(spy), (QStringList{"btn_turnoff 1 0 0 2", "btn_turnon 1 0 0 2"}));

        // Any change of mode or colour switches the LEDs back on.
        fan.pushTurnOff();
        fan.lightSpeedLeft();
        QVERIFY(!fan.isTurnOffLed());
        QVERIFY(!button->isChecked());
        fan.pushTurnOff();
        fan.lightModeRight();
        QVERIFY(!fan.isTurnOffLed());
        fan.setTurnOffLed(true);
        fan.lightModeLeft();
        QVERIFY(!button->isChecked());
        fan.setTurnOffLed(true);
        fan.setLightMode(LightMode::Snake); // a stored light mode keeps the stored flag
        QVERIFY(fan.isTurnOffLed());
        fan.pushTurnOff();

        for (int mode : {int(LightMode::Copy), int(LightMode::Music_1), int(LightMode::Mobile_2),
                         int(LightMode::Temperature)}) {
            fan.setLightMode(mode);
            spy.clear();
            fan.pushTurnOff();
            QCOMPARE(spy.size(), 0);
            QVERIFY(!fan.isTurnOffLed());
            QVERIFY(!button->isChecked());
        }
    }

    void fanSpeedPresetsAndSliders()
    {
        RainbowFan fan;
        fill(fan, 2, LightMode::Light, ColorMode::RGB);
        QSignalSpy spy(&fan, SIGNAL(sendData(QStringList)));
        auto *summary = child<QLabel>(fan, "label_speedSummary");
        QVERIFY(fan.isPWM());
        QVERIFY(fan.fanSpeedPerSlider()->isEnabled());
        QVERIFY(!fan.fanSpeedNumSlider()->isEnabled());
        QVERIFY(fan.fanSpeedNumSlider()->styleSheet().contains(QStringLiteral("rgba(180, 180, 180, 255)")));
        QVERIFY(fan.fanSpeedPerSlider()->styleSheet().contains(QStringLiteral("rgba(51, 215, 255, 255)")));
        QCOMPARE(summary->text(), QStringLiteral("No CPU temp.\nCap 100 %")); // PWM: what the fan gets, its cap

        fan.fanSpeedPerSlider()->setValue(3);
        QCOMPARE(summary->text(), QStringLiteral("No CPU temp.\nCap 80 %"));
        QCOMPARE(fan.speedMode(), int(SpeedMode::Custom));
        QVERIFY(!fan.isPerformance());
        spy.clear();
        fan.pushPerformance();
        fan.pushPerformance();
        QCOMPARE(messages(spy), (QStringList{"slider_FanSpeed_Per 2 5", "btn_performance 2"}));
        QVERIFY(fan.isPerformance());

        spy.clear();
        fan.pushSilent();
        QVERIFY(fan.isSilent());
        QVERIFY(!fan.isPerformance());
        QCOMPARE(summary->text(), QStringLiteral("No CPU temp.\nCap 50 %"));
        fan.pushPerformance();
        QVERIFY(!fan.isSilent());
        QCOMPARE(messages(spy), (QStringList{"slider_FanSpeed_Per 2 0", "btn_silent 2", "slider_FanSpeed_Per 2 5",
                                             "btn_performance 2"}));

        // PWM off: the plain scale takes over.
        spy.clear();
        fan.pwmButton()->click();
        QVERIFY(!fan.isPWM());
        QVERIFY(!fan.fanSpeedPerSlider()->isEnabled());
        QVERIFY(fan.fanSpeedNumSlider()->isEnabled());
        QCOMPARE(messages(spy), (QStringList{"btn_pwm 2 0"}));
        fan.fanSpeedNumSlider()->setValue(4);
        QCOMPARE(summary->text(), QStringLiteral("40 %"));
        fan.pushPerformance();
        QCOMPARE(fan.fanSpeedNumSlider()->value(), 10);
        QCOMPARE(summary->text(), QStringLiteral("Performance\n100 %"));

        // Stored values are shown without a message.
        spy.clear();
        fan.setPWM(true);
        fan.setFanSpeedSliders(1, 6);
        QCOMPARE(summary->text(), QStringLiteral("No CPU temp.\nCap 60 %"));
        QCOMPARE(fan.fanSpeedNumSlider()->value(), 6);
        fan.setFanSpeedSliders(6, 6);
        QCOMPARE(fan.fanSpeedPerSlider()->value(), 1);
        fan.resetFanView();
        QCOMPARE(spy.size(), 0);
        QCOMPARE(fan.speedMode(), int(SpeedMode::Custom));
    }

    void monitorSwitchAndFanState()
    {
        RainbowFan fan;
        fill(fan, 4, LightMode::Breath, ColorMode::RGB);
        auto *title = child<QPushButton>(fan, "btn_fanNum");
        auto *sw = child<QPushButton>(fan, "close_Monitor");
        QCOMPARE(title->text(), QStringLiteral("FAN 5"));
        QVERIFY(sw->styleSheet().contains(QStringLiteral("btn_openFan.png")));
        QSignalSpy spy(&fan, SIGNAL(sendData(QStringList)));

        title->click(); // an open panel is not closed by its title
        QCOMPARE(spy.size(), 0);
        sw->click();
        QVERIFY(!fan.isMonitor());
        QVERIFY(!fan.closedCover()->isHidden()); // shown while the title moves
        QTRY_COMPARE(title->geometry(), QRect(60, 196, 200, 20));
        QVERIFY(!fan.closedCover()->isHidden());
        QVERIFY(sw->styleSheet().contains(QStringLiteral("btn_closeFan.png")));

        title->click();
        QVERIFY(fan.isMonitor());
        QTRY_COMPARE(title->geometry(), QRect(60, 14, 200, 20));
        QTRY_VERIFY(fan.closedCover()->isHidden());
        QCOMPARE(messages(spy), (QStringList{"pushMonitor 4 0", "pushMonitor 4 1"}));

        // A stopped watched fan is marked on its read-out and keeps its
        // controls in sight; a closed panel is only ever covered.
        const struct {
            bool flag, monitor, cover, warning;
        } rows[] = {{true, false, true, false}, {true, true, false, true}, {false, true, false, false},
                    {false, false, true, false}};
        for (const auto &row : rows) {
            fan.setMonitor(row.monitor);
            fan.setFanState(row.flag);
            QCOMPARE(!fan.closedCover()->isHidden(), row.cover);
            QCOMPARE(fan.isWarningShown(), row.warning);
        }
        // A press on the switch drawn on the closed cover opens the fan; a
        // press elsewhere on the cover does not.
        fan.setMonitor(false);
        fan.setFanState(false);
        spy.clear();
        QTest::mouseClick(fan.closedCover(), Qt::LeftButton, {}, QPoint(40, 40));
        QVERIFY(!fan.isMonitor());
        QTest::mouseClick(fan.closedCover(), Qt::LeftButton, {}, QPoint(161, 310));
        QVERIFY(fan.isMonitor());
        QCOMPARE(messages(spy), QStringList{"pushMonitor 4 1"});
    }

    void resetViewAppliesTheTableFromTheModel()
    {
        RainbowFan fan;
        fill(fan, 1, LightMode::Copy, ColorMode::RGB);
        QVERIFY(!child<QPushButton>(fan, "btn_default")->isEnabled());
        fan.setLightMode(LightMode::Music_1);
        fan.resetFanView();
        QVERIFY(child<QPushButton>(fan, "btn_ColorModeLeft")->isEnabled());
        QVERIFY(child<QPushButton>(fan, "btn_default")->isEnabled());
        QVERIFY(!fan.brightnessSlider()->isEnabled());
        // The controls depend on the light mode alone, not on the way there.
        fill(fan, 1, LightMode::Copy, ColorMode::RGB);
        fan.lightModeRight();
        QCOMPARE(fan.lightMode(), int(LightMode::Music_1));
        QVERIFY(child<QPushButton>(fan, "btn_ColorModeLeft")->isEnabled());
        QVERIFY(child<QPushButton>(fan, "btn_showColor")->isEnabled());
        QVERIFY(!child<QPushButton>(fan, "btn_turnoff")->isEnabled());
        fan.setLightMode(LightMode::Temperature);
        fan.resetFanView();
        QVERIFY(!child<QPushButton>(fan, "btn_ColorModeRight")->isEnabled());
        QVERIFY(!child<QPushButton>(fan, "btn_LightSpeedRight")->isEnabled());

        fan.resetLanguage(3);
        QCOMPARE(child<QLabel>(fan, "label_lightMode")->text(), QStringLiteral("Temperature"));
        fan.resetLanguage(7);
        fan.resetLanguage(-1);
        QCOMPARE(child<QPushButton>(fan, "btn_fanNum")->text(), QStringLiteral("FAN 2"));
    }

    void translatedNamesShrinkToFit()
    {
        LongTexts german;
        QCoreApplication::installTranslator(&german);
        RainbowFan fan;
        fan.resetLanguage(3);
        fill(fan, 1, LightMode::Temperature, ColorMode::RGB);
        auto *name = child<QLabel>(fan, "label_lightMode");
        QCOMPARE(name->text(), QStringLiteral("Temperaturanzeige"));
        const int longPx = fontPx(name);
        QVERIFY(longPx >= 7 && longPx < 11);
        fan.applyLightModeValue(LightMode::Breath);
        QCOMPARE(name->text(), QStringLiteral("Atmen"));
        QCOMPARE(fontPx(name), 11); // short names keep the language's full size
        QCoreApplication::removeTranslator(&german);
        fan.resetLanguage(0);
        QCOMPARE(name->text(), QStringLiteral("Breath"));
        QCOMPARE(fontPx(name), 12);
    }
};

QTEST_MAIN(TestRainbowFanSelectors)
#include "test_rainbowfan_selectors.moc"
