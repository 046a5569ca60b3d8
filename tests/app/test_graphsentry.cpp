// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramFixture.h"

#include "app/Aurivent.h"
#include "core/Core.h"
#include "ui/MainView.h"
#include "ui/RainbowFan.h"
#include "ui/VaylaRGBFanView.h"
#include "ui/graphs/GraphsWindow.h"
#include "device/sim/SimulatedBoxes.h"
#include "history/HistoryFile.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QScrollArea>
#include <QtTest>
#include <QtCharts/QAreaSeries>
#include <QtCharts/QChart>

// The graphs window as the user reaches it in the whole program: from the
// tray, the settings menu and a fan's speed read-out.
class TestGraphsEntry : public QObject {
    Q_OBJECT

    static GraphsWindow *shownGraphs()
    {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (auto *g = qobject_cast<GraphsWindow *>(w); g && g->isVisible())
                return g;
        return nullptr;
    }

    static void closeGraphs()
    {
        QPointer<GraphsWindow> w(shownGraphs());
        QVERIFY(w);
        w->close();
        QTRY_VERIFY_WITH_TIMEOUT(w.isNull(), 10000);
    }

private slots:
    void openedFromEachEntry()
    {
        Core core;
        startWithSettings(core.bus(), QStringLiteral("1,1"));
        Aurivent program(core);
        QVERIFY(!shownGraphs());

        // The tray: every fan.
        QAction *trayEntry = nullptr;
        for (QAction *a : program.findChildren<QAction *>())
            if (a->text() == QStringLiteral("Graphs"))
                trayEntry = a;
        QVERIFY(trayEntry);
        trayEntry->trigger();
        QVERIFY(shownGraphs());
        QCOMPARE(shownGraphs()->scope(), GraphScope::everything());
        closeGraphs();

        // The settings menu: every fan.
        MainView *view = program.view();
        QVERIFY(view);
        auto *menuEntry = view->findChild<QPushButton *>(QStringLiteral("Graphs"));
        QVERIFY(menuEntry);
        QCOMPARE(menuEntry->text(), QStringLiteral("Graphs"));
        menuEntry->click();
        QVERIFY(shownGraphs());
        QCOMPARE(shownGraphs()->scope(), GraphScope::everything());
        closeGraphs();

        // A fan panel of the second box: that fan.
        QPushButton *secondBox = view->findChild<QScrollArea *>()->widget()->findChild<QPushButton *>(QStringLiteral("1"));
        QVERIFY(secondBox);
        QTRY_VERIFY_WITH_TIMEOUT(secondBox->isCheckable(), 20000);
        secondBox->click();
        QTRY_COMPARE_WITH_TIMEOUT(view->currentBox(), 1, 20000);
        RainbowFan *third = view->fanPanel(2);
        QVERIFY(third);
        auto *readOut = third->findChild<QPushButton *>(QStringLiteral("btn_graphs"));
        QVERIFY(readOut);
        readOut->click();
        QVERIFY(shownGraphs());
        QCOMPARE(shownGraphs()->scope(), GraphScope::ofFan(1, 2));

        // The program reads its own history into it: the second box's fans are there.
        QTRY_VERIFY_WITH_TIMEOUT(!shownGraphs()->plan().lines[int(GraphQuantity::Rpm)].isEmpty()
                                     && !shownGraphs()->plan().lines[int(GraphQuantity::Rpm)][0].segments.isEmpty(),
                                 20000);
        closeGraphs();
    }

    // A box of single-colour fans: the read-out of its panels opens them too.
    void openedFromASingleColourFan()
    {
        Core core;
        startWithSettings(core.bus(), QStringLiteral("0"), "[Device0]\nBoxType=0\n");
        Aurivent program(core);
        MainView *view = program.view();
        QVERIFY(view);
        VaylaRGBFanView *second = view->vaylaView(1);
        QVERIFY(second);
        auto *readOut = second->findChild<QPushButton *>(QStringLiteral("btn_graphs"));
        QVERIFY(readOut);
        QVERIFY(!readOut->accessibleName().isEmpty());
        readOut->click();
        QVERIFY(shownGraphs());
        QCOMPARE(shownGraphs()->scope(), GraphScope::ofFan(0, 1));
        closeGraphs();
    }

    // A box that stops answering is shaded on the open window's time line,
    // from the health the program's history keeps, in every chart; when it
    // answers again the stretch ends.
    void aSilentBoxIsShaded()
    {
        // A history an earlier run left would show its own silences.
        QFile::remove(HistoryFile::defaultPath());
        Core core;
        SimulatedBoxes *sim = startWithSettings(core.bus(), QStringLiteral("1,1"));
        Aurivent program(core);
        for (QAction *a : program.findChildren<QAction *>())
            if (a->text() == QStringLiteral("Graphs"))
                a->trigger();
        GraphsWindow *w = shownGraphs();
        QVERIFY(w);
        QVERIFY(w->plan().outages.isEmpty());

        QVERIFY(sim->mute(1, true).isEmpty());
        auto shaded = [w] {
            const QVector<GraphOutage> &o = w->plan().outages;
            return !o.isEmpty() && o.first().box == 1;
        };
        QTRY_VERIFY_WITH_TIMEOUT(shaded(), 60000);
        for (int q = 0; q < kGraphQuantityCount; ++q) {
            const auto series = w->chart(GraphQuantity(q))->series();
            const int bands = int(std::count_if(series.begin(), series.end(), [](QtCharts::QAbstractSeries *s) {
                return s->type() == QtCharts::QAbstractSeries::SeriesTypeArea;
            }));
            QCOMPARE(bands, w->plan().outages.size());
        }
        // Box 2's own graph shades it, box 1's does not.
        w->setScope(GraphScope::ofBox(0));
        QVERIFY(w->plan().outages.isEmpty());
        w->setScope(GraphScope::ofBox(1));
        QVERIFY(shaded());

        QVERIFY(sim->mute(1, false).isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(w->plan().outages.size() == 1
                                     && w->plan().outages.first().toMs < qreal(w->plan().span.toSecond) * 1000,
                                 60000);
        closeGraphs();
    }
};

QTEST_MAIN(TestGraphsEntry)
#include "test_graphsentry.moc"
