// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/CrashSafety.h"
#include "device/FanGuardian.h"
#include "device/Reports.h"

#include <QtTest>

#include <csignal>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray bytesOf(const Report &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), kReportSize);
}

// Everything written to the pipe until its last writer - the guardian
// included - has closed it; so an answer also says the guardian is gone.
QByteArray drain(int fd)
{
    QByteArray bytes;
    char buffer[512];
    ssize_t n;
    while ((n = read(fd, buffer, sizeof buffer)) > 0)
        bytes.append(buffer, int(n));
    ::close(fd);
    return bytes;
}

struct Ending {
    QByteArray first, second;
    int status = 0;
};

// A child plays the program: it starts its guardian, prepares one cap per
// pipe (then `after`), and ends as `end` says. The pipes' write ends live
// only in the child and the guardian.
template <typename After, typename End>
Ending endWith(After after, End end)
{
    int a[2], b[2];
    Ending out;
    if (pipe(a) != 0 || pipe(b) != 0)
        return out;
    const pid_t child = fork();
    if (child == 0) {
        ::close(a[0]);
        ::close(b[0]);
        setpgid(0, 0); // a group of its own: signals to "the group" stay in it
        if (!FanGuardian::start())
            _exit(9);
        CrashSafety::prepare({{a[1], Reports::fanDuty(1, 80)}, {b[1], Reports::vaylaDuty(2, 100)}});
        after(a[1], b[1]);
        end();
        _exit(0);
    }
    ::close(a[1]);
    ::close(b[1]);
    waitpid(child, &out.status, 0);
    out.first = drain(a[0]);
    out.second = drain(b[0]);
    return out;
}

} // namespace

// The guardian: fans capped after a kill that no handler survives, and
// nothing written after an orderly end or to a box that went away.
class TestFanGuardian : public QObject {
    Q_OBJECT

private slots:
    void aKilledProgramStillCapsTheFans()
    {
        const Ending out = endWith([](int, int) {}, [] { raise(SIGKILL); });
        QVERIFY(WIFSIGNALED(out.status));
        QCOMPARE(WTERMSIG(out.status), SIGKILL);
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 80)));
        QCOMPARE(out.second, bytesOf(Reports::vaylaDuty(2, 100)));
    }

    void theNewestTableIsTheOneWritten()
    {
        const Ending out = endWith(
            [](int a, int b) {
                CrashSafety::prepare({{a, Reports::fanDuty(1, 90)}, {a, Reports::fanDuty(3, 70)}, {b, Reports::vaylaDuty(2, 60)}});
                // The same table again is not sent again, and changes nothing.
                CrashSafety::prepare({{a, Reports::fanDuty(1, 90)}, {a, Reports::fanDuty(3, 70)}, {b, Reports::vaylaDuty(2, 60)}});
            },
            [] { raise(SIGKILL); });
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 90)) + bytesOf(Reports::fanDuty(3, 70)));
        QCOMPARE(out.second, bytesOf(Reports::vaylaDuty(2, 60)));
    }

    void aBoxThatWentAwayIsNeverWritten()
    {
        // Its descriptor is forgotten and closed; the guardian lets go of its copy.
        const Ending out = endWith([](int, int b) { CrashSafety::forget(b); ::close(b); }, [] { raise(SIGKILL); });
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 80)));
        QVERIFY(out.second.isEmpty());
    }

    void anOrderlyEndLeavesNothingToTheGuardian()
    {
        const Ending out = endWith([](int, int) {}, [] {
            FanGuardian::dismiss();
            _exit(0);
        });
        QVERIFY(WIFEXITED(out.status));
        QVERIFY(out.first.isEmpty());
        QVERIFY(out.second.isEmpty());
    }

    // A signal that reaches the group as the guardian starts is held until
    // the guardian has its own dispositions: the program's handler (here one
    // that tells who ran it) never runs in the guardian.
    void theProgramsHandlersNeverRunInTheGuardian()
    {
        int seen[2];
        QVERIFY(pipe(seen) == 0);
        static int s_seen = -1;
        s_seen = seen[1];
        for (int round = 0; round < 40; ++round) {
            int program[2];
            QVERIFY(pipe(program) == 0);
            const pid_t child = fork();
            if (child == 0) {
                ::close(program[0]);
                setpgid(0, 0);
                struct sigaction tell = {};
                tell.sa_handler = [](int) {
                    const pid_t who = getpid();
                    const ssize_t n = ::write(s_seen, &who, sizeof who);
                    (void)n;
                };
                sigaction(SIGUSR1, &tell, nullptr);
                sigaction(SIGTERM, &tell, nullptr);
                const pid_t me = getpid();
                const ssize_t n = ::write(program[1], &me, sizeof me);
                (void)n;
                if (!FanGuardian::start())
                    _exit(9);
                // At once, at the whole group: the guardian is just being born.
                kill(0, SIGUSR1);
                kill(0, SIGTERM);
                FanGuardian::dismiss();
                _exit(0);
            }
            ::close(program[1]);
            pid_t playing = 0;
            QCOMPARE(read(program[0], &playing, sizeof playing), ssize_t(sizeof playing));
            ::close(program[0]);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
            QCOMPARE(playing, child);
        }
        ::close(seen[1]);
        // Every handler that ran was the program's own (the guardian's end
        // closes its copy of the pipe, so this read ends).
        QByteArray ran;
        char buffer[256];
        ssize_t n;
        while ((n = read(seen[0], buffer, sizeof buffer)) > 0)
            ran.append(buffer, int(n));
        ::close(seen[0]);
        QVERIFY(!ran.isEmpty());
        QCOMPARE(ran.size() % int(sizeof(pid_t)), 0);
        QSet<pid_t> who;
        for (int i = 0; i < ran.size(); i += int(sizeof(pid_t))) {
            pid_t pid;
            std::memcpy(&pid, ran.constData() + i, sizeof pid);
            who.insert(pid);
        }
        QCOMPARE(who.size(), 40); // one program per round, and nobody else
    }

    void signalsForTheProgramDoNotEndTheGuardian()
    {
        // A terminal's Ctrl+C reaches the whole group; then the program is killed.
        const Ending out = endWith(
            [](int, int) {
                signal(SIGINT, SIG_IGN);
                kill(0, SIGINT);
            },
            [] { raise(SIGKILL); });
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 80)));
    }
};

QTEST_APPLESS_MAIN(TestFanGuardian)
#include "test_fanguardian.moc"
