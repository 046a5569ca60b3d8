// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"
#include "ScriptedSensors.h"
#include "SensorPasses.h"
#include "app/Aurivent.h"
#include "control/Controller.h"
#include "control/CurveChoice.h"
#include "control/SleepGlue.h"
#include "core/Core.h"
#include "core/CurveController.h"
#include "curves/CurveEval.h"
#include "device/FanCurve.h"
#include "device/Reports.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "power/SleepWatch.h"
#include "storage/CurvesFile.h"
#include "storage/IniHelper.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/curves/CurveEditor.h"
#include "ui/curves/CurveGraph.h"
#include "ui/curves/CurveSelector.h"

#include <QApplication>
#include <QAbstractButton>
#include <QContextMenuEvent>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QTableWidget>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

namespace {

// The computer's sleep news, given by the test.
class ManualSleepWatch : public SleepWatch {
public:
    bool listening() const override { return true; }
};

// Duty reports as (port, percent), as sentDuties() gives them.
using Duties = SentDuties;

// The first of them; (0, 0) when the box was sent none.
std::pair<int, int> firstDuty(const SimulatedBoxes *sim, int b)
{
    const Duties all = sentDuties(sim, b);
    return all.empty() ? std::make_pair(0, 0) : all.front();
}

// The last of them; (0, 0) when the box was sent none.
std::pair<int, int> lastDuty(const SimulatedBoxes *sim, int b)
{
    const Duties all = sentDuties(sim, b);
    return all.empty() ? std::make_pair(0, 0) : all.back();
}

const char kGpu[] = "amdgpu-pci-0300/edge";
const char kDisk[] = "nvme-pci-0100/Composite";

// Three chips, as the scripted plug-in names them: the CPU, a GPU and a disk.
QByteArray sensors(int cpu, int gpu, int disk)
{
    QByteArray script = "k10temp-pci-00c3|T:CPU=" + QByteArray::number(cpu);
    if (gpu >= 0)
        script += ";amdgpu-pci-0300|T:edge=" + QByteArray::number(gpu);
    if (disk >= 0)
        script += ";nvme-pci-0100|T:Composite=" + QByteArray::number(disk);
    return script;
}

void writeCurves(const QByteArray &contents)
{
    QFile file(CurvesFile::path());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(contents);
}


QByteArray curvesFileBytes()
{
    QFile file(CurvesFile::path());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QVector<CurvePoint> storedPoints(const QString &name)
{
    const CurveSettings stored = CurvesFile::read();
    const Curve *curve = stored.find(name);
    return curve ? curve->points : QVector<CurvePoint>();
}

void drag(CurveGraph *graph, const QPointF &from, const QPointF &to)
{
    QMouseEvent press(QEvent::MouseButtonPress, from, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(graph, &press);
    QMouseEvent move(QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(graph, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, to, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(graph, &release);
}

} // namespace

namespace QTest {
template <>
char *toString(const Duties &duties)
{
    QStringList items;
    for (const auto &d : duties)
        items << QStringLiteral("%1:%2").arg(d.first).arg(d.second);
    return qstrdup(qPrintable(items.join(QLatin1Char(' '))));
}
} // namespace QTest

// The whole program on a simulated 12-LED box with the scripted sensor
// plug-in: fans assigned a curve of the curves file follow it on its own
// source, the others keep the curve they always had, and a source that goes
// caps only the fans that depend on it.
class TestCurveGlue : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Core> core;
    SimulatedBoxes *sim = nullptr;
    int periodAtStart = 0; // the program's reading period before the test drives the passes

    std::unique_ptr<Aurivent> start(const QByteArray &curvesFile)
    {
        sim = startWithSettings(core->bus(), QStringLiteral("1"));
        if (!curvesFile.isEmpty())
            writeCurves(curvesFile);
        auto program = std::make_unique<Aurivent>(*core);
        program->stopSpeedPoll();
        periodAtStart = program->effects()->readingPeriod();
        program->effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
        if (!startSensorsAndWait(*program->effects(), pluginLibrary("FakeSensors")))
            return nullptr;
        if (!core->bus().waitForIdle())
            return nullptr;
        sim->clearSent();
        return program;
    }

    RainbowFanRecord &fan(int f) { return core->boxes()[0].rainbowFan[f]; }

    bool pass(Aurivent &program, const QByteArray &script)
    {
        scriptSensorReading(script.constData());
        sim->clearSent();
        return runSensorPass(*program.effects()) && core->bus().waitForIdle();
    }

private slots:
    void initTestCase()
    {
        QApplication::setQuitOnLastWindowClosed(false);
        qputenv("FAKE_SENSORS_LIVE", "1");
        qputenv("FAKE_SENSORS_INIT", "0");
        qputenv("FAKE_SENSORS_KINDS", "1,2,3");
    }

    void init() { core = std::make_unique<Core>(); }
    void cleanup() { core.reset(); }

    // A fan on its own curve follows the GPU, linear between the points and
    // held to its level's cap; the others keep Classic on the CPU. The file's
    // reading period is the program's.
    void aFanFollowsItsCurveOnItsSource()
    {
        auto program = start("[Main]\nReadingPeriod=2\n"
                             "[Curve0]\nName=Gaming\nPoints=\"40:30,80:90\"\nSources=amdgpu-pci-0300/edge\n");
        QVERIFY(program);
        QCOMPARE(periodAtStart, 2000);
        fan(0).curveName = QStringLiteral("Gaming");
        fan(2).curveName = QStringLiteral("Quiet");

        QVERIFY(pass(*program, sensors(45, 60, 30)));
        // Quiet's first pass goes straight to its target; the box's floor is 30 %.
        const int quiet = qMax(30, evaluateCurve(core->curves().curveOf(0, 2), CurveState(), 45, 100, 0).duty);
        QVERIFY(quiet != 50);
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 60}, {2, 50}, {3, quiet}, {4, 50}, {5, 50}}));

        QVERIFY(pass(*program, sensors(45, 70, 30)));
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 75));

        // Level 2: at most 70 %, whatever the curve says.
        fan(0).speedPer = 2;
        QVERIFY(pass(*program, sensors(45, 80, 30)));
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 70));

        // A fan that stops following the temperature is left alone.
        fan(0).isPWM = false;
        QVERIFY(pass(*program, sensors(45, 80, 30)));
        QCOMPARE(firstDuty(sim, 0).first, 2);
    }

    // The GPU goes: its fan keeps its duty for a short gap, then runs at its
    // cap; the user is told once, naming the source; Classic fans go on.
    void aLostSourceCapsItsFansAndIsToldOnce()
    {
        auto program = start("[Curve0]\nName=Gaming\nPoints=\"40:30,80:90\"\nSources=amdgpu-pci-0300/edge\n");
        QVERIFY(program);
        QCOMPARE(periodAtStart, 5000); // no period in the file: as always
        QSignalSpy lost(&core->curves(), &CurveController::sourceLost);
        QSignalSpy back(&core->curves(), &CurveController::sourceBack);
        fan(0).curveName = QStringLiteral("Gaming");
        fan(0).speedPer = 3; // its cap: 80 %
        QVERIFY(pass(*program, sensors(45, 60, 30)));
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 60));

        for (int gap = 0; gap < 2; ++gap) {
            QVERIFY(pass(*program, sensors(45, -1, 30)));
            QCOMPARE(sentDuties(sim, 0), (Duties{{2, 50}, {3, 50}, {4, 50}, {5, 50}}));
        }
        QVERIFY(lost.isEmpty());
        for (int outage = 0; outage < 3; ++outage) {
            QVERIFY(pass(*program, sensors(45, -1, 30)));
            QCOMPARE(sentDuties(sim, 0), (Duties{{1, 80}, {2, 50}, {3, 50}, {4, 50}, {5, 50}}));
        }
        QCOMPARE(lost.size(), 1);
        QCOMPARE(lost.at(0).at(0).toString(), QString::fromLatin1(kGpu));
        QVERIFY(lost.at(0).at(1).toString().contains(QStringLiteral("Gaming")));

        // A box that comes back meanwhile gets the cap for that fan, not a curve.
        sim->unplug(0);
        sim->plug(0, 1);
        program->updateSpeed();
        QVERIFY(core->bus().waitForIdle());
        QCoreApplication::processEvents();
        QCOMPARE(core->bus().health(0), BoxHealth::Gone);
        sim->clearSent();
        program->deviceChanged();
        QVERIFY(core->bus().waitForIdle());
        QCOMPARE(core->bus().health(0), BoxHealth::Answering);
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 80));

        QVERIFY(pass(*program, sensors(45, 50, 30)));
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 45));
        QCOMPARE(back.size(), 1);
        QCOMPARE(lost.size(), 1);
    }

    // A mix of the GPU and the disk goes on with the disk when the GPU goes,
    // and says so; without either it caps.
    void aMixGoesOnWithTheSourceItStillHas()
    {
        auto program = start("[Curve0]\nName=Case\nPoints=\"30:30,70:70\"\n"
                             "Sources=\"amdgpu-pci-0300/edge,nvme-pci-0100/Composite\"\nMix=Average\n");
        QVERIFY(program);
        QSignalSpy lost(&core->curves(), &CurveController::sourceLost);
        fan(4).curveName = QStringLiteral("Case");
        QVERIFY(pass(*program, sensors(45, 60, 40))); // average 50
        QCOMPARE(lastDuty(sim, 0), std::make_pair(5, 50));
        // The same pass reaches monitoring, each source by its name and kind.
        const QByteArray metrics = program->control().monitoring()->metricsText();
        QVERIFY2(metrics.contains("aurivent_temperature_celsius{source=\"amdgpu-pci-0300/edge\",kind=\"gpu\"} 60"),
                 metrics.constData());
        QVERIFY(metrics.contains("aurivent_temperature_celsius{source=\"nvme-pci-0100/Composite\",kind=\"disk\"} 40"));
        for (int p = 0; p < 3; ++p)
            QVERIFY(pass(*program, sensors(45, -1, 40)));
        QCOMPARE(lastDuty(sim, 0), std::make_pair(5, 40)); // the disk alone
        QVERIFY(program->control().monitoring()->metricsText().contains(
            "aurivent_temperature_available{source=\"amdgpu-pci-0300/edge\",kind=\"gpu\"} 0"));
        QCOMPARE(lost.size(), 1);
        QCOMPARE(lost.at(0).at(0).toString(), QString::fromLatin1(kGpu));
        QVERIFY(lost.at(0).at(1).toString().contains(QStringLiteral("other sources")));

        for (int p = 0; p < 3; ++p)
            QVERIFY(pass(*program, sensors(45, -1, -1)));
        QCOMPARE(lastDuty(sim, 0), std::make_pair(5, 100));
        QCOMPARE(lost.size(), 2);
        QCOMPARE(lost.at(1).at(0).toString(), QString::fromLatin1(kDisk));
    }

    // NVIDIA's GPUs are read through their driver's library beside the
    // plug-in. A fan given a curve of one by its number on the command
    // channel follows it (saved with its profile); the GPU's reading fails:
    // the usual passes, then the cap, told once.
    void aFanChosenByNumberFollowsAnNvidiaGpu()
    {
        qputenv("FAKE_NVML", "GPU-5f1c|RTX 4070|70");
        auto program = start("[Curve0]\nName=Gaming\nPoints=\"40:30,80:90\"\nSources=nvidia-GPU-5f1c/GPU\n");
        QVERIFY(program);
        QSignalSpy gpus(program->effects(), &SoftwareEffects::gpusBound);
        program->effects()->startGpus(pluginLibrary("FakeNvml"));
        QTRY_VERIFY_WITH_TIMEOUT(!gpus.isEmpty(), 10000);
        QVERIFY2(gpus.at(0).at(0).toBool(), qPrintable(gpus.at(0).at(1).toString()));
        QSignalSpy lost(&core->curves(), &CurveController::sourceLost);

        // Numbers past the curves, fans past the box: refused, nothing changes.
        for (const auto &[choice, fanNumber] : {std::pair{5, 0}, {-1, 0}, {4, kRainbowFanCount}, {4, -1}})
            QVERIFY(program->handleWindowMessage(kChooseCurveCommand, choice, fanNumber));
        for (int f = 0; f < kRainbowFanCount; ++f)
            QCOMPARE(fan(f).curveName, QStringLiteral("Classic"));

        QVERIFY(program->handleWindowMessage(kChooseCurveCommand, 4, 0)); // after the four presets
        QCOMPARE(fan(0).curveName, QStringLiteral("Gaming"));
        // Saved with the fan's other settings.
        QVERIFY(program->handleWindowMessage(0x8119, 0, 0));
        QFile profile(IniHelper::profilePath(core->boxes()[0].profileValue));
        QVERIFY(profile.open(QIODevice::ReadOnly));
        QVERIFY(profile.readAll().contains("=Gaming"));
        fan(0).speedPer = 3; // its cap: 80 %

        QVERIFY(pass(*program, sensors(45, -1, -1)));
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 75}, {2, 50}, {3, 50}, {4, 50}, {5, 50}}));

        qputenv("FAKE_NVML", "GPU-5f1c|RTX 4070|-");
        for (int gap = 0; gap < 2; ++gap) {
            QVERIFY(pass(*program, sensors(45, -1, -1)));
            QCOMPARE(firstDuty(sim, 0).first, 2);
        }
        QVERIFY(pass(*program, sensors(45, -1, -1)));
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 80));
        QVERIFY(pass(*program, sensors(45, -1, -1)));
        QCOMPARE(lost.size(), 1);
        QCOMPARE(lost.at(0).at(0).toString(), QStringLiteral("nvidia-GPU-5f1c/GPU"));
        qunsetenv("FAKE_NVML");
    }

    // The window: the menu key (or a right click) on a fan's PWM switch opens
    // its curve selector, presets first, the fan's own curve current. Esc
    // changes nothing; Enter on another is the fan's curve, followed at the
    // next pass and saved with its profile. An unknown name or fan is refused.
    void theSelectorInTheWindowGivesAFanItsCurve()
    {
        auto program = start("[Curve0]\nName=Gaming\nPoints=\"40:30,80:90\"\nSources=amdgpu-pci-0300/edge\n");
        QVERIFY(program);
        QVERIFY(program->view());
        const auto openSelector = [&program]() -> CurveSelector * {
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(2, 2));
            QApplication::sendEvent(program->view()->fanPanel(1)->pwmButton(), &menuKey);
            return program->view()->findChild<CurveSelector *>();
        };
        QPointer<CurveSelector> selector = openSelector();
        QVERIFY(selector);
        QCOMPARE(selector->fan(), 1);
        QStringList listed;
        for (int row = 0; row < selector->list()->count(); ++row)
            listed << selector->list()->item(row)->data(Qt::UserRole).toString();
        QCOMPARE(listed, (QStringList{"Classic", "Quiet", "Balanced", "Cooling", "Gaming"}));
        QCOMPARE(selector->list()->currentRow(), 0);

        selector->list()->setCurrentRow(4);
        QTest::keyClick(selector, Qt::Key_Escape);
        QTRY_VERIFY_WITH_TIMEOUT(!selector, 10000);
        QCOMPARE(fan(1).curveName, QStringLiteral("Classic"));

        selector = openSelector();
        QVERIFY(selector);
        selector->list()->setCurrentRow(4);
        QTest::keyClick(selector->list(), Qt::Key_Return);
        QTRY_VERIFY_WITH_TIMEOUT(!selector, 10000);
        QCOMPARE(fan(1).curveName, QStringLiteral("Gaming"));
        // Opened again, the fan's own curve is the current one.
        selector = openSelector();
        QVERIFY(selector);
        QCOMPARE(selector->list()->currentRow(), 4);
        selector->reject();

        program->receiveMainData({"fan_curve", "0", "Nope"});
        program->receiveMainData({"fan_curve", "7", "Quiet"});
        for (int f : {0, 2, 3, 4})
            QCOMPARE(fan(f).curveName, QStringLiteral("Classic"));

        fan(1).speedPer = 3; // its cap: 80 %
        QVERIFY(pass(*program, sensors(45, 60, -1)));
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 50}, {2, 60}, {3, 50}, {4, 50}, {5, 50}}));
        QVERIFY(program->handleWindowMessage(0x8119, 0, 0));
        QFile profile(IniHelper::profilePath(core->boxes()[0].profileValue));
        QVERIFY(profile.open(QIODevice::ReadOnly));
        QVERIFY(profile.readAll().contains("=Gaming"));
    }

    // The editor: a point dragged on the graph and a duty typed in the table
    // reach the curves file and the running fans; a curve with three points
    // at one temperature or with nine points is refused with a message and
    // the file stays as it was; a preset is only copied; the marker follows
    // the curve's source pass for pass.
    void theEditorChangesTheStoredCurveAndRefusesBadOnes()
    {
        auto program = start("[Curve0]\nName=Gaming\nPoints=\"40:30,80:90\"\nSources=amdgpu-pci-0300/edge\n");
        QVERIFY(program);
        fan(0).curveName = QStringLiteral("Gaming");
        fan(0).speedPer = 4;
        program->view()->openCurveEditor(QStringLiteral("Gaming"));
        auto *editor = program->view()->findChild<CurveEditor *>();
        QVERIFY(editor);
        QCOMPARE(editor->table()->rowCount(), 2);
        editor->resize(900, 700);
        editor->show();

        QVERIFY(pass(*program, sensors(45, 60, -1)));
        QCOMPARE(editor->graph()->marker(), QPointF(60, 60));
        QVERIFY(pass(*program, sensors(45, 70, -1)));
        QCOMPARE(editor->graph()->marker(), QPointF(70, 75));
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 75));
        // With the disk ticked too, the hotter of the two (the mix's default).
        QVERIFY(pass(*program, sensors(45, 70, 50)));
        auto *sources = editor->findChild<QListWidget *>();
        QVERIFY(sources);
        const auto disk = sources->findItems(QLatin1String(kDisk), Qt::MatchExactly);
        QCOMPARE(disk.size(), 1);
        disk.first()->setCheckState(Qt::Checked);
        QCOMPARE(editor->graph()->marker(), QPointF(70, 75));
        disk.first()->setCheckState(Qt::Unchecked);
        QVERIFY(pass(*program, sensors(45, -1, -1)));
        QVERIFY(!editor->graph()->markerShown());

        // Drag the first point from 40 °C 30 % to 50 °C 60 %; type 100 % for the second.
        CurveGraph *graph = editor->graph();
        drag(graph, graph->placeOf(40, 30), graph->placeOf(50, 60));
        QCOMPARE(editor->table()->item(0, 0)->text(), QStringLiteral("50"));
        QCOMPARE(editor->table()->item(0, 1)->text(), QStringLiteral("60"));
        editor->table()->item(1, 1)->setText(QStringLiteral("100"));
        QVERIFY(editor->save());
        QCOMPARE(storedPoints(QStringLiteral("Gaming")), (QVector<CurvePoint>{{50, 60}, {80, 100}}));
        QVERIFY(pass(*program, sensors(45, 65, -1)));
        QCOMPARE(firstDuty(sim, 0), std::make_pair(1, 80)); // 60 + 40 * 15/30

        const QByteArray before = curvesFileBytes();
        editor->addPoint(); // three points, the last two at 80 °C ...
        editor->table()->item(2, 0)->setText(QStringLiteral("80"));
        editor->table()->item(0, 0)->setText(QStringLiteral("80")); // ... and the first too
        QVERIFY(!editor->save());
        QVERIFY(!editor->message()->text().isEmpty());
        QCOMPARE(curvesFileBytes(), before);
        editor->showCurve(QStringLiteral("Gaming"));
        for (int k = 0; k < 7; ++k)
            editor->addPoint();
        QCOMPARE(editor->table()->rowCount(), 9);
        QVERIFY(!editor->save());
        QVERIFY(editor->message()->text().contains(QLatin1String("9")));
        QCOMPARE(curvesFileBytes(), before);

        // A preset is read-only; its copy is a curve of the user's.
        editor->showCurve(QStringLiteral("Quiet"));
        QVERIFY(!editor->save());
        QCOMPARE(curvesFileBytes(), before);
        editor->copyToNew();
        QVERIFY(editor->save());
        QCOMPARE(storedPoints(QStringLiteral("Quiet 2")), curvePresets().at(1).points);
        QVERIFY(core->curves().settings().find(QStringLiteral("Quiet 2")));
    }

    // Without a curves file or a curve key every fan gets, pass for pass,
    // the duty the fixed curve has always given for its level.
    void classicFansGetTheDutiesTheyAlwaysHad()
    {
        auto program = start(QByteArray());
        QVERIFY(program);
        for (int f = 0; f < kRainbowFanCount; ++f)
            fan(f).speedPer = f; // levels 0..4: caps 50..90 %
        QSignalSpy lost(&core->curves(), &CurveController::sourceLost);
        for (int t = 20; t <= 90; t += 3) {
            QVERIFY(pass(*program, sensors(t, 90 - t, 30)));
            Duties expected;
            for (int f = 0; f < kRainbowFanCount; ++f)
                expected.emplace_back(f + 1, temperatureDuty(t, f));
            QCOMPARE(sentDuties(sim, 0), expected);
        }
        // Falling again: no hysteresis, no ramp.
        QVERIFY(pass(*program, sensors(41, 30, 30)));
        QCOMPARE(lastDuty(sim, 0), std::make_pair(5, 30));
        QVERIFY(lost.isEmpty()); // the CPU's loss is told where it is read, never here
    }

    // After the computer slept the boxes get their settings again with every
    // temperature-following fan at its cap, not at a duty of the reading
    // from before the sleep; the reading asked for at once takes them back
    // to their curves.
    void aWakeUpSendsTheCapsUntilAFreshReading()
    {
        auto program = start("[Curve0]\nName=Gaming\nPoints=\"40:30,80:90\"\nSources=amdgpu-pci-0300/edge\n");
        QVERIFY(program);
        fan(0).curveName = QStringLiteral("Gaming");
        fan(1).speedPer = 2; // cap 70
        QVERIFY(pass(*program, sensors(45, 60, 30)));
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 60}, {2, 50}, {3, 50}, {4, 50}, {5, 50}}));

        ManualSleepWatch watch;
        Controller &control = program->control();
        followSleep(watch, control.devices(), *control.effects(), core->curves(), *control.monitoring());
        scriptSensorReading(sensors(45, 60, 30).constData());
        sim->clearSent();
        QSignalSpy passes(program->effects(), &SoftwareEffects::sensorPassFinished);
        emit watch.aboutToSleep();
        QVERIFY(core->bus().waitForIdle());
        QVERIFY(sim->sent().empty()); // going to sleep sends nothing

        // The reading is held until the caps are on the wire: a duty of the
        // fresh reading would otherwise take a waiting cap's place in the
        // box's queue, as it should, and leave nothing to see.
        HeldSensorPasses hold;
        QVERIFY(hold.held());
        program->effects()->setSensorDeadline(60 * 1000); // held is not late
        emit watch.resumed();
        QVERIFY(core->bus().waitForIdle());
        QCOMPARE(sentDuties(sim, 0), (Duties{{1, 100}, {2, 70}, {3, 100}, {4, 100}, {5, 100}}));
        QVERIFY(passes.isEmpty());

        QVERIFY(hold.release());
        QTRY_COMPARE_WITH_TIMEOUT(passes.size(), 1, 30000);
        QVERIFY(core->bus().waitForIdle());
        const Duties all = sentDuties(sim, 0);
        QVERIFY2(all.size() == 10, QTest::toString(all)); // the caps, then the curves
        QCOMPARE(Duties(all.end() - 5, all.end()), (Duties{{1, 60}, {2, 50}, {3, 50}, {4, 50}, {5, 50}}));
    }
};

QTEST_MAIN(TestCurveGlue)
#include "test_curveglue.moc"
