// SPDX-License-Identifier: GPL-3.0-or-later
#include "metrics/MetricsServer.h"

#include "common/Logging.h"
#include "metrics/MetricsRequest.h"
#include "metrics/PrometheusText.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

const char *reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 431:
        return "Request Header Fields Too Large";
    case 505:
        return "HTTP Version Not Supported";
    }
    return "Error";
}

const char kBuffer[] = "request";

} // namespace

MetricsServer::MetricsServer(std::function<QByteArray()> render, QObject *parent)
    : MetricsServer(std::move(render), Limits(), parent)
{
}

MetricsServer::MetricsServer(std::function<QByteArray()> render, const Limits &limits, QObject *parent)
    : QObject(parent), m_render(std::move(render)), m_limits(limits), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &MetricsServer::accept);
}

MetricsServer::~MetricsServer() = default;

bool MetricsServer::listen(const QHostAddress &address, quint16 port)
{
    m_server->close();
    if (!m_server->listen(address, port)) {
        qCWarning(lcMetrics).noquote() << "metrics: cannot listen on" << address.toString() << port << "-"
                                       << m_server->errorString();
        return false;
    }
    if (!address.isLoopback())
        qCInfo(lcMetrics).noquote() << "metrics: served beyond this computer, on" << address.toString()
                                    << m_server->serverPort();
    else
        qCDebug(lcMetrics).noquote() << "metrics: on" << address.toString() << m_server->serverPort();
    return true;
}

void MetricsServer::close()
{
    m_server->close();
}

bool MetricsServer::isListening() const
{
    return m_server->isListening();
}

quint16 MetricsServer::port() const
{
    return m_server->serverPort();
}

void MetricsServer::accept()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        if (m_connections >= m_limits.maxConnections) {
            if (!m_refusalTold)
                qCWarning(lcMetrics) << "metrics: connection refused," << m_connections << "are open already";
            m_refusalTold = true;
            socket->abort();
            socket->deleteLater();
            continue;
        }
        m_refusalTold = false;
        ++m_connections;
        auto *deadline = new QTimer(socket);
        deadline->setSingleShot(true);
        connect(deadline, &QTimer::timeout, socket, [socket] {
            qCDebug(lcMetrics) << "metrics: connection dropped at its deadline";
            socket->abort();
        });
        deadline->start(m_limits.deadlineMs);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QObject::destroyed, this, [this] { --m_connections; });
        // A peer that resets at once leaves a socket that never says "disconnected".
        connect(socket, &QAbstractSocket::errorOccurred, socket, [socket](QAbstractSocket::SocketError) {
            if (socket->state() == QAbstractSocket::UnconnectedState)
                socket->deleteLater();
        });
    }
}

void MetricsServer::read(QTcpSocket *socket)
{
    if (socket->property("answered").toBool()) {
        socket->readAll(); // one request per connection; the rest is dropped
        return;
    }
    QByteArray head = socket->property(kBuffer).toByteArray();
    head += socket->read(m_limits.maxRequestBytes + 1 - head.size());
    const int status = MetricsRequest::classify(head, m_limits.maxRequestBytes);
    switch (status) {
    case MetricsRequest::kIncomplete:
        socket->setProperty(kBuffer, head);
        return;
    case MetricsRequest::kServe:
        respond(socket, 200, m_render ? m_render() : QByteArray());
        return;
    case 405:
        respond(socket, 405, "only GET\n", "Allow: GET\r\n");
        return;
    default:
        respond(socket, status, QByteArray(reason(status)).toLower() + '\n');
        return;
    }
}

void MetricsServer::respond(QTcpSocket *socket, int status, const QByteArray &body, const QByteArray &extraHeaders)
{
    socket->setProperty("answered", true);
    socket->readAll(); // what is left of the request is not read
    QByteArray out = "HTTP/1.1 " + QByteArray::number(status) + ' ' + reason(status) + "\r\n";
    out += QByteArrayLiteral("Content-Type: ") +
           (status == 200 ? QByteArray(PrometheusText::kContentType) : QByteArrayLiteral("text/plain; charset=utf-8")) +
           "\r\n";
    out += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    out += extraHeaders;
    out += "Connection: close\r\n\r\n";
    out += body;
    socket->write(out);
    socket->disconnectFromHost();
    emit answered(status);
}
