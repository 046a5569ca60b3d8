// SPDX-License-Identifier: GPL-3.0-or-later
// The stalled-fan alert: placement, box label, OK and dragging.
#include "ui/AlertView.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QtTest>

namespace {

void mouse(QWidget *w, QEvent::Type type, const QPoint &pos)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, pos, w->mapToGlobal(pos), Qt::LeftButton, buttons, Qt::NoModifier);
    QCoreApplication::sendEvent(w, &event);
}

// Press at `from`, move to `to`, release there; returns how far the window moved.
QPoint drag(QWidget *w, const QPoint &from, const QPoint &to)
{
    const QPoint before = w->pos();
    mouse(w, QEvent::MouseButtonPress, from);
    mouse(w, QEvent::MouseMove, to);
    mouse(w, QEvent::MouseButtonRelease, to);
    return w->pos() - before;
}

} // namespace

class TestAlertView : public QObject {
    Q_OBJECT

private slots:
    void builtAsFramelessCornerWindow();
    void namesTheBox();
    void okAlwaysSendsTestAndHides();
    void dragsOnlyAboveTheButtonRow();
    void alertPlacement();
};

void TestAlertView::builtAsFramelessCornerWindow()
{
    AlertView alert;
    QVERIFY(alert.isVisible());
    QVERIFY(alert.isWindow());
    QVERIFY(alert.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(alert.size(), QSize(428, 248));
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    QCOMPARE(alert.pos(), QPoint(screen.width() - 428 - 20, screen.height() - 248 - 50));
    auto *ok = alert.findChild<QPushButton *>(QStringLiteral("btn_fanAlertOK"));
    QVERIFY(ok);
    QCOMPARE(ok->geometry(), QRect(175, 200, 80, 33));
    QCOMPARE(alert.findChild<QLabel *>(QStringLiteral("alertTitle"))->text(), QStringLiteral("Warning"));
    QVERIFY(alert.controllerText().isEmpty());

    // With a parent it is still a window of its own.
    QWidget owner;
    auto *owned = new AlertView(&owner);
    QVERIFY(owned->isWindow());
    QVERIFY(owned->isVisible());
}

void TestAlertView::namesTheBox()
{
    AlertView alert;
    alert.setControllerNumber(0);
    QCOMPARE(alert.controllerText(), QStringLiteral("Controller No. 1"));
    alert.setControllerNumber(15);
    QCOMPARE(alert.controllerText(), QStringLiteral("Controller No. 16"));
    alert.setControllerNumber(16);
    alert.setControllerNumber(-1);
    QCOMPARE(alert.controllerText(), QStringLiteral("Controller No. 16"));
}

void TestAlertView::okAlwaysSendsTestAndHides()
{
    AlertView alert;
    auto *ok = alert.findChild<QPushButton *>(QStringLiteral("btn_fanAlertOK"));
    QSignalSpy sent(&alert, &AlertView::alertViewSendData);
    for (int box : {0, 7, 15}) {
        alert.setControllerNumber(box);
        alert.show();
        // On the "OK" text, which lies over the button.
        QTest::mouseClick(ok, Qt::LeftButton, Qt::NoModifier, QPoint(40, 16));
        QVERIFY(alert.isHidden());
    }
    QCOMPARE(sent.count(), 3);
    for (const QList<QVariant> &args : sent)
        QCOMPARE(args.at(0).toString(), QStringLiteral("test"));
}

void TestAlertView::dragsOnlyAboveTheButtonRow()
{
    AlertView alert;
    QCOMPARE(drag(&alert, {100, 179}, {130, 170}), QPoint(30, -9));
    QCOMPARE(drag(&alert, {100, 0}, {90, 179}), QPoint(-10, 179));
    // Starting in the button row, or moving into it, moves nothing.
    QCOMPARE(drag(&alert, {100, 180}, {130, 100}), QPoint(0, 0));
    QCOMPARE(drag(&alert, {100, 240}, {130, 240}), QPoint(0, 0));
    QCOMPARE(drag(&alert, {100, 100}, {130, 180}), QPoint(0, 0));
    // A move after the release is no drag.
    mouse(&alert, QEvent::MouseButtonPress, {10, 10});
    mouse(&alert, QEvent::MouseButtonRelease, {10, 10});
    const QPoint before = alert.pos();
    mouse(&alert, QEvent::MouseMove, {50, 50});
    QCOMPARE(alert.pos(), before);
}

void TestAlertView::alertPlacement()
{
    const QSize screen(1920, 1080);
    const QSize alert(428, 248);
    QCOMPARE(stallAlertPosition(screen, alert, true), QPoint(1920 - 428 - 20, 1080 - 248 - 50));
    QCOMPARE(stallAlertPosition(screen, alert, false), QPoint((1920 - 428) / 2, (1080 - 248) / 2));
}

QTEST_MAIN(TestAlertView)
#include "test_alertview.moc"
