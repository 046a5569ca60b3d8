// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QTcpServer>
#include <QTcpSocket>

// A tiny HTTP/1.1 server on 127.0.0.1 standing in for the update service.
// It records every request and answers each with the next queued reply
// (or "{}" with status 200 when none is queued).
class FakeUpdateService : public QTcpServer
{
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        QMap<QByteArray, QByteArray> headers;  // names in lower case
        QByteArray body;
    };
    struct Answer {
        int status = 200;
        QByteArray body = "{}";
        QByteArray headers;  // extra header lines, each ending "\r\n"
        enum class Kind { Complete, Silent, Endless } kind = Kind::Complete;
    };

    FakeUpdateService()
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                socket->setParent(this);
                connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readFrom(socket); });
            }
        });
        listen(QHostAddress::LocalHost, 0);
    }

    QString baseUrl() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }
    void queue(const QByteArray &body, int status = 200, const QByteArray &headers = QByteArray())
    {
        m_answers.append(Answer{status, body, headers, Answer::Kind::Complete});
    }
    // Takes the request and never answers.
    void queueSilence() { m_answers.append(Answer{200, {}, {}, Answer::Kind::Silent}); }
    // A 200 whose body never ends (until the client lets go, or 64 MiB).
    void queueEndless(const QByteArray &start, const QByteArray &headers = QByteArray())
    {
        m_answers.append(Answer{200, start, headers, Answer::Kind::Endless});
    }
    // Bytes written by endless answers so far.
    qint64 endlessSent = 0;

    QList<Request> requests;

private:
    void readFrom(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        Request request;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        const QList<QByteArray> first = lines.value(0).trimmed().split(' ');
        request.method = first.value(0);
        request.path = first.value(1);
        for (int i = 1; i < lines.size(); ++i) {
            const int colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(), lines[i].mid(colon + 1).trimmed());
        }
        const int length = request.headers.value("content-length").toInt();
        if (buffer.size() < end + 4 + length)
            return;
        request.body = buffer.mid(end + 4, length);
        m_buffers.remove(socket);
        requests.append(request);

        const Answer answer = m_answers.isEmpty() ? Answer() : m_answers.takeFirst();
        if (answer.kind == Answer::Kind::Silent)
            return;
        if (answer.kind == Answer::Kind::Endless) {
            socket->write("HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n" + answer.headers
                          + "Connection: close\r\n\r\n" + answer.body);
            // With "Transfer-Encoding: chunked" among the headers, in chunks of 16 KiB.
            const QByteArray piece = answer.headers.toLower().contains("chunked")
                ? "4000\r\n" + QByteArray(16384, ' ') + "\r\n"
                : QByteArray(16384, ' ');
            connect(socket, &QTcpSocket::bytesWritten, this, [this, socket, piece] {
                if (socket->bytesToWrite() < piece.size() && endlessSent < 64 * 1024 * 1024) {
                    socket->write(piece);
                    endlessSent += piece.size();
                }
            });
            return;
        }
        QByteArray response = "HTTP/1.1 " + QByteArray::number(answer.status)
            + (answer.status == 200 ? " OK" : " Other") + "\r\nContent-Type: application/json\r\nContent-Length: "
            + QByteArray::number(answer.body.size()) + "\r\n" + answer.headers + "Connection: close\r\n\r\n"
            + answer.body;
        socket->write(response);
        socket->disconnectFromHost();
    }

    QMap<QTcpSocket *, QByteArray> m_buffers;
    QList<Answer> m_answers;
};
