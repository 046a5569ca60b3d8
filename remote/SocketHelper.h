#pragma once

#include "RemoteProtocol.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <map>

class QTcpServer;
class QTcpSocket;

// The phone's TCP server. Greets each connection, turns each frame into a
// QVariantMap and emits it; answers the box-list request (command 10) itself.
// Every emitted map carries the asking connection under kConnectionKey so
// that its reply goes back to that phone.
class SocketHelper : public QObject {
    Q_OBJECT

public:
    static constexpr quint16 kDefaultPort = 5489;
    // Limits that keep one bad phone from hurting the program or the others.
    static constexpr int kMaxConnections = 8;
    static constexpr int kMaxPendingBytes = 64 * 1024;  // unfinished frame per connection
    static constexpr int kMaxGarbageInRow = 8;          // undecodable frames in a row
    static constexpr int kMaxFramesPerSecond = 100;
    static const QString kConnectionKey;

    // Listens on every address; a port already taken is logged and the
    // program runs on without remote control. Port 0 picks a free one.
    explicit SocketHelper(QObject *parent = nullptr, quint16 port = kDefaultPort);
    ~SocketHelper() override;

    bool isListening() const;
    quint16 serverPort() const;
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
    struct Connection {
        QTcpSocket *socket = nullptr;
        RemoteProtocol::FrameReader reader{kMaxPendingBytes};
        int garbageInRow = 0;
        int framesInWindow = 0;
        QElapsedTimer window;
    };

    quint64 idOf(const QObject *socket) const;
    void writeFrame(quint64 id, const QString &text);
    bool countFrame(Connection &connection);
    void cutOff(quint64 id, const char *reason);

    QTcpServer *m_server = nullptr;
    std::map<quint64, Connection> m_connections;  // by id; the highest id is the last accepted
    quint64 m_nextId = 1;
    QString m_password = QStringLiteral("9462");
    bool m_passwordEnabled = false;
    QByteArray m_boxListReply;
};
