// SPDX-License-Identifier: GPL-3.0-or-later
// The sensor-information window: its build, and closing only hides it.
#include "ui/InfoView.h"

#include <QPointer>
#include <QSignalSpy>
#include <QTextEdit>
#include <QtTest>

class TestInfoView : public QObject {
    Q_OBJECT

private slots:
    void builtHiddenWithTextArea();
    void closeKeepsWindowAndText();
    void windowMessages();
};

void TestInfoView::builtHiddenWithTextArea()
{
    InfoView info;
    QCOMPARE(info.windowTitle(), QStringLiteral("Sensors"));
    // Readings in plain words; lines of another form pass unchanged.
    QCOMPARE(InfoView::plainLine(QStringLiteral("HWi32_GetTemperature:Core 0 = 45")),
             QString::fromUtf8("Temperature \u00b7 Core 0: 45 \u00b0C"));
    QCOMPARE(InfoView::plainLine(QStringLiteral("HWi32_GetFan:fan1 = 1200")), QStringLiteral("Fan \u00b7 fan1: 1200 RPM"));
    QCOMPARE(InfoView::plainLine(QStringLiteral("HWi32_GetUsage:a = b = 3")), QStringLiteral("Usage \u00b7 a = b: 3 %"));
    QCOMPARE(InfoView::plainLine(QStringLiteral("HWi32_GetVoltage:no value")), QStringLiteral("HWi32_GetVoltage:no value"));
    QCOMPARE(InfoView::plainLine(QStringLiteral("No sensor information")), QStringLiteral("No sensor information"));
    QVERIFY(info.isHidden());
    QCOMPARE(info.geometry(), QRect(100, 100, 500, 500));
    QCOMPARE(info.minimumSize(), QSize(500, 500));
    QCOMPARE(info.maximumSize(), QSize(500, 500));
    QVERIFY(info.textEdit());
    QCOMPARE(info.textEdit()->geometry(), QRect(10, 10, 480, 480));

    QWidget owner;
    auto *owned = new InfoView(&owner);
    QVERIFY(owned->isWindow());
    QVERIFY(owned->isHidden());
}

void TestInfoView::closeKeepsWindowAndText()
{
    auto *info = new InfoView;
    info->setAttribute(Qt::WA_DeleteOnClose);
    QPointer<InfoView> alive(info);
    info->appendLine(QStringLiteral("CPU Package: 41"));
    info->appendLine(QStringLiteral("Core #0: 39"));
    info->show();
    QVERIFY(QTest::qWaitForWindowExposed(info));

    QVERIFY(!info->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(alive);
    QVERIFY(info->isHidden());
    QCOMPARE(info->textEdit()->toPlainText(), QStringLiteral("CPU Package: 41\nCore #0: 39"));

    info->show();
    QVERIFY(info->isVisible());
    delete info;
}

void TestInfoView::windowMessages()
{
    InfoView info;
    info.appendLine(QStringLiteral("line"));
    info.show();
    QVERIFY(info.handleWindowMessage(InfoView::kWmDeviceChange));
    QVERIFY(info.isVisible());
    QVERIFY(!info.handleWindowMessage(0x8101));
    QVERIFY(!info.handleWindowMessage(0));
    QVERIFY(info.isVisible());
    QVERIFY(info.handleWindowMessage(InfoView::kWmClose));
    QVERIFY(info.isHidden());
    QCOMPARE(info.textEdit()->toPlainText(), QStringLiteral("line"));
}

QTEST_MAIN(TestInfoView)
#include "test_infoview.moc"
