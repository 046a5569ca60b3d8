// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's body: the carousel of RGB fan panels, the second fan
// views, the relays of their messages and the per-fan setters.
#include "ShownState.h"

#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"

#include <QApplication>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>
#include <QTextEdit>

using namespace MainViewRules;

namespace {
QLabel *frame(MainView &view, int i)
{
    return view.findChild<QLabel *>(QStringLiteral("vaylaFrame%1").arg(i));
}

QString vaylaRpm(MainView &view, int i)
{
    return view.vaylaView(i)->findChild<QLabel *>(QStringLiteral("rpmNumber"))->text();
}

QString panelRpm(MainView &view, int i)
{
    return view.fanPanel(i)->findChild<QLabel *>(QStringLiteral("label_rpm"))->text();
}

bool vaylaErrorShown(MainView &view, int i)
{
    return !view.vaylaView(i)->findChild<QLabel *>(QStringLiteral("fanErrorCover"))->isHidden();
}

// Panels in stacking order, bottom first.
QVector<int> stacking(MainView &view)
{
    QVector<int> order;
    for (QObject *child : view.children()) {
        for (int k = 0; k < 5; ++k) {
            if (child == view.fanPanel(k))
                order.append(k);
        }
    }
    return order;
}

QStringList list13(int base)
{
    QStringList values;
    for (int i = 0; i < 13; ++i)
        values << QString::number(base + i);
    return values;
}
}

class TestMainViewPanels : public QObject {
    Q_OBJECT
private slots:
    void startLayout();
    void carouselTurns();
    void relaysUnchanged();
    void boxTypeSwitchesBody();
    void forwardsToPanels();
    void forwardsToVaylaViews();
    void dispatchesReadingsByBoxType();
    void coverFadeRestoresCovers();
    void infoWindow();
    void refusesOutOfRange();
};

void TestMainViewPanels::startLayout()
{
    MainView view;
    for (int k = 0; k < 5; ++k) {
        QVERIFY(view.fanPanel(k));
        QCOMPARE(view.fanPanel(k)->fanNumber(), k);
        QCOMPARE(view.fanPanel(k)->fanLocation(), k);
        QCOMPARE(view.fanPanel(k)->geometry(), carouselRect(k));
    }
    // The three front panels lie above the two at the back.
    const QVector<int> order = stacking(view);
    QCOMPARE(order.size(), 5);
    QVERIFY(order.indexOf(3) < 2 && order.indexOf(4) < 2);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(frame(view, i)->geometry(), QRect(20 + 329 * i, 105, 302, 430));
        QCOMPARE(view.vaylaView(i)->fanNumber(), i);
    }
}

void TestMainViewPanels::carouselTurns()
{
    MainView view;
    QSignalSpy spy(&view, &MainView::sendData);

    emit view.fanPanel(3)->sendData(QStringList({"clockwise", "3"}));
    QCOMPARE(spy.count(), 0);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(view.fanPanel(k)->fanLocation(), (k + 4) % 5);
    // Panel 4 was at the back left; the new front three end on top.
    QCOMPARE(stacking(view), QVector<int>({4, 0, 3, 2, 1}));
    for (int k = 0; k < 5; ++k)
        QTRY_COMPARE(view.fanPanel(k)->geometry(), carouselRect((k + 4) % 5));

    emit view.fanPanel(0)->sendData(QStringList({"counterClockwise", "0"}));
    emit view.fanPanel(4)->sendData(QStringList({"counterClockwise", "4"}));
    QCOMPARE(spy.count(), 0);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(view.fanPanel(k)->fanLocation(), (k + 1) % 5);
    for (int k = 0; k < 5; ++k)
        QTRY_COMPARE(view.fanPanel(k)->geometry(), carouselRect((k + 1) % 5));

    // A turn while the previous one still runs ends where the locations say.
    emit view.fanPanel(0)->sendData(QStringList({"clockwise", "0"}));
    emit view.fanPanel(0)->sendData(QStringList({"clockwise", "0"}));
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(view.fanPanel(k)->fanLocation(), (k + 4) % 5);
        QTRY_COMPARE(view.fanPanel(k)->geometry(), carouselRect((k + 4) % 5));
    }
}

void TestMainViewPanels::relaysUnchanged()
{
    MainView view;
    QSignalSpy data(&view, &MainView::sendData);
    QSignalSpy rgb(&view, &MainView::sendRGBData);
    QSignalSpy vayla(&view, &MainView::sendVaylaData);
    QSignalSpy vaylaRgb(&view, &MainView::sendVaylaRGBData);

    const QStringList done({"btn_done", "2", "4", "1", "0"});
    emit view.fanPanel(2)->sendData(done);
    const QStringList shortList({"clockwiseX"});
    emit view.fanPanel(1)->sendData(shortList);
    QCOMPARE(data.count(), 2);
    QCOMPARE(data.at(0).at(0).toStringList(), done);
    QCOMPARE(data.at(1).at(0).toStringList(), shortList);

    emit view.fanPanel(4)->sendRGBData(list13(0), list13(10), list13(20), list13(30), 4);
    QCOMPARE(rgb.count(), 1);
    QCOMPARE(rgb.at(0).at(0).toStringList(), list13(0));
    QCOMPARE(rgb.at(0).at(2).toStringList(), list13(20));
    QCOMPARE(rgb.at(0).at(3).toStringList(), list13(30));
    QCOMPARE(rgb.at(0).at(4).toInt(), 4);

    // The carousel words are ours only when a fan panel says them.
    const QStringList turn({"clockwise", "1"});
    emit view.vaylaView(1)->sendData(turn);
    QCOMPARE(vayla.count(), 1);
    QCOMPARE(vayla.at(0).at(0).toStringList(), turn);
    QCOMPARE(view.fanPanel(0)->fanLocation(), 0);

    emit view.vaylaView(2)->sendRGBData(255, 128, 0, 0.5f, 2);
    QCOMPARE(vaylaRgb.count(), 1);
    QCOMPARE(vaylaRgb.at(0).at(0).toInt(), 255);
    QCOMPARE(vaylaRgb.at(0).at(1).toInt(), 128);
    QCOMPARE(vaylaRgb.at(0).at(3).toFloat(), 0.5f);
    QCOMPARE(vaylaRgb.at(0).at(4).toInt(), 2);
    QCOMPARE(data.count(), 2);
    QCOMPARE(vayla.count(), 1);
}

void TestMainViewPanels::boxTypeSwitchesBody()
{
    MainView view;
    ShownState shown(view);
    QCOMPARE(view.boxType(), 1);
    for (int i = 0; i < 3; ++i)
        QVERIFY(!frame(view, i)->isVisibleTo(&view));
    for (int k = 0; k < 5; ++k)
        QVERIFY(view.fanPanel(k)->isVisibleTo(&view));

    shown.setBoxType(0);
    QCOMPARE(view.boxType(), 0);
    for (int i = 0; i < 3; ++i) {
        QVERIFY(frame(view, i)->isVisibleTo(&view));
        QVERIFY(view.vaylaView(i)->isVisibleTo(&view));
    }
    for (int k = 0; k < 5; ++k)
        QVERIFY(!view.fanPanel(k)->isVisibleTo(&view));

    // Any non-zero type is an RGB box.
    shown.setBoxType(7);
    QVERIFY(!frame(view, 1)->isVisibleTo(&view));
    QVERIFY(view.fanPanel(1)->isVisibleTo(&view));
}

void TestMainViewPanels::forwardsToPanels()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy data(&view, &MainView::sendData);
    QSignalSpy rgb(&view, &MainView::sendRGBData);
    RainbowFan *panel = view.fanPanel(3);
    const int rendersBefore = view.panelRenderCount(3);

    RainbowFanRecord &record = shown.rainbow(3);
    record.lightMode = 4;
    record.colorMode = 1;
    record.lightSpeed = 2;
    record.copyLightMode = 5;
    record.isTurnOffLed = true;
    record.isPWM = false;
    shown.show();
    QCOMPARE(panel->lightMode(), 4);
    QCOMPARE(panel->colorMode(), 1);
    QCOMPARE(panel->lightSpeed(), 2);
    QCOMPARE(panel->copyLightMode(), 5);
    QVERIFY(panel->isTurnOffLed());
    QVERIFY(!panel->isPWM());
    QCOMPARE(view.fanPanel(2)->lightMode(), 0);
    QCOMPARE(view.panelRenderCount(3), rendersBefore + 1);

    // New colours alone recolour the panel; it is not rendered afresh.
    for (int i = 0; i < 13; ++i) {
        record.rValue_Led[i] = 10 + i;
        record.gValue_Led[i] = 20 + i;
        record.bValue_Led[i] = 30 + i;
        record.brightValue[i] = 0.5f;
    }
    shown.show();
    QCOMPARE(panel->ledColor(0), QColor(10, 20, 30));
    QCOMPARE(panel->ledColor(12), QColor(22, 32, 42));
    QCOMPARE(panel->ledBrightness(12), 0.5f);
    QCOMPARE(view.panelRenderCount(3), rendersBefore + 1);

    record.speedPer = 2;
    record.speedNum = 7;
    shown.show();
    QCOMPARE(panel->fanSpeedPerSlider()->value(), 2);
    QCOMPARE(panel->fanSpeedNumSlider()->value(), 7);

    record.isMonitor = false;
    shown.show();
    QVERIFY(!panel->isMonitor());
    QVERIFY(!panel->closedCover()->isHidden());
    QCOMPARE(view.panelRenderCount(3), rendersBefore + 3);

    // The same picture again changes nothing.
    shown.show();
    QCOMPARE(view.panelRenderCount(3), rendersBefore + 3);

    // Filling a panel is not a user action.
    QCOMPARE(data.count(), 0);
    QCOMPARE(rgb.count(), 0);
}

void TestMainViewPanels::forwardsToVaylaViews()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy vayla(&view, &MainView::sendVaylaData);
    QSignalSpy vaylaRgb(&view, &MainView::sendVaylaRGBData);
    shown.setBoxType(0);
    VaylaRGBFanView *fan = view.vaylaView(2);

    VaylaFanRecord &record = shown.vayla(2);
    record.rValue = 12;
    record.gValue = 34;
    record.bValue = 56;
    record.brightValue = 0.75f;
    shown.show();
    QCOMPARE(fan->selectR(), 12);
    QCOMPARE(fan->selectG(), 34);
    QCOMPARE(fan->selectB(), 56);
    record.brightValue = 0.25f;
    record.lightMode = 2;
    shown.show();
    QCOMPARE(fan->brightValue(), 0.25f);
    QCOMPARE(fan->lightMode(), 2);
    record.speed = 0;
    shown.show();
    QCOMPARE(fan->fanSpeed(), 0);
    QCOMPARE(fan->speedMode(), 1);
    record.isMonitor = false;
    shown.show();
    QVERIFY(!fan->findChild<QLabel *>(QStringLiteral("closedCover"))->isHidden());
    record.isMonitor = true;
    shown.show();
    QVERIFY(fan->findChild<QLabel *>(QStringLiteral("closedCover"))->isHidden());
    QCOMPARE(fan->lightMode(), 2);
    QCOMPARE(view.vaylaView(0)->lightMode(), 0);
    QCOMPARE(vayla.count(), 0);
    QCOMPARE(vaylaRgb.count(), 0);
}

void TestMainViewPanels::dispatchesReadingsByBoxType()
{
    MainView view;
    ShownState shown(view);
    shown.setReading(1, 1234, true);
    QCOMPARE(panelRpm(view, 1), QStringLiteral("1234"));
    QVERIFY(view.fanPanel(1)->isWarningShown());
    QCOMPARE(vaylaRpm(view, 1), QStringLiteral("0"));
    QVERIFY(!vaylaErrorShown(view, 1));
    // Fan 4 exists on an RGB box only.
    shown.setReading(4, 900, false);
    QCOMPARE(panelRpm(view, 4), QStringLiteral("900"));
    shown.setReading(1, 1234, false);
    QVERIFY(!view.fanPanel(1)->isWarningShown());

    shown.setBoxType(0);
    shown.setReading(1, 777, true);
    QCOMPARE(vaylaRpm(view, 1), QStringLiteral("777"));
    QVERIFY(vaylaErrorShown(view, 1));
    QCOMPARE(panelRpm(view, 1), QStringLiteral("1234"));
    QVERIFY(!view.fanPanel(1)->isWarningShown());
    shown.setReading(1, 777, false);
    QVERIFY(!vaylaErrorShown(view, 1));
    // No reading any more (the box changed its kind): nothing is shown stopped.
    shown.setReading(1, 0, true);
    QVERIFY(vaylaErrorShown(view, 1));
    shown.setReading(1, -1, false);
    QVERIFY(!vaylaErrorShown(view, 1));

    // A second-type box has three fans: the readings of fans 3 and 4 go nowhere.
    shown.setReading(3, 555, false);
    shown.setReading(4, 1, true);
    QCOMPARE(panelRpm(view, 3), QStringLiteral("0"));
    QVERIFY(!view.fanPanel(4)->isWarningShown());
}

void TestMainViewPanels::coverFadeRestoresCovers()
{
    MainView view;
    ShownState shown(view);
    shown.rainbow(2).isMonitor = false;
    shown.show();
    shown.setReading(0, 0, true); // a stopped fan keeps its controls in sight, without a fade
    view.selectProfile();
    // Only open panels without a warning fade in.
    int running = 0;
    for (QPropertyAnimation *a : view.findChildren<QPropertyAnimation *>()) {
        if (a->propertyName() == "opacity" && a->state() == QAbstractAnimation::Running)
            ++running;
    }
    QCOMPARE(running, 3);
    QVERIFY(!view.fanPanel(1)->closedCover()->isHidden());
    QTRY_VERIFY(view.fanPanel(1)->closedCover()->isHidden());
    QTRY_VERIFY(view.fanPanel(3)->closedCover()->isHidden());
    QVERIFY(!view.fanPanel(2)->closedCover()->isHidden());
    QVERIFY(view.fanPanel(0)->closedCover()->isHidden());
    QVERIFY(view.fanPanel(0)->isWarningShown());
    // Covers fade by their own opacity; a graphics effect on a back panel's
    // cover painted over the panels in front of it.
    for (int k = 0; k < 5; ++k) {
        QCOMPARE(view.fanPanel(k)->closedCover()->property("opacity").toReal(), 1.0);
        QVERIFY(!view.fanPanel(k)->closedCover()->graphicsEffect());
    }
}

void TestMainViewPanels::infoWindow()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy spy(&view, &MainView::sendData);
    shown.appendInfo(QStringLiteral("CPU Package: 41"));
    shown.appendInfo(QStringLiteral("Core #0: 39"));
    QPushButton *info = view.findChild<QPushButton *>(QStringLiteral("Info"));
    QCOMPARE(info->geometry(), QRect(200, 570, 40, 20));
    info->click();
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), QStringList({"showInfo", "showInfo"}));
    QWidget *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("InfoView"))
            window = w;
    }
    QVERIFY(window);
    QVERIFY(window->isVisible());
    const QString text = window->findChild<QTextEdit *>()->toPlainText();
    QVERIFY(text.contains(QLatin1String("CPU Package: 41")));
    QVERIFY(text.contains(QLatin1String("Core #0: 39")));
    info->click();
    QCOMPARE(spy.count(), 2);
}

void TestMainViewPanels::refusesOutOfRange()
{
    MainView view;
    ShownState shown(view);
    const QRegularExpression refused(QStringLiteral("refused"));
    for (int fan : {-1, 5}) {
        QTest::ignoreMessage(QtWarningMsg, refused);
        QVERIFY(!view.fanPanel(fan));
        // A fan the state does not have is an empty one.
        QCOMPARE(shown.state.fan(fan), FanView());
    }
    for (int fan : {-1, 3}) {
        QTest::ignoreMessage(QtWarningMsg, refused);
        QVERIFY(!view.vaylaView(fan));
    }
    // Values no record should hold are refused by the panel, which keeps what it shows.
    shown.rainbow(0).lightMode = 15;
    shown.rainbow(0).rValue_Led[0] = 256;
    QTest::ignoreMessage(QtWarningMsg, refused);
    QTest::ignoreMessage(QtWarningMsg, refused);
    shown.show();
    QCOMPARE(view.fanPanel(0)->ledColor(0), QColor(255, 0, 0));
    for (int k = 0; k < 5; ++k)
        QCOMPARE(view.fanPanel(k)->lightMode(), 0);
    for (int i = 0; i < 3; ++i)
        QCOMPARE(view.vaylaView(i)->lightMode(), 0);
}

QTEST_MAIN(TestMainViewPanels)
#include "test_mainview_panels.moc"
