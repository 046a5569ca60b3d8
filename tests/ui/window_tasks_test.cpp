// SPDX-License-Identifier: GPL-3.0-or-later
// The tasks a newcomer does in the window, on the whole program and a
// simulated box: every fan at once, profiles, what the speed read-out says,
// the palette, the box-type hint and bringing the window back.
#include "../../tools/screenshot/Scenes.h"

#include "app/Aurivent.h"
#include "core/Core.h"
#include "core/ViewState.h"
#include "device/BoxTable.h"
#include "device/FanCurve.h"
#include "device/sim/SimulatedBoxes.h"
#include "lighting/SoftwareEffects.h"
#include "ui/AlertView.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"

#include <QAction>
#include <QMenu>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <map>

namespace {

QPushButton *button(QWidget *root, const QString &name)
{
    return root->findChild<QPushButton *>(name);
}

QPushButton *profileButton(MainView *view, int index)
{
    return view->findChild<QPushButton *>(QString::number(index), Qt::FindDirectChildrenOnly);
}

// The last report of a kind (0x32 0x52 lighting, 0x32 0x51 speed) sent to
// each port of box 0, with the port byte blanked so that fans compare.
std::map<int, Report> lastByPort(SimulatedBoxes *sim, uint8_t kind, int box = 0)
{
    std::map<int, Report> last;
    for (const auto &s : sim->sent()) {
        if (s.box != box || s.report[1] != 0x32 || s.report[2] != kind)
            continue;
        Report r = s.report;
        const int port = r[3];
        r[3] = 0;
        last[port] = r;
    }
    return last;
}

// Fan 0 gets a look and speed by its own controls: Breath, one colour typed
// in, the fixed speed at 30 %.
void setUpFirstFan(RainbowFan *fan)
{
    fan->chooseLightMode(LightMode::Breath);
    fan->chooseColorMode(ColorMode::Single);
    button(fan, QStringLiteral("btn_showColor"))->click();
    const QList<QLineEdit *> edits = fan->findChildren<QLineEdit *>();
    QCOMPARE(edits.size(), 3);
    edits[0]->setText(QStringLiteral("12"));
    edits[1]->setText(QStringLiteral("200"));
    edits[2]->setText(QStringLiteral("77"));
    fan->pushChangeColor();
    fan->pressPWM(false);
    fan->moveSlider(FanEditor::Slider::SpeedLevel, 3);
}

QPushButton *boxButton(MainView *view, int box)
{
    QWidget *strip = view->findChild<QWidget *>(QStringLiteral("widget_boxes"));
    return strip ? strip->findChild<QPushButton *>(QString::number(box)) : nullptr;
}

// Whether a box was sent a look or a speed.
bool sentTo(SimulatedBoxes *sim, int box)
{
    for (const auto &s : sim->sent())
        if (s.box == box && s.report[1] == 0x32 && (s.report[2] == 0x51 || s.report[2] == 0x52))
            return true;
    return false;
}

// "To all" pressed with other boxes there: the menu it opens.
QMenu *pressToAll(QWidget *panel)
{
    button(panel, QStringLiteral("btn_applyAll"))->click();
    for (QMenu *menu : panel->window()->findChildren<QMenu *>(QStringLiteral("applyAllMenu")))
        if (menu->isVisible())
            return menu;
    return nullptr;
}

// As the user picks it: the item under the cursor, Return.
void chooseEveryBox(QMenu *menu)
{
    menu->setActiveAction(menu->findChild<QAction *>(QStringLiteral("everyBox")));
    QTest::keyClick(menu, Qt::Key_Return);
}

} // namespace

class TestWindowTasks : public QObject {
    Q_OBJECT

private slots:
    // One press gives every fan of the box the first fan's look and speed,
    // each through its own messages: the box ends up with the same reports
    // for every fan, only the port differs.
    void toAllFansGivesEveryFanTheSameReports()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        RainbowFan *first = view->fanPanel(0);
        setUpFirstFan(first);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(scenes.simulator()->sent().size() > 0);

        QPushButton *toAll = button(first, QStringLiteral("btn_applyAll"));
        QVERIFY(toAll && toAll->isVisible() && toAll->isEnabled());
        QVERIFY(!toAll->accessibleName().isEmpty() && !toAll->toolTip().isEmpty());
        scenes.simulator()->clearSent();
        toAll->click();
        scenes.poll();

        const RainbowFanRecord &source = program.boxes()[0].rainbowFan[0];
        QCOMPARE(source.lightMode, int(LightMode::Breath));
        QCOMPARE(source.rValue_Led[kSingleColorEntry], 12);
        for (int k = 1; k < kRainbowFanCount; ++k) {
            const RainbowFanRecord &fan = program.boxes()[0].rainbowFan[k];
            const QByteArray whichText = QByteArray("fan ") + QByteArray::number(k + 1);
            const char *which = whichText.constData();
            QVERIFY2(fan.lightMode == source.lightMode, which);
            QVERIFY2(fan.colorMode == ColorMode::Single, which);
            QVERIFY2(fan.rValue_Led[kSingleColorEntry] == 12 && fan.gValue_Led[kSingleColorEntry] == 200
                         && fan.bValue_Led[kSingleColorEntry] == 77,
                     which);
            QVERIFY2(!fan.isPWM && fan.speedNum == 3, which);
            QVERIFY2(view->fanPanel(k)->lightMode() == LightMode::Breath, which);
        }
        // The wire: fans 2..5 were sent their look and speed, and they are
        // what fan 1 was sent.
        scenes.simulator()->clearSent();
        first->moveSlider(FanEditor::Slider::SpeedLevel, 4);
        first->pushChangeColor(); // fan 1's look once more, as the others got it
        scenes.poll();
        const std::map<int, Report> firstLight = lastByPort(scenes.simulator(), 0x52);
        const std::map<int, Report> firstSpeed = lastByPort(scenes.simulator(), 0x51);
        QVERIFY(firstLight.count(1) && firstSpeed.count(1));
        scenes.simulator()->clearSent();
        toAll->click();
        scenes.poll();
        const std::map<int, Report> light = lastByPort(scenes.simulator(), 0x52);
        const std::map<int, Report> speed = lastByPort(scenes.simulator(), 0x51);
        for (int port = 2; port <= kRainbowFanCount; ++port) {
            QVERIFY2(light.count(port) && light.at(port) == firstLight.at(1), qPrintable(QString::number(port)));
            QVERIFY2(speed.count(port), qPrintable(QString::number(port)));
        }
        QVERIFY(!light.count(1)); // the source fan itself is left alone
        // Every fan on fan 1's new fixed speed, sent as fan 1 was sent it.
        for (int port = 2; port <= kRainbowFanCount; ++port)
            QVERIFY2(speed.at(port) == firstSpeed.at(1), qPrintable(QString::number(port)));
    }

    // Only a look taken over: fans already at fan 1's speed are sent no
    // speed, so fans that follow the CPU keep running as they did.
    void toAllLeavesTheSpeedOfFansAlreadyAtIt()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        // No sensor pass of the program's own: it would send the following fans their duty.
        program.effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
        MainView *view = program.view();
        scenes.poll();
        RainbowFan *first = view->fanPanel(0);
        first->chooseLightMode(LightMode::Breath);
        const RainbowFanRecord before = program.boxes()[0].rainbowFan[1];
        scenes.simulator()->clearSent();
        button(first, QStringLiteral("btn_applyAll"))->click();
        scenes.poll();
        const std::map<int, Report> light = lastByPort(scenes.simulator(), 0x52);
        const std::map<int, Report> speed = lastByPort(scenes.simulator(), 0x51);
        for (int port = 2; port <= kRainbowFanCount; ++port) {
            QVERIFY2(light.count(port), qPrintable(QString::number(port)));
            QVERIFY2(!speed.count(port), qPrintable(QString::number(port)));
        }
        const RainbowFanRecord &after = program.boxes()[0].rainbowFan[1];
        QCOMPARE(after.lightMode, int(LightMode::Breath));
        QCOMPARE(after.isPWM, before.isPWM);
        QCOMPARE(after.speedPer, before.speedPer);
        QCOMPARE(after.speedNum, before.speedNum);
    }

    // With other boxes there, "To all" asks: this box, or every box (Esc
    // asks nothing and sends nothing). Every box means the fans of every box
    // of the same kind, each sent what its own panel sends, and the window
    // comes back to the box it showed. On single-colour fans and on 12-LED fans.
    void toAllReachesEveryBoxOfTheKind()
    {
        Scenes scenes(QStringLiteral("0,1,0,1"), 0, "[Device0]\nBoxType=0\n[Device2]\nBoxType=0\n");
        Aurivent &program = scenes.program();
        // No sensor pass of the program's own: it would send the following fans their duty.
        program.effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
        MainView *view = program.view();
        SimulatedBoxes *sim = scenes.simulator();
        view->show();
        scenes.poll();
        QCOMPARE(view->boxType(), int(BoxType::Vayla));
        VaylaRGBFanView *first = view->vaylaView(0);
        if (first->isPWM())
            button(first, QStringLiteral("PWM"))->click();
        button(first, QStringLiteral("Blink"))->click();
        first->changeSliderFanSpeed(2);
        first->changeSliderLight(40);
        scenes.poll();
        const VaylaFanRecord source = program.boxes()[0].vaylaFan[0];
        QCOMPARE(source.lightMode, int(VaylaLightMode::Blink));
        QCOMPARE(source.speed, 2);
        const RainbowFanRecord twelveBefore = program.boxes()[1].rainbowFan[2];
        const std::map<int, Report> firstLight = lastByPort(sim, 0x52, 0);
        QVERIFY(firstLight.count(1));

        sim->clearSent();
        QMenu *menu = pressToAll(first);
        QVERIFY(menu);
        QTest::keyClick(menu, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(menu->isHidden(), 10000);
        scenes.poll();
        for (int box = 0; box < 4; ++box)
            QVERIFY(!sentTo(sim, box));

        menu = pressToAll(first);
        QVERIFY(menu);
        chooseEveryBox(menu);
        scenes.poll();
        for (int box : {0, 2}) {
            const std::map<int, Report> light = lastByPort(sim, 0x52, box);
            for (int fan = box == 0 ? 1 : 0; fan < kVaylaFanCount; ++fan) {
                const QByteArray which = QByteArray("box ") + QByteArray::number(box + 1) + " fan "
                                         + QByteArray::number(fan + 1);
                const VaylaFanRecord &got = program.boxes()[box].vaylaFan[fan];
                QVERIFY2(got.lightMode == source.lightMode && got.rValue == source.rValue && got.gValue == source.gValue
                             && got.bValue == source.bValue && got.brightValue == source.brightValue
                             && got.isTurnOffLed == source.isTurnOffLed,
                         which.constData());
                QVERIFY2(!got.isPWM && got.speed == 2, which.constData());
                QVERIFY2(light.count(fan + 1) && light.at(fan + 1) == firstLight.at(1), which.constData());
            }
        }
        // The 12-LED boxes are of the other kind: left alone.
        QVERIFY(!sentTo(sim, 1) && !sentTo(sim, 3));
        QVERIFY(program.boxes()[1].rainbowFan[2] == twelveBefore);
        QCOMPARE(program.boxes().currentBox(), 0);
        QCOMPARE(view->boxType(), int(BoxType::Vayla));

        // The same from a 12-LED box: box 4 follows, the single-colour boxes do not.
        boxButton(view, 1)->click();
        scenes.poll();
        QCOMPARE(view->boxType(), int(BoxType::Rainbow));
        RainbowFan *rainbow = view->fanPanel(0);
        setUpFirstFan(rainbow);
        if (QTest::currentTestFailed())
            return;
        scenes.poll();
        const RainbowFanRecord twelve = program.boxes()[1].rainbowFan[0];
        const VaylaFanRecord singleBefore = program.boxes()[2].vaylaFan[1];
        sim->clearSent();
        menu = pressToAll(rainbow);
        QVERIFY(menu);
        chooseEveryBox(menu);
        scenes.poll();
        for (int box : {1, 3})
            for (int fan = box == 1 ? 1 : 0; fan < kRainbowFanCount; ++fan) {
                const RainbowFanRecord &got = program.boxes()[box].rainbowFan[fan];
                QVERIFY2(got.lightMode == twelve.lightMode && got.colorMode == twelve.colorMode
                             && got.rValue_Led[kSingleColorEntry] == 12 && !got.isPWM && got.speedNum == 3,
                         qPrintable(QStringLiteral("box %1 fan %2").arg(box + 1).arg(fan + 1)));
            }
        QVERIFY(!sentTo(sim, 0) && !sentTo(sim, 2));
        QVERIFY(program.boxes()[2].vaylaFan[1].lightMode == singleBefore.lightMode);
        QCOMPARE(program.boxes().currentBox(), 1);
    }

    // Copy on fan 1 would copy itself: it keeps its look and takes the speed.
    void toAllFromACopyingFanLeavesTheFirstFanItsLook()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        RainbowFan *second = view->fanPanel(1);
        view->fanPanel(0)->chooseLightMode(LightMode::Blink);
        second->chooseLightMode(LightMode::Copy);
        second->pressPWM(false);
        second->moveSlider(FanEditor::Slider::SpeedLevel, 6);
        button(second, QStringLiteral("btn_applyAll"))->click();
        scenes.poll();
        QCOMPARE(program.boxes()[0].rainbowFan[0].lightMode, int(LightMode::Blink));
        QCOMPARE(program.boxes()[0].rainbowFan[0].speedNum, 6);
        QCOMPARE(program.boxes()[0].rainbowFan[4].lightMode, int(LightMode::Copy));
        QCOMPARE(program.boxes()[0].rainbowFan[4].speedNum, 6);
    }

    // A palette click with no LED selected colours the whole ring (it did
    // nothing before); the colour-mode arrows are offered only where they
    // change something; a new light mode keeps the single colour chosen.
    void paletteArrowsAndLightModeKeepTheColour()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        RainbowFan *fan = view->fanPanel(0);
        fan->chooseLightMode(LightMode::Whirl);
        for (int led = 0; led < kLedCount; ++led)
            QVERIFY(!fan->isLedSelected(led));
        QVERIFY(!button(fan, QStringLiteral("btn_ColorModeLeft"))->isVisible());
        QVERIFY(!button(fan, QStringLiteral("btn_ColorModeRight"))->isVisible());
        const QColor before = fan->ledColor(3);
        scenes.simulator()->clearSent();
        QTest::mouseClick(fan, Qt::LeftButton, {}, QPoint(250, 272));
        scenes.poll();
        const QColor picked = fan->ledColor(3);
        QVERIFY(picked != before);
        for (int led = 0; led < kLedCount; ++led)
            QCOMPARE(fan->ledColor(led), picked);
        QCOMPARE(program.boxes()[0].rainbowFan[0].rValue_Led[7], picked.red());
        QVERIFY(lastByPort(scenes.simulator(), 0x52).count(1));

        fan->chooseLightMode(LightMode::Breath);
        QVERIFY(button(fan, QStringLiteral("btn_ColorModeLeft"))->isVisible());
        fan->chooseColorMode(ColorMode::Single);
        fan->chooseLightMode(LightMode::Blink);
        QCOMPARE(fan->colorMode(), int(ColorMode::Single));
        scenes.poll();
        QCOMPARE(program.boxes()[0].rainbowFan[0].colorMode, int(ColorMode::Single));
    }

    // With PWM the read-out says the fan follows the CPU, what that gives it
    // now and its cap, and follows the slider while it moves.
    void pwmSummaryTellsWhatTheFanDoes()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        MainView *view = scenes.program().view();
        scenes.poll();
        RainbowFan *fan = view->fanPanel(0);
        fan->pressPWM(true);
        fan->moveSlider(FanEditor::Slider::SpeedPercent, 2);
        QCOMPARE(fan->speedSummaryText(), QStringLiteral("No CPU temp.\nCap 70 %"));
        // The read-out follows the slider as it moves.
        fan->moveSlider(FanEditor::Slider::SpeedPercent, 0);
        QCOMPARE(fan->speedSummaryText(), QStringLiteral("No CPU temp.\nCap 50 %"));
        fan->moveSlider(FanEditor::Slider::SpeedPercent, 2);
        // A reading reaches the window as the core shows it.
        ViewState &state = scenes.program().core().viewState();
        WindowView window = state.window();
        window.temperatureKnown = true;
        window.temperature = 46;
        std::array<FanView, kRainbowFanCount> fans;
        for (int k = 0; k < kRainbowFanCount; ++k)
            fans[static_cast<size_t>(k)] = state.fan(k);
        state.show(window, fans);
        QCOMPARE(temperatureDuty(46, 2), 50); // below the cap: the two numbers differ
        QCOMPARE(fan->speedSummaryText(), QStringLiteral("By CPU: 50 %\nCap 70 %"));
        fan->pressPWM(false);
        fan->moveSlider(FanEditor::Slider::SpeedLevel, 4);
        QCOMPARE(fan->speedSummaryText(), QStringLiteral("40 %"));
    }

    // Choosing another profile with edits not saved asks first; Cancel keeps
    // everything, Discard loads the other, Save keeps the edits in the old.
    void switchingProfileAsksAboutUnsavedEdits()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        int asked = 0;
        MainView::UnsavedChoice answer = MainView::UnsavedChoice::Cancel;
        view->setUnsavedPrompt([&](int from, int to) {
            ++asked;
            [&] { QCOMPARE(from, view->currentProfile()); }();
            Q_UNUSED(to);
            return answer;
        });
        // Nothing edited: no question.
        profileButton(view, 1)->click();
        scenes.poll();
        QCOMPARE(asked, 0);
        QCOMPARE(view->currentProfile(), 2);
        profileButton(view, 0)->click();
        scenes.poll();
        QCOMPARE(view->currentProfile(), 1);

        view->fanPanel(0)->chooseLightMode(LightMode::Radar);
        scenes.poll();
        QVERIFY(view->hasUnsavedEdits());
        profileButton(view, 2)->click();
        scenes.poll();
        QCOMPARE(asked, 1);
        QCOMPARE(view->currentProfile(), 1);
        QVERIFY(profileButton(view, 0)->isChecked());
        QCOMPARE(program.boxes()[0].rainbowFan[0].lightMode, int(LightMode::Radar));

        answer = MainView::UnsavedChoice::Save;
        profileButton(view, 2)->click();
        scenes.poll();
        QCOMPARE(asked, 2);
        QCOMPARE(view->currentProfile(), 3);
        QVERIFY(!view->hasUnsavedEdits());

        view->fanPanel(0)->chooseLightMode(LightMode::Cycle);
        answer = MainView::UnsavedChoice::Discard;
        profileButton(view, 0)->click();
        scenes.poll();
        QCOMPARE(asked, 3);
        QCOMPARE(view->currentProfile(), 1);
        // Saved before the switch: profile 1 has Radar, the Cycle was dropped.
        QCOMPARE(program.boxes()[0].rainbowFan[0].lightMode, int(LightMode::Radar));
    }

    // The settings shown copied into another profile (its button's menu):
    // the box stays on its own, the other profile has them.
    void profileCopiedIntoAnotherSlot()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        scenes.poll();
        view->setUnsavedPrompt([](int, int) { return MainView::UnsavedChoice::Discard; });
        view->fanPanel(2)->chooseLightMode(LightMode::Snake);
        view->fanPanel(2)->pressPWM(false);
        view->fanPanel(2)->moveSlider(FanEditor::Slider::SpeedLevel, 2);
        scenes.poll();
        QPushButton *fourth = profileButton(view, 3);
        QCOMPARE(fourth->contextMenuPolicy(), Qt::ActionsContextMenu);
        QAction *copy = fourth->actions().value(0);
        QVERIFY(copy && copy->text().contains(QLatin1String("PROFILE4")));
        copy->trigger();
        scenes.poll();
        QCOMPARE(view->currentProfile(), 1);
        QCOMPARE(program.boxes()[0].profileValue, 1);

        view->fanPanel(2)->chooseLightMode(LightMode::Blink); // dropped on the way
        fourth->click();
        scenes.poll();
        QCOMPARE(view->currentProfile(), 4);
        QCOMPARE(program.boxes()[0].rainbowFan[2].lightMode, int(LightMode::Snake));
        QCOMPARE(program.boxes()[0].rainbowFan[2].speedNum, 2);
        QCOMPARE(program.boxes()[0].rainbowFan[2].isPWM, false);
    }

    // A three-fan box on fresh settings is taken for a 12-LED one: fans 4
    // and 5 give no speed. The alert says where the box type is set instead
    // of calling them stopped.
    void alertNamesTheBoxTypeForAThreeFanBox()
    {
        Scenes scenes(QStringLiteral("0"), 0);
        Aurivent &program = scenes.program();
        for (int i = 0; i < 3; ++i)
            scenes.poll();
        auto *alert = program.findChild<AlertView *>();
        QTRY_VERIFY_WITH_TIMEOUT(alert->isVisible(), 10000);
        QVERIFY(alert->looksLikeSingleColourBox());
        QVERIFY2(!alert->fanText().contains(QLatin1String("Stopped")), qPrintable(alert->fanText()));
        QVERIFY2(alert->fanText().contains(QLatin1String("Fans of this box")), qPrintable(alert->fanText()));
        // One real stop on a 12-LED box still says so.
        alert->setStalledFans({3});
        QCOMPARE(alert->fanText(), QStringLiteral("Stopped: FAN 4"));
        alert->setStalledFans({2, 3, 4});
        QVERIFY(alert->fanText().startsWith(QLatin1String("Stopped")));
    }

    // "Show" brings the window back from minimised as well as from hidden.
    void showBringsBackAMinimisedWindow()
    {
        Scenes scenes(QStringLiteral("1"), 0);
        Aurivent &program = scenes.program();
        MainView *view = program.view();
        view->show();
        view->showMinimized();
        QTRY_VERIFY(view->isMinimized());
        QVERIFY(program.handleWindowMessage(0x8101, 1, 0));
        QTRY_VERIFY_WITH_TIMEOUT(!view->isMinimized(), 10000);
        QVERIFY(view->isVisible());
        view->hide();
        QVERIFY(program.handleWindowMessage(0x8101, 1, 0));
        QTRY_VERIFY_WITH_TIMEOUT(view->isVisible(), 10000);
    }
};

int main(int argc, char *argv[])
{
    QTemporaryDir home;
    Scenes::isolateSettings(home.path());
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    TestWindowTasks test;
    return QTest::qExec(&test, argc, argv);
}

#include "window_tasks_test.moc"
