// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpExchange.h"

#include <QLocale>
#include <QSslSocket>
#include <QTcpSocket>

namespace {

int defaultPort(const QString &scheme)
{
    return scheme == QLatin1String("https") ? 443 : 80;
}

// The language the request prefers, as the program's requests always said it.
QByteArray acceptLanguage()
{
    const QString locale = QLocale::system().name().replace(QLatin1Char('_'), QLatin1Char('-'));
    if (locale == QLatin1String("C"))
        return "en,*";
    if (locale.startsWith(QLatin1String("en-")))
        return (locale + QLatin1String(",*")).toLatin1();
    return (locale + QLatin1String(",en,*")).toLatin1();
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

} // namespace

HttpExchange::HttpExchange(qint64 maxBody, int timeoutMs, int maxRedirects, QObject *parent)
    : QObject(parent), m_maxBody(maxBody), m_timeoutMs(timeoutMs), m_redirectsLeft(maxRedirects)
{
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        finish(Outcome::Refused, QStringLiteral("no complete reply within %1 ms").arg(m_timeoutMs));
    });
}

HttpExchange::~HttpExchange()
{
    dropSocket();
}

QByteArray HttpExchange::requestBytes(const QByteArray &method, const QUrl &url, const Headers &headers,
                                      const QByteArray &body)
{
    QByteArray path = url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!path.startsWith('/'))
        path.prepend('/');
    QByteArray host = url.host(QUrl::FullyEncoded).toLatin1();
    if (host.contains(':'))
        host = '[' + host + ']';
    const int port = url.port();
    if (port != -1 && port != defaultPort(url.scheme().toLower()))
        host += ':' + QByteArray::number(port);

    QByteArray bytes = method + ' ' + path + " HTTP/1.1\r\nHost: " + host + "\r\n";
    for (const auto &header : headers)
        bytes += header.first + ": " + header.second + "\r\n";
    if (method == "POST")
        bytes += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    bytes += "Connection: Keep-Alive\r\nAccept-Language: " + acceptLanguage() + "\r\nUser-Agent: Mozilla/5.0\r\n\r\n";
    if (method == "POST")
        bytes += body;
    return bytes;
}

void HttpExchange::post(const QUrl &url, const Headers &headers, const QByteArray &body)
{
    m_method = "POST";
    m_headers = headers;
    m_requestBody = body;
    m_scheme = url.scheme().toLower();
    m_deadline.start(m_timeoutMs);
    connectTo(url);
}

void HttpExchange::connectTo(const QUrl &url)
{
    dropSocket();
    m_url = url;
    m_parser = std::make_unique<HttpReplyParser>(m_maxBody);
    const bool tls = m_scheme == QLatin1String("https");
    if (m_scheme != QLatin1String("http") && !tls) {
        finish(Outcome::Failed, QStringLiteral("no way to reach %1 addresses").arg(m_scheme));
        return;
    }
    QTcpSocket *socket = tls ? new QSslSocket(this) : new QTcpSocket(this);
    m_socket = socket;
    socket->setReadBufferSize(kReadBufferBytes);
    connect(socket, &QTcpSocket::readyRead, this, &HttpExchange::readReply);
    connect(socket, &QTcpSocket::disconnected, this, &HttpExchange::connectionEnded);
    connect(socket, &QAbstractSocket::errorOccurred, this, [this, socket](QAbstractSocket::SocketError error) {
        if (socket != m_socket)
            return;
        if (error == QAbstractSocket::RemoteHostClosedError)
            connectionEnded();
        else
            finish(Outcome::Failed, socket->errorString());
    });
    const quint16 port = quint16(url.port(defaultPort(m_scheme)));
    if (tls) {
        auto *secure = static_cast<QSslSocket *>(socket);
        connect(secure, &QSslSocket::encrypted, this, &HttpExchange::sendRequest);
        secure->connectToHostEncrypted(url.host(), port);
    } else {
        connect(socket, &QTcpSocket::connected, this, &HttpExchange::sendRequest);
        socket->connectToHost(url.host(), port);
    }
}

void HttpExchange::sendRequest()
{
    if (m_socket)
        m_socket->write(requestBytes(m_method, m_url, m_headers, m_requestBody));
}

void HttpExchange::readReply()
{
    while (m_outcome == Outcome::Running && m_socket && m_socket->bytesAvailable() > 0) {
        const HttpReplyParser::State before = m_parser->state();
        const HttpReplyParser::State after = m_parser->feed(m_socket->read(kReadBufferBytes));
        if (before == HttpReplyParser::State::Head && after != HttpReplyParser::State::Head
            && after != HttpReplyParser::State::Refused && isRedirect(m_parser->status())
            && !m_parser->header("location").isEmpty()) {
            followRedirect();
            return;
        }
        if (after == HttpReplyParser::State::Refused)
            finish(Outcome::Refused, m_parser->refusal());
        else if (after == HttpReplyParser::State::Done)
            finish(Outcome::Replied, QString());
    }
}

void HttpExchange::connectionEnded()
{
    if (m_outcome != Outcome::Running || !m_parser)
        return;
    readReply();
    if (m_outcome != Outcome::Running)
        return;
    if (m_parser->closed() == HttpReplyParser::State::Done)
        finish(Outcome::Replied, QString());
    else
        finish(Outcome::Refused, m_parser->refusal());
}

bool HttpExchange::followRedirect()
{
    const QUrl target = m_url.resolved(QUrl::fromEncoded(m_parser->header("location")));
    const QString scheme = target.scheme().toLower();
    if (scheme != m_scheme) {
        finish(Outcome::Refused, QStringLiteral("redirect from %1 to %2").arg(m_scheme, scheme));
        return false;
    }
    if (m_redirectsLeft-- <= 0) {
        finish(Outcome::Refused, QStringLiteral("too many redirects"));
        return false;
    }
    // 307 and 308 repeat the request as it was; the others ask again without the body.
    const int status = m_parser->status();
    if (status != 307 && status != 308 && m_method == "POST") {
        m_method = "GET";
        m_requestBody.clear();
        Headers kept;
        for (const auto &header : qAsConst(m_headers))
            if (header.first.toLower() != "content-type")
                kept.append(header);
        m_headers = kept;
    }
    connectTo(target);
    return true;
}

void HttpExchange::finish(Outcome outcome, const QString &why)
{
    if (m_outcome != Outcome::Running)
        return;
    m_outcome = outcome;
    m_why = why;
    if (outcome == Outcome::Replied) {
        m_status = m_parser->status();
        m_body = m_parser->body();
    }
    m_deadline.stop();
    dropSocket();
    emit finished();
}

void HttpExchange::dropSocket()
{
    if (!m_socket)
        return;
    QTcpSocket *socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
