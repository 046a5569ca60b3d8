// SPDX-License-Identifier: GPL-3.0-or-later
#include "FanGuardian.h"

#include <cerrno>
#include <cstddef>
#include <csignal>
#include <cstring>
#include <pthread.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace FanGuardian {

namespace {

constexpr int kMaxEntries = CrashSafety::kMaxPrepared;
constexpr char kTable = 'T';
constexpr char kGoodbye = 'G';

// One prepared report and which of the message's descriptors it goes to.
struct Entry {
    uint8_t slot;
    uint8_t report[kReportSize];
};

// What crosses the socket: a whole table at once, its descriptors beside it
// (SCM_RIGHTS), so the guardian owns copies that no reuse of a number in
// the program can redirect.
struct Message {
    char kind;
    uint8_t count;
    uint8_t descriptors;
    Entry entries[kMaxEntries];
};

constexpr size_t kHeaderSize = offsetof(Message, entries);

int g_socket = -1; // the program's end; GUI thread only
std::vector<CrashSafety::Prepared> g_sent;

bool sameTable(const std::vector<CrashSafety::Prepared> &a, const std::vector<CrashSafety::Prepared> &b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].descriptor != b[i].descriptor || a[i].report != b[i].report)
            return false;
    return true;
}

void closeAllBut(int keep)
{
    // No /proc walk (it allocates): close_range where the kernel has it, else one by one.
    const unsigned int high = ~0U;
    bool done = keep > 3 ? syscall(SYS_close_range, 3U, unsigned(keep - 1), 0U) == 0 : true;
    done = done && syscall(SYS_close_range, unsigned(keep + 1), high, 0U) == 0;
    if (!done) {
        for (int fd = 3; fd < 65536; ++fd)
            if (fd != keep)
                ::close(fd);
    }
}

// The guardian itself: only async-signal-safe calls and static storage, as
// it may be forked from a program that has threads.
[[noreturn]] void guard(int socket)
{
    // Every signal is blocked since the fork: none of the program's handlers
    // (its crash handler, its quit handler) may run here. Defaults first,
    // then the ignored ones, then the mask is lifted.
    struct sigaction standard = {};
    standard.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        sigaction(signal, &standard, nullptr); // SIGKILL, SIGSTOP and the like refuse: fine
    struct sigaction ignore = {};
    ignore.sa_handler = SIG_IGN;
    // A terminal's Ctrl+C or a service stop reaches the whole group: the
    // program ends in order and says goodbye; the guardian waits for that.
    for (int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGPIPE, SIGUSR1, SIGUSR2})
        sigaction(signal, &ignore, nullptr);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    prctl(PR_SET_NAME, "aurivent-guard", 0, 0, 0);
    closeAllBut(socket);

    static Message table;
    static int held[kMaxEntries];
    static int heldCount = 0;
    table.count = 0;
    for (;;) {
        static Message message;
        alignas(struct cmsghdr) static char control[CMSG_SPACE(sizeof(int) * kMaxEntries)];
        struct iovec io = {&message, sizeof message};
        struct msghdr header = {};
        header.msg_iov = &io;
        header.msg_iovlen = 1;
        header.msg_control = control;
        header.msg_controllen = sizeof control;
        const ssize_t n = recvmsg(socket, &header, MSG_CMSG_CLOEXEC);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the program is gone without a goodbye
        int received[kMaxEntries];
        int receivedCount = 0;
        for (struct cmsghdr *c = CMSG_FIRSTHDR(&header); c; c = CMSG_NXTHDR(&header, c)) {
            if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_RIGHTS)
                continue;
            const int count = int((c->cmsg_len - CMSG_LEN(0)) / sizeof(int));
            for (int i = 0; i < count; ++i) {
                int fd;
                std::memcpy(&fd, CMSG_DATA(c) + i * sizeof(int), sizeof fd);
                if (receivedCount < kMaxEntries)
                    received[receivedCount++] = fd;
                else
                    ::close(fd);
            }
        }
        bool valid = size_t(n) >= kHeaderSize && message.kind == kTable && message.count <= kMaxEntries
                     && size_t(n) == kHeaderSize + message.count * sizeof(Entry) && message.descriptors == receivedCount;
        for (int i = 0; valid && i < message.count; ++i)
            valid = message.entries[i].slot < receivedCount;
        if (n >= 1 && message.kind == kGoodbye)
            _exit(0); // the orderly end has sent the caps itself
        if (!valid) {
            for (int i = 0; i < receivedCount; ++i)
                ::close(received[i]);
            continue;
        }
        // The new table replaces the old one whole; descriptors of boxes
        // that went away are closed and never written.
        for (int i = 0; i < heldCount; ++i)
            ::close(held[i]);
        std::memcpy(&table, &message, size_t(n));
        std::memcpy(held, received, sizeof(int) * size_t(receivedCount));
        heldCount = receivedCount;
    }
    for (int i = 0; i < table.count; ++i) {
        const ssize_t written = ::write(held[table.entries[i].slot], table.entries[i].report, kReportSize);
        (void)written;
    }
    _exit(0);
}

bool sendMessage(const Message &message, size_t size, const int *descriptors, int count)
{
    alignas(struct cmsghdr) char control[CMSG_SPACE(sizeof(int) * kMaxEntries)] = {};
    struct iovec io = {const_cast<Message *>(&message), size};
    struct msghdr header = {};
    header.msg_iov = &io;
    header.msg_iovlen = 1;
    if (count > 0) {
        header.msg_control = control;
        header.msg_controllen = CMSG_SPACE(sizeof(int) * size_t(count));
        struct cmsghdr *c = CMSG_FIRSTHDR(&header);
        c->cmsg_level = SOL_SOCKET;
        c->cmsg_type = SCM_RIGHTS;
        c->cmsg_len = CMSG_LEN(sizeof(int) * size_t(count));
        std::memcpy(CMSG_DATA(c), descriptors, sizeof(int) * size_t(count));
    }
    ssize_t sent;
    do
        sent = sendmsg(g_socket, &header, MSG_NOSIGNAL | MSG_DONTWAIT);
    while (sent < 0 && errno == EINTR);
    return sent == ssize_t(size);
}

} // namespace

bool start()
{
    if (g_socket >= 0)
        return true;
    int pair[2];
    if (socketpair(AF_UNIX, SOCK_SEQPACKET | SOCK_CLOEXEC, 0, pair) != 0)
        return false;
    // A signal between the fork and the guardian's own dispositions would run
    // the program's handler in the guardian: they wait, blocked, until then.
    sigset_t all;
    sigset_t previous;
    sigfillset(&all);
    pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t pid = fork();
    if (pid == 0) {
        ::close(pair[0]);
        guard(pair[1]);
    }
    pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (pid < 0) {
        ::close(pair[0]);
        ::close(pair[1]);
        return false;
    }
    ::close(pair[1]);
    g_socket = pair[0];
    g_sent.clear();
    return true;
}

bool isRunning()
{
    return g_socket >= 0;
}

void update(const std::vector<CrashSafety::Prepared> &reports)
{
    if (g_socket < 0 || sameTable(reports, g_sent))
        return;
    static Message message;
    int descriptors[kMaxEntries];
    int count = 0;
    message.kind = kTable;
    message.count = 0;
    for (const CrashSafety::Prepared &p : reports) {
        if (p.descriptor < 0 || message.count == kMaxEntries)
            continue;
        int slot = 0;
        while (slot < count && descriptors[slot] != p.descriptor)
            ++slot;
        if (slot == count)
            descriptors[count++] = p.descriptor;
        Entry &entry = message.entries[message.count++];
        entry.slot = uint8_t(slot);
        std::memcpy(entry.report, p.report.data(), kReportSize);
    }
    message.descriptors = uint8_t(count);
    if (sendMessage(message, kHeaderSize + message.count * sizeof(Entry), descriptors, count)) {
        g_sent = reports;
    } else {
        // The guardian is gone (or its socket is full): it cannot be trusted any more.
        ::close(g_socket);
        g_socket = -1;
    }
}

void dismiss()
{
    if (g_socket < 0)
        return;
    Message goodbye = {};
    goodbye.kind = kGoodbye;
    sendMessage(goodbye, kHeaderSize, nullptr, 0);
    ::close(g_socket);
    g_socket = -1;
    g_sent.clear();
}

} // namespace FanGuardian
