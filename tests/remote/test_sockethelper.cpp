#include "remote/RemoteProtocol.h"
#include "remote/SocketHelper.h"

#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

QByteArray frame(const QByteArray &text)
{
    return text.toBase64() + '&';
}

QByteArray command(int n, const QByteArray &data = "{}")
{
    return frame("{\"command\": " + QByteArray::number(n) + ", \"Data\": " + data + "}");
}

// A phone on loopback; everything it receives lands in `received`.
class Phone {
public:
    explicit Phone(quint16 port)
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, port);
    }
    bool greeted() const { return received.startsWith("KqRainbowFan!") && received.contains('&'); }
    // The decoded reply frames after the greeting.
    QStringList replies() const
    {
        QList<QByteArray> parts = received.split('&');
        parts.removeLast();
        if (!parts.isEmpty())
            parts.removeFirst();
        QStringList out;
        for (const QByteArray &p : parts)
            out << QString::fromUtf8(QByteArray::fromBase64(p));
        return out;
    }
    QTcpSocket socket;
    QByteArray received;
};

int commandOf(const QVariant &signalArg)
{
    return signalArg.toMap().value(QStringLiteral("command")).toInt();
}

} // namespace

// The phone server over real loopback sockets, on a free port.
class TestSocketHelper : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<SocketHelper> server;
    quint16 port() const { return server->serverPort(); }

    std::unique_ptr<Phone> greetedPhone()
    {
        auto phone = std::make_unique<Phone>(port());
        if (!QTest::qWaitFor([&] { return phone->greeted(); }, 5000))
            return nullptr;
        return phone;
    }

private slots:
    void init()
    {
        server = std::make_unique<SocketHelper>(nullptr, 0);
        QVERIFY(server->isListening());
    }
    void cleanup() { server.reset(); }

    void greetingFollowsThePasswordSwitch()
    {
        const QByteArray host = QHostInfo::localHostName().toUtf8();
        auto plain = greetedPhone();
        QVERIFY(plain);
        QCOMPARE(plain->received, "KqRainbowFan!" + host + "&");

        // A changed password reaches the next phone's greeting.
        server->setPassword(QStringLiteral("1234"));
        server->setPasswordEnabled(true);
        auto locked = greetedPhone();
        QVERIFY(locked);
        QCOMPARE(locked->received, "KqRainbowFan!" + host + "!1234&");
        server->setPasswordEnabled(false);
        auto open = greetedPhone();
        QVERIFY(open);
        QCOMPARE(open->received, "KqRainbowFan!" + host + "&");
        QCOMPARE(server->clientCount(), 3);
    }

    void aFrameCutAcrossReadsIsCompletedByTheNext()
    {
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        auto phone = greetedPhone();
        QVERIFY(phone);
        const QByteArray third = command(3, "{\"BoxNum\": \"1\"}");
        phone->socket.write(command(0) + command(1) + third.left(7));
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(commandOf(spy.at(0).at(0)), 0);
        QCOMPARE(commandOf(spy.at(1).at(0)), 1);
        QTest::qWait(100);
        QCOMPARE(spy.count(), 2);
        phone->socket.write(third.mid(7));
        QTRY_COMPARE(spy.count(), 3);
        const QVariantMap m = spy.at(2).at(0).toMap();
        QCOMPARE(commandOf(m), 3);
        QCOMPARE(m.value(QStringLiteral("Data")).toMap().value(QStringLiteral("BoxNum")).toString(),
                 QStringLiteral("1"));
        QVERIFY(SocketHelper::connectionOf(m) != 0);
    }

    void boxListIsAnsweredAtOnceAndTheRestOfTheReadDropped()
    {
        server->setBoxListReply(QStringLiteral("1010000000000000"));
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        auto phone = greetedPhone();
        QVERIFY(phone);
        const QByteArray tail = command(5);
        phone->socket.write(command(0) + command(10) + command(1) + command(2) + tail.left(5));
        QTRY_COMPARE(phone->replies().size(), 1);
        const QJsonObject reply = QJsonDocument::fromJson(phone->replies().at(0).toUtf8()).object();
        QCOMPARE(reply.value(QStringLiteral("ResType")).toInt(), 10);
        QCOMPARE(reply.value(QStringLiteral("BoxNumStr")).toString(), QStringLiteral("1010000000000000"));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(commandOf(spy.at(0).at(0)), 0);
        // The frame that was still unfinished belongs to the next read.
        phone->socket.write(tail.mid(5));
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(commandOf(spy.at(1).at(0)), 5);
    }

    void aBadPhoneIsCutOffAlone()
    {
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        auto good = greetedPhone();
        auto oversize = greetedPhone();
        auto garbage = greetedPhone();
        auto almost = greetedPhone();
        auto flood = greetedPhone();
        QVERIFY(good && oversize && garbage && almost && flood);
        QCOMPARE(server->clientCount(), 5);

        oversize->socket.write(QByteArray(SocketHelper::kMaxPendingBytes + 100, 'A'));
        QTRY_COMPARE(oversize->socket.state(), QAbstractSocket::UnconnectedState);

        QByteArray junk;
        for (int i = 0; i <= SocketHelper::kMaxGarbageInRow; ++i)
            junk += frame("{broken");
        garbage->socket.write(junk);
        QTRY_COMPARE(garbage->socket.state(), QAbstractSocket::UnconnectedState);

        // Just below the garbage limit, then a good frame: the count starts over.
        QByteArray nearly;
        for (int i = 0; i < SocketHelper::kMaxGarbageInRow; ++i)
            nearly += frame("{broken");
        almost->socket.write(nearly + command(4) + nearly);
        QTRY_COMPARE(spy.count(), 1);

        QByteArray many;
        for (int i = 0; i < SocketHelper::kMaxFramesPerSecond + 50; ++i)
            many += frame("07:10");
        flood->socket.write(many);
        QTRY_COMPARE(flood->socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(spy.count(), 1 + SocketHelper::kMaxFramesPerSecond);

        QTRY_COMPARE(server->clientCount(), 2);
        good->socket.write(command(11));
        QTRY_COMPARE(spy.count(), 2 + SocketHelper::kMaxFramesPerSecond);
        QCOMPARE(commandOf(spy.last().at(0)), 11);
        QCOMPARE(good->socket.state(), QAbstractSocket::ConnectedState);
        QCOMPARE(almost->socket.state(), QAbstractSocket::ConnectedState);
    }

    void connectionsBeyondTheCapAreRefused()
    {
        std::vector<std::unique_ptr<Phone>> phones;
        for (int i = 0; i < SocketHelper::kMaxConnections; ++i) {
            phones.push_back(greetedPhone());
            QVERIFY(phones.back());
        }
        Phone extra(port());
        QTRY_COMPARE(extra.socket.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(extra.received.isEmpty());
        QCOMPARE(server->clientCount(), SocketHelper::kMaxConnections);

        // A phone that leaves makes room.
        phones.front()->socket.disconnectFromHost();
        QTRY_COMPARE(server->clientCount(), SocketHelper::kMaxConnections - 1);
        QVERIFY(greetedPhone());
    }

    void eachPhoneGetsItsOwnReplies()
    {
        auto first = greetedPhone();
        auto last = greetedPhone();
        QVERIFY(first && last);
        connect(server.get(), &SocketHelper::socketHelperSendData, server.get(), [this](const QVariantMap &m) {
            server->sendResponse(QStringLiteral("reply to %1").arg(commandOf(m)), m);
        });
        first->socket.write(command(13));
        QTRY_COMPARE(first->replies(), QStringList{QStringLiteral("reply to 13")});
        last->socket.write(command(15));
        QTRY_COMPARE(last->replies(), QStringList{QStringLiteral("reply to 15")});
        QCOMPARE(first->replies().size(), 1);

        // Unsolicited text goes to the connection accepted last that is still open.
        server->sendResponse(QStringLiteral("news"));
        QTRY_COMPARE(last->replies().size(), 2);
        QCOMPARE(last->replies().at(1), QStringLiteral("news"));
        last->socket.disconnectFromHost();
        QTRY_COMPARE(server->clientCount(), 1);
        server->sendResponse(QStringLiteral("news"));
        QTRY_COMPARE(first->replies().size(), 2);

        // A reply whose phone has gone is dropped.
        QVariantMap gone;
        gone.insert(SocketHelper::kConnectionKey, quint64(999));
        server->sendResponse(QStringLiteral("lost"), gone);
        QTest::qWait(50);
        QCOMPARE(first->replies().size(), 2);
    }

    void aTakenPortLeavesTheProgramRunning()
    {
        QTcpServer squatter;
        QVERIFY(squatter.listen(QHostAddress::Any, 0));
        SocketHelper second(nullptr, squatter.serverPort());
        QVERIFY(!second.isListening());
        second.sendResponse(QStringLiteral("nobody"));
        QCOMPARE(second.clientCount(), 0);
    }

    void phoneToolSpeaksTheProtocol()
    {
        server->setPassword(QStringLiteral("4321"));
        server->setPasswordEnabled(true);
        server->setBoxListReply(QStringLiteral("1000000000000000"));
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        connect(server.get(), &SocketHelper::socketHelperSendData, server.get(),
                [this](const QVariantMap &m) { server->sendResponse(QStringLiteral("{\"ResType\": 15}"), m); });
        QProcess tool;
        tool.start(QStringLiteral("python3"),
                   {QStringLiteral(AURIVENT_SOURCE_DIR "/tools/phone/phone.py"), QStringLiteral("--port"),
                    QString::number(port()), QStringLiteral("--wait"), QStringLiteral("0.5"),
                    QStringLiteral("boxlist"), QStringLiteral("volume:42"),
                    QStringLiteral("{\"command\": 15, \"Data\": {\"BoxNum\": \"1\"}}")});
        QVERIFY(tool.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(tool.state(), QProcess::NotRunning, 15000);
        const QString out = QString::fromUtf8(tool.readAllStandardOutput());
        QCOMPARE(tool.exitCode(), 0);
        QVERIFY2(out.contains(QStringLiteral("greeting: KqRainbowFan!")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("password: 4321")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("\"BoxNumStr\": \"1000000000000000\"")), qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("\"ResType\": 15")), qPrintable(out));
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(0).at(0).toMap().value(QStringLiteral("Data")).toMap().value(QStringLiteral("Volume")),
                 QVariant(QStringLiteral("42")));
        QCOMPARE(commandOf(spy.at(1).at(0)), 15);
    }
};

QTEST_GUILESS_MAIN(TestSocketHelper)
#include "test_sockethelper.moc"
