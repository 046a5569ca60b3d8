// SPDX-License-Identifier: GPL-3.0-or-later
#include "FedHistory.h"

#include "ui/graphs/GraphCsv.h"
#include "ui/graphs/GraphsOpener.h"
#include "ui/graphs/GraphsWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtCharts/QChart>
#include <QtCharts/QLineSeries>
#include <QtTest>

using namespace QtCharts;

namespace {

constexpr qint64 kHead = 1765000000;

// Ten minutes of a box's two fans and the CPU; fan 1 stalls 100 s ago.
void feed(FedHistory &h, qint64 head)
{
    for (qint64 s = head - 600; s <= head; ++s) {
        h.set(SeriesKey::fanRpm(0, 0), s, s < kHead - 100 ? 1200 : 0);
        h.set(SeriesKey::fanRpm(0, 1), s, 1500);
        h.set(SeriesKey::fanDuty(0, 0), s, 70);
        h.set(SeriesKey::temperature(QStringLiteral("cpu")), s, 55);
    }
    h.head = head;
}

HistoryEvent stall(qint64 second, int fan, bool raised)
{
    HistoryEvent e;
    e.second = second;
    e.raised = raised;
    e.kind = QStringLiteral("stall");
    e.box = 0;
    e.fan = fan;
    e.text = QStringLiteral("Fan %1 of controller 1 %2").arg(fan + 1).arg(raised ? "has stopped." : "turns again.");
    return e;
}

QVector<QLineSeries *> lineSeries(QChart *chart)
{
    QVector<QLineSeries *> out;
    for (QAbstractSeries *s : chart->series())
        out.push_back(qobject_cast<QLineSeries *>(s));
    return out;
}

} // namespace

class TestGraphsWindow : public QObject {
    Q_OBJECT

private slots:
    void liveWhileOpenAndNothingWhileClosed()
    {
        FedHistory h;
        feed(h, kHead);
        GraphsOpener opener(&h);
        opener.open(GraphScope::ofFan(0, 0));
        GraphsWindow *w = opener.window();
        QVERIFY(w && w->isVisible());
        QVERIFY(h.reads > 0);
        QCOMPARE(h.liveSubscribers(), 1);
        const GraphSegment before = w->plan().lines[int(GraphQuantity::Rpm)].value(0).segments.value(0);
        QCOMPARE(before.last().x(), qreal(kHead) * 1000);

        // A new second: the chart moves with it.
        h.set(SeriesKey::fanRpm(0, 0), kHead + 1, 800);
        h.head = kHead + 1;
        h.sample();
        const QVector<QLineSeries *> rpm = lineSeries(w->chart(GraphQuantity::Rpm));
        QVERIFY(!rpm.isEmpty());
        QCOMPARE(rpm.first()->points().last(), QPointF(qreal(kHead + 1) * 1000, 800));

        // Over an hour the charts move every 5 s: a pixel's worth of time.
        w->setRange(GraphRange::OneHour);
        const int refreshes = w->refreshCount();
        h.head = kHead + 2;
        h.sample();
        QCOMPARE(w->refreshCount(), refreshes);
        h.head = kHead + 5;
        h.sample();
        QCOMPARE(w->refreshCount(), refreshes + 1);
        QCOMPARE(w->plan().span.toSecond, kHead + 5);
        w->setRange(GraphRange::FiveMinutes);

        // Hidden: not a single read, however many seconds pass.
        w->hide();
        QCOMPARE(h.liveSubscribers(), 0);
        h.reads = 0;
        for (int i = 0; i < 5; ++i)
            h.sample();
        QCOMPARE(h.reads, 0);

        // Shown again, live again; opening again brings the same window on a new scope.
        opener.open(GraphScope::ofBox(0));
        QCOMPARE(opener.window(), w);
        QCOMPARE(w->scope(), GraphScope::ofBox(0));
        QVERIFY(h.reads > 0);
        QCOMPARE(h.liveSubscribers(), 1);
        QCOMPARE(w->plan().lines[int(GraphQuantity::Rpm)].size(), 2);

        // Closed, the window is gone, and so is every read.
        QPointer<GraphsWindow> gone(w);
        w->close();
        QTRY_VERIFY_WITH_TIMEOUT(gone.isNull(), 10000);
        QVERIFY(!opener.window());
        QCOMPARE(h.liveSubscribers(), 0);
        h.reads = 0;
        h.sample();
        QCOMPARE(h.reads, 0);
    }

    void alertsAreMarkedAtTheirTimes()
    {
        FedHistory h;
        feed(h, kHead);
        h.eventList = {stall(kHead - 400, 0, true), stall(kHead - 100, 0, true), stall(kHead - 50, 1, true),
                       stall(kHead - 20, 0, false)};
        GraphsOpener opener(&h);
        opener.open(GraphScope::ofFan(0, 0));
        GraphsWindow *w = opener.window();

        // Five minutes of fan 1: its stall and its end; not the older one, not fan 2's.
        for (int q = 0; q < kGraphQuantityCount; ++q) {
            QChart *chart = w->chart(GraphQuantity(q));
            QVector<qreal> raised, cleared;
            for (QLineSeries *s : lineSeries(chart)) {
                if (s->count() != 2 || s->at(0).x() != s->at(1).x())
                    continue; // a line, not a mark
                QVERIFY(s->at(0).y() < s->at(1).y());
                (s->pen().style() == Qt::SolidLine ? raised : cleared).push_back(s->at(0).x());
            }
            QCOMPARE(raised, QVector<qreal>{qreal(kHead - 100) * 1000});
            QCOMPARE(cleared, QVector<qreal>{qreal(kHead - 20) * 1000});
        }
        // The last alerts are listed under the charts, newest first.
        QLabel *list = w->findChild<QLabel *>(QStringLiteral("GraphEvents"));
        QVERIFY(list->text().indexOf(QStringLiteral("turns again")) < list->text().indexOf(QStringLiteral("has stopped")));

        // The box's graph marks fan 2's too; the hour marks the older one.
        opener.open(GraphScope::ofBox(0));
        QCOMPARE(w->plan().marks.size(), 3);
        w->findChild<QPushButton *>(QStringLiteral("GraphRange1"))->click();
        QCOMPARE(w->range(), GraphRange::OneHour);
        QCOMPARE(w->plan().marks.size(), 4);
    }

    void rangesAndScopesFromTheControls()
    {
        FedHistory h;
        feed(h, kHead);
        h.set(SeriesKey::fanRpm(2, 4), kHead, 900);
        GraphsOpener opener(&h);
        opener.openEverything();
        GraphsWindow *w = opener.window();
        QCOMPARE(w->plan().lines[int(GraphQuantity::Rpm)].size(), 3);

        auto *scopes = w->findChild<QComboBox *>(QStringLiteral("GraphScope"));
        QStringList items;
        for (int i = 0; i < scopes->count(); ++i)
            items << scopes->itemText(i);
        QCOMPARE(items, (QStringList{"Every fan", "Box 1", "Box 1 fan 1", "Box 1 fan 2", "Box 3", "Box 3 fan 5"}));
        QCOMPARE(scopes->currentIndex(), 0);
        scopes->setCurrentIndex(5);
        emit scopes->activated(5);
        QCOMPARE(w->scope(), GraphScope::ofFan(2, 4));
        QCOMPARE(w->plan().lines[int(GraphQuantity::Rpm)].size(), 1);

        w->findChild<QPushButton *>(QStringLiteral("GraphRange2"))->click();
        QCOMPARE(w->plan().span.resolution, HistoryResolution::Minutes);
        QCOMPARE(w->plan().span.fromSecond, kHead - 24 * 3600 + 1);
        w->findChild<QPushButton *>(QStringLiteral("GraphRange0"))->click();
        QCOMPARE(w->plan().span.fromSecond, kHead - 299);
        w->close();
    }

    void exportWritesTheTableOrNothing()
    {
        FedHistory h;
        feed(h, kHead);
        h.eventList = {stall(kHead - 100, 0, true)};
        GraphsOpener opener(&h);
        opener.open(GraphScope::ofFan(0, 0));
        GraphsWindow *w = opener.window();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("fan.csv"));
        QString why;
        QVERIFY(w->exportTo(path, &why));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QStringList rows = QString::fromUtf8(f.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 301);
        QCOMPARE(rows[0], QStringLiteral("time (UTC),cpu (°C),Fan 1 duty (%),Fan 1 (RPM),alerts"));
        const QString stallRow = QDateTime::fromSecsSinceEpoch(kHead - 100, Qt::UTC).toString(Qt::ISODate)
                                 + QStringLiteral(",55,70,0,Fan 1 of controller 1 has stopped.");
        QVERIFY2(rows.contains(stallRow), qPrintable(rows.value(200)));

        // A folder that is not there: refused with why, nothing written.
        const QString bad = dir.filePath(QStringLiteral("missing/fan.csv"));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("could not be exported")));
        QVERIFY(!w->exportTo(bad, &why));
        QVERIFY(!why.isEmpty());
        QVERIFY(!QFile::exists(bad));
        w->close();
    }
};

QTEST_MAIN(TestGraphsWindow)
#include "test_graphswindow.moc"
