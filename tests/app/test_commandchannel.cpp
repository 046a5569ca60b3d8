// SPDX-License-Identifier: GPL-3.0-or-later
// The command channel as other programs meet it: strict lines, a bounded
// number of clients, no end when descriptors run out, answers that arrive
// even when the command ends the program, and a folder nobody else controls.

#include "channel/ChannelLines.h"
#include "channel/CommandChannel.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <cerrno>
#include <cstring>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

sockaddr_un channelAddress()
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = QFile::encodeName(CommandChannel::address());
    memcpy(address.sun_path, path.constData(), size_t(qMin(path.size(), int(sizeof(address.sun_path)) - 1)));
    return address;
}

// A client socket that may be connected later; -1 when none could be made.
int newClientSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
}

bool connectClient(int fd)
{
    const sockaddr_un address = channelAddress();
    return ::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof(address)) == 0;
}

int connectedClient()
{
    const int fd = newClientSocket();
    if (fd >= 0 && !connectClient(fd)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void writeAll(int fd, const QByteArray &bytes)
{
    QCOMPARE(::send(fd, bytes.constData(), size_t(bytes.size()), MSG_NOSIGNAL), ssize_t(bytes.size()));
}

// What the channel sends to fd until `lines` lines came or the stream ended,
// while the event loop runs (the channel lives in this thread).
QByteArray answers(int fd, int lines, bool *ended = nullptr)
{
    QByteArray got;
    QDeadlineTimer deadline(20000);
    while (got.count('\n') < lines && !deadline.hasExpired()) {
        char buffer[256];
        const ssize_t n = ::recv(fd, buffer, sizeof(buffer), MSG_DONTWAIT);
        if (n > 0) {
            got.append(buffer, int(n));
            continue;
        }
        if (n == 0) {
            if (ended)
                *ended = true;
            break;
        }
        QTest::qWait(5);
    }
    return got;
}

// Collects the warnings logged while it lives.
class Warnings {
public:
    Warnings() { s_current = this; m_previous = qInstallMessageHandler(&Warnings::handle); }
    ~Warnings() { qInstallMessageHandler(m_previous); s_current = nullptr; }
    bool contains(const QString &part) const
    {
        for (const QString &line : lines)
            if (line.contains(part))
                return true;
        return false;
    }
    QStringList lines;

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtWarningMsg && s_current)
            s_current->lines << text;
    }
    static inline Warnings *s_current = nullptr;
    QtMessageHandler m_previous;
};

using Call = std::array<int, 3>;

} // namespace

class TestCommandChannel : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<CommandChannel> channel;
    QList<Call> calls;

    void startChannel()
    {
        channel = std::make_unique<CommandChannel>();
        channel->setHandler([this](int id, int w, int l) {
            calls << Call{id, w, l};
            return id != 0x8114;
        });
        QString error;
        QVERIFY2(channel->listen(&error), qPrintable(error));
    }

private slots:
    void init() { calls.clear(); }
    void cleanup() { channel.reset(); }

    void numbersAreStrict()
    {
        int v = 0;
        QVERIFY(CommandChannel::parseNumber(QStringLiteral("0x8101"), &v));
        QCOMPARE(v, 0x8101);
        QVERIFY(CommandChannel::parseNumber(QStringLiteral("0X1f"), &v));
        QCOMPARE(v, 31);
        QVERIFY(CommandChannel::parseNumber(QStringLiteral("33025"), &v));
        QCOMPARE(v, 0x8101);
        QVERIFY(CommandChannel::parseNumber(QStringLiteral("010"), &v));  // decimal, not octal
        QCOMPARE(v, 10);
        QVERIFY(CommandChannel::parseNumber(QStringLiteral("4294967295"), &v));
        QCOMPARE(v, -1);
        QVERIFY(CommandChannel::parseNumber(QStringLiteral("0x00000000FFFFFFFF"), &v));
        QCOMPARE(v, -1);
        const QStringList refused{
            QStringLiteral("+0x8101"), QStringLiteral("-1"), QStringLiteral("+1"), QStringLiteral("0x"),
            QString(), QStringLiteral("0x1FFFFFFFF"), QStringLiteral("4294967296"), QStringLiteral("12a"),
            QString::fromLatin1("0x8101\0", 7), QStringLiteral(" 1"), QStringLiteral("1 "), QString::fromUtf8("\xef\xbc\x91"),
            QStringLiteral("0x-1"), QStringLiteral("1e3"), QStringLiteral("0b1")};
        for (const QString &text : refused) {
            v = 12345;
            QVERIFY2(!CommandChannel::parseNumber(text, &v), qPrintable(text));
            QCOMPARE(v, 12345);
        }

        int id = 0, w = 0, l = 0;
        QVERIFY(CommandChannel::parseLine(QStringLiteral("\t0x8118  255 4\r"), &id, &w, &l));
        QCOMPARE(Call({id, w, l}), Call({0x8118, 255, 4}));
        QVERIFY(!CommandChannel::parseLine(QString::fromLatin1("0x8101\0 1", 9), &id, &w, &l));
        QVERIFY(!CommandChannel::parseLine(QStringLiteral("0x8101,1"), &id, &w, &l));
        QVERIFY(!CommandChannel::parseLine(QStringLiteral("   "), &id, &w, &l));
        QVERIFY(!CommandChannel::parseLine(QStringLiteral("1 2 3 4"), &id, &w, &l));

        // What a sender writes is what the receiver reads, for every word.
        QCOMPARE(CommandChannel::formatLine(0x8107, -1, 0x7fffffff), QByteArray("0x8107 4294967295 2147483647"));
        QVERIFY(CommandChannel::parseLine(QString::fromLatin1(CommandChannel::formatLine(0x8107, -1, INT_MIN)), &id, &w, &l));
        QCOMPARE(Call({id, w, l}), Call({0x8107, -1, INT_MIN}));
    }

    void linesAreCutWhole()
    {
        auto feed = [](ChannelLines &reader, const QByteArray &bytes, int chunk) {
            QList<ChannelLines::Line> lines;
            for (int i = 0; i < bytes.size(); i += chunk) {
                reader.append(bytes.constData() + i, qMin(chunk, int(bytes.size()) - i), &lines);
                if (reader.pendingSize() > CommandChannel::kMaxLine)
                    return QList<ChannelLines::Line>();
            }
            return lines;
        };
        const QByteArray longest(CommandChannel::kMaxLine, '1');
        const QByteArray tooLong = QByteArray(CommandChannel::kMaxLine + 1, ' ') + "0x8101 0";
        for (int chunk : {1, 7, 64, 1000}) {
            ChannelLines reader(CommandChannel::kMaxLine);
            const auto lines = feed(reader, "0x8101 1\n" + longest + "\n" + tooLong + "\n\n0x2333\npartial", chunk);
            QCOMPARE(lines.size(), 5);
            QCOMPARE(lines.at(0).text, QByteArray("0x8101 1"));
            QCOMPARE(lines.at(1).text, longest);
            QVERIFY(!lines.at(1).tooLong);
            QVERIFY(lines.at(2).tooLong);
            QCOMPARE(lines.at(2).text, QByteArray());
            QCOMPARE(lines.at(3).text, QByteArray());
            QCOMPARE(lines.at(4).text, QByteArray("0x2333"));
            QCOMPARE(reader.pendingSize(), 7);
        }
    }

    void longLineIsRefusedWhole()
    {
        startChannel();
        // Cut after 129 bytes, the rest of this line would read "0x8101 0".
        const QByteArray line = QByteArray(129, 'x') + QByteArray(63, ' ') + "0x8101 0";
        QCOMPARE(line.size(), 200);
        const int fd = connectedClient();
        QVERIFY(fd >= 0);
        Warnings warnings;
        writeAll(fd, line + "\n0x2333\n");
        QCOMPARE(answers(fd, 2), QByteArray("error: line too long\nhandled\n"));
        QCOMPARE(calls, QList<Call>({Call{0x2333, 0, 0}}));
        QVERIFY(warnings.contains(QStringLiteral("longer than 128")));
        writeAll(fd, "+0x8101 1\n0x8114\n");
        QCOMPARE(answers(fd, 2), QByteArray("error: expected ID [WPARAM [LPARAM]]\nnot handled\n"));
        ::close(fd);
    }

    void aLongBatchIsAnsweredWhole()
    {
        startChannel();
        const int fd = connectedClient();
        QVERIFY(fd >= 0);
        // Written whole before a single answer is read: far more answers
        // than the socket holds for a client that is not reading yet.
        constexpr int kLines = 5000;
        QByteArray batch;
        for (int i = 0; i < kLines; ++i)
            batch += "0x2333 " + QByteArray::number(i) + "\n";
        writeAll(fd, batch);
        bool ended = false;
        const QByteArray got = answers(fd, kLines, &ended);
        QVERIFY2(!ended, "the channel closed a client in the middle of its batch");
        QCOMPARE(got.count("handled\n"), kLines);
        QCOMPARE(got.size(), kLines * 8);
        QCOMPARE(calls.size(), kLines);
        for (int i = 0; i < kLines; ++i)
            QCOMPARE(calls.at(i), (Call{0x2333, i, 0}));
        // The client is still served afterwards.
        writeAll(fd, "0x8114\n");
        QCOMPARE(answers(fd, 1), QByteArray("not handled\n"));
        ::close(fd);
    }

    void connectionsAreBounded()
    {
        startChannel();
        const int extra = 8;
        QList<int> clients;
        for (int i = 0; i < CommandChannel::kMaxConnections + extra; ++i) {
            const int fd = connectedClient();
            QVERIFY(fd >= 0);
            clients << fd;
        }
        // The newest ones are refused while the others are fresh.
        int refused = 0;
        for (int i = CommandChannel::kMaxConnections; i < clients.size(); ++i) {
            bool ended = false;
            const QByteArray got = answers(clients.at(i), 1, &ended);
            QCOMPARE(got, QByteArray("error: busy\n"));
            refused += 1;
        }
        QCOMPARE(refused, extra);
        QCOMPARE(channel->connectionCount(), CommandChannel::kMaxConnections);
        QVERIFY(QFileInfo::exists(CommandChannel::address()));

        // Clients that stay quiet give way: a new one is served in time.
        QTRY_VERIFY_WITH_TIMEOUT(([] {
                                     const int fd = connectedClient();
                                     if (fd < 0)
                                         return false;
                                     ::send(fd, "0x2333\n", 7, MSG_NOSIGNAL);
                                     const bool served = answers(fd, 1) == "handled\n";
                                     ::close(fd);
                                     return served;
                                 }()),
                                 20000);
        QVERIFY(channel->connectionCount() <= CommandChannel::kMaxConnections);
        for (int fd : clients)
            ::close(fd);
        QTRY_COMPARE_WITH_TIMEOUT(channel->connectionCount(), 0, 20000);
    }

    void runningOutOfDescriptorsOnlyPauses()
    {
        startChannel();
        const int client = newClientSocket();
        QVERIFY(client >= 0);
        rlimit old{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &old), 0);
        rlimit low = old;
        low.rlim_cur = qMin<rlim_t>(old.rlim_cur, 512);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &low), 0);
        QList<int> filler;
        for (;;) {
            const int fd = ::dup(client);
            if (fd < 0)
                break;
            filler << fd;
        }
        QCOMPARE(errno, EMFILE);
        Warnings warnings;
        const bool connected = connectClient(client);
        if (connected)
            QTRY_VERIFY_WITH_TIMEOUT(warnings.contains(QStringLiteral("no file descriptor left")), 20000);
        const bool stillThere = QFileInfo::exists(CommandChannel::address());
        for (int fd : filler)
            ::close(fd);
        setrlimit(RLIMIT_NOFILE, &old);
        QVERIFY(connected);
        QVERIFY(stillThere);

        // With descriptors again the waiting client is served.
        writeAll(client, "0x2333 1 2\n");
        QCOMPARE(answers(client, 1), QByteArray("handled\n"));
        QCOMPARE(calls, QList<Call>({Call{0x2333, 1, 2}}));
        ::close(client);
    }

    void answerArrivesBeforeTheProgramLeaves()
    {
        startChannel();
        QEventLoop program;
        channel->setHandler([&program](int id, int, int) {
            program.quit();  // what 0x8105 does
            return id == 0x8105;
        });
        const int fd = connectedClient();
        QVERIFY(fd >= 0);
        writeAll(fd, "0x8105 1\n");
        QTimer::singleShot(20000, &program, &QEventLoop::quit);
        program.exec();
        channel.reset();  // nothing runs any more after the loop has ended
        QCOMPARE(answers(fd, 1), QByteArray("handled\n"));
        ::close(fd);
    }

    void aBusyInstanceIsStillAnInstance()
    {
        startChannel();
        // The channel's thread is this one, busy in send(): it cannot answer.
        QString error;
        QCOMPARE(CommandChannel::send(0x8101, 1, 1, &error, 300), CommandChannel::SendResult::NoAnswer);
        QVERIFY2(error.contains(QStringLiteral("did not answer")), qPrintable(error));
        // Another instance does not take the channel over meanwhile.
        CommandChannel second;
        QVERIFY(!second.listen(&error));
        QVERIFY2(error.contains(QStringLiteral("already listens")), qPrintable(error));
        const int fd = connectedClient();
        QVERIFY(fd >= 0);
        writeAll(fd, "0x2333\n");
        QCOMPARE(answers(fd, 1), QByteArray("handled\n"));
        ::close(fd);

        channel.reset();
        QVERIFY(!QFileInfo::exists(CommandChannel::address()));
        // A clean end leaves no lock file either.
        QVERIFY(!QFileInfo::exists(CommandChannel::address() + QStringLiteral(".lock")));
        QCOMPARE(CommandChannel::send(0x8101, 1, 1, &error, 300), CommandChannel::SendResult::NoInstance);
        // A socket left behind by a program that died is no instance either.
        const int stale = ::socket(AF_UNIX, SOCK_STREAM, 0);
        const sockaddr_un address = channelAddress();
        QCOMPARE(::bind(stale, reinterpret_cast<const sockaddr *>(&address), sizeof(address)), 0);
        ::close(stale);
        QCOMPARE(CommandChannel::send(0x8101, 1, 1, &error, 300), CommandChannel::SendResult::NoInstance);
        startChannel();  // and is replaced by the next start
    }

    void privateFolderWithoutRuntimeDirectory()
    {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        const QByteArray tmp = qgetenv("TMPDIR");
        QTemporaryDir scratch;
        QVERIFY(scratch.isValid());
        qunsetenv("XDG_RUNTIME_DIR");
        qputenv("TMPDIR", QFile::encodeName(scratch.path()));
        auto restore = qScopeGuard([&] {
            channel.reset();
            qputenv("XDG_RUNTIME_DIR", runtime);
            if (tmp.isNull())
                qunsetenv("TMPDIR");
            else
                qputenv("TMPDIR", tmp);
        });

        const QString folder = scratch.path() + QStringLiteral("/Aurivent-%1").arg(getuid());
        QCOMPARE(CommandChannel::address(), folder + QStringLiteral("/Aurivent.command"));
        startChannel();
        struct stat info;
        QCOMPARE(lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(int(info.st_mode & 0777), 0700);
        QCOMPARE(info.st_uid, getuid());
        QString error;
        QCOMPARE(CommandChannel::send(0x2333, 0, 0, &error, 200), CommandChannel::SendResult::NoAnswer);
        channel.reset();

        // A folder others may write into is not used, by either side.
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                                  | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
        CommandChannel open;
        QVERIFY(!open.listen(&error));
        QVERIFY2(error.contains(QStringLiteral("open to other users")), qPrintable(error));
        QCOMPARE(CommandChannel::send(0x2333, 0, 0, &error, 200), CommandChannel::SendResult::NoInstance);
        QVERIFY2(error.contains(QStringLiteral("open to other users")), qPrintable(error));

        // Nor a link to somewhere else.
        QVERIFY(QDir(folder).removeRecursively());
        QVERIFY(QDir().mkpath(scratch.path() + QStringLiteral("/elsewhere")));
        QVERIFY(QFile::link(scratch.path() + QStringLiteral("/elsewhere"), folder));
        CommandChannel linked;
        QVERIFY(!linked.listen(&error));
        QVERIFY2(error.contains(QStringLiteral("not a folder")), qPrintable(error));
        QVERIFY(QFile::remove(folder));

        // Nor one that belongs to another user.
        if (geteuid() != 0)
            QSKIP("only root can give a folder to another user");
        QCOMPARE(mkdir(QFile::encodeName(folder).constData(), 0700), 0);
        QCOMPARE(chown(QFile::encodeName(folder).constData(), 65534, 65534), 0);
        CommandChannel foreign;
        QVERIFY(!foreign.listen(&error));
        QVERIFY2(error.contains(QStringLiteral("belongs to another user")), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestCommandChannel)
#include "test_commandchannel.moc"
