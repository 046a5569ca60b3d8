// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandChannel.h"

#include "ChannelLines.h"
#include "ChannelFolder.h"
#include "common/Logging.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QSocketNotifier>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr const char *kSocketName = "Aurivent.command";
// Bytes read from one client per turn of the event loop, so that a client
// with many lines cannot hold the program for long.
constexpr int kReadChunk = 512;
// Accepts per turn of the event loop.
constexpr int kAcceptsPerTurn = 64;
constexpr int kFirstBackOffMs = 50;
constexpr int kLongestBackOffMs = 1000;
// How long a sender tries to reach a channel whose queue is full or busy.
constexpr int kConnectTimeoutMs = 3000;

bool fillAddress(const QString &path, sockaddr_un *address)
{
    const QByteArray bytes = QFile::encodeName(path);
    memset(address, 0, sizeof(*address));
    address->sun_family = AF_UNIX;
    if (bytes.size() >= int(sizeof(address->sun_path)))
        return false;
    memcpy(address->sun_path, bytes.constData(), size_t(bytes.size()));
    return true;
}

QString errnoText()
{
    return QString::fromLocal8Bit(strerror(errno));
}

// Waits for fd to become ready for events; false on time-out.
bool waitFor(int fd, short events, const QElapsedTimer &clock, int timeoutMs)
{
    for (;;) {
        const qint64 left = timeoutMs - clock.elapsed();
        if (left <= 0)
            return false;
        pollfd p{fd, events, 0};
        const int r = poll(&p, 1, int(left));
        if (r > 0)
            return true;
        if (r == 0)
            return false;
        if (errno != EINTR)
            return false;
    }
}

// Sends the whole of bytes without blocking; false when the peer cannot take it.
bool sendAll(int fd, const QByteArray &bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.constData() + done, size_t(bytes.size() - done), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

// Sends as much of *bytes as the peer takes now and removes it from *bytes;
// false when the peer has gone.
bool sendSome(int fd, QByteArray *bytes)
{
    qsizetype done = 0;
    bool alive = true;
    while (done < bytes->size()) {
        const ssize_t n = ::send(fd, bytes->constData() + done, size_t(bytes->size() - done), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
            break;
        if (n <= 0) {
            alive = false;
            break;
        }
        done += n;
    }
    bytes->remove(0, int(done));
    return alive;
}

} // namespace

// One connected client.
class ChannelClient : public QObject {
public:
    ChannelClient(int fd, qint64 now, QObject *parent)
        : QObject(parent)
        , fd(fd)
        , lastActive(now)
        , lines(CommandChannel::kMaxLine)
        , notifier(new QSocketNotifier(fd, QSocketNotifier::Read, this))
        , writable(new QSocketNotifier(fd, QSocketNotifier::Write, this))
    {
        writable->setEnabled(false);
    }
    ~ChannelClient() override { closeSocket(); }

    void closeSocket()
    {
        if (fd < 0)
            return;
        notifier->setEnabled(false);
        writable->setEnabled(false);
        ::close(fd);
        fd = -1;
    }

    int fd;
    qint64 lastActive;
    ChannelLines lines;
    QSocketNotifier *notifier;
    QSocketNotifier *writable;
    // Answers the client has not taken yet. While there are any, nothing
    // more is read from it: a long batch is held back by the socket instead
    // of growing here, and every line still gets its answer.
    QByteArray unsent;
};

struct CommandChannel::Listener {
    CommandChannel *channel = nullptr;
    int fd = -1;
    int lockFd = -1;
    QString path;
    QSocketNotifier *notifier = nullptr;
    QTimer *backOff = nullptr;
    int backOffMs = 0;
    int refusedInBurst = 0;
    QElapsedTimer clock;
    QList<ChannelClient *> clients;

    ~Listener()
    {
        for (ChannelClient *client : qAsConst(clients))
            delete client;
        delete notifier;
        delete backOff;
        if (fd >= 0) {
            ::close(fd);
            ::unlink(QFile::encodeName(path).constData());
        }
        if (lockFd >= 0) {
            // Removed while still held: a clean end leaves nothing behind.
            ::unlink(QFile::encodeName(path + QStringLiteral(".lock")).constData());
            ::close(lockFd);
        }
    }

    void acceptClients();
    void admit(int clientFd);
    void readClient(ChannelClient *client);
    bool flush(ChannelClient *client);
    void drop(ChannelClient *client);
    void startBackOff();
};

void CommandChannel::Listener::startBackOff()
{
    const bool first = backOffMs == 0;
    backOffMs = first ? kFirstBackOffMs : qMin(2 * backOffMs, kLongestBackOffMs);
    if (first)
        qWarning().noquote() << "command channel: no file descriptor left for a new client:" << errnoText()
                             << "- accepting again in a moment";
    notifier->setEnabled(false);
    backOff->start(backOffMs);
}

void CommandChannel::Listener::acceptClients()
{
    for (int i = 0; i < kAcceptsPerTurn; ++i) {
        const int clientFd = accept4(fd, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (clientFd >= 0) {
            if (backOffMs != 0)
                qInfo() << "command channel: accepting clients again";
            backOffMs = 0;
            admit(clientFd);
            continue;
        }
        switch (errno) {
        case EINTR:
        case ECONNABORTED:
        case EPROTO:
            continue;  // that client is gone; the next may be there
        case EMFILE:
        case ENFILE:
        case ENOBUFS:
        case ENOMEM:
            startBackOff();
            return;
        default:
            return;  // EAGAIN: nobody waits
        }
    }
}

void CommandChannel::Listener::admit(int clientFd)
{
    const qint64 now = clock.elapsed();
    if (clients.size() >= kMaxConnections) {
        ChannelClient *quietest = clients.first();
        for (ChannelClient *client : qAsConst(clients))
            if (client->lastActive < quietest->lastActive)
                quietest = client;
        if (now - quietest->lastActive < kGiveWayAfterMs) {
            if (refusedInBurst++ == 0)
                qWarning() << "command channel: all" << kMaxConnections << "connections busy, refusing new clients";
            sendAll(clientFd, "error: busy\n");
            ::close(clientFd);
            return;
        }
        qCDebug(lcApp) << "command channel: a quiet client gives way";
        drop(quietest);
    }
    refusedInBurst = 0;
    auto *client = new ChannelClient(clientFd, now, channel);
    clients.append(client);
    QObject::connect(client->notifier, &QSocketNotifier::activated, client, [this, client] { readClient(client); });
    QObject::connect(client->writable, &QSocketNotifier::activated, client, [this, client] { flush(client); });
}

bool CommandChannel::Listener::flush(ChannelClient *client)
{
    if (!sendSome(client->fd, &client->unsent)) {
        qCDebug(lcApp) << "command channel: a client left before taking its answers";
        drop(client);
        return false;
    }
    const bool done = client->unsent.isEmpty();
    client->writable->setEnabled(!done);
    client->notifier->setEnabled(done);
    if (done)
        client->lastActive = clock.elapsed();
    return true;
}

void CommandChannel::Listener::drop(ChannelClient *client)
{
    clients.removeOne(client);
    client->closeSocket();
    client->deleteLater();  // it may be the one whose read is running
}

void CommandChannel::Listener::readClient(ChannelClient *client)
{
    char buffer[kReadChunk];
    ssize_t n;
    do
        n = ::recv(client->fd, buffer, sizeof(buffer), 0);
    while (n < 0 && errno == EINTR);
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK))
        return;
    if (n <= 0) {
        drop(client);
        return;
    }
    client->lastActive = clock.elapsed();
    QList<ChannelLines::Line> lines;
    client->lines.append(buffer, int(n), &lines);
    const QPointer<ChannelClient> alive(client);
    for (const ChannelLines::Line &line : qAsConst(lines)) {
        QByteArray answer;
        if (line.tooLong) {
            qWarning() << "command channel: refused a line longer than" << kMaxLine << "bytes";
            answer = "error: line too long";
        } else {
            answer = channel->answerLine(line.text);
        }
        // The answer goes out at once, before anything else can run: a
        // command that ends the program still reaches its sender.
        if (!alive || client->fd < 0)
            return;  // the client was let go while the command ran
        client->unsent += answer + '\n';
        if (!flush(client))
            return;
    }
}

CommandChannel::CommandChannel(QObject *parent)
    : QObject(parent)
{
}

CommandChannel::~CommandChannel() = default;

int CommandChannel::connectionCount() const
{
    return m_listener ? m_listener->clients.size() : 0;
}

QString CommandChannel::address()
{
    return ChannelFolder::path() + QLatin1Char('/') + QLatin1String(kSocketName);
}

bool CommandChannel::listen(QString *error)
{
    if (!ChannelFolder::prepare(error))
        return false;
    auto listener = std::make_unique<Listener>();
    listener->channel = this;
    listener->path = address();
    sockaddr_un socketAddress;
    if (!fillAddress(listener->path, &socketAddress)) {
        *error = QStringLiteral("the path %1 is too long for a local socket").arg(listener->path);
        return false;
    }

    // Only one instance may remove and re-create the socket: the one that
    // holds the lock, for as long as it runs.
    // The one that ends removes the file: a lock taken on a file that was
    // removed meanwhile guards nothing, so it is taken again on the new one.
    const QByteArray lockPath = QFile::encodeName(listener->path + QStringLiteral(".lock"));
    for (int attempt = 0;; ++attempt) {
        listener->lockFd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (listener->lockFd < 0) {
            *error = QStringLiteral("cannot open %1: %2").arg(QFile::decodeName(lockPath), errnoText());
            return false;
        }
        if (flock(listener->lockFd, LOCK_EX | LOCK_NB) != 0) {
            ::close(listener->lockFd);
            listener->lockFd = -1;
            *error = QStringLiteral("another Aurivent already listens at %1").arg(listener->path);
            return false;
        }
        struct stat held;
        struct stat named;
        if (::fstat(listener->lockFd, &held) == 0 && ::stat(lockPath.constData(), &named) == 0
            && held.st_dev == named.st_dev && held.st_ino == named.st_ino)
            break;
        ::close(listener->lockFd);
        listener->lockFd = -1;
        if (attempt == 10) {
            *error = QStringLiteral("cannot take the lock %1: it keeps being replaced").arg(QFile::decodeName(lockPath));
            return false;
        }
    }

    listener->fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (listener->fd < 0) {
        *error = QStringLiteral("cannot create a local socket: %1").arg(errnoText());
        return false;
    }
    // A socket left behind by a program that died is in the way.
    ::unlink(socketAddress.sun_path);
    if (::bind(listener->fd, reinterpret_cast<const sockaddr *>(&socketAddress), sizeof(socketAddress)) != 0
        || ::chmod(socketAddress.sun_path, 0600) != 0 || ::listen(listener->fd, SOMAXCONN) != 0) {
        *error = QStringLiteral("cannot listen at %1: %2").arg(listener->path, errnoText());
        ::close(listener->fd);
        listener->fd = -1;
        return false;
    }
    listener->clock.start();
    listener->notifier = new QSocketNotifier(listener->fd, QSocketNotifier::Read);
    listener->backOff = new QTimer;
    listener->backOff->setSingleShot(true);
    Listener *l = listener.get();
    connect(listener->notifier, &QSocketNotifier::activated, this, [l] { l->acceptClients(); });
    connect(listener->backOff, &QTimer::timeout, this, [l] {
        l->notifier->setEnabled(true);
        l->acceptClients();
    });
    m_listener = std::move(listener);
    return true;
}

CommandChannel::SendResult CommandChannel::send(int id, int wParam, int lParam, QString *error, int timeoutMs)
{
    const QString path = address();
    QString reason;
    if (!ChannelFolder::check(&reason)) {
        *error = QStringLiteral("no running Aurivent answers at %1 (%2)").arg(path, reason);
        return SendResult::NoInstance;
    }
    sockaddr_un socketAddress;
    if (!fillAddress(path, &socketAddress)) {
        *error = QStringLiteral("the path %1 is too long for a local socket").arg(path);
        return SendResult::NoInstance;
    }
    const QByteArray line = formatLine(id, wParam, lParam) + '\n';
    QElapsedTimer clock;
    clock.start();
    for (;;) {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        if (fd < 0) {
            *error = QStringLiteral("cannot create a local socket: %1").arg(errnoText());
            return SendResult::NoInstance;
        }
        bool retry = false;
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&socketAddress), sizeof(socketAddress)) != 0) {
            const int failure = errno;
            ::close(fd);
            // A full queue means an instance that is busy, not a missing one.
            if (failure == EAGAIN || failure == EINTR) {
                retry = true;
            } else {
                errno = failure;
                *error = QStringLiteral("no running Aurivent answers at %1 (%2)").arg(path, errnoText());
                return SendResult::NoInstance;
            }
        } else {
            QByteArray answer;
            const bool sent = sendAll(fd, line);
            while (sent && !answer.contains('\n') && waitFor(fd, POLLIN, clock, timeoutMs)) {
                char buffer[256];
                const ssize_t n = ::recv(fd, buffer, sizeof(buffer), 0);
                if (n < 0 && (errno == EINTR || errno == EAGAIN))
                    continue;
                if (n <= 0)
                    break;
                answer.append(buffer, int(n));
            }
            ::close(fd);
            answer = answer.left(answer.indexOf('\n')).trimmed();
            if (answer == "handled")
                return SendResult::Handled;
            if (answer == "not handled")
                return SendResult::NotHandled;
            if (answer != "error: busy") {
                *error = answer.isEmpty()
                             ? QStringLiteral("the running Aurivent did not answer within %1 ms").arg(timeoutMs)
                             : QStringLiteral("the running Aurivent refused the message: %1").arg(QString::fromUtf8(answer));
                return SendResult::NoAnswer;
            }
            retry = true;
        }
        if (retry && clock.elapsed() >= qMin(timeoutMs, kConnectTimeoutMs)) {
            *error = QStringLiteral("the running Aurivent is busy and took no message within %1 ms")
                         .arg(clock.elapsed());
            return SendResult::NoAnswer;
        }
        // Waits a moment before the next try, without a busy loop.
        poll(nullptr, 0, 20);
    }
}
