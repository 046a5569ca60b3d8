#include "device/CrashSafety.h"
#include "device/FanGuardian.h"
#include "device/Reports.h"

#include <QtTest>

#include <csignal>
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
