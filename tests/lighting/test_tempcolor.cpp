// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/TemperatureColor.h"

#include <QtTest>

// The temperature colour scale and the walk toward it.
class TestTempColor : public QObject {
    Q_OBJECT

private:
    static QString text(const Rgb &c) { return QStringLiteral("(%1, %2, %3)").arg(c.r).arg(c.g).arg(c.b); }
    static void expect(const Rgb &got, int r, int g, int b)
    {
        QVERIFY2(got == (Rgb{r, g, b}), qPrintable(text(got) + QStringLiteral(" expected ") + text({r, g, b})));
    }

    // Walks until the colour stops moving (at most `limit` calls).
    static QList<Rgb> walk(int t, int p, Rgb from, int limit = 40)
    {
        QList<Rgb> steps;
        for (int i = 0; i < limit; ++i) {
            const TemperatureWalk w = walkTemperatureColor(t, p, from);
            if (!w.send || w.shown == from)
                break;
            from = w.shown;
            steps << from;
        }
        return steps;
    }

private slots:
    void scaleRunsFromBlueToMagenta()
    {
        expect(temperatureScaleColor(-20), 0, 0, 255);
        expect(temperatureScaleColor(39), 0, 0, 255);
        expect(temperatureScaleColor(40), 0, 0, 255);
        expect(temperatureScaleColor(41), 0, 42, 255);
        expect(temperatureScaleColor(43), 0, 127, 255);
        expect(temperatureScaleColor(46), 0, 255, 255);
        expect(temperatureScaleColor(50), 0, 255, 85);
        expect(temperatureScaleColor(51), 0, 255, 42);
        expect(temperatureScaleColor(52), 0, 255, 0);
        expect(temperatureScaleColor(55), 127, 255, 0);
        expect(temperatureScaleColor(58), 255, 255, 0);
        expect(temperatureScaleColor(61), 255, 127, 0);
        expect(temperatureScaleColor(63), 255, 42, 0);
        expect(temperatureScaleColor(64), 255, 0, 0);
        expect(temperatureScaleColor(67), 255, 0, 127);
        expect(temperatureScaleColor(69), 255, 0, 212);
        expect(temperatureScaleColor(70), 255, 0, 255);
        expect(temperatureScaleColor(95), 255, 0, 255);
    }

    void stepGrowsWithTheChange()
    {
        QCOMPARE(temperatureWalkStep(41, 40), 0);
        QCOMPARE(temperatureWalkStep(42, 40), 5);
        QCOMPARE(temperatureWalkStep(50, 40), 45);
        QCOMPARE(temperatureWalkStep(40, 50), 45);
        QCOMPARE(temperatureWalkStep(38, 40), 5);
        QCOMPARE(temperatureWalkStep(0, 100), 450);
    }

    void warmingWalksBlueThroughCyanAndStopsAtTheTarget()
    {
        const QList<Rgb> steps = walk(50, 40, {0, 0, 255});
        QList<int> g;
        QList<int> b;
        for (const Rgb &c : steps) {
            QCOMPARE(c.r, 0);
            g << c.g;
            b << c.b;
        }
        QCOMPARE(g, (QList<int>{45, 90, 135, 180, 225, 255, 255, 255, 255, 255}));
        QCOMPARE(b, (QList<int>{255, 255, 255, 255, 255, 255, 210, 165, 120, 85}));
        // At the target it stays, call after call, and still sends.
        TemperatureWalk w = walkTemperatureColor(50, 40, {0, 255, 85});
        QVERIFY(w.send);
        expect(w.shown, 0, 255, 85);
    }

    void equalReadingsChangeNothing()
    {
        for (const Rgb c : {Rgb{0, 0, 255}, Rgb{255, 0, 127}, Rgb{12, 34, 56}}) {
            const TemperatureWalk w = walkTemperatureColor(60, 60, c);
            QVERIFY(!w.send);
            QVERIFY(w.shown == c);
        }
        // A change of one degree gives a zero step: sent, but unmoved.
        const TemperatureWalk w = walkTemperatureColor(61, 60, {255, 255, 0});
        QVERIFY(w.send);
        expect(w.shown, 255, 255, 0);
    }

    void coolingWalksBackDownTheScale()
    {
        // Red at 64, cooling to 50: G up to yellow, R down to green, B up to the target.
        Rgb c{255, 0, 0};
        const QList<Rgb> steps = walk(50, 64, c, 100);
        QVERIFY(!steps.isEmpty());
        expect(steps.first(), 255, 60, 0); // s = 5 x trunc(12.6) = 60
        expect(steps.last(), 0, 255, 85);
        // Every call changes one component only.
        for (const Rgb &n : steps) {
            const int changed = (n.r != c.r) + (n.g != c.g) + (n.b != c.b);
            QCOMPARE(changed, 1);
            c = n;
        }
        // Cooling from cyan lowers G no further than the target.
        TemperatureWalk w = walkTemperatureColor(43, 50, {0, 140, 255});
        expect(w.shown, 0, 127, 255);
        // A colour off the scale does not move.
        w = walkTemperatureColor(43, 50, {10, 20, 30});
        QVERIFY(w.send);
        expect(w.shown, 10, 20, 30);
    }

    void redMagentaSegmentIsWalkedBothWays()
    {
        // Mode 14 applied at 67: the scale colour at once.
        expect(temperatureScaleColor(67), 255, 0, 127);
        // Warming on to 70 walks B up to magenta.
        QList<Rgb> steps = walk(70, 67, {255, 0, 127});
        QCOMPARE(steps.size(), 13);
        expect(steps.first(), 255, 0, 137);
        expect(steps.last(), 255, 0, 255);
        // Warming from red stops at the target inside the segment.
        steps = walk(68, 64, {255, 0, 0});
        expect(steps.last(), 255, 0, 170);
        for (const Rgb &c : steps)
            QVERIFY(c.b <= 170);
        // A walk that reaches red from yellow goes on toward magenta.
        steps = walk(70, 60, {255, 255, 0});
        expect(steps.last(), 255, 0, 255);
        // Cooling from magenta lowers B to the target, or through red onward.
        steps = walk(66, 72, {255, 0, 255});
        expect(steps.last(), 255, 0, 85);
        steps = walk(60, 70, {255, 0, 255});
        expect(steps.last(), 255, 170, 0);
    }
};

QTEST_APPLESS_MAIN(TestTempColor)
#include "test_tempcolor.moc"
