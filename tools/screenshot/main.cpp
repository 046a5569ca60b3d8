// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's windows to PNG files, offscreen, on simulated boxes:
//   aurivent-screenshot --simulate=1,0 --language=3 --scale=2 --out=DIR
// writes, in DIR:
//   main-box<N>.png   the main view of every simulated box ("0" slots shown as
//                     single-colour boxes, as a user sets them in the gear menu)
//   menu.png          the gear menu over the first box
//   stall.png         fan 4 of the first box stopped (a back panel of the carousel)
//   keypad.png        the password keypad
//   tray.png          the tray menu
//   alert.png         the stall alert, info.png the sensor window
//   nobox.png         the window when no box is found
//   desktop.png       the window where it opens on a 1366 x 768 screen
//   graphs.png        the graphs window of a box with a fan's stall marked and
//                     half a minute it did not answer shaded
// With --audit it writes no pictures but prints, for each of those states,
// the controls without an accessible name, click targets under 24 px, texts
// under 9 px or under the contrast they need, and a summary with the Tab stops.
// The settings live in a folder of the tool's own, never in the user's.
#include "Audit.h"
#include "CurveScene.h"
#include "GraphScene.h"
#include "Scenes.h"

#include "app/Aurivent.h"
#include "app/Tray.h"
#include "device/BoxTable.h"
#include "device/sim/SimulatedBoxes.h"
#include "lighting/LightModes.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"

#include <QApplication>
#include <QAction>
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <array>
#include <cstdio>

namespace {

QString valueOf(const QStringList &args, const QString &name, const QString &fallback)
{
    for (const QString &arg : args)
        if (arg.startsWith(name + QLatin1Char('=')))
            return arg.mid(name.size() + 1);
    return fallback;
}

bool save(const QImage &image, const QString &path)
{
    const bool ok = image.save(path);
    std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(path));
    return ok;
}

void press(QWidget *root, const char *name)
{
    if (auto *button = root->findChild<QPushButton *>(QLatin1String(name)))
        button->click();
}

void printAudit(QWidget *window, const QString &state)
{
    // An alert in front has the keys until it is answered: a window behind
    // it is measured as the user meets it after pressing OK.
    if (!qobject_cast<AlertView *>(window))
        for (QWidget *w : QApplication::topLevelWidgets())
            if (qobject_cast<AlertView *>(w) && w->isVisible()) {
                press(w, "btn_fanAlertOK");
                QTest::qWaitFor([w] { return !w->isVisible(); }, 5000);
            }
    window->show();
    window->activateWindow();
    // The window system may still be handing the activation back from a
    // window just closed: ask again until this one holds it.
    const bool active = QTest::qWaitFor([window] {
        if (QApplication::activeWindow() == window)
            return true;
        window->activateWindow();
        return false;
    }, 5000);
    if (!active)
        std::printf("%s: window not active\n", qPrintable(state));
    for (const QString &line : Audit::report(window, state))
        std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

int audit(const QString &spec, int language)
{
    {
        Scenes scenes(spec, language);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        scenes.grab(view);
        printAudit(view, QStringLiteral("main"));
        view->mutiLanguageWidget();
        printAudit(view, QStringLiteral("menu"));
        view->mutiLanguageWidget();
        press(view, "MutiLang9");
        printAudit(view, QStringLiteral("keypad"));
        QTest::keyClick(view, Qt::Key_Escape);
        if (QWidget *panel = view->fanPanel(0)) {
            press(panel, "0");
            press(panel, "btn_showColor");
            printAudit(view, QStringLiteral("colour"));
            press(panel, "btn_colorLabel_Cancel");
        }
        view->receiveData({QStringLiteral("clockwise"), QStringLiteral("3")});
        scenes.grab(view);
        printAudit(view, QStringLiteral("turned"));
        scenes.simulator()->stall(0, 0);
        scenes.poll();
        if (auto *alert = program.findChild<AlertView *>()) {
            scenes.grab(alert);
            printAudit(alert, QStringLiteral("alert"));
        }
        printAudit(view, QStringLiteral("stall"));
        program.receiveMainData({QStringLiteral("showInfo"), QStringLiteral("showInfo")});
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == QLatin1String("InfoView"))
                printAudit(w, QStringLiteral("sensors"));
    }
    {
        Scenes scenes(QStringLiteral("0"), language, "[Device0]\nBoxType=0\n");
        scenes.poll();
        scenes.grab(scenes.mainWindow());
        printAudit(scenes.mainWindow(), QStringLiteral("single-colour"));
    }
    {
        Scenes empty(QStringLiteral("-"), language);
        empty.grab(empty.mainWindow());
        printAudit(empty.mainWindow(), QStringLiteral("nobox"));
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const QString spec = valueOf(args, QStringLiteral("--simulate"), QStringLiteral("1,0"));
    const int language = valueOf(args, QStringLiteral("--language"), QStringLiteral("0")).toInt();
    const QString out = valueOf(args, QStringLiteral("--out"), QStringLiteral("."));
    const QString scale = valueOf(args, QStringLiteral("--scale"), QStringLiteral("1"));

    QTemporaryDir home;
    Scenes::isolateSettings(home.path());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_SCALE_FACTOR", scale.toUtf8());
    // Times on the graphs' axes are local: the same picture on every machine.
    qputenv("TZ", "UTC");
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);

    if (args.contains(QStringLiteral("--audit")))
        return audit(spec, language);

    std::array<int, 16> types{};
    QString error;
    if (!SimulatedBoxes::parseSpec(spec, &types, &error)) {
        std::fprintf(stderr, "aurivent-screenshot: --simulate=%s: %s\n", qPrintable(spec), qPrintable(error));
        return 2;
    }
    QByteArray deviceFile;
    int first = -1;
    for (int i = 0; i < 16; ++i) {
        if (types[i] == 0)
            deviceFile += "[Device" + QByteArray::number(i) + "]\nBoxType=0\n";
        if (types[i] >= 0 && first < 0)
            first = i;
    }
    QDir().mkpath(out);
    bool ok = true;
    {
        Scenes scenes(spec, language, deviceFile);
        Aurivent &program = scenes.program();
        QWidget *window = scenes.mainWindow();
        for (int box = 0; box < 16; ++box) {
            if (types[box] < 0)
                continue;
            program.handleWindowMessage(0x8106, box, 0);
            scenes.poll(); // show the fans turning
            ok &= save(scenes.grab(window), QStringLiteral("%1/main-box%2.png").arg(out).arg(box + 1));
        }
        if (first >= 0) {
            program.handleWindowMessage(0x8106, first, 0);
            scenes.poll();
            MainView *view = program.view();
            view->mutiLanguageWidget();
            ok &= save(scenes.grab(window), out + QStringLiteral("/menu.png"));
            view->mutiLanguageWidget();
            ok &= save(scenes.onDesktop(QRect(0, 0, 1366, 728), QSize(1366, 768)), out + QStringLiteral("/desktop.png"));

            press(window, "MutiLang9");
            ok &= save(scenes.grab(window), out + QStringLiteral("/keypad.png"));
            QTest::keyClick(window, Qt::Key_Escape);

            // "To all" with a second box there: its menu over the window.
            if (types[first] == 1) {
                if (RainbowFan *panel = view->fanPanel(0)) {
                    press(panel, "btn_applyAll");
                    for (QMenu *menu : view->findChildren<QMenu *>(QStringLiteral("applyAllMenu"))) {
                        if (!menu->isVisible())
                            continue;
                        QImage shot = scenes.grab(window);
                        const QImage top = menu->grab().toImage();
                        QPainter painter(&shot);
                        // Where it opens under the button on a screen big enough (a small
                        // offscreen screen pushes it elsewhere).
                        QWidget *button = panel->findChild<QPushButton *>(QStringLiteral("btn_applyAll"));
                        painter.drawImage(QPointF(button->mapTo(window, QPoint(0, button->height()))), top);
                        painter.end();
                        ok &= save(shot, out + QStringLiteral("/apply-all.png"));
                        menu->close();
                    }
                }
                // An edit not saved, then another profile: the question over the window.
                view->fanPanel(0)->chooseLightMode(LightMode::Breath);
                QImage asked;
                QTimer::singleShot(0, [&] {
                    QWidget *box = QApplication::activeModalWidget();
                    if (!box)
                        return;
                    QTest::qWaitForWindowExposed(box);
                    QImage shot = scenes.grab(window);
                    const QImage top = box->grab().toImage();
                    QPainter painter(&shot);
                    // Centred on the window, as it opens over it.
                    const qreal ratio = shot.devicePixelRatio();
                    painter.drawImage(QPointF((shot.width() / ratio - top.width() / top.devicePixelRatio()) / 2,
                                              (shot.height() / ratio - top.height() / top.devicePixelRatio()) / 2),
                                      top);
                    painter.end();
                    asked = shot;
                    QTest::keyClick(box, Qt::Key_Escape);
                });
                if (auto *second = view->findChild<QPushButton *>(QStringLiteral("1"), Qt::FindDirectChildrenOnly))
                    second->click();
                if (!asked.isNull())
                    ok &= save(asked, out + QStringLiteral("/profile-prompt.png"));
                else
                    ok = false;
            }

            if (auto *tray = program.findChild<Tray *>()) {
                if (auto *menu = qobject_cast<QMenu *>(tray->autorunAction()->parent())) {
                    menu->adjustSize();
                    ok &= save(menu->grab().toImage(), out + QStringLiteral("/tray.png"));
                }
            }

            // A second box that stops answering: its button and the alert say so.
            int second = -1;
            for (int box = first + 1; box < 16 && second < 0; ++box)
                second = types[box] >= 0 ? box : -1;
            if (second >= 0) {
                scenes.simulator()->mute(second, true);
                for (int i = 0; i < 3; ++i)
                    scenes.poll();
                ok &= save(scenes.grab(window), out + QStringLiteral("/silent.png"));
                if (auto *alert = program.findChild<AlertView *>()) {
                    ok &= save(scenes.grab(alert), out + QStringLiteral("/alert-silent.png"));
                    alert->hide();
                    program.alertViewReceiveData(QString());
                }
                scenes.simulator()->mute(second, false);
                scenes.poll();
            }

            // Fan 4 sits at the back right of the carousel.
            scenes.simulator()->stall(first, 3);
            scenes.poll();
            ok &= save(scenes.grab(window), out + QStringLiteral("/stall.png"));
            if (auto *alert = program.findChild<AlertView *>()) {
                ok &= save(scenes.grab(alert), out + QStringLiteral("/alert.png"));
                // The alert where it opens over a shown window: centred on it.
                QImage over = scenes.grab(window);
                const QImage top = scenes.grab(alert);
                QPainter painter(&over);
                const qreal ratio = over.devicePixelRatio();
                painter.drawImage(QPointF((over.width() / ratio - top.width() / ratio) / 2,
                                          (over.height() / ratio - top.height() / ratio) / 2),
                                  top);
                painter.end();
                ok &= save(over, out + QStringLiteral("/alert-over-main.png"));
            }
        }
        program.receiveMainData({QStringLiteral("showInfo"), QStringLiteral("showInfo")});
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("InfoView"))
                ok &= save(scenes.grab(w), out + QStringLiteral("/info.png"));
        }
        ok &= save(graphScene([&scenes](QWidget *w) { return scenes.grab(w); }), out + QStringLiteral("/graphs.png"));
        if (first >= 0) {
            program.handleWindowMessage(0x8106, first, 0);
            const CurvePictures curves = curveScene(program, [&scenes](QWidget *w) { return scenes.grab(w); });
            ok &= save(curves.selector, out + QStringLiteral("/curve-selector.png"));
            ok &= save(curves.editor, out + QStringLiteral("/curve-editor.png"));
        }
    }
    {
        // A three-fan box on fresh settings, taken for a 12-LED one: the alert
        // points at the box-type setting.
        Scenes fresh(QStringLiteral("0"), language);
        for (int i = 0; i < 3; ++i)
            fresh.poll();
        if (auto *alert = fresh.program().findChild<AlertView *>())
            ok &= save(fresh.grab(alert), out + QStringLiteral("/alert-boxtype.png"));
    }
    {
        // As a user without a box sees it: no "simulated boxes" in the footer.
        Scenes empty(QStringLiteral("-"), language, QByteArray(), false);
        ok &= save(empty.grab(empty.mainWindow()), out + QStringLiteral("/nobox.png"));
    }
    return ok ? 0 : 1;
}
