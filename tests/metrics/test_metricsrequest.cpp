// SPDX-License-Identifier: GPL-3.0-or-later
// What the server makes of a request head, byte for byte, at the edges.
#include "metrics/MetricsRequest.h"

#include <QtTest>

class TestMetricsRequest : public QObject {
    Q_OBJECT

private slots:
    void classify_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<int>("status");
        QTest::newRow("nothing yet") << QByteArray() << 0;
        QTest::newRow("a line, no end") << QByteArray("GET /metrics HTTP/1.1\r\n") << 0;
        QTest::newRow("a scrape") << QByteArray("GET /metrics HTTP/1.1\r\nHost: h\r\n\r\n") << 200;
        QTest::newRow("bare line feeds") << QByteArray("GET /metrics HTTP/1.0\n\n") << 200;
        QTest::newRow("a query") << QByteArray("GET /metrics?a=b HTTP/1.1\r\n\r\n") << 200;
        QTest::newRow("something before the method") << QByteArray("\rGET /metrics?x HTTP/1.0\n\n") << 405;
        QTest::newRow("a space after the version") << QByteArray("GET /metrics HTTP/1.1 \r\n\r\n") << 400;
        QTest::newRow("lower-case method") << QByteArray("get /metrics HTTP/1.1\r\n\r\n") << 405;
        QTest::newRow("two spaces") << QByteArray("GET  /metrics HTTP/1.1\r\n\r\n") << 400;
        QTest::newRow("no version") << QByteArray("GET /metrics\r\n\r\n") << 400;
        QTest::newRow("HTTP/0.9 style") << QByteArray("GET /metrics HTTP/0.9\r\n\r\n") << 505;
        QTest::newRow("a trailing slash") << QByteArray("GET /metrics/ HTTP/1.1\r\n\r\n") << 404;
        QTest::newRow("an encoded path") << QByteArray("GET /%6detrics HTTP/1.1\r\n\r\n") << 404;
        QTest::newRow("a body after the head is not read")
            << QByteArray("GET /metrics HTTP/1.1\r\nContent-Length: 5\r\n\r\nhello") << 200;
        const QByteArray line("GET /metrics HTTP/1.1\r\nX: ");
        // The head may be 64 bytes here: its end at 64 is fine, past it not.
        const QByteArray at64 = line + QByteArray(64 - line.size() - 4, 'a') + "\r\n\r\n";
        QTest::newRow("a head ending at the bound") << at64.left(64) << 200;
        QTest::newRow("a head at the bound, not ended") << (line + QByteArray(64 - line.size(), 'a')) << 0;
        QTest::newRow("one byte past the bound") << (line + QByteArray(65 - line.size(), 'a')) << 431;
        QTest::newRow("ended past the bound") << (line + QByteArray(70, 'a') + "\r\n\r\n") << 431;
    }
    void classify()
    {
        QFETCH(QByteArray, received);
        QFETCH(int, status);
        QCOMPARE(MetricsRequest::classify(received, 64), status);
    }
};

QTEST_APPLESS_MAIN(TestMetricsRequest)
#include "test_metricsrequest.moc"
