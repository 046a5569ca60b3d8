// SPDX-License-Identifier: GPL-3.0-or-later
// The whole program offscreen, read as a screen reader and a keyboard user
// meet it: every visible control named in every state, a Tab path that
// reaches every fan and skips empty box slots, Esc closing every popup and
// secondary window, text no smaller than 9 px at the contrast it needs, and
// small images with a larger place to press.
#include "../../tools/screenshot/Audit.h"
#include "../../tools/screenshot/Scenes.h"

#include "app/Aurivent.h"
#include "app/Tray.h"
#include "device/BoxTable.h"
#include "device/sim/SimulatedBoxes.h"
#include "ui/AlertView.h"
#include "ui/InfoView.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"
#include "ui/WindowPlacement.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSlider>
#include <QTextEdit>
#include <QtTest>

namespace {

QPushButton *button(QWidget *root, const QString &name)
{
    return root->findChild<QPushButton *>(name);
}

QPushButton *boxButton(MainView *view, int box)
{
    QWidget *strip = view->findChild<QWidget *>(QStringLiteral("widget_boxes"));
    return strip ? strip->findChild<QPushButton *>(QString::number(box)) : nullptr;
}

QWidget *infoWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("InfoView"))
            return w;
    return nullptr;
}

// Every visible control without an accessible name, by path.
QStringList unnamed(QWidget *window)
{
    QStringList missing;
    for (const Audit::Control &c : Audit::controls(window))
        if (c.name.isEmpty())
            missing << c.path;
    return missing;
}

void activate(QWidget *window)
{
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
}

int fanOf(QWidget *w)
{
    for (QWidget *p = w; p; p = p->parentWidget())
        if (auto *panel = qobject_cast<RainbowFan *>(p))
            return panel->fanNumber();
    return -1;
}

} // namespace

class TestWindowAccess : public QObject {
    Q_OBJECT

private slots:
    void everyVisibleControlHasAName()
    {
        QStringList problems;
        auto check = [&](QWidget *window, const QString &state) {
            QVERIFY2(!Audit::controls(window).isEmpty(), qPrintable(state));
            for (const QString &path : unnamed(window))
                problems << state + QStringLiteral(": ") + path;
        };
        {
            Scenes scenes(QStringLiteral("1"), 0);
            Aurivent &program = scenes.program();
            MainView *view = program.view();
            scenes.poll();
            scenes.grab(view);
            check(view, QStringLiteral("main"));
            view->mutiLanguageWidget();
            check(view, QStringLiteral("menu"));
            view->mutiLanguageWidget();
            button(view, QStringLiteral("MutiLang9"))->click();
            check(view, QStringLiteral("keypad"));
            QTest::keyClick(view, Qt::Key_Escape);
            RainbowFan *first = view->fanPanel(0);
            button(first, QStringLiteral("0"))->click();
            button(first, QStringLiteral("btn_showColor"))->click();
            QVERIFY(first->isColorPopupShown());
            check(view, QStringLiteral("colour popup"));
            button(first, QStringLiteral("btn_colorLabel_Cancel"))->click();
            view->receiveData({QStringLiteral("clockwise"), QStringLiteral("3")});
            scenes.grab(view);
            check(view, QStringLiteral("turned"));
            scenes.simulator()->stall(0, 0);
            scenes.poll();
            auto *alert = program.findChild<AlertView *>();
            QVERIFY(alert && alert->isVisible());
            check(alert, QStringLiteral("alert"));
            check(view, QStringLiteral("stall"));
            button(view, QStringLiteral("Info"))->click();
            QVERIFY(infoWindow() && infoWindow()->isVisible());
            check(infoWindow(), QStringLiteral("sensors"));
        }
        {
            Scenes scenes(QStringLiteral("0"), 5, "[Device0]\nBoxType=0\n");
            scenes.poll();
            QWidget *view = scenes.mainWindow();
            scenes.grab(view);
            check(view, QStringLiteral("single-colour, Japanese"));
        }
        {
            Scenes scenes(QStringLiteral("-"), 3);
            scenes.grab(scenes.mainWindow());
            check(scenes.mainWindow(), QStringLiteral("no box, German"));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void iconButtonsSayWhatTheyDo()
    {
        // Buttons that show only a picture carry a tooltip; the screen
        // reader hears the same text.
        Scenes scenes(QStringLiteral("1,0"), 0, "[Device1]\nBoxType=0\n");
        MainView *view = scenes.program().view();
        scenes.grab(view);
        QStringList bare;
        auto check = [&](QWidget *root, const QStringList &names) {
            for (const QString &name : names) {
                const QList<QPushButton *> found = root->findChildren<QPushButton *>(name);
                if (found.isEmpty())
                    bare << name + QStringLiteral(" (missing)");
                for (QPushButton *b : found)
                    if (b->toolTip().isEmpty() || b->accessibleName().isEmpty())
                        bare << name;
            }
        };
        check(view, {QStringLiteral("Close_Window"), QStringLiteral("Min_Window"), QStringLiteral("ArrowLeft"),
                     QStringLiteral("ArrowRight"), QStringLiteral("btn_LightModeLeft"),
                     QStringLiteral("btn_LightModeRight"), QStringLiteral("btn_ColorModeLeft"),
                     QStringLiteral("btn_ColorModeRight"), QStringLiteral("btn_LightSpeedLeft"),
                     QStringLiteral("btn_LightSpeedRight"), QStringLiteral("close_Monitor"),
                     QStringLiteral("btn_turnoff"), QStringLiteral("Keyboard10"), QStringLiteral("Keyboard11")});
        check(view->vaylaView(1), {QStringLiteral("monitorSwitch"), QStringLiteral("RGB"), QStringLiteral("Off"),
                                   QStringLiteral("btn_Copy")});
        QVERIFY2(bare.isEmpty(), qPrintable(bare.join(QStringLiteral(", "))));
        // A box button says what state its box is in.
        QCOMPARE(boxButton(view, 0)->accessibleName(), QStringLiteral("Box 1"));
        QCOMPARE(boxButton(view, 0)->accessibleDescription(), QStringLiteral("Connected"));
        QCOMPARE(boxButton(view, 5)->accessibleDescription(), QStringLiteral("Not connected"));
        scenes.simulator()->mute(1, true);
        for (int i = 0; i < 3; ++i)
            scenes.poll();
        QCOMPARE(boxButton(view, 1)->accessibleDescription(), QStringLiteral("Not answering"));
    }

    void tabReachesEveryFanAndSkipsEmptySlots()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.poll();
        activate(view);
        const QList<QWidget *> stops = Audit::tabCycle(view);
        QVERIFY(stops.size() > 20);
        // One box attached: its button is a stop, the fifteen empty slots are not.
        QVERIFY(stops.contains(boxButton(view, 0)));
        for (int box = 1; box < kBoxCount; ++box)
            QVERIFY2(!stops.contains(boxButton(view, box)), qPrintable(QString::number(box + 1)));
        // Every fan's speed preset is reached, the two at the back included:
        // reaching a back panel's title turns it to the front.
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            RainbowFan *panel = view->fanPanel(fan);
            QVERIFY2(stops.contains(button(panel, QStringLiteral("btn_performance"))),
                     qPrintable(QStringLiteral("fan %1").arg(fan + 1)));
            QVERIFY2(stops.contains(panel->brightnessSlider()), qPrintable(QStringLiteral("fan %1").arg(fan + 1)));
        }
        // The fans come in their order, each one whole before the next.
        int lastFan = -1;
        for (QWidget *w : stops) {
            const int fan = fanOf(w);
            if (fan < 0)
                continue;
            QVERIFY2(fan >= lastFan, qPrintable(Audit::pathOf(w)));
            lastFan = fan;
        }
        // Nothing twice in one round.
        QCOMPARE(QSet<QWidget *>(stops.begin(), stops.end()).size(), stops.size());

        // Backwards, a panel at the back is entered at its last control.
        QWidget *infoButton = button(view, QStringLiteral("Info"));
        infoButton->setFocus(Qt::TabFocusReason);
        QTest::keyClick(infoButton, Qt::Key_Backtab);
        RainbowFan *last = nullptr;
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            if (QApplication::focusWidget() && view->fanPanel(fan)->isAncestorOf(QApplication::focusWidget()))
                last = view->fanPanel(fan);
        QVERIFY(last);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(last->brightnessSlider()));
        QVERIFY(last->fanLocation() < 3);

        // The keypad keeps Tab to its own keys while it is open.
        button(view, QStringLiteral("MutiLang9"))->click();
        const QList<QWidget *> keys = Audit::tabCycle(view);
        QCOMPARE(keys.size(), 12);
        for (QWidget *k : keys)
            QVERIFY(k->objectName().startsWith(QLatin1String("Keyboard")));
        QTest::keyClick(view, Qt::Key_Escape);

        // A single-colour box: its three panels are on the path.
        Scenes single(QStringLiteral("0"), 0, "[Device0]\nBoxType=0\n");
        MainView *vayla = single.program().view();
        single.poll();
        activate(vayla);
        const QList<QWidget *> vaylaStops = Audit::tabCycle(vayla);
        for (int fan = 0; fan < kVaylaFanCount; ++fan)
            QVERIFY(vaylaStops.contains(button(vayla->vaylaView(fan), QStringLiteral("Performance"))));
    }

    void escClosesEveryPopupAndSecondaryWindow()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        activate(view);

        // The settings menu, with the focus inside it.
        view->mutiLanguageWidget();
        QPushButton *english = button(view, QStringLiteral("MutiLang0"));
        QVERIFY(english->isVisible());
        english->setFocus(Qt::TabFocusReason);
        QTest::keyClick(english, Qt::Key_Escape);
        QVERIFY(!english->isVisible());

        // The colour popup, from inside and from outside it; the focus goes
        // back to the button that opened it.
        RainbowFan *panel = view->fanPanel(1);
        button(panel, QStringLiteral("3"))->click();
        QPushButton *color = button(panel, QStringLiteral("btn_showColor"));
        color->click();
        QVERIFY(panel->isColorPopupShown());
        QLineEdit *edit = panel->findChild<QLineEdit *>();
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(edit));
        QTest::keyClick(edit, Qt::Key_Escape);
        QVERIFY(!panel->isColorPopupShown());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(color));
        color->click();
        QVERIFY(panel->isColorPopupShown());
        QWidget *save = button(view, QStringLiteral("btn_save"));
        save->setFocus(Qt::TabFocusReason);
        QTest::keyClick(save, Qt::Key_Escape);
        QVERIFY(!panel->isColorPopupShown());

        // The sensor window.
        button(view, QStringLiteral("Info"))->click();
        QWidget *info = infoWindow();
        QVERIFY(info && info->isVisible());
        QTest::keyClick(info->findChild<QTextEdit *>(), Qt::Key_Escape);
        QVERIFY(!info->isVisible());

        // The stall alert.
        scenes.simulator()->stall(0, 2);
        scenes.poll();
        auto *alert = program.findChild<AlertView *>();
        QVERIFY(alert->isVisible());
        QTest::keyClick(alert, Qt::Key_Escape);
        QVERIFY(!alert->isVisible());
    }

    void sensorWindowOpensBesideTheWindow()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.grab(view);
        view->move(10, 10);
        button(view, QStringLiteral("Info"))->click();
        QWidget *info = infoWindow();
        QVERIFY(info && info->isVisible());
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        const QRect at = info->frameGeometry();
        QVERIFY2(screen.contains(at), qPrintable(QStringLiteral("%1,%2 %3x%4 on %5x%6").arg(at.x()).arg(at.y())
                                                     .arg(at.width()).arg(at.height())
                                                     .arg(screen.width()).arg(screen.height())));
        // Placed by the rule for secondary windows (beside the main window,
        // else over its right part), on this screen.
        QCOMPARE(info->frameGeometry().topLeft(),
                 WindowPlacement::beside(screen, view->frameGeometry(), info->frameGeometry().size()));
        // On a wide screen that is right of the main window.
        QCOMPARE(WindowPlacement::beside(QRect(0, 0, 1920, 1040), QRect(10, 10, 999, 606), at.size()),
                 QPoint(10 + 999 + 8, 10));
    }

    void textsAreLargeEnoughAndReadable_data()
    {
        QTest::addColumn<int>("language");
        for (int language = 0; language < kLanguageCount; ++language)
            QTest::newRow(qPrintable(QString::number(language))) << language;
    }

    void textsAreLargeEnoughAndReadable()
    {
        QFETCH(int, language);
        QStringList problems;
        auto check = [&](QWidget *window, const QString &state) {
            for (const Audit::Text &t : Audit::texts(window)) {
                if (t.px < 9)
                    problems << QStringLiteral("%1: %2 px: %3 \"%4\"").arg(state).arg(t.px).arg(t.path, t.text);
                if (t.contrast > 0 && t.contrast < Audit::requiredContrast(t.px, t.bold))
                    problems << QStringLiteral("%1: contrast %2: %3 \"%4\"")
                                    .arg(state)
                                    .arg(t.contrast, 0, 'f', 2)
                                    .arg(t.path, t.text);
            }
        };
        {
            Scenes scenes(QStringLiteral("1"), language);
            MainView *view = scenes.program().view();
            scenes.poll();
            scenes.grab(view);
            check(view, QStringLiteral("main"));
            // The back panels' titles are read to choose a fan.
            for (int fan : {3, 4}) {
                QPushButton *title = button(view->fanPanel(fan), QStringLiteral("btn_fanNum"));
                QWidget *top = view->childAt(title->mapTo(view, title->rect().center()));
                QVERIFY2(top == title, qPrintable(QStringLiteral("fan %1").arg(fan + 1)));
            }
            view->mutiLanguageWidget();
            check(view, QStringLiteral("menu"));
        }
        {
            // Pure red is the hardest colour for the read-out on the disc.
            Scenes scenes(QStringLiteral("0"), language, "[Device0]\nBoxType=0\n");
            MainView *view = scenes.program().view();
            for (int fan = 0; fan < kVaylaFanCount; ++fan)
                view->vaylaView(fan)->setRGB(255, 0, 0, 1.0f);
            scenes.poll();
            scenes.grab(view);
            check(view, QStringLiteral("single-colour"));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QLatin1Char('\n'))));
    }

    void trayMenuLooksLikeTheProgram()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Tray *tray = scenes.program().findChild<Tray *>();
        QVERIFY(tray);
        QAction *autorun = tray->autorunAction();
        // A drawn check mark, not a square glyph in the text.
        QVERIFY(autorun->isCheckable());
        QVERIFY(!autorun->text().contains(QChar(0x25A0)) && !autorun->text().contains(QChar(0x25A1)));
        QVERIFY(!autorun->isChecked());
        // Greyed on simulated boxes, and it says why.
        QVERIFY(!autorun->isEnabled());
        QVERIFY2(autorun->text().contains(QLatin1String("simulated")), qPrintable(autorun->text()));
        // Dark, like the window.
        auto *menu = qobject_cast<QMenu *>(autorun->parent());
        QVERIFY(menu);
        const QImage picture = menu->grab().toImage();
        double sum = 0;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                sum += Audit::luminance(picture.pixelColor(x, y));
        QVERIFY2(sum / (picture.width() * picture.height()) < 0.1, "the tray menu is dark");
        // Each item reads at 4.5:1 or better, the greyed one too.
        for (QAction *action : menu->actions()) {
            if (action->isSeparator())
                continue;
            const QRect item = menu->actionGeometry(action);
            QImage with = menu->grab(item).toImage();
            const QString text = action->text();
            action->setText(QString());
            QImage without = menu->grab(item).toImage();
            action->setText(text);
            double best = 1;
            for (int y = 0; y < with.height(); ++y)
                for (int x = 0; x < with.width(); ++x)
                    if (with.pixel(x, y) != without.pixel(x, y))
                        best = qMax(best, Audit::contrast(with.pixelColor(x, y), without.pixelColor(x, y)));
            QVERIFY2(best >= 4.5, qPrintable(QStringLiteral("%1: %2").arg(text).arg(best)));
        }
    }

    void musicWithoutASoundServerSaysSo()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.grab(view);
        RainbowFan *panel = view->fanPanel(1);
        QVERIFY(!panel->isMusicNoticeShown());
        // As the user does it: the light-mode arrow onto Music_1.
        panel->applyLightModeValue(LightMode::Music_1);
        QTRY_VERIFY_WITH_TIMEOUT(panel->isMusicNoticeShown(), 20000);
        QVERIFY(!view->fanPanel(0)->isMusicNoticeShown()); // its fan plays no music
        QVERIFY(panel->findChild<QLabel *>(QStringLiteral("label_musicNotice"))->isVisible());
        panel->applyLightModeValue(LightMode::Whirl);
        QVERIFY(!panel->isMusicNoticeShown());
    }

    void smallImagesHaveLargerPressAreas()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.poll();
        scenes.grab(view);
        QStringList small;
        for (const Audit::Control &c : Audit::controls(view)) {
            // The fan's on/off switch rides in its 20-pixel title bar.
            if (c.widget->objectName() == QLatin1String("close_Monitor"))
                continue;
            if (c.target.width() < 24 || c.target.height() < 24)
                small << QStringLiteral("%1 %2x%3").arg(c.path).arg(c.target.width()).arg(c.target.height());
        }
        QVERIFY2(small.isEmpty(), qPrintable(small.join(QLatin1Char('\n'))));

        // A press just beside an LED (outside its 18 pixels, inside 24) selects it.
        RainbowFan *panel = view->fanPanel(0);
        QPushButton *led = button(panel, QStringLiteral("4"));
        QVERIFY(!led->isChecked());
        const QPoint beside = led->geometry().center() + QPoint(0, led->height() / 2 + 2);
        QVERIFY(!led->geometry().contains(beside));
        QTest::mouseClick(panel, Qt::LeftButton, {}, beside);
        QVERIFY(led->isChecked());
        // Beside a light-mode arrow: one step.
        const int mode = panel->lightMode();
        QPushButton *right = button(panel, QStringLiteral("btn_LightModeRight"));
        const QPoint nextTo = right->geometry().topLeft() + QPoint(right->width() + 4, right->height() / 2);
        QVERIFY(!right->geometry().contains(nextTo));
        QTest::mouseClick(panel, Qt::LeftButton, {}, nextTo);
        QVERIFY(panel->lightMode() != mode);
        // Beside the window's close button.
        QPushButton *close = button(view, QStringLiteral("Close_Window"));
        const QPoint below = close->geometry().bottomLeft() + QPoint(close->width() / 2, 1);
        QVERIFY(!close->geometry().contains(below));
        QTest::mouseClick(view, Qt::LeftButton, {}, below);
        QVERIFY(view->isHidden());
        view->show();

        // On a panel at the back the same press turns the carousel and
        // selects nothing there.
        RainbowFan *back = view->fanPanel(3);
        QCOMPARE(back->fanLocation(), 3);
        QPushButton *backLed = button(back, QStringLiteral("4"));
        QTest::mouseClick(back, Qt::LeftButton, {}, backLed->geometry().center() + QPoint(0, backLed->height() / 2 + 2));
        QVERIFY(!backLed->isChecked());
        QCOMPARE(back->fanLocation(), 2);
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    Scenes::isolateSettings(home.path());
    // No sound server, whatever the machine runs.
    qputenv("PULSE_SERVER", "unix:/nonexistent/aurivent-test/native");
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    TestWindowAccess test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_access_test.moc"
