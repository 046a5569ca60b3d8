// SPDX-License-Identifier: GPL-3.0-or-later
// LED selection, palette picks, the RGB code popup, brightness, Done and
// Default of the RGB fan editor, driven through its real widgets.
#include "device/BoxTable.h"
#include "ui/LedButton.h"
#include "ui/RainbowFan.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

namespace {

// Records both signals in the order they come, as one line each.
struct Recorder {
    QStringList log;
    QList<QStringList> data;
    QList<QList<QVariant>> rgb;
    explicit Recorder(RainbowFan *fan)
    {
        QObject::connect(fan, QOverload<QStringList>::of(&RainbowFan::sendData), fan, [this](const QStringList &m) {
            log << QStringLiteral("data:") + m.join(QLatin1Char(' '));
            data << m;
        });
        QObject::connect(fan, &RainbowFan::sendRGBData, fan,
                         [this](QStringList r, QStringList g, QStringList b, QStringList bright, int f) {
                             log << QStringLiteral("rgb:%1").arg(f);
                             rgb << QList<QVariant>{r, g, b, bright, f};
                         });
    }
    void clear()
    {
        log.clear();
        data.clear();
        rgb.clear();
    }
};

QString palettePath()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Images/palette.png");
}

QPushButton *led(RainbowFan &fan, int i)
{
    return fan.findChild<QPushButton *>(QString::number(i));
}

// What LED i shows, in the words of its style text.
QString look(RainbowFan &fan, int i)
{
    auto *button = qobject_cast<LedButton *>(led(fan, i));
    return button ? button->lookText() : QString();
}

// Mouse events go to the widget under the point, as a real pointer's would,
// and reach the panel through Qt's propagation (and its mouse tracking).
void deliver(RainbowFan &fan, QEvent::Type type, Qt::MouseButton button, int x, int y)
{
    QWidget *target = fan.childAt(x, y);
    if (!target)
        target = &fan;
    const QPointF local = target->mapFrom(&fan, QPoint(x, y));
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, local, button, buttons, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

void press(RainbowFan &fan, int x, int y)
{
    deliver(fan, QEvent::MouseButtonPress, Qt::LeftButton, x, y);
    deliver(fan, QEvent::MouseButtonRelease, Qt::LeftButton, x, y);
}

void hover(RainbowFan &fan, int x, int y)
{
    deliver(fan, QEvent::MouseMove, Qt::NoButton, x, y);
}

QColor paletteAt(int x, int y)
{
    return QImage(palettePath()).pixelColor(x - 144, y - 206);
}

// A panel filled the way the main view fills it.
void fill(RainbowFan &fan, int fanNumber, int lightMode, int colorMode)
{
    fan.setFanNumber(fanNumber);
    fan.setFanLocation(fanNumber == 0 ? 0 : 1);
    fan.setLightMode(lightMode);
    fan.setColorMode(colorMode);
    fan.resetFanView();
}

} // namespace

class TestRainbowFanLeds : public QObject {
    Q_OBJECT

private:
    bool havePalette() const { return !QImage(palettePath()).isNull(); }

private slots:
    void selectionGeometryAndMask()
    {
        RainbowFan fan;
        fill(fan, 1, LightMode::Breath, ColorMode::RGB);
        QCOMPARE(led(fan, 3)->geometry(), QRect(275, 306, 18, 18));
        led(fan, 3)->click();
        QVERIFY(fan.isLedChecked(3));
        QCOMPARE(led(fan, 3)->geometry(), QRect(269, 300, 30, 30));
        QCOMPARE(fan.selectionMask(), QStringLiteral("000000001000"));
        led(fan, 11)->click();
        QCOMPARE(fan.selectionMask(), QStringLiteral("100000001000"));
        led(fan, 3)->click();
        QCOMPARE(led(fan, 3)->geometry(), QRect(275, 306, 18, 18));
        QCOMPARE(fan.selectionMask(), QStringLiteral("100000000000"));
        // The command channel's selection behaves like a click; repeated calls never drift.
        fan.setLedChecked(9, true);
        fan.setLedChecked(9, true);
        QCOMPARE(led(fan, 9)->geometry(), QRect(122, 215, 30, 30));
        QCOMPARE(fan.selectionMask(), QStringLiteral("101000000000"));
        fan.setLedChecked(12, true);
        fan.setLedChecked(-1, false);
        QCOMPARE(fan.selectionMask(), QStringLiteral("101000000000"));
        QVERIFY(!fan.isLedChecked(12));

        // Single mode: a click never deselects, all twelve stay enlarged.
        fill(fan, 1, LightMode::Breath, ColorMode::Single);
        QCOMPARE(fan.selectionMask(), QStringLiteral("111111111111"));
        led(fan, 5)->click();
        for (int i = 0; i < kLedCount; ++i) {
            QVERIFY(fan.isLedChecked(i));
            QCOMPARE(led(fan, i)->size(), QSize(30, 30));
        }
        QCOMPARE(led(fan, 5)->pos(), QPoint(195, 342));

        // OFF mode (Snake forces it): nothing can be selected.
        fill(fan, 1, LightMode::Snake, ColorMode::RGB);
        QCOMPARE(fan.colorMode(), int(ColorMode::Off));
        led(fan, 0)->click();
        QVERIFY(!fan.isLedChecked(0));
        QCOMPARE(led(fan, 0)->geometry(), QRect(244, 190, 18, 18));
    }

    void paletteWithoutSelectionColoursTheRingAndDoneKeepsMask()
    {
        if (!havePalette())
            QSKIP("Images/palette.png has not been generated into the build's bin folder");
        RainbowFan fan;
        fill(fan, 2, LightMode::Breath, ColorMode::RGB);
        Recorder rec(&fan);
        // Nothing selected: a click colours the whole ring (it did nothing before).
        press(fan, 210, 272);
        const QColor centre = paletteAt(210, 272);
        QCOMPARE(rec.log, (QStringList{"rgb:2", "data:btn_done 2 4 0 0"}));
        for (int i = 0; i < 12; ++i)
            QCOMPARE(fan.ledColor(i), centre);
        fan.pushDone();
        rec.clear();

        led(fan, 3)->click();
        press(fan, 160, 230);
        const QColor picked = paletteAt(160, 230);
        QCOMPARE(fan.ledColor(3), picked);
        QCOMPARE(fan.ledColor(4), centre);
        QCOMPARE(rec.log, (QStringList{"rgb:2", "data:btn_done 2 4 0 0"}));
        const QList<QVariant> first = rec.rgb.at(0);
        QCOMPARE(first.at(0).toStringList().size(), 13);
        QCOMPARE(first.at(0).toStringList().at(3), QString::number(picked.red()));
        QCOMPARE(first.at(1).toStringList().at(3), QString::number(picked.green()));
        QCOMPARE(first.at(2).toStringList().at(3), QString::number(picked.blue()));
        QCOMPARE(first.at(3).toStringList().at(3), QStringLiteral("1"));

        fan.pushDone();
        QVERIFY(!fan.isLedChecked(3));
        QCOMPARE(led(fan, 3)->geometry(), QRect(275, 306, 18, 18));
        QCOMPARE(fan.selectionMask(), QStringLiteral("000000001000"));
        rec.clear();
        press(fan, 250, 300);
        const QColor again = paletteAt(250, 300);
        QCOMPARE(rec.log, (QStringList{"rgb:2", "data:btn_done 2 4 0 0"}));
        QCOMPARE(rec.rgb.at(0).at(0).toStringList().at(0), QString::number(again.red()));
        QCOMPARE(fan.ledColor(3), again);
        QCOMPARE(fan.selectionMask(), QStringLiteral("111111111111"));
    }

    void singleModePickSetsOnlyTheSingleColour()
    {
        if (!havePalette())
            QSKIP("Images/palette.png has not been generated into the build's bin folder");
        RainbowFan fan;
        fill(fan, 1, LightMode::Breath, ColorMode::Single);
        Recorder rec(&fan);
        press(fan, 200, 300);
        const QColor picked = paletteAt(200, 300);
        QCOMPARE(fan.ledColor(12), picked);
        for (int i = 0; i < kLedCount; ++i) {
            QCOMPARE(fan.ledColor(i), QColor(255, 0, 0));
            QVERIFY(look(fan, i).contains(
                QStringLiteral("rgb(%1,%2, %3)").arg(picked.red()).arg(picked.green()).arg(picked.blue())));
        }
        QCOMPARE(rec.log, (QStringList{"rgb:1", "data:btn_done 1 4 0 1"}));

        // Hover follows the pointer: both signals for every move inside the palette.
        rec.clear();
        hover(fan, 180, 250);
        hover(fan, 181, 250);
        hover(fan, 250, 320);
        QCOMPARE(rec.log.size(), 6);
        QCOMPARE(fan.ledColor(12), paletteAt(250, 320));
        // The square's corners lie outside the wheel.
        hover(fan, 276, 338);
        hover(fan, 144, 260);
        hover(fan, 190, 339);
        hover(fan, 20, 20);
        QCOMPARE(rec.log.size(), 6);

        // In RGB mode hovering changes nothing, even with an LED selected.
        fill(fan, 1, LightMode::Breath, ColorMode::RGB);
        led(fan, 0)->click();
        rec.clear();
        hover(fan, 200, 300);
        QCOMPARE(rec.log, QStringList());
        QCOMPARE(fan.ledColor(0), QColor(255, 0, 0));
    }

    void paletteBoundsAndRefusals()
    {
        if (!havePalette())
            QSKIP("Images/palette.png has not been generated into the build's bin folder");
        RainbowFan fan;
        fill(fan, 1, LightMode::Blink, ColorMode::RGB);
        led(fan, 0)->click();
        Recorder rec(&fan);
        const struct {
            int x, y;
            bool picks;
        } points[] = {{144, 272, false}, {145, 272, true}, {277, 272, false}, {276, 272, true},
                      {210, 206, false}, {210, 207, true}, {210, 339, false}, {210, 338, true},
                      {150, 212, false}, {270, 332, false}, {186, 231, true}};
        for (const auto &p : points) {
            rec.clear();
            press(fan, p.x, p.y);
            QVERIFY2(rec.log.isEmpty() != p.picks, qPrintable(QStringLiteral("%1,%2").arg(p.x).arg(p.y)));
        }
        // Only the left button picks.
        rec.clear();
        deliver(fan, QEvent::MouseButtonPress, Qt::RightButton, 210, 272);
        QCOMPARE(rec.log, QStringList());

        // Closed panel, open popup and OFF mode refuse the pick.
        fan.setMonitor(false);
        press(fan, 210, 272);
        QCOMPARE(rec.log, QStringList());
        fan.setMonitor(true);
        fan.pushShowColorWidget();
        press(fan, 210, 272);
        QCOMPARE(rec.log, QStringList());
        fan.pushHideColorWidget();
        fan.applyColorModeValue(ColorMode::Off); // Blink allows only RGB and Single: OFF becomes RGB
        QCOMPARE(fan.colorMode(), int(ColorMode::RGB));
        fill(fan, 1, LightMode::Cycle, ColorMode::Off);
        fan.setLedChecked(0, true);
        rec.clear();
        press(fan, 210, 272);
        QCOMPARE(rec.log, QStringList());
    }

    void copyAndTemperatureDrawGreyAndIgnoreThePalette()
    {
        RainbowFan fan;
        Recorder rec(&fan);
        for (int mode : {int(LightMode::Copy), int(LightMode::Temperature)}) {
            fill(fan, 1, LightMode::Breath, ColorMode::Single);
            fan.setLightMode(mode);
            rec.clear();
            for (int i = 0; i < kLedCount; ++i) {
                QVERIFY(look(fan, i).contains(QStringLiteral("rgb(80,80,80)")));
                QVERIFY(!look(fan, i).contains(QStringLiteral("rgb(255,0, 0)")));
            }
            press(fan, 210, 272);
            hover(fan, 210, 272);
            QCOMPARE(rec.log, QStringList());
        }
        // Copy refuses a new selection.
        fill(fan, 1, LightMode::Copy, ColorMode::RGB);
        led(fan, 4)->click();
        QVERIFY(!fan.isLedChecked(4));
    }

    void whiteLedGetsARim()
    {
        RainbowFan fan;
        fill(fan, 1, LightMode::Light, ColorMode::RGB);
        int r[13], g[13], b[13];
        float bright[13];
        for (int i = 0; i < 13; ++i) {
            r[i] = 10;
            g[i] = 20;
            b[i] = 30;
            bright[i] = 0.5f;
        }
        r[0] = g[0] = b[0] = 255;
        r[1] = g[1] = 255;
        b[1] = 254;
        bright[11] = 0.3f;
        fan.setRGB(r, g, b, bright);
        QVERIFY(look(fan, 0).contains(QStringLiteral("stop : 0.9 white, stop: 1 black")));
        QVERIFY(!look(fan, 1).contains(QStringLiteral("stop: 1 black")));
        QVERIFY(look(fan, 1).contains(QStringLiteral("stop : 0.2 rgb(255,255, 254), stop: 1 rgb(255,255, 254)")));
        QCOMPARE(fan.brightnessSlider()->value(), 3); // the last LED's brightness stays shown
        QCOMPARE(fan.ledColor(2), QColor(10, 20, 30));

        // A list with a value out of range is refused whole.
        r[5] = 256;
        fan.setRGB(r, g, b, bright);
        QCOMPARE(fan.ledColor(5), QColor(10, 20, 30));
        r[5] = 0;
        bright[2] = 1.5f;
        fan.setRGB(r, g, b, bright);
        QCOMPARE(fan.ledColor(5), QColor(10, 20, 30));
        QCOMPARE(fan.ledBrightness(2), 0.5f);
    }

    void rgbPopupPreviewsAndApplies()
    {
        RainbowFan fan;
        fill(fan, 3, LightMode::Breath, ColorMode::RGB);
        auto *cover = fan.findChild<QLineEdit *>()->parentWidget()->parentWidget();
        Recorder rec(&fan);
        fan.pushShowColorWidget();
        QVERIFY(cover->isHidden()); // nothing selected: no popup

        led(fan, 2)->click();
        led(fan, 6)->click();
        fan.pushShowColorWidget();
        QVERIFY(!cover->isHidden());
        const QList<QLineEdit *> edits = cover->findChildren<QLineEdit *>();
        QCOMPARE(edits.size(), 3);
        QTest::keyClicks(edits.at(0), QStringLiteral("10"));
        QTest::keyClicks(edits.at(1), QStringLiteral("20"));
        // A field takes a colour byte and nothing past 255: the last digit of
        // "300" and of "999" is refused as it is typed.
        QTest::keyClicks(edits.at(2), QStringLiteral("999"));
        QCOMPARE(edits.at(2)->text(), QStringLiteral("99"));
        edits.at(2)->clear();
        QTest::keyClicks(edits.at(2), QStringLiteral("300"));
        QCOMPARE(edits.at(2)->text(), QStringLiteral("30"));
        edits.at(2)->clear();
        QTest::keyClicks(edits.at(2), QStringLiteral("255"));
        QCOMPARE(edits.at(2)->text(), QStringLiteral("255"));
        bool previewed = false;
        for (QLabel *l : cover->findChildren<QLabel *>())
            previewed |= l->styleSheet().contains(QStringLiteral("rgb(10,20,255); border-radius:72px"));
        QVERIFY(previewed);

        fan.pushChangeColor();
        QVERIFY(cover->isHidden());
        QCOMPARE(fan.ledColor(2), QColor(10, 20, 255));
        QCOMPARE(fan.ledColor(6), QColor(10, 20, 255));
        QCOMPARE(fan.ledColor(3), QColor(255, 0, 0));
        QCOMPARE(rec.log, (QStringList{"rgb:3", "data:btn_done 3 4 0 0"}));

        // Single mode: the single colour takes the code, the LED entries stay.
        fill(fan, 3, LightMode::Breath, ColorMode::Single);
        fan.pushShowColorWidget();
        edits.at(0)->clear();
        fan.pushChangeColor();
        QCOMPARE(fan.ledColor(12), QColor(0, 20, 255));
        QCOMPARE(fan.ledColor(2), QColor(10, 20, 255));
    }

    void brightnessFollowsSelection()
    {
        RainbowFan fan;
        fill(fan, 1, LightMode::Light, ColorMode::RGB);
        Recorder rec(&fan);
        fan.brightnessSlider()->setValue(4);
        QCOMPARE(rec.log, QStringList()); // nothing selected yet
        led(fan, 1)->click();
        led(fan, 7)->click();
        fan.brightnessSlider()->setValue(5);
        QCOMPARE(fan.ledBrightness(1), 0.5f);
        QCOMPARE(fan.ledBrightness(7), 0.5f);
        QCOMPARE(fan.ledBrightness(2), 1.0f);
        QCOMPARE(rec.data.size(), 1);
        const QStringList m = rec.data.at(0);
        QCOMPARE(m.mid(0, 5), (QStringList{"slider_Light", "1", "6", "0", "0"}));
        const QStringList values = m.at(5).split(QLatin1Char(','));
        QCOMPARE(values.size(), 13);
        QCOMPARE(values.at(1), QStringLiteral("0.5"));
        QCOMPARE(values.at(2), QStringLiteral("1"));

        // Selecting an LED shows its brightness without changing the others.
        rec.clear();
        led(fan, 1)->click();
        led(fan, 7)->click();
        led(fan, 2)->click();
        QCOMPARE(fan.brightnessSlider()->value(), 10);
        QCOMPARE(rec.log, QStringList());

        fill(fan, 1, LightMode::Light, ColorMode::Single);
        fan.brightnessSlider()->setValue(2);
        QCOMPARE(fan.ledBrightness(12), 0.2f);
        QCOMPARE(fan.ledBrightness(0), 1.0f);
    }

    void defaultRestoresTheWheel()
    {
        RainbowFan fan;
        fill(fan, 4, LightMode::Breath, ColorMode::Single);
        Recorder rec(&fan);
        fan.pushDefault();
        QCOMPARE(fan.colorMode(), int(ColorMode::RGB));
        QCOMPARE(fan.lightSpeed(), int(LightSpeed::Slow));
        QCOMPARE(fan.ledColor(0), QColor(0, 127, 255));
        QCOMPARE(fan.ledColor(5), QColor(255, 255, 0));
        QCOMPARE(fan.ledColor(11), QColor(0, 0, 255));
        QCOMPARE(fan.ledColor(12), QColor(255, 0, 0));
        QCOMPARE(fan.selectionMask(), QStringLiteral("111111111111"));
        for (int i = 0; i < kLedCount; ++i)
            QVERIFY(!fan.isLedChecked(i));
        // Colour mode comes before light speed in this one message.
        QCOMPARE(rec.log, (QStringList{"rgb:4", "data:btn_default 4 4 0 3"}));
        QCOMPARE(rec.rgb.at(0).at(1).toStringList().at(6), QStringLiteral("127"));

        fill(fan, 4, LightMode::Radar, ColorMode::Single);
        rec.clear();
        fan.pushDefault();
        QCOMPARE(rec.data.at(0), (QStringList{"btn_default", "4", "2", "1", "3"}));
        QCOMPARE(fan.selectionMask(), QStringLiteral("111111111111"));
        QVERIFY(fan.isLedChecked(0));
    }

    void backgroundPanelsTurnTheCarousel()
    {
        RainbowFan fan;
        fill(fan, 2, LightMode::Breath, ColorMode::Single);
        Recorder rec(&fan);
        fan.setFanLocation(3);
        press(fan, 210, 272);
        QCOMPARE(rec.log, (QStringList{"data:clockwise 2"}));
        rec.clear();
        fan.setFanLocation(4);
        press(fan, 5, 5);
        hover(fan, 210, 272);
        QCOMPARE(rec.log, (QStringList{"data:counterClockwise 2"}));
        fan.setFanLocation(7);
        QCOMPARE(fan.fanLocation(), 4);
        fan.setFanLocation(0);
        rec.clear();
        press(fan, 5, 5);
        QCOMPARE(rec.log, QStringList());
    }
};

QTEST_MAIN(TestRainbowFanLeds)
#include "test_rainbowfan_leds.moc"
