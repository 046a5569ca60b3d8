#include "SocketHelper.h"

#include "common/Logging.h"

#include <QDebug>
#include <QHostAddress>
#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>

const QString SocketHelper::kConnectionKey = QStringLiteral("_connection");

SocketHelper::SocketHelper(QObject *parent, quint16 port)
    : QObject(parent), m_server(new QTcpServer(this))
{
    connect(m_server, &QTcpServer::newConnection, this, &SocketHelper::newConnection);
    const bool listening = m_server->listen(QHostAddress::Any, port);
    qCDebug(lcRemote) << "Listening:" << listening;
    if (!listening)
        qWarning() << "remote control off:" << port << m_server->errorString();
}

SocketHelper::~SocketHelper()
{
    // The sockets die with the server after this object's members: keep
    // their last signals away from it.
    for (auto &entry : m_connections)
        entry.second.socket->disconnect(this);
}

bool SocketHelper::isListening() const
{
    return m_server->isListening();
}

quint16 SocketHelper::serverPort() const
{
    return m_server->serverPort();
}

void SocketHelper::setBoxListReply(const QString &connectionMap)
{
    m_boxListReply = RemoteProtocol::encodeFrame(RemoteProtocol::boxListReplyText(connectionMap));
}

void SocketHelper::sendResponse(const QString &text)
{
    if (m_connections.empty())
        return;
    writeFrame(m_connections.rbegin()->first, text);
}

void SocketHelper::sendResponse(const QString &text, const QVariantMap &request)
{
    const quint64 id = connectionOf(request);
    if (m_connections.find(id) == m_connections.end()) {
        qWarning() << "remote reply dropped: connection" << id << "has gone";
        return;
    }
    writeFrame(id, text);
}

quint64 SocketHelper::connectionOf(const QVariantMap &request)
{
    return request.value(kConnectionKey).toULongLong();
}

void SocketHelper::newConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        if (clientCount() >= kMaxConnections) {
            qWarning() << "remote connection refused:" << socket->peerAddress().toString()
                       << "already" << clientCount() << "open";
            socket->abort();
            socket->deleteLater();
            continue;
        }
        const quint64 id = m_nextId++;
        socket->setProperty("remoteId", id);
        m_connections[id].socket = socket;
        m_connections[id].window.start();
        connect(socket, &QTcpSocket::readyRead, this, &SocketHelper::readyRead);
        connect(socket, &QTcpSocket::disconnected, this, &SocketHelper::disconnected);
        socket->write(RemoteProtocol::greeting(QHostInfo::localHostName(), m_passwordEnabled, m_password));
        qCDebug(lcRemote) << "remote connection:" << id << socket->peerAddress().toString();
    }
}

void SocketHelper::disconnected()
{
    const quint64 id = idOf(sender());
    auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    it->second.socket->deleteLater();
    m_connections.erase(it);
    qCDebug(lcRemote) << "remote disconnected:" << id;
}

void SocketHelper::readyRead()
{
    const quint64 id = idOf(sender());
    auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    QList<QByteArray> frames;
    if (!it->second.reader.append(it->second.socket->readAll(), &frames)) {
        cutOff(id, "unfinished frame beyond the bound");
        return;
    }
    for (const QByteArray &frame : qAsConst(frames)) {
        // A slot of ours may have cut the connection meanwhile.
        it = m_connections.find(id);
        if (it == m_connections.end())
            return;
        Connection &connection = it->second;
        if (!countFrame(connection)) {
            cutOff(id, "too many frames per second");
            return;
        }
        RemoteProtocol::Request request = RemoteProtocol::decodeFrame(frame);
        switch (request.kind) {
        case RemoteProtocol::Request::Kind::Empty:
            continue;
        case RemoteProtocol::Request::Kind::Garbage:
            if (++connection.garbageInRow > kMaxGarbageInRow) {
                cutOff(id, "undecodable frames");
                return;
            }
            continue;
        case RemoteProtocol::Request::Kind::BoxList:
            connection.garbageInRow = 0;
            connection.socket->write(m_boxListReply);
            // The rest of this read is dropped; an unfinished frame stays for the next read.
            return;
        case RemoteProtocol::Request::Kind::Command:
            connection.garbageInRow = 0;
            request.map.insert(kConnectionKey, id);
            emit socketHelperSendData(request.map);
            continue;
        }
    }
}

quint64 SocketHelper::idOf(const QObject *socket) const
{
    return socket ? socket->property("remoteId").toULongLong() : 0;
}

void SocketHelper::writeFrame(quint64 id, const QString &text)
{
    m_connections.at(id).socket->write(RemoteProtocol::encodeFrame(text));
}

bool SocketHelper::countFrame(Connection &connection)
{
    if (connection.window.elapsed() >= 1000) {
        connection.window.restart();
        connection.framesInWindow = 0;
    }
    return ++connection.framesInWindow <= kMaxFramesPerSecond;
}

void SocketHelper::cutOff(quint64 id, const char *reason)
{
    auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    QTcpSocket *socket = it->second.socket;
    m_connections.erase(it);
    qWarning() << "remote connection cut off:" << id << reason;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}
