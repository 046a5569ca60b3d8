// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's own controls: box strip, profiles, settings menu, password
// keypad, footer and dragging, on real widgets.
#include "ShownState.h"
#include "core/CoreState.h"
#include "device/DeviceBus.h"

#include "ui/MainView.h"

#include <QButtonGroup>
#include <QLabel>
#include <QMouseEvent>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

using namespace MainViewRules;

namespace {
QPushButton *profileButton(MainView &view, int k)
{
    return view.findChild<QPushButton *>(QString::number(k), Qt::FindDirectChildrenOnly);
}

QPushButton *boxButton(MainView &view, int k)
{
    return view.findChild<QScrollArea *>()->widget()->findChild<QPushButton *>(QString::number(k));
}

QPushButton *named(MainView &view, const QString &name)
{
    return view.findChild<QPushButton *>(name);
}

QLabel *label(MainView &view, const char *name)
{
    return view.findChild<QLabel *>(QLatin1String(name));
}

QString digits(MainView &view)
{
    QString entry;
    for (int k = 0; k < 4; ++k)
        entry += label(view, QStringLiteral("label_password%1").arg(k).toLatin1().constData())->text();
    return entry;
}

int runningFades(MainView &view)
{
    int running = 0;
    for (QPropertyAnimation *a : view.findChildren<QPropertyAnimation *>()) {
        if (a->propertyName() == "opacity" && a->state() == QAbstractAnimation::Running)
            ++running;
    }
    return running;
}

void sendMouse(QWidget *w, QEvent::Type type, const QPoint &pos)
{
    QMouseEvent event(type, pos, w->mapToGlobal(pos), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}
}

class TestMainViewTopBar : public QObject {
    Q_OBJECT
private slots:
    void layout();
    void boxButtons();
    void boxStripScroll();
    void profiles();
    void settingsMenu();
    void keypad();
    void footer();
    void musicNotice();
    void keypadByKeyboard();
    void dragging();
    void refusesOutOfRange();
};

void TestMainViewTopBar::layout()
{
    MainView view;
    QCOMPARE(view.size(), QSize(999, 606));
    QVERIFY(view.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(named(view, QStringLiteral("btn_save"))->geometry(), QRect(879, 79, 102, 25));
    QCOMPARE(named(view, QStringLiteral("Close_Window"))->geometry(), QRect(969, 2, 22, 22));
    QCOMPARE(view.findChildren<QPushButton *>(QStringLiteral("Min_Window")).size(), 2);
    for (int k = 0; k < 5; ++k)
        QCOMPARE(profileButton(view, k)->geometry(), QRect(671 + 64 * k, 30, 57, 34));
    QCOMPARE(profileButton(view, 4)->text(), QStringLiteral("PROFILE5"));
    QVERIFY(profileButton(view, 0)->isChecked());
    QCOMPARE(boxButton(view, 15)->geometry(), QRect(675, 3, 38, 28));
    QCOMPARE(boxButton(view, 15)->text(), QStringLiteral("16"));
    for (int k = 0; k < 10; ++k) {
        QPushButton *menu = named(view, QStringLiteral("MutiLang%1").arg(k));
        QVERIFY(menu);
        QCOMPARE(menu->geometry(), QRect(5, 5 + 35 * k, 120, 30));
        QCOMPARE(menu->isCheckable(), k != 9);
    }
    QCOMPARE(named(view, QStringLiteral("Keyboard5"))->geometry(), QRect(119, 167, 57, 57));
    QCOMPARE(named(view, QStringLiteral("Keyboard9"))->geometry(), QRect(196, 234, 57, 57));
    QCOMPARE(named(view, QStringLiteral("Keyboard0"))->geometry(), QRect(119, 301, 57, 57));
    QCOMPARE(named(view, QStringLiteral("Keyboard11"))->geometry(), QRect(196, 301, 57, 57));
    QCOMPARE(label(view, "label_keyboardPanel")->geometry(), QRect(349, 109, 299, 388));
    QCOMPARE(label(view, "label_profile")->text(), QStringLiteral("PROFILE_1"));
    QVERIFY(!label(view, "widget_language")->isVisibleTo(&view));
    QVERIFY(!label(view, "label_keyboardMask")->isVisibleTo(&view));
}

void TestMainViewTopBar::boxButtons()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy spy(&view, &MainView::sendData);
    shown.setBoxButtonPresent(3, false);
    shown.setBoxButtonPresent(5, true);

    // An absent box: nothing leaves, nothing fades, the choice stays.
    QTest::mouseClick(boxButton(view, 3), Qt::LeftButton);
    QCOMPARE(spy.count(), 0);
    QCOMPARE(runningFades(view), 0);
    QCOMPARE(view.currentBox(), 0);
    QVERIFY(!boxButton(view, 3)->isChecked());

    QTest::mouseClick(boxButton(view, 5), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), QStringList({"changeControllerBox", "5"}));
    QCOMPARE(view.currentBox(), 5);
    QVERIFY(boxButton(view, 5)->isChecked());
    QVERIFY(runningFades(view) > 0);

    // The box already shown is announced again.
    QTest::mouseClick(boxButton(view, 5), Qt::LeftButton);
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toStringList(), QStringList({"changeControllerBox", "5"}));
    QTRY_COMPARE(runningFades(view), 0);

    shown.checkBoxButton(7);
    QVERIFY(boxButton(view, 7)->isChecked());
    QCOMPARE(spy.count(), 2);

    shown.setBoxButtonAlarm(5, true);
    QVERIFY(boxButton(view, 5)->styleSheet().contains(QLatin1String("device_r.png")));
    shown.setBoxButtonAlarm(5, false);
    QVERIFY(!boxButton(view, 5)->styleSheet().contains(QLatin1String("device_r.png")));
    QVERIFY(boxButton(view, 5)->styleSheet().contains(QLatin1String("font-size:16px;color:white")));
    shown.setBoxButtonAlarm(3, false);
    QVERIFY(boxButton(view, 3)->styleSheet().contains(QLatin1String("font-size:14px;color:gray")));

    // A silent box looks neither absent nor merely alarmed, and keeps that look
    // through an alarm change until it answers again or its presence is told anew.
    const QString alarmLook = [&] { shown.setBoxButtonAlarm(5, true); return boxButton(view, 5)->styleSheet(); }();
    shown.setBoxButtonAnswering(5, false);
    const QString silentLook = boxButton(view, 5)->styleSheet();
    QVERIFY(silentLook != alarmLook);
    QVERIFY(silentLook.contains(QLatin1String("device_a.png")));
    shown.setBoxButtonAlarm(5, false);
    QCOMPARE(boxButton(view, 5)->styleSheet(), silentLook);
    shown.setBoxButtonAnswering(5, true);
    QVERIFY(boxButton(view, 5)->styleSheet().contains(QLatin1String("font-size:16px;color:white")));
    shown.setBoxButtonAnswering(5, false);
    // Plugged in again: its presence is told anew, and the new link answers.
    shown.setBoxButtonPresent(5, false);
    shown.window.boxes[5].answering = true;
    shown.setBoxButtonPresent(5, true);
    QVERIFY(boxButton(view, 5)->styleSheet().contains(QLatin1String("font-size:16px;color:white")));
    // Told present while still silent, it stays amber: the look follows the state.
    shown.setBoxButtonAnswering(5, false);
    shown.setBoxButtonPresent(5, false);
    shown.setBoxButtonPresent(5, true);
    QVERIFY(boxButton(view, 5)->styleSheet().contains(QLatin1String("device_a.png")));
}

void TestMainViewTopBar::boxStripScroll()
{
    MainView view;
    view.show(); // the strip gets its final viewport when polished
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QScrollBar *bar = view.findChild<QScrollArea *>()->horizontalScrollBar();
    QCOMPARE(bar->maximum(), 495);
    QPushButton *left = named(view, QStringLiteral("ArrowLeft"));
    QPushButton *right = named(view, QStringLiteral("ArrowRight"));

    bar->setValue(480);
    right->click();
    QCOMPARE(bar->value(), 495);
    right->click();
    QCOMPARE(bar->value(), 495);
    bar->setValue(40);
    left->click();
    QCOMPARE(bar->value(), 0);
    bar->setValue(44);
    left->click();
    QCOMPARE(bar->value(), 0);
    bar->setValue(100);
    left->click();
    QCOMPARE(bar->value(), 55);
    right->click();
    QCOMPARE(bar->value(), 100);
}

void TestMainViewTopBar::profiles()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy spy(&view, &MainView::sendData);
    QTest::mouseClick(profileButton(view, 2), Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), QStringList({"selectProfile", "2"}));
    QVERIFY(runningFades(view) > 0);
    QTRY_COMPARE(runningFades(view), 0);

    named(view, QStringLiteral("btn_save"))->click();
    QCOMPARE(spy.count(), 2);
    QCOMPARE(spy.at(1).at(0).toStringList(), QStringList({"saveProfile", "1"}));

    shown.setProfile(5);
    QVERIFY(profileButton(view, 4)->isChecked());
    QVERIFY(!profileButton(view, 2)->isChecked());
    shown.setProfile(4);
    QCOMPARE(label(view, "label_profile")->text(), QStringLiteral("PROFILE_4"));
    QCOMPARE(view.currentProfile(), 4);
    QCOMPARE(spy.count(), 2);

    // The label follows the stored profile when the language changes.
    shown.resetLanguage(5);
    QCOMPARE(label(view, "label_profile")->text(), QStringLiteral("PROFILE_4"));
    // No caption is drawn under 9 px: a long one breaks onto two lines instead.
    const QRegularExpressionMatch size =
        QRegularExpression(QStringLiteral("font-size:(\\d+)px")).match(profileButton(view, 0)->styleSheet());
    QVERIFY(size.hasMatch() && size.captured(1).toInt() >= 9);
    shown.resetLanguage(0);
    QVERIFY(profileButton(view, 0)->styleSheet().contains(QLatin1String("font-size:10px")));
    shown.resetLanguage(3);
    // 12 px at most; a caption too long for it shrinks to fit.
    const QRegularExpressionMatch german =
        QRegularExpression(QStringLiteral("font-size:(\\d+)px")).match(profileButton(view, 4)->styleSheet());
    QVERIFY(german.hasMatch() && german.captured(1).toInt() >= 9 && german.captured(1).toInt() <= 12);
    QVERIFY(named(view, QStringLiteral("MutiLang3"))->isChecked());
    QCOMPARE(spy.count(), 2);
}

void TestMainViewTopBar::settingsMenu()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy spy(&view, &MainView::sendData);
    QLabel *menu = label(view, "widget_language");
    QPushButton *settings = nullptr;
    for (QPushButton *b : view.findChildren<QPushButton *>(QStringLiteral("Min_Window"))) {
        if (b->geometry() == QRect(903, 3, 22, 22))
            settings = b;
    }
    QVERIFY(settings);

    settings->click();
    QVERIFY(menu->isVisibleTo(&view));
    settings->click();
    QVERIFY(!menu->isVisibleTo(&view));

    QPushButton *autoUpdate = named(view, QStringLiteral("MutiLang7"));
    QPushButton *passwordSwitch = named(view, QStringLiteral("MutiLang8"));
    QCOMPARE(autoUpdate->text(), QStringLiteral("Auto Update On"));
    QCOMPARE(passwordSwitch->text(), QStringLiteral("Password Off"));

    settings->click();
    autoUpdate->click();
    QCOMPARE(spy.last().at(0).toStringList(), QStringList({"AutoUpdate", "0"}));
    QCOMPARE(autoUpdate->text(), QStringLiteral("Auto Update Off"));
    QVERIFY(!menu->isVisibleTo(&view));
    autoUpdate->click();
    QCOMPARE(spy.last().at(0).toStringList(), QStringList({"AutoUpdate", "1"}));
    passwordSwitch->click();
    QCOMPARE(spy.last().at(0).toStringList(), QStringList({"Password", "1"}));
    QCOMPARE(passwordSwitch->text(), QStringLiteral("Password On"));
    QCOMPARE(spy.count(), 3);

    settings->click();
    named(view, QStringLiteral("MutiLang6"))->click();
    QCOMPARE(spy.last().at(0).toStringList(), QStringList({"changeLanguage", "6"}));
    QVERIFY(!menu->isVisibleTo(&view));
    named(view, QStringLiteral("MutiLang0"))->click();
    QCOMPARE(spy.last().at(0).toStringList(), QStringList({"changeLanguage", "0"}));
    QCOMPARE(spy.count(), 5);

    // The program took what the view said; then it is set from outside:
    // shown, not announced.
    shown.setPasswordEnabled(true);
    shown.setAutoUpdate(false);
    shown.setPasswordEnabled(false);
    QVERIFY(!autoUpdate->isChecked());
    QCOMPARE(autoUpdate->text(), QStringLiteral("Auto Update Off"));
    QCOMPARE(passwordSwitch->text(), QStringLiteral("Password Off"));
    QCOMPARE(spy.count(), 5);

    // A press on the window closes the open menu.
    settings->click();
    sendMouse(&view, QEvent::MouseButtonPress, QPoint(500, 300));
    QVERIFY(!menu->isVisibleTo(&view));
}

void TestMainViewTopBar::keypad()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy spy(&view, &MainView::sendData);
    shown.setPassword(QStringLiteral("9462"));
    QPushButton *entry = named(view, QStringLiteral("MutiLang9"));
    QCOMPARE(entry->text(), QStringLiteral("Password:9462"));
    QLabel *mask = label(view, "label_keyboardMask");

    entry->click();
    QVERIFY(mask->isVisibleTo(&view));
    QCOMPARE(spy.count(), 0);
    QCOMPARE(digits(view), QStringLiteral("9462"));

    auto key = [&](int k) { named(view, QStringLiteral("Keyboard%1").arg(k))->click(); };
    // Opened on the stored password, a digit starts a new entry.
    key(5);
    QCOMPARE(digits(view), QStringLiteral("5"));
    key(0);
    QCOMPARE(digits(view), QStringLiteral("50"));
    // The key with the back arrow takes back one digit at a time.
    key(11);
    QCOMPARE(digits(view), QStringLiteral("5"));
    key(11);
    QCOMPARE(digits(view), QString());
    key(11);
    QCOMPARE(digits(view), QString());
    QVERIFY(!label(view, "label_keyboardCaption")->text().isEmpty());
    key(1);
    key(2);
    key(3);
    QCOMPARE(digits(view), QStringLiteral("123"));
    key(10);
    QCOMPARE(spy.count(), 0);
    QVERIFY(mask->isVisibleTo(&view));
    key(0);
    key(7); // a fifth digit has no place
    QCOMPARE(digits(view), QStringLiteral("1230"));
    key(10);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), QStringList({"saveDevice", "0", "1230"}));
    QVERIFY(!mask->isVisibleTo(&view));
    QCOMPARE(view.password(), QStringLiteral("1230"));
    QCOMPARE(entry->text(), QStringLiteral("Password:1230"));
}

void TestMainViewTopBar::footer()
{
    MainView view;
    ShownState shown(view);
    QLabel *temperature = label(view, "label_temperature");
    // No reading yet: a dash, never a made-up 0 degrees.
    QCOMPARE(temperature->text(), QString::fromUtf8("TEMP:\u2014"));
    shown.setTemperature(-1);
    QCOMPARE(temperature->text(), QString::fromUtf8("TEMP:-1°C / 31°F"));
    shown.setTemperature(37);
    QCOMPARE(temperature->text(), QString::fromUtf8("TEMP:37°C / 98°F"));
    shown.setTemperature(-18); // -0.4 °F truncates toward zero
    QCOMPARE(temperature->text(), QString::fromUtf8("TEMP:-18°C / 0°F"));
    // A language switch keeps what the label says, reading or no reading.
    shown.resetLanguage(1);
    QVERIFY(temperature->text().endsWith(QString::fromUtf8(":-18°C / 0°F")));
    shown.setNoTemperature();
    QCOMPARE(temperature->text(), QString::fromUtf8("TEMP:\u2014"));
    shown.resetLanguage(0);
    QCOMPARE(temperature->text(), QString::fromUtf8("TEMP:\u2014"));
    QCOMPARE(fahrenheit(-40), -40);
    QCOMPARE(fahrenheit(300000000), 540000032); // the product does not overflow

    QLabel *version = label(view, "label_version");
    // A firmware version belongs to a box: none is shown without one.
    for (BoxButtonView &box : shown.window.boxes)
        box.present = false;
    shown.show();
    QCOMPARE(version->text(), QStringLiteral("V 1.0.0"));
    view.setAppVersion(QStringLiteral("1.0.5"));
    shown.setFirmwareVersion(QStringLiteral("1.2.3"));
    QCOMPARE(version->text(), QStringLiteral("V 1.0.5"));
    for (int box = 0; box < 16; ++box)
        shown.setBoxButtonPresent(box, false);
    QCOMPARE(version->text(), QStringLiteral("V 1.0.5"));
    shown.setBoxButtonPresent(2, true);
    QCOMPARE(version->text(), QStringLiteral("V 1.0.5 , F 1.2.3"));
    shown.setBoxButtonPresent(2, false);
    QCOMPARE(version->text(), QStringLiteral("V 1.0.5"));
    // Without a network address the line says nothing rather than "IP Address:".
    QVERIFY(!label(view, "label_ip")->text().endsWith(QLatin1Char(':')));

    view.setIpText(QStringLiteral("host IP Address:10.0.0.7"));
    QCOMPARE(label(view, "label_ip")->text(), QStringLiteral("host IP Address:10.0.0.7"));

    QLabel *notice = label(view, "label_footer");
    QVERIFY(!notice->text().contains(QLatin1String("simulated")));
    QVERIFY(!notice->text().isEmpty());
    view.setSimulated(true);
    QVERIFY(notice->text().contains(QLatin1String("simulated")));
    QVERIFY(view.windowTitle().contains(QLatin1String("simulated")));
    view.setSimulated(false);
    QVERIFY(!notice->text().contains(QLatin1String("simulated")));
}

void TestMainViewTopBar::musicNotice()
{
    // The core's word on the audio capture reaches the panels through the
    // view state: only a panel in a computer music mode says nothing is heard.
    MainView view;
    ShownState shown(view);
    shown.rainbow(0).lightMode = LightMode::Music_1;
    shown.rainbow(1).lightMode = LightMode::Breath;
    shown.show();
    QVERIFY(!view.fanPanel(0)->isMusicNoticeShown());
    shown.window.musicCapture = false;
    shown.show();
    QVERIFY(view.fanPanel(0)->isMusicNoticeShown());
    QVERIFY(!view.fanPanel(1)->isMusicNoticeShown());
    shown.window.musicCapture = true;
    shown.show();
    QVERIFY(!view.fanPanel(0)->isMusicNoticeShown());

    // The core's own picture carries it from its state.
    BoxModel boxes;
    DeviceBus bus;
    AppState state;
    ViewState pictured;
    pictured.sync(boxes, state, bus);
    QVERIFY(pictured.window().musicCapture);
    QSignalSpy changed(&pictured, &ViewState::windowChanged);
    state.musicCapture = false;
    pictured.sync(boxes, state, bus);
    QVERIFY(!pictured.window().musicCapture);
    QCOMPARE(changed.count(), 1);
}

void TestMainViewTopBar::keypadByKeyboard()
{
    MainView view;
    ShownState shown(view);
    shown.setPassword(QStringLiteral("9462"));
    QSignalSpy spy(&view, &MainView::sendData);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    named(view, QStringLiteral("MutiLang9"))->click();
    QVERIFY(view.isKeypadShown());
    // Digits, Backspace and Return on the keyboard press the keypad's keys.
    for (Qt::Key k : {Qt::Key_1, Qt::Key_2, Qt::Key_3, Qt::Key_4, Qt::Key_Backspace, Qt::Key_8})
        QTest::keyClick(&view, k);
    QTRY_COMPARE(digits(view), QStringLiteral("1238"));
    QTest::keyClick(&view, Qt::Key_Return);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), QStringList({"saveDevice", "0", "1238"}));
    QVERIFY(!view.isKeypadShown());
}

void TestMainViewTopBar::dragging()
{
    MainView view;
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    const QPoint start = view.pos();

    sendMouse(&view, QEvent::MouseButtonPress, QPoint(100, 10));
    sendMouse(&view, QEvent::MouseMove, QPoint(150, 20));
    QCOMPARE(view.pos(), start + QPoint(50, 10));

    // Out of the title strip the drag stops, even when it began inside it.
    const QPoint moved = view.pos();
    sendMouse(&view, QEvent::MouseMove, QPoint(150, 35));
    sendMouse(&view, QEvent::MouseMove, QPoint(825, 20));
    sendMouse(&view, QEvent::MouseMove, QPoint(300, 200));
    QCOMPARE(view.pos(), moved);
    sendMouse(&view, QEvent::MouseButtonRelease, QPoint(300, 200));
}

void TestMainViewTopBar::refusesOutOfRange()
{
    MainView view;
    ShownState shown(view);
    QSignalSpy spy(&view, &MainView::sendData);
    const QRegularExpression refused(QStringLiteral("refused"));

    QTest::ignoreMessage(QtWarningMsg, refused);
    shown.checkBoxButton(16);
    QTest::ignoreMessage(QtWarningMsg, refused);
    shown.checkBoxButton(-1);
    QCOMPARE(view.currentBox(), 0);
    for (int k = 0; k < 16; ++k) {
        QVERIFY(boxButton(view, k)->isCheckable());
        QVERIFY(!boxButton(view, k)->styleSheet().contains(QLatin1String("device_r.png")));
    }

    // Button and label are refused alike.
    for (int profile : {0, 6}) {
        QTest::ignoreMessage(QtWarningMsg, refused);
        QTest::ignoreMessage(QtWarningMsg, refused);
        shown.setProfile(profile);
    }
    QCOMPARE(view.currentProfile(), 1);
    QVERIFY(profileButton(view, 0)->isChecked());
    QCOMPARE(label(view, "label_profile")->text(), QStringLiteral("PROFILE_1"));

    QTest::ignoreMessage(QtWarningMsg, refused);
    shown.resetLanguage(7);
    QTest::ignoreMessage(QtWarningMsg, refused);
    shown.resetLanguage(-1);
    QVERIFY(named(view, QStringLiteral("MutiLang0"))->isChecked());
    QVERIFY(profileButton(view, 0)->styleSheet().contains(QLatin1String("font-size:10px")));
    QCOMPARE(spy.count(), 0);
}

QTEST_MAIN(TestMainViewTopBar)
#include "test_mainview_topbar.moc"
