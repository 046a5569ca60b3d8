// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the system says about this process's TCP sockets (Linux): the
// addresses that listen on a port, and the keep-alive settings of the
// connections the server accepted.

#include <QDir>
#include <QFile>
#include <QSet>
#include <QString>
#include <QStringList>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

namespace SocketProbe {

// Local addresses in LISTEN state on `port`, as /proc/net/tcp{,6} write them:
// "0100007F" (127.0.0.1), "00000000" (any IPv4), 32 zeros (any IPv6),
// "00000000000000000000000001000000" (::1).
inline QSet<QString> listeningOn(quint16 port)
{
    QSet<QString> out;
    for (const char *table : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        QFile file(QString::fromLatin1(table));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QList<QByteArray> lines = file.readAll().split('\n');
        for (int i = 1; i < lines.size(); ++i) {
            const QList<QByteArray> fields = lines.at(i).simplified().split(' ');
            if (fields.size() < 4 || fields.at(3) != "0A")
                continue;
            const QList<QByteArray> local = fields.at(1).split(':');
            if (local.size() == 2 && local.at(1).toUInt(nullptr, 16) == port)
                out.insert(QString::fromLatin1(local.at(0)));
        }
    }
    return out;
}

struct KeepAliveState {
    int connections = 0;  // accepted sockets found
    int withKeepAlive = 0;
    int idleSeconds = -1;  // of the last one found
};

// Accepted (non-listening) sockets of this process whose local port is `port`.
inline KeepAliveState acceptedKeepAlive(quint16 port)
{
    KeepAliveState state;
    const QStringList fds = QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::NoDotAndDotDot | QDir::System);
    for (const QString &name : fds) {
        const int fd = name.toInt();
        sockaddr_storage address{};
        socklen_t length = sizeof address;
        if (getsockname(fd, reinterpret_cast<sockaddr *>(&address), &length) != 0)
            continue;
        quint16 local = 0;
        if (address.ss_family == AF_INET)
            local = ntohs(reinterpret_cast<sockaddr_in *>(&address)->sin_port);
        else if (address.ss_family == AF_INET6)
            local = ntohs(reinterpret_cast<sockaddr_in6 *>(&address)->sin6_port);
        else
            continue;
        int listening = 0;
        socklen_t size = sizeof listening;
        if (local != port || getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) != 0 || listening)
            continue;
        ++state.connections;
        int on = 0;
        size = sizeof on;
        if (getsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, &size) == 0 && on)
            ++state.withKeepAlive;
        size = sizeof state.idleSeconds;
        getsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &state.idleSeconds, &size);
    }
    return state;
}

// A client that never reads: a plain socket with a tiny receive buffer, so
// that the server's replies back up quickly. Returns -1 on failure.
inline int neverReadingClient(quint16 port)
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0)
        return -1;
    const int small = 4096;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // The system completes the handshake before the server accepts.
    if (::connect(fd, reinterpret_cast<sockaddr *>(&to), sizeof to) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace SocketProbe
