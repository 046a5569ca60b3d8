// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/CrashSafety.h"
#include "device/Reports.h"

#include <QtTest>

#include <csignal>
#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Runs `end` in a child that has the handlers and one prepared report per
// pipe; returns what each pipe received and how the child ended.
struct Outcome {
    QByteArray first, second;
    int status = 0;
};

template <typename End>
Outcome crashWith(End end, bool forgetSecond = false)
{
    int a[2], b[2];
    Outcome out;
    if (pipe(a) != 0 || pipe(b) != 0)
        return out;
    const pid_t child = fork();
    if (child == 0) {
        CrashSafety::install();
        CrashSafety::prepare({{a[1], Reports::fanDuty(1, 80)}, {b[1], Reports::vaylaDuty(2, 100)}});
        // A later refresh replaces the table as a whole.
        CrashSafety::prepare({{a[1], Reports::fanDuty(1, 90)}, {b[1], Reports::vaylaDuty(2, 100)}});
        if (forgetSecond)
            CrashSafety::forget(b[1]);
        end();
        _exit(0);
    }
    ::close(a[1]);
    ::close(b[1]);
    waitpid(child, &out.status, 0);
    char buffer[256];
    ssize_t n;
    while ((n = read(a[0], buffer, sizeof buffer)) > 0)
        out.first.append(buffer, int(n));
    while ((n = read(b[0], buffer, sizeof buffer)) > 0)
        out.second.append(buffer, int(n));
    ::close(a[0]);
    ::close(b[0]);
    return out;
}

// Recurses until the stack runs out; the volatile buffer keeps every frame.
__attribute__((noinline)) int overflow(int depth)
{
    volatile char frame[4096];
    frame[0] = char(depth);
    return overflow(depth + 1) + frame[0];
}

QByteArray bytesOf(const Report &r)
{
    return QByteArray(reinterpret_cast<const char *>(r.data()), kReportSize);
}

} // namespace

// What a crash leaves the fans at: the prepared reports, written whole, and
// the signal still ends the process as it would have.
class TestCrashSafety : public QObject {
    Q_OBJECT

private slots:
    void everyFatalSignalWritesThePreparedReports_data()
    {
        QTest::addColumn<int>("signal");
        for (int s : {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE})
            QTest::newRow(strsignal(s)) << s;
    }

    void everyFatalSignalWritesThePreparedReports()
    {
        QFETCH(int, signal);
        const Outcome out = crashWith([signal] { raise(signal); });
        QVERIFY(WIFSIGNALED(out.status));
        QCOMPARE(WTERMSIG(out.status), signal);
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 90)));
        QCOMPARE(out.second, bytesOf(Reports::vaylaDuty(2, 100)));
    }

    void aStackOverflowStillWritesThem()
    {
        const Outcome out = crashWith([] { std::exit(overflow(1) == 0 ? 4 : 5); });
        QVERIFY(WIFSIGNALED(out.status));
        QCOMPARE(WTERMSIG(out.status), SIGSEGV);
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 90)));
        QCOMPARE(out.second, bytesOf(Reports::vaylaDuty(2, 100)));
    }

    void anExitThatSkipsTheOrderlyEndWritesThemToo()
    {
        const Outcome out = crashWith([] { std::exit(3); });
        QVERIFY(WIFEXITED(out.status));
        QCOMPARE(WEXITSTATUS(out.status), 3);
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 90)));
    }

    void aForgottenDescriptorIsNeverWritten()
    {
        const Outcome out = crashWith([] { raise(SIGSEGV); }, true);
        QCOMPARE(out.first, bytesOf(Reports::fanDuty(1, 90)));
        QVERIFY(out.second.isEmpty());
    }

    void theTableHoldsAtMostEightyReports()
    {
        int fds[2];
        QVERIFY(pipe(fds) == 0);
        std::vector<CrashSafety::Prepared> many(200, CrashSafety::Prepared{fds[1], Reports::fanDuty(1, 100)});
        CrashSafety::prepare(many);
        QCOMPARE(CrashSafety::writePrepared(), CrashSafety::kMaxPrepared);
        CrashSafety::prepare({});
        QCOMPARE(CrashSafety::writePrepared(), 0);
        ::close(fds[0]);
        ::close(fds[1]);
    }
};

QTEST_APPLESS_MAIN(TestCrashSafety)
#include "test_crashsafety.moc"
