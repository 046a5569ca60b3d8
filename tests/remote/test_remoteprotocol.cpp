// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/RemoteProtocol.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

using namespace RemoteProtocol;

// The phone's wire format without sockets.
class TestRemoteProtocol : public QObject {
    Q_OBJECT

private:
    static QByteArray b64(const QByteArray &text) { return text.toBase64(); }
    static QVariantMap dataOf(const QVariantMap &m) { return m.value(QStringLiteral("Data")).toMap(); }

private slots:
    void repliesAreBase64FramesAndTheBoxListIsIndentedJson()
    {
        QCOMPARE(encodeFrame(QStringLiteral("hi")), QByteArray("aGk=&"));
        QCOMPARE(QByteArray::fromBase64(encodeFrame(QStringLiteral("ü")).chopped(1)), QByteArray("\xc3\xbc"));

        const QString text = boxListReplyText(QStringLiteral("1010000000000000"));
        QCOMPARE(text, QStringLiteral("{\n    \"BoxNumStr\": \"1010000000000000\",\n    \"ResType\": 10\n}\n"));
        const QJsonObject o = QJsonDocument::fromJson(text.toUtf8()).object();
        QVERIFY(o.value(QStringLiteral("ResType")).isDouble());
        QCOMPARE(o.value(QStringLiteral("ResType")).toInt(), 10);
    }

    void volumeStreamReadsPositionsThreeAndFour()
    {
        auto volume = [](const char *text) {
            const QVariantMap m = volumeRequest(QString::fromLatin1(text));
            if (m.value(QStringLiteral("command")).toString() != QLatin1String("7"))
                return QStringLiteral("not 7");
            const QVariantMap d = m.value(QStringLiteral("Data")).toMap();
            return d.value(QStringLiteral("Status")).toString() + QLatin1Char('/')
                + d.value(QStringLiteral("Volume"), QStringLiteral("-")).toString();
        };
        QCOMPARE(volume("07:55"), QStringLiteral("1/55"));
        QCOMPARE(volume("07x99"), QStringLiteral("1/99"));
        QCOMPARE(volume("07:5a"), QStringLiteral("1/50"));
        QCOMPARE(volume("07:a5"), QStringLiteral("1/5"));
        QCOMPARE(volume("07:00"), QStringLiteral("1/0"));
        QCOMPARE(volume("07:5"), QStringLiteral("1/50"));   // position 4 missing
        QCOMPARE(volume("07"), QStringLiteral("1/0"));
        QCOMPARE(volume("07:55trailing"), QStringLiteral("1/55"));
        QCOMPARE(volume("07@@"), QStringLiteral("0/-"));
        QCOMPARE(volume("07:55@@"), QStringLiteral("0/-"));
    }

    void framesDecodeToTheirKinds()
    {
        QCOMPARE(decodeFrame(QByteArray()).kind, Request::Kind::Empty);
        QCOMPARE(decodeFrame(" \r\n").kind, Request::Kind::Empty);
        QCOMPARE(decodeFrame("not*base64!").kind, Request::Kind::Garbage);
        QCOMPARE(decodeFrame(b64("{\"command\": 0,")).kind, Request::Kind::Garbage);
        QCOMPARE(decodeFrame(b64("[1, 2]")).kind, Request::Kind::Garbage);
        QCOMPARE(decodeFrame(b64("\"text\"")).kind, Request::Kind::Garbage);
        QCOMPARE(decodeFrame(b64("{\"command\": 10}")).kind, Request::Kind::BoxList);
        QCOMPARE(decodeFrame(b64("{\"command\": \"10\"}")).kind, Request::Kind::BoxList);

        const Request cmd = decodeFrame(b64("{\"command\": 0, \"Data\": {\"BoxNum\": \"1\", \"Speed\": 3}}"));
        QCOMPARE(cmd.kind, Request::Kind::Command);
        QCOMPARE(cmd.map.value(QStringLiteral("command")).toInt(), 0);
        QCOMPARE(dataOf(cmd.map).value(QStringLiteral("BoxNum")).toString(), QStringLiteral("1"));
        QCOMPARE(dataOf(cmd.map).value(QStringLiteral("Speed")).toInt(), 3);

        const Request vol = decodeFrame(b64("07:42"));
        QCOMPARE(vol.kind, Request::Kind::Command);
        QCOMPARE(dataOf(vol.map).value(QStringLiteral("Volume")).toString(), QStringLiteral("42"));

        // Line-wrapped Base64, as phone libraries write it, still decodes.
        QByteArray wrapped = b64("{\"command\": 13, \"Data\": {\"BoxNum\": \"1000000000000000\"}}");
        wrapped.insert(20, "\r\n");
        wrapped.append('\n');
        QCOMPARE(decodeFrame(wrapped).kind, Request::Kind::Command);
    }

    void levelFramesAreRecognisedByTheirFirstCharacters()
    {
        QVERIFY(isLevelFrame(b64("07:55")));
        QVERIFY(isLevelFrame(b64("07")));
        QVERIFY(isLevelFrame(b64("07@@")));
        QVERIFY(isLevelFrame(" MDc\r\n6NTU="));
        QVERIFY(!isLevelFrame(b64("{\"command\": 7}")));
        QVERIFY(!isLevelFrame(b64("0")));
        QVERIFY(!isLevelFrame(b64("70:55")));
        QVERIFY(!isLevelFrame(""));
        QVERIFY(!isLevelFrame("M*c6"));
    }

    void onlyAnExactTenIsTheBoxListAndGarbageSaysWhy()
    {
        QCOMPARE(decodeFrame(b64("{\"command\": 10.0}")).kind, Request::Kind::BoxList);
        for (const char *wrapped : {"{\"command\": 4294967306}", "{\"command\": \"4294967306\"}",
                                    "{\"command\": 10.5}", "{\"command\": \" 10\"}", "{\"command\": [10]}"})
            QVERIFY2(decodeFrame(b64(wrapped)).kind == Request::Kind::Command, wrapped);
        QCOMPARE(decodeFrame("not*base64!").error, QStringLiteral("not Base64"));
        QVERIFY(decodeFrame(b64("{\"command\": 0,")).error.startsWith(QLatin1String("parse Error")));
        QCOMPARE(decodeFrame(b64("[1, 2]")).error, QStringLiteral("not a JSON object"));
        QVERIFY(decodeFrame(b64("{}")).error.isEmpty());
    }

    void readerKeepsTheUnfinishedFrameUpToItsBound()
    {
        FrameReader reader(8);
        QList<QByteArray> frames;
        QVERIFY(reader.append("a&bb&cc", &frames));
        QCOMPARE(frames, (QList<QByteArray>{"a", "bb"}));
        QCOMPARE(reader.pendingSize(), 2);
        frames.clear();
        QVERIFY(reader.append("c&&d", &frames));
        QCOMPARE(frames, (QList<QByteArray>{"ccc", ""}));
        frames.clear();
        QVERIFY(reader.append("1234567", &frames));   // 8 held: at the bound
        QVERIFY(frames.isEmpty());
        QVERIFY(!reader.append("8", &frames));         // 9: beyond
        QCOMPARE(reader.pendingSize(), 0);
        // Complete frames before an oversize tail are still handed out.
        FrameReader small(2);
        frames.clear();
        QVERIFY(!small.append("ok&toolong", &frames));
        QCOMPARE(frames, (QList<QByteArray>{"ok"}));
    }
};

QTEST_APPLESS_MAIN(TestRemoteProtocol)
#include "test_remoteprotocol.moc"
