// Buttons, sliders and setters of the single-colour fan panel and the
// messages they send.
#include "ui/VaylaRGBFanView.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QtTest>

#include <limits>

namespace {

QStringList messages(const QSignalSpy &spy)
{
    QStringList out;
    for (const QList<QVariant> &args : spy)
        out << args.at(0).toStringList().join(QLatin1Char(','));
    return out;
}

} // namespace

class TestVaylaControls : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void speedSummaryFollowsPwm();
    void presetsMoveTheSlider();
    void pwmOffAndMonitorMessages();
    void lightingButtons();
    void copyButtonOnlyBeyondTheFirstFan();
    void brightnessSliderMessage();
    void settersEmitNothingAndCheckRanges();
    void coversFollowMonitorAndFanState();

private:
    template <typename T> T *child(const char *name) const
    {
        T *w = m_view->findChild<T *>(QLatin1String(name));
        if (!w)
            qFatal("missing child %s", name);
        return w;
    }

    VaylaRGBFanView *m_view = nullptr;
};

void TestVaylaControls::init()
{
    m_view = new VaylaRGBFanView;
    m_view->setFanNumber(1);
    m_view->show();
}

void TestVaylaControls::cleanup()
{
    delete m_view;
    m_view = nullptr;
}

void TestVaylaControls::speedSummaryFollowsPwm()
{
    auto *slider = child<QSlider>("slider_RPM_Fan");
    QSignalSpy data(m_view, &VaylaRGBFanView::sendData);

    slider->setValue(3);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("60 %"));
    QCOMPARE(messages(data), QStringList{"changeSliderFanSpeed,1,3"});
    QCOMPARE(m_view->fanSpeed(), 3);
    QCOMPARE(m_view->speedMode(), 0);

    m_view->setPWM(true);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("80 %"));
    slider->setValue(0);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("Silent  50 %"));
    QVERIFY(child<QPushButton>("Silent")->isChecked());
    QVERIFY(!child<QPushButton>("Performance")->isChecked());
    QCOMPARE(m_view->speedMode(), 1);
    slider->setValue(5);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("Performance\n100 %"));
    QVERIFY(child<QPushButton>("Performance")->isChecked());
    QVERIFY(!child<QPushButton>("Silent")->isChecked());

    m_view->setPWM(false);
    slider->setValue(1);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("20 %"));
    slider->setValue(0);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("Silent  0 %"));

    // A value the slider cannot hold is refused.
    data.clear();
    m_view->changeSliderFanSpeed(6);
    m_view->changeSliderFanSpeed(-1);
    QCOMPARE(data.count(), 0);
    QCOMPARE(slider->value(), 0);
}

void TestVaylaControls::presetsMoveTheSlider()
{
    auto *slider = child<QSlider>("slider_RPM_Fan");
    auto *performance = child<QPushButton>("Performance");
    auto *silent = child<QPushButton>("Silent");
    QSignalSpy data(m_view, &VaylaRGBFanView::sendData);

    QTest::mouseClick(silent, Qt::LeftButton);
    QCOMPARE(messages(data), (QStringList{"changeSliderFanSpeed,1,0", "btn_silent,1"}));
    QCOMPARE(slider->value(), 0);
    QVERIFY(silent->isChecked());
    QVERIFY(!performance->isChecked());

    // The active preset pressed again stays active and sends nothing.
    data.clear();
    QTest::mouseClick(silent, Qt::LeftButton);
    QVERIFY(silent->isChecked());
    QCOMPARE(data.count(), 0);

    QTest::mouseClick(performance, Qt::LeftButton);
    QCOMPARE(messages(data), (QStringList{"changeSliderFanSpeed,1,5", "btn_performance,1"}));
    QCOMPARE(slider->value(), 5);
    QCOMPARE(m_view->fanSpeed(), 5);
    QCOMPARE(m_view->speedMode(), 2);
    QVERIFY(performance->isChecked());
    QVERIFY(!silent->isChecked());
}

void TestVaylaControls::pwmOffAndMonitorMessages()
{
    QSignalSpy data(m_view, &VaylaRGBFanView::sendData);
    child<QSlider>("slider_RPM_Fan")->setValue(2);
    data.clear();

    QTest::mouseClick(child<QPushButton>("PWM"), Qt::LeftButton);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("70 %"));
    QTest::mouseClick(child<QPushButton>("PWM"), Qt::LeftButton);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("40 %"));

    // Off changes no other button.
    m_view->setLightMode(2);
    QTest::mouseClick(child<QPushButton>("Off"), Qt::LeftButton);
    QVERIFY(child<QPushButton>("Blink")->isChecked());
    QTest::mouseClick(child<QPushButton>("Off"), Qt::LeftButton);

    auto *monitor = child<QPushButton>("monitorSwitch");
    auto *cover = child<QLabel>("closedCover");
    QTest::mouseClick(monitor, Qt::LeftButton);
    QVERIFY(cover->isHidden());
    QTest::mouseClick(monitor, Qt::LeftButton);
    QVERIFY(!cover->isHidden());

    QCOMPARE(messages(data), (QStringList{"btn_pwm,1,1", "btn_pwm,1,0", "btn_turnoff,1,1", "btn_turnoff,1,0",
                                          "pushMonitor,1,1", "pushMonitor,1,0"}));
}

void TestVaylaControls::lightingButtons()
{
    auto *rgb = child<QPushButton>("RGB");
    auto *blink = child<QPushButton>("Blink");
    auto *off = child<QPushButton>("Off");
    auto *bright = child<QSlider>("slider_Light_Fan");
    QSignalSpy data(m_view, &VaylaRGBFanView::sendData);

    m_view->setTurnOff(true);
    QTest::mouseClick(rgb, Qt::LeftButton);
    QVERIFY(rgb->isChecked());
    QVERIFY(!off->isChecked());
    QVERIFY(!bright->isEnabled());
    QCOMPARE(m_view->lightMode(), 1);

    QTest::mouseClick(blink, Qt::LeftButton);
    QVERIFY(!rgb->isChecked());
    QVERIFY(bright->isEnabled());
    QCOMPARE(m_view->lightMode(), 2);

    QTest::mouseClick(blink, Qt::LeftButton);
    QCOMPARE(m_view->lightMode(), 0);

    QTest::mouseClick(rgb, Qt::LeftButton);
    QTest::mouseClick(rgb, Qt::LeftButton);
    QVERIFY(bright->isEnabled());

    QCOMPARE(messages(data),
             (QStringList{"btn_done,1,1", "btn_done,1,2", "btn_done,1,0", "btn_done,1,1", "btn_done,1,0"}));
}

void TestVaylaControls::copyButtonOnlyBeyondTheFirstFan()
{
    auto *copy = child<QPushButton>("btn_Copy");
    auto *title = child<QLabel>("fanTitle");
    QVERIFY(!copy->isHidden());
    QCOMPARE(title->text(), QStringLiteral("FAN 2"));

    m_view->setFanNumber(0);
    QVERIFY(copy->isHidden());
    QCOMPARE(title->text(), QStringLiteral("FAN 1"));
    m_view->setFanNumber(2);
    QVERIFY(!copy->isHidden());
    QCOMPARE(title->text(), QStringLiteral("FAN 3"));

    // Out of range: nothing changes.
    m_view->setFanNumber(3);
    m_view->setFanNumber(-1);
    QCOMPARE(m_view->fanNumber(), 2);
    QCOMPARE(title->text(), QStringLiteral("FAN 3"));

    QSignalSpy data(m_view, &VaylaRGBFanView::sendData);
    m_view->setLightMode(1);
    child<QSlider>("slider_Light_Fan")->setEnabled(false);
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(messages(data), QStringList{"btn_copy,2,1"});
    QVERIFY(child<QSlider>("slider_Light_Fan")->isEnabled());
}

void TestVaylaControls::brightnessSliderMessage()
{
    auto *bright = child<QSlider>("slider_Light_Fan");
    QSignalSpy data(m_view, &VaylaRGBFanView::sendData);
    bright->setValue(30);
    QCOMPARE(m_view->brightValue(), 0.7f);
    bright->setValue(100);
    QCOMPARE(m_view->brightValue(), 0.0f);
    bright->setValue(0);
    QCOMPARE(m_view->brightValue(), 1.0f);
    bright->setValue(1);
    QCOMPARE(messages(data), (QStringList{"changeSliderLight,1,0.7", "changeSliderLight,1,0",
                                          "changeSliderLight,1,1", "changeSliderLight,1,0.99"}));
    data.clear();
    m_view->changeSliderLight(101);
    m_view->changeSliderLight(-1);
    QCOMPARE(data.count(), 0);
    QCOMPARE(m_view->brightValue(), 0.99f);
}

void TestVaylaControls::settersEmitNothingAndCheckRanges()
{
    QSignalSpy data(m_view, &VaylaRGBFanView::sendData);
    QSignalSpy rgb(m_view, &VaylaRGBFanView::sendRGBData);
    auto *bright = child<QSlider>("slider_Light_Fan");
    auto *speed = child<QSlider>("slider_RPM_Fan");

    m_view->setRGB(300, -5, 128, 1.5f);
    QCOMPARE(m_view->selectR(), 255);
    QCOMPARE(m_view->selectG(), 0);
    QCOMPARE(m_view->selectB(), 128);
    QCOMPARE(m_view->brightValue(), 1.0f);
    QCOMPARE(bright->value(), 0);

    // (1 - 0.3) * 100 lies just under 70 in float; the slider must still show 70.
    m_view->setRGB(10, 20, 30, 0.3f);
    QCOMPARE(bright->value(), 70);
    QCOMPARE(m_view->brightValue(), 0.3f);
    m_view->setBright(std::numeric_limits<float>::quiet_NaN());
    QCOMPARE(m_view->brightValue(), 0.3f);
    m_view->setBright(-2.0f);
    QCOMPARE(m_view->brightValue(), 0.0f);
    QCOMPARE(bright->value(), 100);
    m_view->setBright(0.55f);
    QCOMPARE(bright->value(), 45);

    m_view->setFanSpeed(9);
    QCOMPARE(speed->value(), 5);
    QCOMPARE(m_view->speedMode(), 2);
    QVERIFY(child<QPushButton>("Performance")->isChecked());
    m_view->setFanSpeed(0);
    QCOMPARE(m_view->speedMode(), 1);
    QVERIFY(child<QPushButton>("Silent")->isChecked());
    QVERIFY(!child<QPushButton>("Performance")->isChecked());
    m_view->setFanSpeed(4);
    QCOMPARE(m_view->speedMode(), 0);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("80 %"));
    m_view->setPWM(true);
    QCOMPARE(m_view->speedSummary(), QStringLiteral("90 %"));
    QVERIFY(child<QPushButton>("PWM")->isChecked());

    m_view->setLightMode(2);
    QVERIFY(child<QPushButton>("Blink")->isChecked());
    m_view->setLightMode(3);
    m_view->setLightMode(-1);
    QCOMPARE(m_view->lightMode(), 2);
    m_view->setLightMode(0);
    QVERIFY(!child<QPushButton>("Blink")->isChecked());
    QVERIFY(!child<QPushButton>("RGB")->isChecked());

    m_view->setTurnOff(true);
    QVERIFY(child<QPushButton>("Off")->isChecked());
    m_view->setRPM(1234);
    QCOMPARE(child<QLabel>("rpmNumber")->text(), QStringLiteral("1234"));
    m_view->setMonitor(true);
    m_view->setFanOk(true);
    m_view->resetLanguage(3);
    m_view->resetLanguage(7);

    QCOMPARE(data.count(), 0);
    QCOMPARE(rgb.count(), 0);
}

void TestVaylaControls::coversFollowMonitorAndFanState()
{
    auto *closed = child<QLabel>("closedCover");
    auto *error = child<QLabel>("fanErrorCover");
    QVERIFY(closed->isHidden());
    QVERIFY(error->isHidden());
    m_view->setMonitor(false);
    QVERIFY(!closed->isHidden());
    QVERIFY(!child<QPushButton>("monitorSwitch")->isChecked());
    m_view->setMonitor(true);
    QVERIFY(closed->isHidden());
    QVERIFY(child<QPushButton>("monitorSwitch")->isChecked());
    m_view->setFanOk(false);
    QVERIFY(!error->isHidden());
    m_view->setFanOk(true);
    QVERIFY(error->isHidden());
}

QTEST_MAIN(TestVaylaControls)
#include "test_vayla_controls.moc"
