// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program offscreen on simulated boxes, in the states a user meets,
// looked at as pictures (written to screens-<scale>/ beside the test):
// the README's first command, a stopped fan, the keypad, no box, a small
// screen, a phone burst, the box type chosen in the settings menu. The test
// runs once at scale 1 and once with QT_SCALE_FACTOR=2.
#include "../../tools/screenshot/Scenes.h"
#include "FreshSettings.h"

#include "app/Aurivent.h"
#include "device/BoxTable.h"
#include "device/sim/SimulatedBoxes.h"
#include "storage/IniHelper.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/TextFit.h"
#include "ui/VaylaRGBFanView.h"
#include "ui/WindowPlacement.h"

#include <QBackingStore>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QRegularExpression>
#include <QWindow>
#include <QtTest>

namespace {

QString shotDir()
{
    const QString dir = QCoreApplication::applicationDirPath()
        + QStringLiteral("/screens-%1").arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")));
    QDir().mkpath(dir);
    return dir;
}

void keep(const QImage &image, const QString &name)
{
    image.save(shotDir() + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QPushButton *button(QWidget *root, const QString &name)
{
    return root->findChild<QPushButton *>(name);
}

QPushButton *boxButton(MainView *view, int box)
{
    QWidget *strip = view->findChild<QWidget *>(QStringLiteral("widget_boxes"));
    return strip ? strip->findChild<QPushButton *>(QString::number(box)) : nullptr;
}

bool alarmLook(MainView *view, int box)
{
    return boxButton(view, box)->styleSheet().contains(QLatin1String("device_r.png"));
}

// The first "tools/setup.sh run" line of the README: what a new user types.
QString readmeFirstSpec()
{
    QFile readme(QStringLiteral(AURIVENT_SOURCE_DIR "/README.md"));
    if (!readme.open(QIODevice::ReadOnly))
        return QString();
    const QString text = QString::fromUtf8(readme.readAll());
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("tools/setup\\.sh run --simulate=(\\S+)")).match(text);
    return m.captured(1);
}

QImage region(const QImage &image, const QRect &logical)
{
    const qreal r = image.devicePixelRatio();
    return image.copy(QRect((logical.topLeft() * r), logical.size() * r));
}

QRect inWindow(QWidget *panel, const QRect &rect)
{
    return QRect(panel->mapTo(panel->window(), rect.topLeft()), rect.size());
}

} // namespace

class TestWindowStates : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(!readmeFirstSpec().isEmpty());
    }

    void readmeFirstCommandStartsWithoutAlarm()
    {
        // Fresh settings: nothing says which kind of box a slot holds.
        Scenes scenes(readmeFirstSpec(), -1);
        for (int i = 0; i < 3; ++i)
            scenes.poll();
        MainView *view = scenes.program().view();
        auto *alert = scenes.program().findChild<AlertView *>();
        QVERIFY(alert && alert->isHidden());
        for (int box = 0; box < kBoxCount; ++box)
            QVERIFY2(!alarmLook(view, box), qPrintable(QString::number(box)));
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            QVERIFY(!view->fanPanel(fan)->isWarningShown());
        keep(scenes.grab(view), QStringLiteral("readme-first-command"));
    }

    void boxTypeChosenInTheMenuAppliesAtOnce()
    {
        // A single-colour box taken for a 12-LED one: its missing fans 4 and 5 read 0.
        Scenes scenes(QStringLiteral("1,0"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        QVERIFY(alarmLook(view, 1));
        program.findChild<AlertView *>()->hide();
        program.alertViewReceiveData(QString());

        boxButton(view, 1)->click();
        QCOMPARE(program.boxes().currentBox(), 1);
        view->mutiLanguageWidget();
        QPushButton *single = button(view, QStringLiteral("BoxType0"));
        QVERIFY(single && single->isVisible());
        keep(scenes.grab(view), QStringLiteral("menu-box-type"));
        single->click();

        // Layout, file, alarm and the ports polled follow at once.
        QCOMPARE(program.boxes()[1].boxType, int(BoxType::Vayla));
        QCOMPARE(view->boxType(), 0);
        QVERIFY(view->vaylaView(0)->isVisible());
        QVERIFY(!view->fanPanel(0)->isVisible());
        QVERIFY(!alarmLook(view, 1));
        FreshSettings device(IniHelper::deviceFilePath());
        QCOMPARE(device->value(QStringLiteral("Device1/BoxType")).toInt(), 0);
        scenes.simulator()->clearSent();
        for (int i = 0; i < 2; ++i)
            scenes.poll();
        QVERIFY(!alarmLook(view, 1));
        QVERIFY(program.findChild<AlertView *>()->isHidden());
        QSet<int> ports;
        for (const auto &s : scenes.simulator()->sent())
            if (s.box == 1 && s.report[1] == 0x32 && s.report[2] == 0x50)
                ports << int(s.report[3]);
        QVERIFY2(!ports.contains(4) && !ports.contains(5), "a single-colour box is not asked for fans 4 and 5");
        keep(scenes.grab(view), QStringLiteral("single-colour-box"));

        // And back: the five panels again, stored as such.
        view->mutiLanguageWidget();
        button(view, QStringLiteral("BoxType1"))->click();
        QCOMPARE(program.boxes()[1].boxType, int(BoxType::Rainbow));
        QVERIFY(view->fanPanel(0)->isVisible());
        FreshSettings again(IniHelper::deviceFilePath());
        QCOMPARE(again->value(QStringLiteral("Device1/BoxType")).toInt(), 1);
    }

    void stoppedFanLeavesControlsInSight()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.poll();
        const QImage before = scenes.grab(view);

        // Fans 4 and 5 lie at the back of the carousel, fan 1 in front.
        scenes.simulator()->stall(0, 3);
        scenes.simulator()->stall(0, 4);
        scenes.simulator()->stall(0, 0);
        scenes.poll();
        const QImage after = scenes.grab(view);
        keep(after, QStringLiteral("stall"));

        for (int fan : {0, 3, 4}) {
            QVERIFY(view->fanPanel(fan)->isWarningShown());
            QVERIFY(view->fanPanel(fan)->closedCover()->isHidden());
            QVERIFY(!view->fanPanel(fan)->closedCover()->graphicsEffect());
        }
        // The front panels' controls look as before: speed presets and
        // sliders, the selectors and the ring with its palette.
        for (int fan : {0, 1, 2}) {
            RainbowFan *panel = view->fanPanel(fan);
            for (const QRect &controls : {QRect(160, 40, 150, 125), QRect(12, 198, 300, 200)}) {
                const QRect area = inWindow(panel, controls);
                QVERIFY2(region(before, area) == region(after, area),
                         qPrintable(QStringLiteral("fan %1, %2,%3").arg(fan + 1).arg(controls.x()).arg(controls.y())));
            }
        }
        // The stopped fan's own speed controls stay where a click reaches them.
        RainbowFan *first = view->fanPanel(0);
        QPushButton *performance = button(first, QStringLiteral("btn_performance"));
        const QPoint centre = performance->mapTo(view, performance->rect().center());
        QCOMPARE(view->childAt(centre), performance);
    }

    void keypadCancels()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.grab(view);
        QWidget *mask = view->findChild<QWidget *>(QStringLiteral("label_keyboardMask"));
        auto open = [&] {
            button(view, QStringLiteral("MutiLang9"))->click();
            QVERIFY(view->isKeypadShown());
        };
        open();
        button(view, QStringLiteral("Keyboard11"))->click();
        button(view, QStringLiteral("Keyboard1"))->click();
        keep(scenes.grab(view), QStringLiteral("keypad"));
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!view->isKeypadShown());
        QCOMPARE(view->password(), QStringLiteral("9462"));
        // The next opening shows the stored password, not the abandoned entry.
        open();
        QCOMPARE(view->findChild<QWidget *>(QStringLiteral("label_password0"))->property("text").toString(),
                 QStringLiteral("9"));
        QTest::mouseClick(mask, Qt::LeftButton, {}, QPoint(view->width() / 2, view->height() / 2));
        QVERIFY(view->isKeypadShown()); // on the panel: stays
        QTest::mouseClick(mask, Qt::LeftButton, {}, QPoint(20, 20));
        QVERIFY(!view->isKeypadShown());
        QCOMPARE(view->password(), QStringLiteral("9462"));
    }

    void noBoxSaysSo()
    {
        Scenes scenes(QStringLiteral("-"), 0);
        MainView *view = scenes.program().view();
        const QImage shot = scenes.grab(view);
        keep(shot, QStringLiteral("nobox"));
        QVERIFY(view->isNoBoxNoticeShown());
        QWidget *notice = view->findChild<QWidget *>(QStringLiteral("label_noBox"));
        QVERIFY(notice->property("text").toString().contains(QLatin1String("70-aurivent.rules")));
        // Over the panels, which cannot be mistaken for a connected box's.
        for (int fan = 0; fan < 3; ++fan) {
            const QPoint at = view->fanPanel(fan)->geometry().center();
            QWidget *hit = view->childAt(at);
            QVERIFY2(hit == notice, qPrintable(QStringLiteral("fan %1").arg(fan + 1)));
        }
        QVERIFY(!button(view, QStringLiteral("btn_save"))->isEnabled());

        // A box plugged in later ends the notice.
        scenes.simulator()->plug(0, BoxType::Rainbow);
        scenes.program().deviceChanged();
        QVERIFY(!view->isNoBoxNoticeShown());
        QVERIFY(button(view, QStringLiteral("btn_save"))->isEnabled());
    }

    void windowFitsTheScreen()
    {
        // A 1366 x 768 screen with a 40 px panel: the whole window, footer
        // included, opens inside the available area.
        const QRect available(0, 0, 1366, 728);
        const QSize window(MainViewRules::kWindowWidth, MainViewRules::kWindowHeight);
        const QRect placed(WindowPlacement::place(available, window), window);
        QVERIFY(available.contains(placed));
        // On a screen too small the title strip stays reachable.
        const QRect tiny(10, 20, 683, 384);
        QCOMPARE(WindowPlacement::place(tiny, window), QPoint(10, 20));
        QCOMPARE(WindowPlacement::place(QRect(1366, 0, 1920, 1040), window), QPoint(1366 + 460, 217));

        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.poll();
        const QRect screen = WindowPlacement::availableArea();
        QCOMPARE(view->pos(), WindowPlacement::place(screen, view->frameGeometry().size()));
        keep(scenes.onDesktop(available, QSize(1366, 768)), QStringLiteral("desktop-1366x768"));
    }

    void carouselTurnsLeaveNothingBehind()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.poll();
        scenes.grab(view);
        // What the screen shows (the window's backing store) against the
        // same state drawn afresh, after every turn, both ways round.
        auto shown = [view] {
            QCoreApplication::processEvents();
            // The backing store itself: the screen's grab of a scaled window
            // hands back only its top-left corner.
            QPaintDevice *store = view->backingStore()->paintDevice();
            if (!store || store->devType() != QInternal::Image)
                return QImage();
            return static_cast<QImage *>(store)->convertToFormat(QImage::Format_RGB32);
        };
        auto fresh = [view] { return view->grab().toImage().convertToFormat(QImage::Format_RGB32); };
        int turn = 0;
        for (int location : {3, 3, 4, 3, 4, 4, 4}) {
            RainbowFan *back = nullptr;
            for (int fan = 0; fan < kRainbowFanCount; ++fan)
                if (view->fanPanel(fan)->fanLocation() == location)
                    back = view->fanPanel(fan);
            QVERIFY(back);
            QTest::mouseClick(back, Qt::LeftButton, {}, QPoint(back->width() / 2, back->height() / 2));
            auto resting = [view] {
                for (QAbstractAnimation *a : view->findChildren<QAbstractAnimation *>())
                    if (a->state() == QAbstractAnimation::Running)
                        return false;
                return true;
            };
            QTRY_VERIFY_WITH_TIMEOUT(resting(), 5000);
            // The speed read-outs keep changing: a new value may not be on
            // the screen yet. Stale drawing stays, so it never matches.
            QImage onScreen, afresh;
            const bool same = QTest::qWaitFor([&] {
                onScreen = shown();
                afresh = fresh();
                return onScreen == afresh;
            }, 5000);
            QCOMPARE(onScreen.size(), afresh.size());
            if (!same) {
                keep(onScreen, QStringLiteral("turn-%1-shown").arg(turn));
                keep(afresh, QStringLiteral("turn-%1-fresh").arg(turn));
                int differing = 0;
                for (int y = 0; y < onScreen.height(); ++y)
                    for (int x = 0; x < onScreen.width(); ++x)
                        differing += onScreen.pixel(x, y) != afresh.pixel(x, y);
                QFAIL(qPrintable(QStringLiteral("turn %1: %2 pixels differ from a fresh drawing").arg(turn).arg(differing)));
            }
            ++turn;
        }
    }

    void wholeWindowOnScreenAtEveryScale()
    {
        const QSize window(MainViewRules::kWindowWidth, MainViewRules::kWindowHeight);
        // 1920 x 1080 with a 48-pixel panel, at 100 %, 150 % (which Qt rounds
        // to 2 unless told otherwise) and 200 %: logical pixels left.
        struct Case {
            qreal scale;
        } cases[] = {{1.0}, {1.5}, {2.0}};
        for (const Case &c : cases) {
            const QRect available(0, 0, qRound(1920 / c.scale), qRound((1080 - 48) / c.scale));
            const qreal f = WindowPlacement::fitFactor(available, window);
            QVERIFY(f > 0 && f <= 1.0);
            // Drawn at the reduced factor, the logical screen grows by 1/f.
            const QRect grown(0, 0, int(available.width() / f), int(available.height() / f));
            const QRect placed(WindowPlacement::place(grown, window), window);
            QVERIFY2(grown.contains(placed), qPrintable(QString::number(c.scale)));
            if (c.scale == 1.0 || c.scale == 1.5)
                QCOMPARE(f, 1.0);
            else
                QVERIFY(f < 1.0 && f > 0.8); // no more than it takes
        }
        QCOMPARE(WindowPlacement::fitFactor(QRect(0, 0, 960, 516), window), 0.85);
        QCOMPARE(WindowPlacement::fitFactor(QRect(), window), 1.0);

        // A secondary window opens beside the main one, inside the screen.
        const QRect screen(0, 0, 1920, 1040);
        const QSize info(500, 500);
        QCOMPARE(WindowPlacement::beside(screen, QRect(100, 100, 999, 606), info), QPoint(1107, 100));
        QCOMPARE(WindowPlacement::beside(screen, QRect(900, 100, 999, 606), info), QPoint(392, 100));
        QCOMPARE(WindowPlacement::beside(QRect(0, 0, 1100, 700), QRect(50, 300, 999, 606), info), QPoint(549, 200));
    }

    void textsFitAndAreSharp()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.poll();
        const QImage shot = scenes.grab(view);
        const qreal ratio = view->devicePixelRatioF();
        // Drawn at the screen's resolution, not enlarged from a smaller picture.
        QCOMPARE(shot.devicePixelRatio(), ratio);
        QCOMPARE(shot.size(), view->size() * ratio);
        QStringList problems;
        for (QWidget *w : view->findChildren<QWidget *>()) {
            if (!w->isVisibleTo(view) || TextFit::shownText(w).isEmpty())
                continue;
            if (auto *label = qobject_cast<QLabel *>(w); label && label->wordWrap())
                continue;
            const QString problem = TextFit::overflow(w);
            if (!problem.isEmpty() && !TextFit::shownText(w).contains(QRegularExpression(QStringLiteral("^[0-9 %]+$"))))
                problems << problem;
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
        keep(shot, QStringLiteral("main"));
    }

    void phoneBurstRefreshesEachPanelBoundedly()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.grab(view);
        QCoreApplication::processEvents();
        int before[kRainbowFanCount];
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            before[fan] = view->panelRenderCount(fan);

        // A hundred colour commands for all five fans, as one read of the socket delivers them.
        for (int i = 0; i < 100; ++i) {
            QVariantMap data{{QStringLiteral("BoxNum"), QStringLiteral("1")},
                             {QStringLiteral("FanNum"), QStringLiteral("11111")},
                             {QStringLiteral("LED1"), QStringLiteral("111111111111")},
                             {QStringLiteral("RColor"), i},
                             {QStringLiteral("GColor"), 7},
                             {QStringLiteral("BColor"), 200},
                             {QStringLiteral("ColorMode"), 0},
                             {QStringLiteral("LightMode"), 4},
                             {QStringLiteral("Speed"), 2}};
            program.socketHelperReceiveData({{QStringLiteral("command"), 2}, {QStringLiteral("Data"), data}});
        }
        // The window ends showing the last command, having drawn each panel
        // at most twice on the way.
        QTRY_COMPARE(view->fanPanel(4)->ledColor(0), QColor(99, 7, 200));
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            QCOMPARE(view->fanPanel(fan)->ledColor(5), QColor(99, 7, 200));
            const int renders = view->panelRenderCount(fan) - before[fan];
            QVERIFY2(renders >= 1 && renders <= 2, qPrintable(QStringLiteral("fan %1: %2").arg(fan + 1).arg(renders)));
        }
    }

    // The alert is tied to the main window (so a window manager keeps it on
    // top of it) and takes the focus, also when it is already up and the user
    // had gone back to the main window; with the window put away it belongs
    // to the screen.
    void alertComesInFrontOfTheMainWindow()
    {
        Scenes scenes(QStringLiteral("1,1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        view->show();
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        scenes.poll();
        scenes.simulator()->mute(1, true);
        for (int i = 0; i < 3; ++i)
            scenes.poll();
        auto *alert = program.findChild<AlertView *>();
        QVERIFY(alert->isVisible());
        QVERIFY(alert->windowHandle());
        QCOMPARE(alert->windowHandle()->transientParent(), view->windowHandle());
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == alert->windowHandle(), 10000);

        // Back to the main window; a fan stops while the alert is still up.
        view->activateWindow();
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == view->windowHandle(), 10000);
        scenes.simulator()->stall(0, 2);
        scenes.poll();
        QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::focusWindow() == alert->windowHandle(), 10000);
        QCOMPARE(alert->fanText(), QStringLiteral("Stopped: FAN 3"));

        alert->hide();
        program.alertViewReceiveData(QString());
        view->hide();
        scenes.simulator()->stall(0, 4);
        scenes.poll();
        QVERIFY(alert->isVisible());
        QCOMPARE(alert->windowHandle()->transientParent(), static_cast<QWindow *>(nullptr));
    }

    void alertNamesTheFanInTheLanguage()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        scenes.poll();
        scenes.simulator()->stall(0, 3);
        scenes.poll();
        auto *alert = program.findChild<AlertView *>();
        QVERIFY(alert->isVisible());
        QCOMPARE(alert->controllerText(), QStringLiteral("Controller No. 1"));
        QCOMPARE(alert->fanText(), QStringLiteral("Stopped: FAN 4"));
        keep(scenes.grab(alert), QStringLiteral("alert"));
        program.receiveMainData({QStringLiteral("changeLanguage"), QStringLiteral("3")});
        QCOMPARE(alert->fanText(), QString::fromUtf8("Steht still: LÜFTER 4"));
        QCOMPARE(alert->controllerText(), QStringLiteral("Controller Nr. 1"));
        keep(scenes.grab(alert), QStringLiteral("alert-de"));
        program.receiveMainData({QStringLiteral("changeLanguage"), QStringLiteral("0")});
    }

    void saveAndKeyboard()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.grab(view);
        QPushButton *save = button(view, QStringLiteral("btn_save"));
        save->click();
        QVERIFY(save->text().contains(QLatin1String("Saved")));
        QTRY_COMPARE_WITH_TIMEOUT(save->text(), QStringLiteral("SAVE"), 5000);

        // Return presses the focused profile button; Tab reaches the strip.
        QPushButton *third = view->findChild<QPushButton *>(QStringLiteral("2"), Qt::FindDirectChildrenOnly);
        QVERIFY(third && third->focusPolicy() & Qt::TabFocus);
        third->setFocus(Qt::TabFocusReason);
        QTest::keyClick(third, Qt::Key_Return);
        QTRY_VERIFY(third->isChecked());
        QTRY_COMPARE(view->currentProfile(), 3);
        QVERIFY(boxButton(view, 0)->focusPolicy() & Qt::TabFocus);
        // Tab draws the ring round the control it reaches; Qt moving the
        // focus off a control that hides (the keypad's keys) draws none.
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
        QWidget *ring = view->findChild<QWidget *>(QStringLiteral("focusRing"));
        third->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(third, Qt::Key_Tab);
        QTRY_VERIFY(ring->isVisible());
        QWidget *focused = QApplication::focusWidget();
        QVERIFY(focused && focused != third);
        QVERIFY(ring->geometry().contains(QRect(focused->mapTo(view, QPoint(0, 0)), focused->size())));
        button(view, QStringLiteral("MutiLang9"))->click();
        button(view, QStringLiteral("Keyboard5"))->setFocus(Qt::MouseFocusReason);
        QVERIFY(ring->isHidden());
        QTest::keyClick(view, Qt::Key_Escape);
        QVERIFY(!view->isKeypadShown());
        QVERIFY(ring->isHidden());
        // Controls of a panel at the back are not on the Tab path.
        QVERIFY(!(button(view->fanPanel(3), QStringLiteral("btn_performance"))->focusPolicy() & Qt::TabFocus));
        QVERIFY(button(view->fanPanel(1), QStringLiteral("btn_performance"))->focusPolicy() & Qt::TabFocus);
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    Scenes::isolateSettings(home.path());
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    TestWindowStates test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_states_test.moc"
