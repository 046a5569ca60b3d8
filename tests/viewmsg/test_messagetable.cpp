// SPDX-License-Identifier: GPL-3.0-or-later
#include "viewmsg/MessageNames.h"
#include "viewmsg/MessageTable.h"
#include "viewmsg/ViewMessages.h"

#include <QtTest>

Q_LOGGING_CATEGORY(lcTest, "aurivent.test")

// The checks every row of a message table makes before its handler runs,
// and the messages the views build.
class TestMessageTable : public QObject {
    Q_OBJECT

private slots:
    void shapes_data()
    {
        QTest::addColumn<QStringList>("message");
        QTest::addColumn<bool>("fits");
        QTest::newRow("all there") << QStringList{"x", "2", "14"} << true;
        QTest::newRow("too short") << QStringList{"x", "2"} << false;
        QTest::newRow("longer is fine") << QStringList{"x", "2", "0", "extra"} << true;
        QTest::newRow("lowest") << QStringList{"x", "0", "0"} << true;
        QTest::newRow("below") << QStringList{"x", "-1", "0"} << false;
        QTest::newRow("above") << QStringList{"x", "5", "0"} << false;
        QTest::newRow("second range above") << QStringList{"x", "4", "15"} << false;
        QTest::newRow("no number reads as 0") << QStringList{"x", "four", "0"} << true;
        QTest::newRow("too big for an int") << QStringList{"x", "2147483648", "0"} << true; // reads as 0
    }

    void shapes()
    {
        QFETCH(QStringList, message);
        QFETCH(bool, fits);
        const MessageShape shape{3, {{1, 0, 4, "fan"}, {2, 0, 14, "light mode"}}};
        if (!fits)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^view message x refused: ")));
        QCOMPARE(fitsShape(ViewMessage(message), shape, lcTest), fits);
    }

    void numberOnlyRefusesText()
    {
        const MessageShape shape{2, {{1, 0, 2, "access", true}}};
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("access is no number")));
        QVERIFY(!fitsShape(ViewMessage({"RemoteAccess", "x"}), shape, lcTest));
        QVERIFY(fitsShape(ViewMessage({"RemoteAccess", "0"}), shape, lcTest));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("access 3 out of range")));
        QVERIFY(!fitsShape(ViewMessage({"RemoteAccess", "3"}), shape, lcTest));
    }

    void rowsAreFoundByName()
    {
        const std::vector<MessageRule<int>> table = {{MessageName::btnDone, {}, 1}, {MessageName::btnCopy, {}, 2}};
        QCOMPARE(findRule(table, QStringLiteral("btn_copy"))->handler, 2);
        QCOMPARE(findRule(table, QStringLiteral("btn_done"))->handler, 1);
        QVERIFY(!findRule(table, QStringLiteral("btn_Done")));
        QVERIFY(!findRule(table, QString()));
    }

    // The items in the order the application reads them.
    void builders()
    {
        QCOMPARE(ViewMessages::fanLook(MessageName::btnDone, 2, 5, 1, 3), (QStringList{"btn_done", "2", "5", "1", "3"}));
        QCOMPARE(ViewMessages::fanDefault(2, 5, 1, 3), (QStringList{"btn_default", "2", "5", "1", "3"}));
        const float bright[3] = {1.0f, 0.5f, 0.125f};
        QCOMPARE(ViewMessages::sliderLight(4, 0, 3, 2, bright, 3),
                 (QStringList{"slider_Light", "4", "0", "3", "2", "1,0.5,0.125"}));
        QCOMPARE(ViewMessages::fanFlag(MessageName::pushMonitor, 1, true), (QStringList{"pushMonitor", "1", "1"}));
        QCOMPARE(ViewMessages::fanFlag(MessageName::btnPwm, 1, false), (QStringList{"btn_pwm", "1", "0"}));
        QCOMPARE(ViewMessages::vaylaBrightness(2, 0.7f), (QStringList{"changeSliderLight", "2", "0.7"}));
        QCOMPARE(ViewMessages::saveDevice(QStringLiteral("0042")), (QStringList{"saveDevice", "0", "0042"}));
        QCOMPARE(ViewMessages::saveProfile(), (QStringList{"saveProfile", "1"}));
        QCOMPARE(ViewMessages::showInfo(), (QStringList{"showInfo", "showInfo"}));
        QCOMPARE(ViewMessages::flagCommand(MessageName::autoUpdate, false), (QStringList{"AutoUpdate", "0"}));
        QCOMPARE(ViewMessages::command(MessageName::selectProfile, 4), (QStringList{"selectProfile", "4"}));
    }
};

QTEST_APPLESS_MAIN(TestMessageTable)
#include "test_messagetable.moc"
