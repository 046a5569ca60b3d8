// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QObject>

#include <functional>

class QTcpServer;
class QTcpSocket;

// Serves the metrics over HTTP for a Prometheus scrape: GET /metrics and
// nothing else. Bounded: at most maxConnections at once (more are closed at
// once), a request head of at most maxRequestBytes, one request per
// connection, and a connection that has not been answered and closed within
// deadlineMs is dropped. Lives on its owner's thread; render() is called
// there once per scrape.
class MetricsServer : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int maxConnections = 8;
        int maxRequestBytes = 8192;
        int deadlineMs = 10000;
    };

    explicit MetricsServer(std::function<QByteArray()> render, QObject *parent = nullptr);
    MetricsServer(std::function<QByteArray()> render, const Limits &limits, QObject *parent = nullptr);
    ~MetricsServer() override;

    // False (logged) when the address cannot be bound. Port 0: any free port.
    bool listen(const QHostAddress &address, quint16 port);
    void close();
    bool isListening() const;
    quint16 port() const;
    int connections() const { return m_connections; }

signals:
    // A request was answered with `status` (tests, debug log).
    void answered(int status);

private:
    void accept();
    void read(QTcpSocket *socket);
    void respond(QTcpSocket *socket, int status, const QByteArray &body, const QByteArray &extraHeaders = QByteArray());

    std::function<QByteArray()> m_render;
    Limits m_limits;
    QTcpServer *m_server;
    int m_connections = 0;
    bool m_refusalTold = false;
};
