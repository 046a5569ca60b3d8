// SPDX-License-Identifier: GPL-3.0-or-later
// JSON from outside with a key that comes twice is refused before Qt's
// parser, which would lose memory on it, ever sees it.

#include "common/JsonText.h"

#include <QJsonObject>
#include <QtTest>

class TestJsonText : public QObject {
    Q_OBJECT

private slots:
    void repeatedKeys_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<bool>("repeated");
        QTest::addColumn<QString>("key");
        QTest::newRow("scalars") << QByteArray("{\"a\":1,\"a\":2}") << true << "a";
        QTest::newRow("arrays") << QByteArray("{\"G\":[1],\"B\":[2],\"G\":[3]}") << true << "G";
        QTest::newRow("nested") << QByteArray("[{\"x\":{\"c\":[1],\"d\":0,\"c\":{}}}]") << true << "c";
        QTest::newRow("after a nested value") << QByteArray("{\"a\":{\"b\":1},\"a\":2}") << true << "a";
        QTest::newRow("escaped the same") << QByteArray("{\"a\":1,\"\\u0061\":2}") << true << "a";
        QTest::newRow("quote in a key") << QByteArray("{\"a\\\"b\":1,\"a\\\"b\":[]}") << true << "a\"b";
        QTest::newRow("separate objects") << QByteArray("[{\"a\":1},{\"a\":1}]") << false << "";
        QTest::newRow("nested same name") << QByteArray("{\"a\":{\"a\":{\"a\":1}}}") << false << "";
        QTest::newRow("case differs") << QByteArray("{\"a\":1,\"A\":1}") << false << "";
        QTest::newRow("values look like keys") << QByteArray("{\"a\":\"a\",\"b\":[\"a\",\"a\"],\"c\":\"}{\\\"a\\\":1,\\\"a\\\"\"}") << false << "";
        QTest::newRow("unterminated") << QByteArray("{\"a\":1,\"a") << false << "";
        QTest::newRow("not JSON") << QByteArray("]]}}\"\\") << false << "";
    }

    void repeatedKeys()
    {
        QFETCH(QByteArray, json);
        QFETCH(bool, repeated);
        QFETCH(QString, key);
        QString found;
        QCOMPARE(JsonText::hasRepeatedKey(json, &found), repeated);
        QCOMPARE(found, key);
    }

    void parsing()
    {
        QJsonDocument document;
        QString error;
        QVERIFY(JsonText::parse("{\"Controller\":[{\"ControllerNum\":1}],\"a\":{\"b\":2}}", &document, &error));
        QCOMPARE(document.object().value("a").toObject().value("b").toInt(), 2);
        QVERIFY(error.isEmpty());

        document = QJsonDocument();
        QVERIFY(!JsonText::parse("{\"R\":[1,2],\"R\":[3]}", &document, &error));
        QCOMPARE(error, QStringLiteral("the key \"R\" comes twice in one object"));
        QVERIFY(document.isNull());

        QVERIFY(!JsonText::parse("{not json", &document, &error));
        QVERIFY(!error.isEmpty());
        QVERIFY(!error.contains(QStringLiteral("twice")));
    }
};

QTEST_APPLESS_MAIN(TestJsonText)
#include "test_jsontext.moc"
