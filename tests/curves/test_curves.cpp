// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/CurveEval.h"
#include "device/FanCurve.h"

#include <QtTest>

#include <cmath>
#include <limits>

Q_DECLARE_METATYPE(Curve)

namespace {

Curve linear(QVector<CurvePoint> points, int hysteresis = 0, int stepUp = 0, int stepDown = 0, int minDuty = 0)
{
    Curve c;
    c.name = QStringLiteral("Test");
    c.points = std::move(points);
    c.hysteresis = hysteresis;
    c.stepUp = stepUp;
    c.stepDown = stepDown;
    c.minDuty = minDuty;
    return c;
}

// Duties a fan gets for a run of readings, one pass every `periodMs`.
QVector<int> run(const Curve &curve, const QVector<double> &temperatures, int periodMs = 1000, int cap = 100)
{
    QVector<int> duties;
    CurveState state;
    for (double t : temperatures) {
        const CurveStep step = evaluateCurve(curve, state, t, cap, periodMs);
        state = step.state;
        duties << step.duty;
    }
    return duties;
}

// The number of passes whose duty differs from the one before.
int changes(const QVector<int> &duties)
{
    int n = 0;
    for (int i = 1; i < duties.size(); ++i)
        n += duties.at(i) != duties.at(i - 1);
    return n;
}

} // namespace

class TestCurves : public QObject {
    Q_OBJECT

private slots:
    void classicIsTodaysCurveForEveryTemperatureAndLevel()
    {
        const Curve &classic = classicCurve();
        QVERIFY2(curveProblem(classic).isEmpty(), qPrintable(curveProblem(classic)));
        // Levels outside 0..5 are held by the cap as today.
        for (int level = -2; level <= 7; ++level) {
            CurveState running;
            for (int t = 0; t <= 125; ++t) {
                const int today = temperatureDuty(t, level);
                // Fresh, and as the next pass of a fan that has been following it.
                QCOMPARE(evaluateCurve(classic, CurveState(), t, temperatureCapDuty(level), 5000).duty, today);
                const CurveStep step = evaluateCurve(classic, running, t, temperatureCapDuty(level), 5000);
                QCOMPARE(step.duty, today);
                running = step.state;
            }
            // And on the way down again.
            for (int t = 125; t >= 0; --t) {
                const CurveStep step = evaluateCurve(classic, running, t, temperatureCapDuty(level), 5000);
                QCOMPARE(step.duty, temperatureDuty(t, level));
                running = step.state;
            }
        }
        for (int t = 0; t <= 125; ++t)
            QCOMPARE(pointsDuty(classic, t), double(temperatureCurveDuty(t)));
    }

    void interpolatesBetweenPointsAndIsFlatOutside_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<double>("celsius");
        QTest::addColumn<int>("duty");
        const int lin = int(CurveShape::Linear);
        const int steps = int(CurveShape::Steps);
        // Points (30, 30), (50, 50), (70, 100).
        QTest::newRow("below the first") << lin << 0.0 << 30;
        QTest::newRow("on the first") << lin << 30.0 << 30;
        QTest::newRow("between 1 and 2") << lin << 40.0 << 40;
        QTest::newRow("fraction rounds") << lin << 40.6 << 41;
        QTest::newRow("on the middle") << lin << 50.0 << 50;
        QTest::newRow("steeper part") << lin << 60.0 << 75;
        QTest::newRow("just below the last") << lin << 69.0 << 98;
        QTest::newRow("on the last") << lin << 70.0 << 100;
        QTest::newRow("above the last") << lin << 125.0 << 100;
        QTest::newRow("steps: below") << steps << 10.0 << 30;
        QTest::newRow("steps: holds the lower point") << steps << 49.9 << 30;
        QTest::newRow("steps: on a point") << steps << 50.0 << 50;
        QTest::newRow("steps: before the last") << steps << 69.9 << 50;
        QTest::newRow("steps: on the last") << steps << 70.0 << 100;
    }

    void interpolatesBetweenPointsAndIsFlatOutside()
    {
        QFETCH(int, shape);
        QFETCH(double, celsius);
        QFETCH(int, duty);
        Curve c = linear({{30, 30}, {50, 50}, {70, 100}});
        c.shape = CurveShape(shape);
        QCOMPARE(evaluateCurve(c, CurveState(), celsius, 100, 1000).duty, duty);
    }

    void hysteresisHoldsTheDutyWhileTheTemperatureHovers_data()
    {
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("hysteresis");
        QTest::addColumn<QVector<double>>("temperatures");
        QTest::addColumn<QVector<int>>("duties");
        const int lin = int(CurveShape::Linear);
        const int steps = int(CurveShape::Steps);
        // Linear (30, 30) .. (70, 70): the duty is the followed temperature.
        QTest::newRow("linear, 2 degrees, hovering at 50 +-1")
            << lin << 2 << QVector<double>{51, 49, 51, 49, 51, 49, 50, 49}
            << QVector<int>{51, 51, 51, 51, 51, 51, 51, 51};
        QTest::newRow("linear, 2 degrees, falling further")
            << lin << 2 << QVector<double>{51, 48, 45, 46, 47, 49}
            << QVector<int>{51, 50, 47, 47, 47, 49};
        QTest::newRow("linear, none: every wobble moves it")
            << lin << 0 << QVector<double>{51, 49, 51, 49} << QVector<int>{51, 49, 51, 49};
        // Steps (40, 40), (50, 60), (60, 80).
        QTest::newRow("steps, 2 degrees, hovering at the point 50")
            << steps << 2 << QVector<double>{51, 49, 51, 49, 50, 49, 51}
            << QVector<int>{60, 60, 60, 60, 60, 60, 60};
        QTest::newRow("steps, 2 degrees: falls once 2 further below")
            << steps << 2 << QVector<double>{51, 49, 48, 47, 50}
            << QVector<int>{60, 60, 60, 40, 60};
        QTest::newRow("steps, none: falls just below the point")
            << steps << 0 << QVector<double>{51, 49, 51, 49} << QVector<int>{60, 40, 60, 40};
        QTest::newRow("a rise is followed at once")
            << steps << 5 << QVector<double>{45, 61} << QVector<int>{40, 80};
    }

    void hysteresisHoldsTheDutyWhileTheTemperatureHovers()
    {
        QFETCH(int, shape);
        QFETCH(int, hysteresis);
        QFETCH(QVector<double>, temperatures);
        QFETCH(QVector<int>, duties);
        Curve c = shape == int(CurveShape::Linear) ? linear({{30, 30}, {70, 70}}, hysteresis)
                                                   : linear({{40, 40}, {50, 60}, {60, 80}}, hysteresis);
        c.shape = CurveShape(shape);
        QCOMPARE(run(c, temperatures), duties);
    }

    void hoveringWithHysteresisNeverChangesTheDuty()
    {
        // Long runs round every point of a preset, for each preset.
        for (const Curve &preset : curvePresets()) {
            Curve c = preset;
            c.hysteresis = 2;
            c.stepUp = c.stepDown = 0;
            for (const CurvePoint &p : c.points) {
                QVector<double> wobble{double(p.celsius + 1)};
                for (int i = 0; i < 40; ++i)
                    wobble << p.celsius - 1 << p.celsius + 1 << p.celsius;
                QVERIFY2(changes(run(c, wobble)) == 0, qPrintable(c.name + QString::number(p.celsius)));
            }
        }
    }

    void stepRatesLimitHowFastTheDutyMoves_data()
    {
        QTest::addColumn<int>("stepUp");
        QTest::addColumn<int>("stepDown");
        QTest::addColumn<int>("periodMs");
        QTest::addColumn<int>("cap");
        QTest::addColumn<QVector<double>>("temperatures");
        QTest::addColumn<QVector<int>>("duties");
        // (30, 30) .. (75, 100): 30 degrees give 30 %, 80 degrees 100 %.
        const QVector<double> jump{30, 80, 80, 80, 80, 80, 80, 80, 80};
        QTest::newRow("10 %/s, 1 s readings")
            << 10 << 0 << 1000 << 100 << jump << QVector<int>{30, 40, 50, 60, 70, 80, 90, 100, 100};
        QTest::newRow("10 %/s, 5 s readings")
            << 10 << 0 << 5000 << 100 << jump << QVector<int>{30, 80, 100, 100, 100, 100, 100, 100, 100};
        QTest::newRow("3 %/s, 2 s readings")
            << 3 << 0 << 2000 << 100 << jump << QVector<int>{30, 36, 42, 48, 54, 60, 66, 72, 78};
        QTest::newRow("0: at once")
            << 0 << 0 << 1000 << 100 << jump << QVector<int>{30, 100, 100, 100, 100, 100, 100, 100, 100};
        QTest::newRow("rising to the cap")
            << 10 << 0 << 1000 << 70 << jump << QVector<int>{30, 40, 50, 60, 70, 70, 70, 70, 70};
        QTest::newRow("falling at its own rate")
            << 0 << 5 << 1000 << 100 << QVector<double>{80, 30, 30, 30, 80}
            << QVector<int>{100, 95, 90, 85, 100};
        QTest::newRow("down 0: at once") << 10 << 0 << 1000 << 100 << QVector<double>{80, 30} << QVector<int>{100, 30};
    }

    void stepRatesLimitHowFastTheDutyMoves()
    {
        QFETCH(int, stepUp);
        QFETCH(int, stepDown);
        QFETCH(int, periodMs);
        QFETCH(int, cap);
        QFETCH(QVector<double>, temperatures);
        QFETCH(QVector<int>, duties);
        QCOMPARE(run(linear({{30, 30}, {75, 100}}, 0, stepUp, stepDown), temperatures, periodMs, cap), duties);
    }

    void capMinimumDutyAndOddInputs()
    {
        const Curve slow = linear({{30, 0}, {60, 100}}, 0, 1, 1, 40);
        // The minimum holds the duty up, the cap holds it down.
        QCOMPARE(evaluateCurve(slow, CurveState(), 30, 100, 1000).duty, 40);
        QCOMPARE(evaluateCurve(slow, CurveState(), 60, 60, 1000).duty, 60);
        // A level lowered while the duty ramps down applies at once.
        CurveStep step = evaluateCurve(slow, CurveState(), 60, 100, 1000);
        QCOMPARE(step.duty, 100);
        step = evaluateCurve(slow, step.state, 30, 60, 1000);
        QCOMPARE(step.duty, 60);
        // After a pass at the cap the duty steps down from the cap.
        CurveState capped = stateAtDuty(step.state, 100);
        QCOMPARE(evaluateCurve(slow, capped, 30, 100, 1000).duty, 99);
        QVERIFY(!stateAtDuty(CurveState(), 100).started);
        // Elapsed time is held to a sane range: a clock going back moves
        // nothing, a very long pass no more than a minute.
        QCOMPARE(evaluateCurve(slow, step.state, 60, 100, -5000).duty, 60);
        QCOMPARE(evaluateCurve(slow, step.state, 30, 100, std::numeric_limits<int>::max()).duty, 40);
        // A temperature that is not a number: the cap, state untouched.
        for (double bad : {std::nan(""), std::numeric_limits<double>::infinity()}) {
            const CurveStep odd = evaluateCurve(slow, step.state, bad, 70, 1000);
            QCOMPARE(odd.duty, 70);
            QCOMPARE(odd.state.duty, step.state.duty);
        }
        // Caps outside 0..100 are held to it.
        QCOMPARE(evaluateCurve(slow, CurveState(), 60, 250, 1000).duty, 100);
        QCOMPARE(evaluateCurve(slow, CurveState(), 60, -3, 1000).duty, 0);
        QCOMPARE(pointsDuty(Curve(), 50), 100.0);
    }

    void curvesAreCheckedWhole_data()
    {
        QTest::addColumn<Curve>("curve");
        QTest::addColumn<QString>("problem");
        const Curve ok = linear({{30, 30}, {60, 100}});
        QTest::newRow("usable") << ok << QString();
        auto with = [&ok](auto change) {
            Curve c = ok;
            change(c);
            return c;
        };
        QTest::newRow("one point") << with([](Curve &c) { c.points.resize(1); }) << "1 points";
        QTest::newRow("nine points") << with([](Curve &c) {
            c.points.clear();
            for (int i = 0; i < 9; ++i)
                c.points << CurvePoint{20 + i, 30 + i};
        }) << "9 points";
        QTest::newRow("same temperature twice") << with([](Curve &c) { c.points[1].celsius = 30; }) << "must rise";
        QTest::newRow("temperatures out of order")
            << with([](Curve &c) { c.points = {{60, 30}, {30, 100}}; }) << "must rise";
        QTest::newRow("duty falls") << with([](Curve &c) { c.points[1].duty = 20; }) << "duty falls";
        QTest::newRow("too hot") << with([](Curve &c) { c.points[1].celsius = 126; }) << "temperature 126";
        QTest::newRow("below zero") << with([](Curve &c) { c.points[0].celsius = -1; }) << "temperature -1";
        QTest::newRow("duty over 100") << with([](Curve &c) { c.points[1].duty = 101; }) << "duty 101";
        QTest::newRow("hysteresis") << with([](Curve &c) { c.hysteresis = 21; }) << "hysteresis 21";
        QTest::newRow("step up") << with([](Curve &c) { c.stepUp = 101; }) << "step up 101";
        QTest::newRow("step down") << with([](Curve &c) { c.stepDown = -1; }) << "step down -1";
        QTest::newRow("minimum duty") << with([](Curve &c) { c.minDuty = 101; }) << "minimum duty 101";
        QTest::newRow("no name") << with([](Curve &c) { c.name = QStringLiteral(" "); }) << "empty name";
        QTest::newRow("long name") << with([](Curve &c) { c.name = QString(33, QLatin1Char('x')); }) << "longer";
        QTest::newRow("spaced name") << with([](Curve &c) { c.name = QStringLiteral(" Quiet2"); }) << "spaces";
        QTest::newRow("control in name") << with([](Curve &c) { c.name = QStringLiteral("a\nb"); }) << "control";
        QTest::newRow("no source") << with([](Curve &c) { c.source.ids.clear(); }) << "0 sources";
        QTest::newRow("nine sources") << with([](Curve &c) {
            c.source.ids.clear();
            for (int i = 0; i < 9; ++i)
                c.source.ids << QStringLiteral("chip/t%1").arg(i);
        }) << "9 sources";
        QTest::newRow("source twice")
            << with([](Curve &c) { c.source.ids = QStringList{QStringLiteral("a/b"), QStringLiteral("a/b")}; })
            << "twice";
        QTest::newRow("comma in a source")
            << with([](Curve &c) { c.source.ids = QStringList{QStringLiteral("a,b")}; }) << "comma";
        QTest::newRow("empty source") << with([](Curve &c) { c.source.ids = QStringList{QString()}; })
                                      << "empty source";
        QTest::newRow("long source")
            << with([](Curve &c) { c.source.ids = QStringList{QString(201, QLatin1Char('s'))}; }) << "longer";
    }

    void curvesAreCheckedWhole()
    {
        QFETCH(Curve, curve);
        QFETCH(QString, problem);
        const QString found = curveProblem(curve);
        if (problem.isEmpty())
            QVERIFY2(found.isEmpty(), qPrintable(found));
        else
            QVERIFY2(found.contains(problem), qPrintable(found));
    }

    void presetsAndSettingsFindCurvesByName()
    {
        QStringList names;
        for (const Curve &c : curvePresets()) {
            QVERIFY2(curveProblem(c).isEmpty(), qPrintable(c.name));
            names << c.name;
        }
        QCOMPARE(names, (QStringList{QStringLiteral("Classic"), QStringLiteral("Quiet"), QStringLiteral("Balanced"),
                                     QStringLiteral("Cooling")}));
        // Every preset follows the classic CPU reading.
        for (const Curve &c : curvePresets())
            QCOMPARE(c.source.ids, QStringList{QStringLiteral("cpu")});

        CurveSettings settings;
        QVERIFY(settings.problem().isEmpty());
        Curve mine = linear({{20, 30}, {80, 100}});
        mine.name = QStringLiteral("Gaming");
        settings.curves << mine;
        QVERIFY(settings.problem().isEmpty());
        QCOMPARE(settings.find(QStringLiteral("gaming"))->points, mine.points);
        QCOMPARE(settings.find(QStringLiteral("QUIET"))->name, QStringLiteral("Quiet"));
        QVERIFY(!settings.find(QStringLiteral("Gone")));
        QCOMPARE(settings.curveFor(QStringLiteral("Gone")), classicCurve());
        QCOMPARE(settings.curveFor(QString()), classicCurve());

        CurveSettings twice = settings;
        mine.name = QStringLiteral("GAMING");
        twice.curves << mine;
        QVERIFY(twice.problem().contains(QStringLiteral("twice")));
        CurveSettings preset = settings;
        mine.name = QStringLiteral("cooling");
        preset.curves << mine;
        QVERIFY(preset.problem().contains(QStringLiteral("preset")));
        for (int period : {0, 6}) {
            CurveSettings odd = settings;
            odd.readingPeriod = period;
            QVERIFY(odd.problem().contains(QStringLiteral("reading period")));
        }
        CurveSettings bad = settings;
        bad.curves.first().points.clear();
        QVERIFY(bad.problem().startsWith(QStringLiteral("Gaming: 0 points")));
    }
};

QTEST_APPLESS_MAIN(TestCurves)
#include "test_curves.moc"
