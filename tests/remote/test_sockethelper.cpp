// SPDX-License-Identifier: GPL-3.0-or-later
#include "SocketProbe.h"

#include "remote/KeepAlive.h"
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

#include <algorithm>
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
    explicit Phone(quint16 port, const QHostAddress &host = QHostAddress(QHostAddress::LocalHost))
    {
        QObject::connect(&socket, &QTcpSocket::readyRead, [this] { received += socket.readAll(); });
        socket.connectToHost(host, port);
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

// Counts the program's log lines while it lives.
class LogCapture {
public:
    LogCapture()
    {
        s_lines.clear();
        s_previous = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() { qInstallMessageHandler(s_previous); }
    int count(const QString &part) const
    {
        int n = 0;
        for (const QString &line : qAsConst(s_lines))
            n += line.contains(part) ? 1 : 0;
        return n;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        s_lines << text;
        s_previous(type, context, text);
    }
    static inline QStringList s_lines;
    static inline QtMessageHandler s_previous = nullptr;
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

    // A connection from `from` that said nothing, once it is through (the
    // event loop runs meanwhile, so the server takes it in as it comes).
    std::unique_ptr<QTcpSocket> connectedFrom(const QHostAddress &from)
    {
        auto socket = std::make_unique<QTcpSocket>();
        bool through = false;
        QObject::connect(socket.get(), &QTcpSocket::connected, [&through] { through = true; });
        if (!socket->bind(from))
            return nullptr;
        socket->connectToHost(QHostAddress::LocalHost, port());
        if (!QTest::qWaitFor([&] { return through; }, 5000))
            return nullptr;
        socket->disconnect();
        return socket;
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
        // The rest, and one more command behind it: the half frame became
        // nothing of its own meanwhile, so the next two are exactly 3 and 4.
        phone->socket.write(third.mid(7) + command(4));
        QTRY_VERIFY(spy.count() >= 4);
        QCOMPARE(spy.count(), 4);
        QCOMPARE(commandOf(spy.at(3).at(0)), 4);
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

    void onlyAnOversizeFrameCutsAPhoneOffAndASlowReaderIsHeldBack()
    {
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        auto good = greetedPhone();
        auto oversize = greetedPhone();
        QVERIFY(good && oversize);

        // An unfinished frame beyond the bound of unhandled input.
        oversize->socket.write(QByteArray(SocketHelper::kMaxUnreadBytes + 100, 'A'));
        QTRY_COMPARE(oversize->socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(server->clientCount(), 1);

        // A phone that asks 400 times before it reads a byte: every answer is
        // 16 KiB, far more than the sockets hold. It is held back, not cut
        // off, and gets every answer once it reads.
        connect(server.get(), &SocketHelper::socketHelperSendData, server.get(), [this](const QVariantMap &m) {
            if (commandOf(m) == 15)
                server->sendResponse(QString(16 * 1024, QLatin1Char('x')), m);
        });
        const int slow = SocketProbe::neverReadingClient(port());
        QVERIFY(slow >= 0);
        QTRY_COMPARE(server->clientCount(), 2);
        QByteArray asks;
        for (int i = 0; i < 400; ++i)
            asks += command(15);
        QCOMPARE(::send(slow, asks.constData(), size_t(asks.size()), MSG_NOSIGNAL), ssize_t(asks.size()));

        // The good phone is served meanwhile.
        QTRY_VERIFY(spy.count() > 0);
        good->socket.write(command(11));
        QTRY_VERIFY(std::any_of(spy.cbegin(), spy.cend(), [](const QList<QVariant> &call) { return commandOf(call.at(0)) == 11; }));

        QByteArray got;
        bool closed = false;
        QVERIFY(QTest::qWaitFor(
            [&] {
                char buffer[65536];
                ssize_t n;
                while ((n = ::recv(slow, buffer, sizeof buffer, MSG_DONTWAIT)) > 0)
                    got.append(buffer, int(n));
                closed = n == 0;
                return got.count('&') >= 401 || closed;
            },
            30000));
        QVERIFY2(!closed, "the phone was cut off");
        QCOMPARE(got.count('&'), 401);  // the greeting and 400 answers
        QCOMPARE(got.size() - got.indexOf('&') - 1, 400 * (QByteArray(16 * 1024, 'x').toBase64().size() + 1));
        QCOMPARE(server->clientCount(), 2);
        ::close(slow);
        QCOMPARE(good->socket.state(), QAbstractSocket::ConnectedState);
    }

    void aThousandPipelinedRequestsGetAThousandReplies()
    {
        // As the program answers command 15: a profile of five fans.
        const QString profile = QString::fromUtf8(QJsonDocument(QJsonObject{
            {QStringLiteral("ResType"), 15},
            {QStringLiteral("Fan1"), QString(2000, QLatin1Char('1'))}}).toJson());
        connect(server.get(), &SocketHelper::socketHelperSendData, server.get(),
                [this, profile](const QVariantMap &m) { server->sendResponse(profile, m); });
        auto phone = greetedPhone();
        QVERIFY(phone);
        QByteArray burst;
        for (int i = 0; i < 1000; ++i)
            burst += command(15);
        phone->socket.write(burst);
        QTRY_COMPARE_WITH_TIMEOUT(phone->replies().size(), 1000, 30000);
        QCOMPARE(phone->replies().last(), profile);
        QCOMPARE(phone->socket.state(), QAbstractSocket::ConnectedState);
    }

    void garbageIsSkippedWithOneLogLineAndTheNextCommandServed()
    {
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        auto phone = greetedPhone();
        QVERIFY(phone);
        QByteArray junk;
        for (int i = 0; i < 20; ++i)
            junk += (i % 3 == 0 ? QByteArray("not*base64!&") : i % 3 == 1 ? frame("{broken") : frame("[1, 2]"));
        LogCapture log;
        phone->socket.write(junk + command(13));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(commandOf(spy.at(0).at(0)), 13);
        QCOMPARE(phone->socket.state(), QAbstractSocket::ConnectedState);
        // At most one line per connection per second (two if a second boundary fell in between).
        const int lines = log.count(QStringLiteral("remote frame skipped"));
        QVERIFY2(lines >= 1 && lines <= 2, qPrintable(QString::number(lines)));
    }

    void aBurstOfLevelFramesCollapsesAndTheBoxListStillComes()
    {
        server->setBoxListReply(QStringLiteral("1000000000000000"));
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        auto phone = greetedPhone();
        QVERIFY(phone);
        QByteArray burst;
        for (int i = 0; i < 500; ++i)
            burst += frame("07:" + QByteArray::number(10 + i % 90));
        burst += frame("07:42") + command(10);
        phone->socket.write(burst);
        QTRY_COMPARE(phone->replies().size(), 1);
        QVERIFY(phone->replies().at(0).contains(QStringLiteral("\"BoxNumStr\": \"1000000000000000\"")));
        // Only the newest level of the run reached the application.
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toMap().value(QStringLiteral("Data")).toMap().value(QStringLiteral("Volume")),
                 QVariant(QStringLiteral("42")));
        QCOMPARE(phone->socket.state(), QAbstractSocket::ConnectedState);

        // A level between two commands is not superseded by one after them.
        phone->socket.write(frame("07:11") + command(0) + frame("07:22") + frame("07:33") + command(1) + frame("07@@"));
        QTRY_COMPARE(spy.count(), 6);
        QStringList seen;
        for (int i = 1; i < 6; ++i) {
            const QVariantMap m = spy.at(i).at(0).toMap();
            const QVariantMap d = m.value(QStringLiteral("Data")).toMap();
            seen << m.value(QStringLiteral("command")).toString() + QLatin1Char('/')
                    + d.value(QStringLiteral("Volume"), QStringLiteral("-")).toString();
        }
        QCOMPARE(seen, (QStringList{"7/11", "0/-", "7/33", "1/-", "7/-"}));
    }

    void aLongBurstOfCommandsIsServedOverSeveralTurns()
    {
        QSignalSpy spy(server.get(), &SocketHelper::socketHelperSendData);
        auto phone = greetedPhone();
        QVERIFY(phone);
        // What had been handled when the event loop first got a word in.
        int handledAtFirstBreak = -1;
        connect(server.get(), &SocketHelper::socketHelperSendData, server.get(), [&] {
            if (spy.count() == 1)
                QMetaObject::invokeMethod(server.get(), [&] { handledAtFirstBreak = spy.count(); },
                                          Qt::QueuedConnection);
        });
        const int total = 6 * SocketHelper::kFramesPerTurn;
        QByteArray burst;
        for (int i = 0; i < total; ++i)
            burst += command(11, "{\"Status\": " + QByteArray::number(i) + "}");
        phone->socket.write(burst);
        QTRY_COMPARE(spy.count(), total);
        QVERIFY2(handledAtFirstBreak > 0 && handledAtFirstBreak < total, qPrintable(QString::number(handledAtFirstBreak)));
        for (int i = 0; i < total; ++i)
            QCOMPARE(spy.at(i).at(0).toMap().value(QStringLiteral("Data")).toMap().value(QStringLiteral("Status")).toInt(), i);
        QCOMPARE(phone->socket.state(), QAbstractSocket::ConnectedState);

        // Commands that take long end the turn sooner.
        spy.clear();
        handledAtFirstBreak = -1;
        connect(server.get(), &SocketHelper::socketHelperSendData, server.get(), [] {
            QElapsedTimer busy;
            busy.start();
            while (busy.elapsed() <= SocketHelper::kTurnBudgetMs) {
            }
        });
        phone->socket.write(command(11) + command(11) + command(11) + command(11) + command(11) + command(11));
        QTRY_COMPARE(spy.count(), 6);
        QVERIFY2(handledAtFirstBreak > 0 && handledAtFirstBreak < 6, qPrintable(QString::number(handledAtFirstBreak)));
    }

    void idleConnectionsGiveWayToANewPhone()
    {
        server->setBoxListReply(QStringLiteral("0100000000000000"));
        // Phones that each made one exchange, then went quiet.
        std::vector<std::unique_ptr<Phone>> idle;
        for (int i = 0; i < 40; ++i) {
            idle.push_back(greetedPhone());
            QVERIFY(idle.back());
            idle.back()->socket.write(command(10));
            QTRY_COMPARE(idle.back()->replies().size(), 1);
        }
        QCOMPARE(server->clientCount(), SocketHelper::kMaxConnections);
        // The first eight gave way, oldest first.
        for (int i = 0; i < 40; ++i)
            QTRY_COMPARE(idle[i]->socket.state() == QAbstractSocket::ConnectedState, i >= 40 - SocketHelper::kMaxConnections);

        // The oldest survivor speaks up; the one after it is now the idlest.
        Phone &speaker = *idle[8];
        speaker.socket.write(command(10));
        QTRY_COMPARE(speaker.replies().size(), 2);
        auto phone = greetedPhone();
        QVERIFY(phone);
        QTRY_COMPARE(idle[9]->socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(speaker.socket.state(), QAbstractSocket::ConnectedState);
        phone->socket.write(command(10));
        QTRY_COMPARE(phone->replies().size(), 1);
        QVERIFY(phone->replies().at(0).contains(QStringLiteral("0100000000000000")));
        QCOMPARE(server->clientCount(), SocketHelper::kMaxConnections);

        // Every accepted connection probes its peer.
        const SocketProbe::KeepAliveState keepAlive = SocketProbe::acceptedKeepAlive(port());
        QCOMPARE(keepAlive.connections, SocketHelper::kMaxConnections);
        QCOMPARE(keepAlive.withKeepAlive, SocketHelper::kMaxConnections);
        QCOMPARE(keepAlive.idleSeconds, KeepAlive::kIdleSeconds);
    }

    void aFloodOfSilentConnectionsLeavesAPhoneInUseAlone()
    {
        server->setBoxListReply(QStringLiteral("1000000000000000"));
        // The phone, on one address, in use.
        auto phone = greetedPhone();
        QVERIFY(phone);
        phone->socket.write(command(10));
        QTRY_COMPARE(phone->replies().size(), 1);

        // Another host opens connection after connection and says nothing.
        const QHostAddress flooder(QStringLiteral("127.0.0.2"));
        std::vector<std::unique_ptr<QTcpSocket>> flood;
        for (int i = 0; i < 3 * SocketHelper::kMaxConnections; ++i) {
            flood.push_back(connectedFrom(flooder));
            QVERIFY(flood.back());
            // It only ever replaces its own silent connections.
            QTRY_VERIFY(server->clientCount() <= 1 + SocketHelper::kMaxSilentPerAddress);
            QCOMPARE(phone->socket.state(), QAbstractSocket::ConnectedState);
        }
        QTRY_COMPARE(server->clientCount(), 1 + SocketHelper::kMaxSilentPerAddress);
        // The newest of them are the ones left.
        for (size_t i = 0; i < flood.size(); ++i)
            QTRY_COMPARE(flood[i]->state() == QAbstractSocket::ConnectedState,
                         i >= flood.size() - SocketHelper::kMaxSilentPerAddress);
        phone->socket.write(command(10));
        QTRY_COMPARE(phone->replies().size(), 2);

        // Silent connections from many addresses fill the server: they give
        // way to each other and never to the phone in use.
        std::vector<std::unique_ptr<QTcpSocket>> crowd;
        for (int i = 0; i < 2 * SocketHelper::kMaxConnections; ++i) {
            crowd.push_back(connectedFrom(QHostAddress(QStringLiteral("127.0.1.%1").arg(1 + i))));
            QVERIFY(crowd.back());
        }
        QTRY_COMPARE(server->clientCount(), SocketHelper::kMaxConnections);
        QCOMPARE(phone->socket.state(), QAbstractSocket::ConnectedState);
        phone->socket.write(command(10));
        QTRY_COMPARE(phone->replies().size(), 3);
    }

    void remoteAccessDecidesWhatListens()
    {
        const quint16 p = port();
        const QString any4 = QStringLiteral("00000000");
        const QString any6 = QString(32, QLatin1Char('0'));
        const QString loop4 = QStringLiteral("0100007F");
        // The network: every address, also 127.0.0.2, which is not the loopback address itself.
        QCOMPARE(server->access(), RemoteAccess::Network);
        QVERIFY(SocketProbe::listeningOn(p).contains(any6) || SocketProbe::listeningOn(p).contains(any4));
        QVERIFY(!SocketProbe::listeningOn(p).contains(loop4));
        auto local = greetedPhone();
        QVERIFY(local);
        Phone other(p, QHostAddress(QStringLiteral("127.0.0.2")));
        QTRY_VERIFY(other.greeted());

        // This computer only: loopback alone listens, on the same port; the
        // phone on the loopback address stays.
        server->setAccess(RemoteAccess::ThisComputer);
        QCOMPARE(server->serverPort(), p);
        QSet<QString> listening = SocketProbe::listeningOn(p);
        QVERIFY2(listening.contains(loop4), qPrintable(QStringList(listening.values()).join(',')));
        QVERIFY(!listening.contains(any4) && !listening.contains(any6));
        for (const QHostAddress &a : server->listeningAddresses())
            QVERIFY2(a.isLoopback(), qPrintable(a.toString()));
        Phone refused(p, QHostAddress(QStringLiteral("127.0.0.2")));
        QTRY_COMPARE(refused.socket.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(refused.received.isEmpty());
        QVERIFY(greetedPhone());
        QCOMPARE(local->socket.state(), QAbstractSocket::ConnectedState);

        // Off: nothing listens and every phone is let go.
        server->setAccess(RemoteAccess::Off);
        QVERIFY(!server->isListening());
        QVERIFY(SocketProbe::listeningOn(p).isEmpty());
        QTRY_COMPARE(local->socket.state(), QAbstractSocket::UnconnectedState);
        QCOMPARE(server->clientCount(), 0);
        Phone none(p);
        QTRY_COMPARE(none.socket.state(), QAbstractSocket::UnconnectedState);
        QVERIFY(none.received.isEmpty());

        // And back to the network, where the phones connect as before.
        server->setAccess(RemoteAccess::Network);
        QCOMPARE(server->serverPort(), p);
        Phone back(p, QHostAddress(QStringLiteral("127.0.0.2")));
        QTRY_VERIFY(back.greeted());

        // A server made for this computer only never listened anywhere else.
        SocketHelper localOnly(nullptr, 0, RemoteAccess::ThisComputer);
        QVERIFY(SocketProbe::listeningOn(localOnly.serverPort()).contains(loop4));
        QVERIFY(!SocketProbe::listeningOn(localOnly.serverPort()).contains(any4));
        SocketHelper off(nullptr, 0, RemoteAccess::Off);
        QVERIFY(!off.isListening());
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
        // A reply behind it reaches the phone that is there, and nothing before it.
        server->sendResponse(QStringLiteral("after"));
        QTRY_VERIFY(first->replies().size() >= 3);
        QCOMPARE(first->replies(), (QStringList{QStringLiteral("reply to 13"), QStringLiteral("news"),
                                                QStringLiteral("after")}));
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
