// SPDX-License-Identifier: GPL-3.0-or-later
// The metrics server on the loopback address (a port the system picks): a
// scrape answered, everything else refused, and the bounds that keep a bad
// client from holding it.
#include "metrics/MetricsServer.h"
#include "metrics/PrometheusText.h"

#include "PrometheusParser.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QtTest>

#include <memory>

namespace {

MetricsSnapshot snapshot()
{
    MetricsSnapshot s;
    s.version = QStringLiteral("1.0.5");
    FanMetrics f;
    f.rpm = 1234;
    f.duty = 55;
    s.fans << f;
    return s;
}

// One exchange, from a thread of its own: sends `pieces` one after the
// other and reads until the server closes; the whole response.
QByteArray exchange(quint16 port, const QList<QByteArray> &pieces)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, port);
    if (!socket.waitForConnected(10000))
        return QByteArray();
    for (const QByteArray &piece : pieces) {
        socket.write(piece);
        socket.waitForBytesWritten(10000);
    }
    QByteArray response;
    while (socket.waitForReadyRead(20000))
        response += socket.readAll();
    return response + socket.readAll();
}

int status(const QByteArray &response)
{
    return response.mid(9, 3).toInt();
}

QByteArray bodyOf(const QByteArray &response)
{
    const int end = response.indexOf("\r\n\r\n");
    return end < 0 ? QByteArray() : response.mid(end + 4);
}

} // namespace

class TestMetricsServer : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<MetricsServer> m_server;
    int m_renders = 0;

    void serve(const MetricsServer::Limits &limits = MetricsServer::Limits())
    {
        m_renders = 0;
        m_server = std::make_unique<MetricsServer>(
            [this] {
                ++m_renders;
                return PrometheusText::format(snapshot());
            },
            limits);
        QVERIFY(m_server->listen(QHostAddress::LocalHost, 0));
        QVERIFY(m_server->port() != 0);
    }

    // The server runs in this thread: requests are sent from a thread of
    // their own so both sides move.
    QByteArray ask(const QList<QByteArray> &pieces)
    {
        QByteArray response;
        const quint16 port = m_server->port();
        std::unique_ptr<QThread> client(QThread::create([&] { response = exchange(port, pieces); }));
        QEventLoop loop;
        connect(client.get(), &QThread::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(60000, &loop, &QEventLoop::quit);
        client->start();
        loop.exec();
        client->wait();
        return response;
    }

private slots:
    void cleanup() { m_server.reset(); }

    void aScrapeGetsTheMetrics()
    {
        serve();
        const QByteArray r = ask({"GET /metrics HTTP/1.1\r\nHost: localhost\r\nAccept: */*\r\n\r\n"});
        QCOMPARE(status(r), 200);
        QVERIFY(r.contains("\r\nContent-Type: text/plain; version=0.0.4; charset=utf-8\r\n"));
        QVERIFY(r.contains("\r\nConnection: close\r\n"));
        QCOMPARE(bodyOf(r), PrometheusText::format(snapshot()));
        QVERIFY(r.contains("\r\nContent-Length: " + QByteArray::number(bodyOf(r).size()) + "\r\n"));
        QCOMPARE(m_renders, 1);
        // Prometheus adds parameters at times; a request may come in pieces.
        QCOMPARE(status(ask({"GET /metrics?name[]=x HTTP/1.0\r\n\r\n"})), 200);
        QCOMPARE(status(ask({"GE", "T /metr", "ics HTTP/1.1\r\n", "Host: x\r\n", "\r\n"})), 200);
    }

    void aRealScraperReadsIt()
    {
        serve();
        QProcess scraper;
        scraper.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral("-c"),
                       QStringLiteral("import sys, urllib.request\n"
                                      "from prometheus_client.parser import text_string_to_metric_families\n"
                                      "r = urllib.request.urlopen('http://127.0.0.1:%1/metrics', timeout=30)\n"
                                      "print(r.headers['Content-Type'])\n"
                                      "for f in text_string_to_metric_families(r.read().decode()):\n"
                                      "    for s in f.samples: print(s.name, s.value)\n")
                           .arg(m_server->port())});
        QTRY_VERIFY_WITH_TIMEOUT(scraper.state() == QProcess::NotRunning, 60000);
        QCOMPARE(scraper.exitCode(), 0);
        const QString out = QString::fromUtf8(scraper.readAllStandardOutput());
        QVERIFY2(out.contains(QLatin1String("aurivent_fan_speed_rpm 1234.0")), qPrintable(out));
        QVERIFY(out.contains(QLatin1String("aurivent_fan_duty_ratio 0.55")));
        QVERIFY(out.startsWith(QLatin1String("text/plain; version=0.0.4")));
    }

    // Over a real connection; every edge of the head is in test_metricsrequest.
    void anythingElseIsRefused_data()
    {
        QTest::addColumn<QByteArray>("request");
        QTest::addColumn<int>("status");
        QTest::newRow("another path") << QByteArray("GET / HTTP/1.1\r\n\r\n") << 404;
        QTest::newRow("POST") << QByteArray("POST /metrics HTTP/1.1\r\nContent-Length: 2\r\n\r\nab") << 405;
        QTest::newRow("not HTTP") << QByteArray("hello\r\n\r\n") << 400;
        QTest::newRow("a head too large") << QByteArray("GET /metrics HTTP/1.1\r\nX: " + QByteArray(9000, 'a')) << 431;
        QTest::newRow("binary") << QByteArray("\x16\x03\x01\x02\x00\x01\x00\x01\xfc\x03\x03\r\n\r\n", 15) << 400;
    }
    void anythingElseIsRefused()
    {
        QFETCH(QByteArray, request);
        QFETCH(int, status);
        serve();
        const QByteArray r = ask({request});
        QCOMPARE(::status(r), status);
        QVERIFY(r.contains("\r\nConnection: close\r\n"));
        QCOMPARE(m_renders, 0);
        if (status == 405)
            QVERIFY(r.contains("\r\nAllow: GET\r\n"));
    }

    void aClientThatNeverFinishesIsDropped()
    {
        MetricsServer::Limits limits;
        limits.deadlineMs = 300;
        serve(limits);
        QTcpSocket slow;
        slow.connectToHost(QHostAddress::LocalHost, m_server->port());
        QTRY_VERIFY_WITH_TIMEOUT(slow.state() == QAbstractSocket::ConnectedState, 10000);
        slow.write("GET /metrics HTTP/1.1\r\nX-Slow: ");
        QTRY_COMPARE_WITH_TIMEOUT(m_server->connections(), 1, 10000);
        QTRY_COMPARE_WITH_TIMEOUT(slow.state(), QAbstractSocket::UnconnectedState, 20000);
        QTRY_COMPARE_WITH_TIMEOUT(m_server->connections(), 0, 10000);
    }

    void connectionsAreBounded()
    {
        MetricsServer::Limits limits;
        limits.maxConnections = 2;
        serve(limits);
        QTcpSocket a, b, c;
        for (QTcpSocket *s : {&a, &b}) {
            s->connectToHost(QHostAddress::LocalHost, m_server->port());
            QTRY_VERIFY_WITH_TIMEOUT(s->state() == QAbstractSocket::ConnectedState, 10000);
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_server->connections(), 2, 10000);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("metrics: connection refused, 2 are open already")));
        c.connectToHost(QHostAddress::LocalHost, m_server->port());
        QTRY_COMPARE_WITH_TIMEOUT(c.state(), QAbstractSocket::UnconnectedState, 10000);
        QCOMPARE(a.state(), QAbstractSocket::ConnectedState);
        // One goes, and a scrape gets through again.
        a.abort();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->connections(), 1, 10000);
        QCOMPARE(status(ask({"GET /metrics HTTP/1.1\r\n\r\n"})), 200);
        b.abort();
        QTRY_COMPARE_WITH_TIMEOUT(m_server->connections(), 0, 10000);
    }

    void aPortInUseIsSaid()
    {
        serve();
        MetricsServer second([] { return QByteArray(); });
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("metrics: cannot listen on 127.0.0.1.*")));
        QVERIFY(!second.listen(QHostAddress::LocalHost, m_server->port()));
        QVERIFY(!second.isListening());
    }
};

QTEST_GUILESS_MAIN(TestMetricsServer)
#include "test_metricsserver.moc"
