// SPDX-License-Identifier: GPL-3.0-or-later
// Buttons, sliders and setters of the single-colour fan panel and the
// messages they send.
#include "ui/VaylaRGBFanView.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <limits>

class TestVaylaControls : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void speedSliderPresetsAndPwm();
    void lightingOffAndMonitorButtons();
    void copyButtonOnlyBeyondTheFirstFan();
    void brightnessSliderMessage();
    void settersEmitNothingAndCheckRanges();

private:
    template <typename T> T *child(const char *name) const { return m_view->findChild<T *>(QLatin1String(name)); }
    void click(const char *button) { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }
    QStringList sent()
    {
        QStringList out;
        for (const QList<QVariant> &args : *m_data)
            out << args.at(0).toStringList().join(QLatin1Char(','));
        m_data->clear();
        return out;
    }

    VaylaRGBFanView *m_view = nullptr;
    QSignalSpy *m_data = nullptr;
};

void TestVaylaControls::init()
{
    m_view = new VaylaRGBFanView;
    m_view->setFanNumber(1);
    m_view->show();
    m_data = new QSignalSpy(m_view, &VaylaRGBFanView::sendData);
}

void TestVaylaControls::cleanup()
{
    delete m_data;
    delete m_view;
}

void TestVaylaControls::speedSliderPresetsAndPwm()
{
    auto *slider = child<QSlider>("slider_RPM_Fan");
    auto *performance = child<QPushButton>("Performance");
    auto *silent = child<QPushButton>("Silent");

    slider->setValue(3);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("60 %"));
    click("PWM");
    QCOMPARE(m_view->speedSummary(), QStringLiteral("80 %"));
    QCOMPARE(sent(), (QStringList{"changeSliderFanSpeed,1,3", "btn_pwm,1,1"}));

    // A preset moves the slider, whose own message goes first.
    click("Silent");
    QCOMPARE(sent(), (QStringList{"changeSliderFanSpeed,1,0", "btn_silent,1"}));
    QCOMPARE(m_view->speedSummary(), QStringLiteral("Silent  50 %"));
    QVERIFY(silent->isChecked());
    QCOMPARE(m_view->speedMode(), 1);
    // The active preset pressed again stays active and sends nothing.
    click("Silent");
    QVERIFY(silent->isChecked());
    QCOMPARE(sent(), QStringList());

    click("Performance");
    QCOMPARE(sent(), (QStringList{"changeSliderFanSpeed,1,5", "btn_performance,1"}));
    QVERIFY(performance->isChecked());
    QVERIFY(!silent->isChecked());
    QCOMPARE(m_view->speedSummary(), QStringLiteral("Performance\n100 %"));
    click("PWM");
    QCOMPARE(m_view->speedSummary(), QStringLiteral("Performance\n100 %"));
    slider->setValue(1);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("20 %"));
    QVERIFY(!performance->isChecked());
    QCOMPARE(sent(), (QStringList{"btn_pwm,1,0", "changeSliderFanSpeed,1,1"}));

    // Values the slider cannot hold are refused.
    m_view->changeSliderFanSpeed(6);
    m_view->changeSliderFanSpeed(-1);
    QCOMPARE(sent(), QStringList());
    QCOMPARE(m_view->fanSpeed(), 1);
}

void TestVaylaControls::lightingOffAndMonitorButtons()
{
    auto *rgb = child<QPushButton>("RGB");
    auto *blink = child<QPushButton>("Blink");
    auto *off = child<QPushButton>("Off");
    auto *bright = child<QSlider>("slider_Light_Fan");
    auto *cover = child<QLabel>("closedCover");

    m_view->setTurnOff(true);
    click("RGB");
    QVERIFY(!off->isChecked());
    QVERIFY(!bright->isEnabled());
    click("Blink");
    QVERIFY(!rgb->isChecked());
    QVERIFY(bright->isEnabled());
    // Off changes no other button.
    click("Off");
    QVERIFY(blink->isChecked());
    click("Blink");
    click("RGB");
    click("RGB");
    QVERIFY(bright->isEnabled());

    click("monitorSwitch");
    QVERIFY(cover->isHidden());
    click("monitorSwitch");
    QVERIFY(!cover->isHidden());
    QCOMPARE(sent(), (QStringList{"btn_done,1,1", "btn_done,1,2", "btn_turnoff,1,1", "btn_done,1,0", "btn_done,1,1",
                                  "btn_done,1,0", "pushMonitor,1,1", "pushMonitor,1,0"}));
}

void TestVaylaControls::copyButtonOnlyBeyondTheFirstFan()
{
    auto *copy = child<QPushButton>("btn_Copy");
    auto *title = child<QLabel>("fanTitle");
    QVERIFY(!copy->isHidden());
    m_view->setFanNumber(0);
    QVERIFY(copy->isHidden());
    QCOMPARE(title->text(), QStringLiteral("FAN 1"));
    m_view->setFanNumber(2);
    m_view->setFanNumber(3);
    m_view->setFanNumber(-1);
    QVERIFY(!copy->isHidden());
    QCOMPARE(title->text(), QStringLiteral("FAN 3"));

    m_view->setLightMode(1);
    click("btn_Copy");
    QCOMPARE(sent(), QStringList{"btn_copy,2,1"});
    QVERIFY(child<QSlider>("slider_Light_Fan")->isEnabled());
}

void TestVaylaControls::brightnessSliderMessage()
{
    auto *bright = child<QSlider>("slider_Light_Fan");
    for (int v : {30, 100, 0, 1})
        bright->setValue(v);
    QCOMPARE(m_view->brightValue(), 0.99f);
    QCOMPARE(sent(), (QStringList{"changeSliderLight,1,0.7", "changeSliderLight,1,0", "changeSliderLight,1,1",
                                  "changeSliderLight,1,0.99"}));
    m_view->changeSliderLight(101);
    m_view->changeSliderLight(-1);
    QCOMPARE(sent(), QStringList());
    QCOMPARE(m_view->brightValue(), 0.99f);
}

void TestVaylaControls::settersEmitNothingAndCheckRanges()
{
    QSignalSpy rgb(m_view, &VaylaRGBFanView::sendRGBData);
    auto *bright = child<QSlider>("slider_Light_Fan");

    m_view->setRGB(300, -5, 128, 1.5f);
    QCOMPARE(QColor(m_view->selectR(), m_view->selectG(), m_view->selectB()), QColor(255, 0, 128));
    QCOMPARE(m_view->brightValue(), 1.0f);
    // (1 - 0.3) * 100 lies just under 70 in float; the slider must still show 70.
    m_view->setRGB(10, 20, 30, 0.3f);
    QCOMPARE(bright->value(), 70);
    m_view->setBright(std::numeric_limits<float>::quiet_NaN());
    QCOMPARE(m_view->brightValue(), 0.3f);
    m_view->setBright(-2.0f);
    QCOMPARE(bright->value(), 100);

    m_view->setFanSpeed(9);
    QCOMPARE(child<QSlider>("slider_RPM_Fan")->value(), 5);
    QVERIFY(child<QPushButton>("Performance")->isChecked());
    m_view->setFanSpeed(4);
    QCOMPARE(m_view->speedMode(), 0);
    QVERIFY(!child<QPushButton>("Performance")->isChecked());
    m_view->setPWM(true);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("90 %"));

    m_view->setLightMode(2);
    m_view->setLightMode(3);
    QCOMPARE(m_view->lightMode(), 2);
    QVERIFY(child<QPushButton>("Blink")->isChecked());
    m_view->setTurnOff(true);
    m_view->setRPM(1234);
    QCOMPARE(child<QLabel>("rpmNumber")->text(), QStringLiteral("1234"));
    m_view->setMonitor(false);
    QVERIFY(!child<QLabel>("closedCover")->isHidden());
    m_view->setFanOk(false);
    QVERIFY(!child<QLabel>("fanErrorCover")->isHidden());
    m_view->setFanOk(true);
    QVERIFY(child<QLabel>("fanErrorCover")->isHidden());
    m_view->resetLanguage(3);
    m_view->resetLanguage(7);

    QCOMPARE(sent(), QStringList());
    QCOMPARE(rgb.count(), 0);
}

QTEST_MAIN(TestVaylaControls)
#include "test_vayla_controls.moc"
