// SPDX-License-Identifier: GPL-3.0-or-later
// One exchange with the update service: the reply held to its bounds as its
// bytes arrive (fed by hand, split at every point), and the exchange on a
// real socket against a server of the test's own.

#include "update/HttpExchange.h"
#include "update/HttpReplyParser.h"

#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include <functional>

namespace {

using State = HttpReplyParser::State;

// The reply fed in two pieces split at `at`.
HttpReplyParser fedSplit(const QByteArray &reply, int at, qint64 maxBody)
{
    HttpReplyParser parser(maxBody);
    parser.feed(reply.left(at));
    parser.feed(reply.mid(at));
    return parser;
}

// A server that hands each connection to `serve` with the request's bytes,
// once its head (and a body as long as its Content-Length) has arrived.
class RawServer : public QTcpServer
{
public:
    using Serve = std::function<void(QTcpSocket *, const QByteArray &request)>;
    explicit RawServer(Serve serve) : m_serve(std::move(serve))
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { take(socket); });
            }
        });
        listen(QHostAddress::LocalHost, 0);
    }
    QUrl url(const QString &path) const
    {
        return QUrl(QStringLiteral("http://127.0.0.1:%1%2").arg(serverPort()).arg(path));
    }
    QList<QByteArray> requests;

private:
    void take(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const int at = buffer.toLower().indexOf("content-length: ");
        const int length = at < 0 || at > end ? 0 : buffer.mid(at + 16, buffer.indexOf('\r', at) - at - 16).toInt();
        if (buffer.size() < end + 4 + length)
            return;
        const QByteArray request = buffer;
        m_buffers.remove(socket);
        requests << request;
        m_serve(socket, request);
    }
    Serve m_serve;
    QMap<QTcpSocket *, QByteArray> m_buffers;
};

// Keeps a socket topped up with `piece` while it drains, counting what was written.
void flood(QTcpSocket *socket, const QByteArray &piece, qint64 *sent)
{
    QObject::connect(socket, &QTcpSocket::bytesWritten, socket, [socket, piece, sent] {
        if (socket->bytesToWrite() < piece.size() && *sent < 256 * 1024 * 1024) {
            socket->write(piece);
            *sent += piece.size();
        }
    });
    socket->write(piece);
    *sent += piece.size();
}

const HttpExchange::Headers kHeaders{{"Content-Type", "application/x-www-form-urlencoded"},
                                     {"Accept-Encoding", "identity"}};

} // namespace

class TestHttpExchange : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy); }

    // However the bytes are cut, the same reply comes out.
    void repliesReadTheSameWhereverTheyAreSplit()
    {
        const QByteArray sized = "HTTP/1.1 200 OK\r\nContent-Length: 10\r\nContent-Type: a/b\r\n\r\n0123456789";
        const QByteArray chunked = "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"
                                   "4;name=x\r\n0123\r\n6\r\n456789\r\n0\r\nTrailer: t\r\n\r\n";
        const QByteArray bare = "HTTP/1.0 200 OK\nContent-Encoding: identity\n\n0123456789";
        for (const QByteArray &reply : {sized, chunked}) {
            for (int at = 0; at <= reply.size(); ++at) {
                const HttpReplyParser parser = fedSplit(reply, at, 10);
                QVERIFY2(parser.state() == State::Done, qPrintable(QString::number(at) + parser.refusal()));
                QCOMPARE(parser.status(), 200);
                QCOMPARE(parser.body(), QByteArray("0123456789"));
            }
        }
        for (int at = 0; at <= bare.size(); ++at) {
            HttpReplyParser parser = fedSplit(bare, at, 10);
            QCOMPARE(parser.state(), State::Body);
            QCOMPARE(parser.closed(), State::Done);
            QCOMPARE(parser.body(), QByteArray("0123456789"));
        }
        HttpReplyParser empty(10);
        QCOMPARE(empty.feed("HTTP/1.1 204 No Content\r\n\r\n"), State::Done);
    }

    // A bound passed ends the reply at once, with nothing of its body kept,
    // however it is framed.
    void boundsRefuseTheMomentTheyArePassed()
    {
        struct Case {
            const char *name;
            QByteArray head;
            QByteArray piece;  // repeated after the head
            const char *why;
        };
        const QList<Case> cases{
            {"body until close", "HTTP/1.1 200 OK\r\n\r\n", QByteArray(7, 'x'), "longer than 100"},
            {"chunks", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "7\r\nxxxxxxx\r\n", "longer than 100"},
            {"one huge chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding:  Chunked\r\n\r\n", "ffffffffffffff\r\n", "longer than 100"},
            {"chunk size past 64 bits", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n", "1000000000000000000065\r\n", "chunk size"},
            {"endless chunk size line", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1", QByteArray(7, '0'), "chunk size"},
            {"endless trailers", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n0\r\n", "T: 1234\r\n", "trailers"},
            {"announced length", "HTTP/1.1 200 OK\r\nContent-Length: 101\r\n\r\n", "x", "announced body of 101"},
            {"endless head", "HTTP/1.1 200 OK\r\n", "X-A: 1234\r\n", "head longer"},
            {"gzip", "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n\r\n", "x", "gzip encoding"},
            {"deflate", "HTTP/1.1 200 OK\r\ncontent-encoding:  Deflate \r\nContent-Length: 1\r\n\r\n", "x", "deflate encoding"},
            {"compressed transfer", "HTTP/1.1 200 OK\r\nTransfer-Encoding: gzip, chunked\r\n\r\n", "x", "transfer encoding"},
            {"two lengths", "HTTP/1.1 200 OK\r\nContent-Length: 1\r\nContent-Length: 2\r\n\r\n", "x", "two different"},
            {"length in hex", "HTTP/1.1 200 OK\r\nContent-Length: 0x10\r\n\r\n", "x", "unreadable body length"},
            {"not HTTP", "SSH-2.0-OpenSSH\r\n\r\n", "x", "not an HTTP reply"},
            {"folded header", "HTTP/1.1 200 OK\r\nA: 1\r\n B: 2\r\n\r\n", "x", "malformed header"},
            {"bad chunk end", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n1\r\nxy", "\r\n", "line end"},
        };
        for (const Case &c : cases) {
            HttpReplyParser parser(100);
            qint64 fed = c.head.size();
            parser.feed(c.head);
            while (parser.state() != State::Refused && fed < 64 * 1024) {
                parser.feed(c.piece);
                fed += c.piece.size();
            }
            QVERIFY2(parser.state() == State::Refused, c.name);
            QVERIFY2(parser.refusal().contains(QLatin1String(c.why)), qPrintable(QString::fromLatin1(c.name) + QStringLiteral(": ") + parser.refusal()));
            QVERIFY2(parser.body().isEmpty(), c.name);
            // Refused as soon as the bound was passed, not a piece later.
            QVERIFY2(fed <= c.head.size() + HttpReplyParser::kMaxHeadBytes + 2 * c.piece.size(), c.name);
            QCOMPARE(parser.feed("more"), State::Refused);
        }
        // Exactly at the bound is fine.
        HttpReplyParser full(7);
        full.feed("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n7\r\nxxxxxxx\r\n0\r\n\r\n");
        QCOMPARE(full.state(), State::Done);
    }

    void aReplyCutShortIsRefused()
    {
        for (const QByteArray &cut : {QByteArray("HTTP/1.1 200 OK\r\nContent-Le"),
                                      QByteArray("HTTP/1.1 200 OK\r\nContent-Length: 5\r\n\r\n0123"),
                                      QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n2\r\n01\r\n")}) {
            HttpReplyParser parser(100);
            parser.feed(cut);
            QCOMPARE(parser.closed(), State::Refused);
            QVERIFY(parser.body().isEmpty());
        }
    }

    // The service sees what it always saw: the same bytes as from Qt's own
    // client, for the same request.
    void theRequestGoesOutAsQtSentIt()
    {
        RawServer server([](QTcpSocket *socket, const QByteArray &) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 2\r\nConnection: close\r\n\r\n{}");
            socket->disconnectFromHost();
        });
        const QUrl url = server.url(QStringLiteral("/pre/download/getVersionV1?x=a%20b"));
        const QByteArray body = "ActiveData=ewogICAgImNvbW1hbmQ+/=";

        QNetworkAccessManager manager;
        QNetworkRequest request(url);
        request.setHeader(QNetworkRequest::ContentTypeHeader, QStringLiteral("application/x-www-form-urlencoded"));
        request.setRawHeader("Accept-Encoding", "identity");
        QNetworkReply *reply = manager.post(request, body);
        QSignalSpy qtDone(reply, &QNetworkReply::finished);
        QVERIFY(qtDone.wait(20000));
        reply->deleteLater();

        HttpExchange exchange(100, 20000, 3);
        QSignalSpy done(&exchange, &HttpExchange::finished);
        exchange.post(url, kHeaders, body);
        QVERIFY(done.wait(20000));
        QCOMPARE(exchange.outcome(), HttpExchange::Outcome::Replied);
        QCOMPARE(exchange.status(), 200);
        QCOMPARE(exchange.body(), QByteArray("{}"));

        QCOMPARE(server.requests.size(), 2);
        QCOMPARE(server.requests.at(1), server.requests.at(0));
        QCOMPARE(HttpExchange::requestBytes("POST", url, kHeaders, body), server.requests.at(0));
    }

    void redirectsStayWithinTheScheme()
    {
        int served = 0;
        RawServer server([&served](QTcpSocket *socket, const QByteArray &request) {
            ++served;
            if (request.startsWith("POST /start "))
                socket->write("HTTP/1.1 307 Temporary\r\nLocation: /again\r\nContent-Length: 0\r\n\r\n");
            else if (request.startsWith("POST /again "))
                socket->write("HTTP/1.1 302 Found\r\nLocation: /last?q=1\r\nContent-Length: 0\r\n\r\n");
            else if (request.startsWith("GET /last?q=1 "))
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 4\r\n\r\ndone");
            else if (request.contains(" /loop HTTP/1.1"))
                socket->write("HTTP/1.1 301 Moved\r\nLocation: /loop\r\nContent-Length: 0\r\n\r\n");
            else if (request.startsWith("POST /https "))
                socket->write("HTTP/1.1 302 Found\r\nLocation: HTTPS://127.0.0.1:1/x\r\n\r\n");
            else if (request.startsWith("POST /file "))
                socket->write("HTTP/1.1 302 Found\r\nLocation: file:///etc/shadow\r\n\r\n");
        });
        auto run = [&](const QString &path) {
            auto exchange = std::make_unique<HttpExchange>(100, 20000, 3);
            QSignalSpy done(exchange.get(), &HttpExchange::finished);
            exchange->post(server.url(path), kHeaders, "body");
            if (!done.wait(20000))
                qWarning() << "no end to" << path;
            return exchange;
        };
        const auto followed = run(QStringLiteral("/start"));
        QCOMPARE(followed->outcome(), HttpExchange::Outcome::Replied);
        QCOMPARE(followed->body(), QByteArray("done"));
        // 307 repeats the body; 302 asks again without it.
        QVERIFY(server.requests.at(1).endsWith("\r\n\r\nbody"));
        QVERIFY(!server.requests.at(2).contains("body") && !server.requests.at(2).contains("Content-Type"));

        served = 0;
        const auto looping = run(QStringLiteral("/loop"));
        QCOMPARE(looping->outcome(), HttpExchange::Outcome::Refused);
        QVERIFY(looping->why().contains(QLatin1String("too many redirects")));
        QCOMPARE(served, 4);
        for (const QString &path : {QStringLiteral("/https"), QStringLiteral("/file")}) {
            const auto elsewhere = run(path);
            QCOMPARE(elsewhere->outcome(), HttpExchange::Outcome::Refused);
            QVERIFY(elsewhere->why().startsWith(QLatin1String("redirect from http to ")));
        }
    }

    // A server that sends without end is held back by TCP: the exchange lets
    // go at the bound, long before the server has written much.
    void aFloodIsLetGoAtTheBound()
    {
        for (const QByteArray &head : {QByteArray("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n"),
                                       QByteArray("HTTP/1.1 200 OK\r\n\r\n")}) {
            const bool chunked = head.contains("chunked");
            qint64 sent = 0;
            RawServer server([&](QTcpSocket *socket, const QByteArray &) {
                socket->write(head);
                const QByteArray piece(16384, ' ');
                flood(socket, chunked ? "4000\r\n" + piece + "\r\n" : piece, &sent);
            });
            HttpExchange exchange(64 * 1024, 60000, 3);
            QSignalSpy done(&exchange, &HttpExchange::finished);
            exchange.post(server.url(QStringLiteral("/")), kHeaders, "x");
            QVERIFY(done.wait(30000));
            QCOMPARE(exchange.outcome(), HttpExchange::Outcome::Refused);
            QVERIFY2(exchange.why().contains(QLatin1String("longer than 65536")), qPrintable(exchange.why()));
            QVERIFY2(sent < 16 * 1024 * 1024, qPrintable(QString::number(sent)));
        }
    }

    void theWholeExchangeHasADeadline()
    {
        RawServer server([](QTcpSocket *socket, const QByteArray &) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0");  // and nothing more
        });
        HttpExchange exchange(100, 300, 3);
        QSignalSpy done(&exchange, &HttpExchange::finished);
        exchange.post(server.url(QStringLiteral("/")), kHeaders, "x");
        QVERIFY(done.wait(20000));
        QCOMPARE(done.count(), 1);
        QCOMPARE(exchange.outcome(), HttpExchange::Outcome::Refused);
        QVERIFY(exchange.why().contains(QLatin1String("300 ms")));
        QVERIFY(exchange.body().isEmpty());

        // Nobody listening: a failure, not a refusal.
        const quint16 port = server.serverPort();
        server.close();
        HttpExchange nobody(100, 20000, 3);
        QSignalSpy failed(&nobody, &HttpExchange::finished);
        nobody.post(QUrl(QStringLiteral("http://127.0.0.1:%1/").arg(port)), kHeaders, "x");
        QVERIFY(failed.wait(20000));
        QCOMPARE(nobody.outcome(), HttpExchange::Outcome::Failed);
    }
};

QTEST_GUILESS_MAIN(TestHttpExchange)
#include "test_httpexchange.moc"
