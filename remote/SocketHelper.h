// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "RemoteAccess.h"
#include "RemoteProtocol.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QVariantMap>

#include <deque>
#include <map>
#include <vector>

class QTcpServer;
class QTcpSocket;

// The phone's TCP server. Greets each connection, turns each frame into a
// QVariantMap and emits it; answers the box-list request (command 10) itself.
// Every emitted map carries the asking connection under kConnectionKey so
// that its reply goes back to that phone.
//
// Bounded against a hostile network: at most kMaxConnections at once,
// keep-alive removes dead peers, each connection gets at most kFramesPerTurn
// frames handled per event-loop turn (the rest waits for the next turn), and
// consecutive music-level frames of one read collapse into the newest.
//
// Flow control instead of cut-offs: while a connection's replies wait for
// the phone to take them (more than kPauseRepliesAbove bytes), its further
// requests are neither read nor handled, so TCP holds the phone back and a
// phone that pipelines many requests and reads gets every reply. Only a
// single unfinished frame beyond kMaxUnreadBytes, or replies the phone did not
// ask for piling up beyond kMaxUnsentBytes, cut a connection off.
//
// Who gives way to a new connection: a source address may hold at most
// kMaxSilentPerAddress connections that have not sent a valid frame (its
// oldest such one goes first). When all kMaxConnections are taken, the one
// to go is, in this order, the idlest that never sent a valid frame, the
// idlest that has not sent one for kRecentMs, and only then the idlest of
// the phones in use.
class SocketHelper : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 5489;
    static constexpr int kMaxConnections = 32;
    static constexpr int kMaxSilentPerAddress = 4;
    static constexpr qint64 kRecentMs = 5 * 60 * 1000;
    static constexpr int kMaxUnreadBytes = 64 * 1024;      // one unfinished frame
    static constexpr int kPauseRepliesAbove = 64 * 1024;   // replies not yet taken: stop handling
    static constexpr int kMaxUnsentBytes = 256 * 1024;     // replies not yet taken: cut off
    // Per connection and event-loop turn: at most this many frames, and no
    // new one once this much time went by (a command that touches the shown
    // box can take a good part of it).
    static constexpr int kFramesPerTurn = 32;
    static constexpr int kTurnBudgetMs = 20;
    static const QString kConnectionKey;

    // Listens as `access` says; a port already taken is logged and the
    // program runs on without remote control. Port 0 picks a free one.
    explicit SocketHelper(QObject *parent = nullptr, quint16 port = kDefaultPort,
                          RemoteAccess access = kDefaultRemoteAccess);
    ~SocketHelper() override;

    // Takes effect at once: listening sockets are replaced, connections the
    // new choice does not allow are closed.
    void setAccess(RemoteAccess access);
    RemoteAccess access() const { return m_access; }

    bool isListening() const;
    quint16 serverPort() const;
    QList<QHostAddress> listeningAddresses() const;
    int clientCount() const { return static_cast<int>(m_connections.size()); }

    // The greeting of every later connection uses the current values.
    void setPassword(const QString &password) { m_password = password; }
    void setPasswordEnabled(bool enabled) { m_passwordEnabled = enabled; }
    // Prepares the answer to command 10 from the 16-character connection map.
    void setBoxListReply(const QString &connectionMap);

    // To the connection accepted last (nothing when none is open).
    void sendResponse(const QString &text);
    // To the connection that sent `request`; dropped when it has gone.
    void sendResponse(const QString &text, const QVariantMap &request);

    // The connection id a request map carries (0 when none).
    static quint64 connectionOf(const QVariantMap &request);

signals:
    void socketHelperSendData(const QVariantMap &data);

public slots:
    void newConnection();
    void disconnected();
    void readyRead();

private:
    struct Frame {
        QByteArray bytes;  // without its "&"
        quint64 read = 0;  // which read it completed in
    };
    struct Connection {
        QTcpSocket *socket = nullptr;
        RemoteProtocol::FrameReader reader{kMaxUnreadBytes};
        std::deque<Frame> queued;  // complete frames waiting for their turn
        int queuedBytes = 0;
        quint64 reads = 0;
        quint64 lastActive = 0;    // tick of the last data received (or the accept)
        qint64 lastValidMs = -1;   // m_clock time of the last valid frame; -1: none yet
        QHostAddress peer;
        QElapsedTimer skipLog;     // one log line per second for skipped frames
        int skipped = 0;
    };

    void openServers();
    void closeServers();
    bool allowedPeer(const QHostAddress &peer) const;
    void accept(QTcpSocket *socket);
    void makeRoomFor(const QHostAddress &peer);
    int evictionRank(const Connection &connection) const;
    bool pull(quint64 id);
    bool repliesWaiting(const Connection &connection) const;
    void queueFrames(Connection &connection, const QList<QByteArray> &frames);
    bool handleQueued(quint64 id);
    void repliesTaken();
    void handleLater();
    void noteSkipped(Connection &connection, quint64 id, const QString &why);
    quint64 idOf(const QObject *socket) const;
    void writeFrame(quint64 id, const QByteArray &bytes);
    void cutOff(quint64 id, const char *reason);

    std::vector<QTcpServer *> m_servers;
    RemoteAccess m_access;
    quint16 m_port;
    std::map<quint64, Connection> m_connections;  // by id; the highest id is the last accepted
    quint64 m_nextId = 1;
    quint64 m_tick = 0;
    QElapsedTimer m_clock;
    QTimer m_nextTurn;
    QString m_password = QStringLiteral("9462");
    bool m_passwordEnabled = false;
    QByteArray m_boxListReply;
};
