// SPDX-License-Identifier: GPL-3.0-or-later
#include "SocketHelper.h"

#include "KeepAlive.h"
#include "common/Logging.h"

#include <QDebug>
#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>

const QString SocketHelper::kConnectionKey = QStringLiteral("_connection");

namespace {

const char *accessName(RemoteAccess access)
{
    switch (access) {
    case RemoteAccess::Off: return "off";
    case RemoteAccess::ThisComputer: return "this computer only";
    case RemoteAccess::Network: return "the network";
    }
    return "?";
}

} // namespace

SocketHelper::SocketHelper(QObject *parent, quint16 port, RemoteAccess access)
    : QObject(parent), m_access(access), m_port(port)
{
    m_clock.start();
    m_nextTurn.setSingleShot(true);
    m_nextTurn.setInterval(0);
    connect(&m_nextTurn, &QTimer::timeout, this, &SocketHelper::handleLater);
    openServers();
}

SocketHelper::~SocketHelper()
{
    // The sockets die with this object after its members: keep their last
    // signals away from it.
    for (auto &entry : m_connections)
        entry.second.socket->disconnect(this);
}

void SocketHelper::openServers()
{
    QList<QHostAddress> addresses;
    if (m_access == RemoteAccess::Network)
        addresses << QHostAddress(QHostAddress::Any);
    else if (m_access == RemoteAccess::ThisComputer)
        addresses << QHostAddress(QHostAddress::LocalHost) << QHostAddress(QHostAddress::LocalHostIPv6);
    else
        qCInfo(lcRemote) << "remote control off: nothing listens";
    for (const QHostAddress &address : qAsConst(addresses)) {
        auto *server = new QTcpServer(this);
        connect(server, &QTcpServer::newConnection, this, &SocketHelper::newConnection);
        if (server->listen(address, m_port)) {
            // A port picked by the system is kept, so that a later change
            // of access listens where the phones already connect.
            m_port = server->serverPort();
            m_servers.push_back(server);
        } else if (address == QHostAddress(QHostAddress::LocalHostIPv6)) {
            qCDebug(lcRemote) << "no IPv6 loopback:" << server->errorString();
            delete server;
        } else {
            qWarning() << "remote control off:" << address.toString() << m_port << server->errorString();
            delete server;
        }
    }
    if (m_access != RemoteAccess::Off)
        qCDebug(lcRemote) << "Listening:" << isListening() << accessName(m_access);
}

void SocketHelper::closeServers()
{
    for (QTcpServer *server : m_servers)
        delete server;
    m_servers.clear();
}

void SocketHelper::setAccess(RemoteAccess access)
{
    if (access == m_access)
        return;
    m_access = access;
    qCInfo(lcRemote) << "remote control:" << accessName(access);
    closeServers();
    std::vector<quint64> refused;
    for (const auto &entry : m_connections)
        if (!allowedPeer(entry.second.socket->peerAddress()))
            refused.push_back(entry.first);
    for (quint64 id : refused)
        cutOff(id, "no longer allowed by the remote access setting");
    openServers();
}

bool SocketHelper::allowedPeer(const QHostAddress &peer) const
{
    switch (m_access) {
    case RemoteAccess::Off: return false;
    case RemoteAccess::ThisComputer: return peer.isLoopback();
    case RemoteAccess::Network: return true;
    }
    return false;
}

bool SocketHelper::isListening() const
{
    return !m_servers.empty();
}

quint16 SocketHelper::serverPort() const
{
    return m_servers.empty() ? 0 : m_servers.front()->serverPort();
}

QList<QHostAddress> SocketHelper::listeningAddresses() const
{
    QList<QHostAddress> out;
    for (const QTcpServer *server : m_servers)
        out << server->serverAddress();
    return out;
}

void SocketHelper::setBoxListReply(const QString &connectionMap)
{
    m_boxListReply = RemoteProtocol::encodeFrame(RemoteProtocol::boxListReplyText(connectionMap));
}

void SocketHelper::sendResponse(const QString &text)
{
    if (m_connections.empty())
        return;
    writeFrame(m_connections.rbegin()->first, RemoteProtocol::encodeFrame(text));
}

void SocketHelper::sendResponse(const QString &text, const QVariantMap &request)
{
    const quint64 id = connectionOf(request);
    if (m_connections.find(id) == m_connections.end()) {
        qCDebug(lcRemote) << "remote reply dropped: connection" << id << "has gone";
        return;
    }
    writeFrame(id, RemoteProtocol::encodeFrame(text));
}

quint64 SocketHelper::connectionOf(const QVariantMap &request)
{
    return request.value(kConnectionKey).toULongLong();
}

void SocketHelper::newConnection()
{
    auto *server = qobject_cast<QTcpServer *>(sender());
    if (!server)
        return;
    while (QTcpSocket *socket = server->nextPendingConnection())
        accept(socket);
}

void SocketHelper::accept(QTcpSocket *socket)
{
    if (!allowedPeer(socket->peerAddress())) {
        qWarning() << "remote connection refused:" << socket->peerAddress().toString();
        socket->abort();
        socket->deleteLater();
        return;
    }
    makeRoomFor(socket->peerAddress());
    const quint64 id = m_nextId++;
    // Connections outlive a change of the listening sockets.
    socket->setParent(this);
    socket->setProperty("remoteId", id);
    // Qt stops reading from the system beyond this, so the peer is held back
    // by TCP instead of filling our memory.
    socket->setReadBufferSize(kMaxUnreadBytes);
    if (!KeepAlive::enable(socket->socketDescriptor()))
        qWarning() << "remote connection" << id << "without keep-alive";
    Connection &connection = m_connections[id];
    connection.socket = socket;
    connection.lastActive = ++m_tick;
    connection.peer = socket->peerAddress();
    connect(socket, &QTcpSocket::readyRead, this, &SocketHelper::readyRead);
    connect(socket, &QTcpSocket::disconnected, this, &SocketHelper::disconnected);
    connect(socket, &QTcpSocket::bytesWritten, this, &SocketHelper::repliesTaken);
    qCDebug(lcRemote) << "remote connection:" << id << socket->peerAddress().toString();
    writeFrame(id, RemoteProtocol::greeting(QHostInfo::localHostName(), m_passwordEnabled, m_password));
}

// 0 never sent a valid frame, 1 not lately, 2 a phone in use: lower goes first.
int SocketHelper::evictionRank(const Connection &connection) const
{
    if (connection.lastValidMs < 0)
        return 0;
    return m_clock.elapsed() - connection.lastValidMs > kRecentMs ? 1 : 2;
}

void SocketHelper::makeRoomFor(const QHostAddress &peer)
{
    // One host opening connections and saying nothing only replaces its own.
    auto oldestSilent = m_connections.end();
    int silent = 0;
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (it->second.lastValidMs >= 0 || !it->second.peer.isEqual(peer))
            continue;
        ++silent;
        if (oldestSilent == m_connections.end() || it->second.lastActive < oldestSilent->second.lastActive)
            oldestSilent = it;
    }
    if (silent >= kMaxSilentPerAddress) {
        cutOff(oldestSilent->first, "too many silent connections from one address");
        return;
    }
    if (clientCount() < kMaxConnections)
        return;
    // A phone dropped off Wi-Fi leaves a connection behind; a newcomer is
    // more likely someone who wants the program than a phone in use is.
    auto victim = m_connections.end();
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        if (victim == m_connections.end())
            victim = it;
        const int rank = evictionRank(it->second);
        const int victimRank = evictionRank(victim->second);
        if (rank < victimRank || (rank == victimRank && it->second.lastActive < victim->second.lastActive))
            victim = it;
    }
    if (victim != m_connections.end())
        cutOff(victim->first, "idle longest, making room for a new connection");
}

void SocketHelper::disconnected()
{
    const quint64 id = idOf(sender());
    auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    if (!it->second.queued.empty())
        qCDebug(lcRemote) << "remote frames dropped with their connection:" << it->second.queued.size();
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
    it->second.lastActive = ++m_tick;
    if (handleQueued(id))
        m_nextTurn.start();
}

bool SocketHelper::repliesWaiting(const Connection &connection) const
{
    return connection.socket->bytesToWrite() > kPauseRepliesAbove;
}

void SocketHelper::repliesTaken()
{
    const quint64 id = idOf(sender());
    auto it = m_connections.find(id);
    if (it == m_connections.end() || repliesWaiting(it->second))
        return;
    if (!it->second.queued.empty() || it->second.socket->bytesAvailable() > 0)
        m_nextTurn.start();
}

// Takes what the socket holds into the queue of frames; false when nothing
// complete is queued afterwards (or the connection was cut off).
bool SocketHelper::pull(quint64 id)
{
    auto it = m_connections.find(id);
    if (it == m_connections.end())
        return false;
    Connection &connection = it->second;
    if (connection.socket->bytesAvailable() <= 0)
        return !connection.queued.empty();
    ++connection.reads;
    QList<QByteArray> frames;
    const bool fits = connection.reader.append(connection.socket->read(kMaxUnreadBytes), &frames);
    queueFrames(connection, frames);
    if (!fits) {
        cutOff(id, "unfinished frame beyond the bound");
        return false;
    }
    return !connection.queued.empty();
}

void SocketHelper::queueFrames(Connection &connection, const QList<QByteArray> &frames)
{
    // A music level frame is superseded by a later one of the same read when
    // no other request lies between them: only the newest level counts.
    std::vector<bool> keep(frames.size(), true);
    bool laterLevel = false;
    for (int i = frames.size() - 1; i >= 0; --i) {
        const QByteArray &frame = frames.at(i);
        if (RemoteProtocol::isLevelFrame(frame)) {
            keep[i] = !laterLevel;
            laterLevel = true;
        } else if (!frame.trimmed().isEmpty()) {
            laterLevel = false;
        }
    }
    for (int i = 0; i < frames.size(); ++i) {
        if (!keep[i])
            continue;
        connection.queued.push_back(Frame{frames.at(i), connection.reads});
        connection.queuedBytes += frames.at(i).size() + 1;
    }
}

bool SocketHelper::handleQueued(quint64 id)
{
    QElapsedTimer turn;
    turn.start();
    for (int handled = 0; handled < kFramesPerTurn && (handled == 0 || turn.elapsed() < kTurnBudgetMs); ++handled) {
        // A slot of ours may have cut the connection meanwhile.
        auto it = m_connections.find(id);
        if (it == m_connections.end())
            return false;
        // Resumed by repliesTaken() once the phone has taken its replies.
        if (repliesWaiting(it->second))
            return false;
        // Reading only into an empty queue leaves the rest to TCP.
        if (it->second.queued.empty() && !pull(id))
            return false;
        Connection &connection = it->second;
        const Frame frame = std::move(connection.queued.front());
        connection.queued.pop_front();
        connection.queuedBytes -= frame.bytes.size() + 1;
        RemoteProtocol::Request request = RemoteProtocol::decodeFrame(frame.bytes);
        if (request.kind == RemoteProtocol::Request::Kind::BoxList
            || request.kind == RemoteProtocol::Request::Kind::Command)
            connection.lastValidMs = m_clock.elapsed();
        switch (request.kind) {
        case RemoteProtocol::Request::Kind::Empty:
            break;
        case RemoteProtocol::Request::Kind::Garbage:
            noteSkipped(connection, id, request.error);
            break;
        case RemoteProtocol::Request::Kind::BoxList:
            // The rest of that read is dropped; an unfinished frame stays for the next read.
            while (!connection.queued.empty() && connection.queued.front().read == frame.read) {
                connection.queuedBytes -= connection.queued.front().bytes.size() + 1;
                connection.queued.pop_front();
            }
            writeFrame(id, m_boxListReply);
            break;
        case RemoteProtocol::Request::Kind::Command:
            request.map.insert(kConnectionKey, id);
            emit socketHelperSendData(request.map);
            break;
        }
    }
    auto it = m_connections.find(id);
    return it != m_connections.end() && !repliesWaiting(it->second)
           && (!it->second.queued.empty() || it->second.socket->bytesAvailable() > 0);
}

void SocketHelper::handleLater()
{
    std::vector<quint64> waiting;
    for (const auto &entry : m_connections)
        if (!entry.second.queued.empty() || entry.second.socket->bytesAvailable() > 0)
            waiting.push_back(entry.first);
    bool more = false;
    for (quint64 id : waiting)
        more = handleQueued(id) || more;
    if (more)
        m_nextTurn.start();
}

void SocketHelper::noteSkipped(Connection &connection, quint64 id, const QString &why)
{
    ++connection.skipped;
    if (connection.skipLog.isValid() && connection.skipLog.elapsed() < 1000)
        return;
    qWarning().noquote() << "remote frame skipped:" << why << "- connection" << id << "skipped"
                         << connection.skipped << "since the last such line";
    connection.skipped = 0;
    connection.skipLog.start();
}

quint64 SocketHelper::idOf(const QObject *socket) const
{
    return socket ? socket->property("remoteId").toULongLong() : 0;
}

void SocketHelper::writeFrame(quint64 id, const QByteArray &bytes)
{
    auto it = m_connections.find(id);
    if (it == m_connections.end())
        return;
    QTcpSocket *socket = it->second.socket;
    socket->write(bytes);
    // Replies to requests stop being made long before this (flow control);
    // only replies the phone never asked for can pile up here.
    if (socket->bytesToWrite() > kMaxUnsentBytes)
        cutOff(id, "replies not read beyond the bound");
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
