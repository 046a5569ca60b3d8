// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "HttpReplyParser.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QTimer>
#include <QUrl>

#include <memory>

class QTcpSocket;

// One request to the update service and its reply, over a socket of our own
// (TLS for https): the socket's read buffer is small, so a server that sends
// faster than the reply is read is held back by TCP instead of filling
// memory, and the reply is held to its bounds by HttpReplyParser. Redirects
// are followed only within the scheme of the request, and one deadline
// covers the whole exchange. finished() is emitted once.
class HttpExchange : public QObject
{
    Q_OBJECT

public:
    using Headers = QList<QPair<QByteArray, QByteArray>>;

    enum class Outcome {
        Running,
        Replied,   // a whole reply arrived; status() and body() hold it
        Refused,   // the reply broke a bound or a rule; why() says which
        Failed,    // no reply: the connection failed; why() says how
    };

    // Bytes the socket holds before TCP makes the server wait.
    static constexpr qint64 kReadBufferBytes = 16 * 1024;

    HttpExchange(qint64 maxBody, int timeoutMs, int maxRedirects, QObject *parent = nullptr);
    ~HttpExchange() override;

    // POST of body to url (http or https), with headers in this order after Host.
    void post(const QUrl &url, const Headers &headers, const QByteArray &body);

    // The bytes of a request as they go on the wire.
    static QByteArray requestBytes(const QByteArray &method, const QUrl &url, const Headers &headers,
                                   const QByteArray &body);

    Outcome outcome() const { return m_outcome; }
    int status() const { return m_status; }
    QByteArray body() const { return m_body; }
    QString why() const { return m_why; }
    QUrl url() const { return m_url; }

signals:
    void finished();

private:
    void connectTo(const QUrl &url);
    void sendRequest();
    void readReply();
    void connectionEnded();
    bool followRedirect();
    void finish(Outcome outcome, const QString &why);
    void dropSocket();

    qint64 m_maxBody;
    int m_timeoutMs;
    int m_redirectsLeft;
    QUrl m_url;
    QString m_scheme;
    QByteArray m_method = "POST";
    Headers m_headers;
    QByteArray m_requestBody;
    QPointer<QTcpSocket> m_socket;
    std::unique_ptr<HttpReplyParser> m_parser;
    QTimer m_deadline;
    Outcome m_outcome = Outcome::Running;
    int m_status = 0;
    QByteArray m_body;
    QString m_why;
};
