// SPDX-License-Identifier: GPL-3.0-or-later
// The command an alert runs: its arguments arrive as they are (no shell),
// it has a time limit that also stops what it started, its output is bounded,
// and the caller never waits for it.
#include "alerts/Alert.h"
#include "alerts/CommandAction.h"
#include "alerts/CommandArguments.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <signal.h>

#include <memory>

namespace {

// A script of the test's own, executable.
QString script(const QTemporaryDir &dir, const QString &name, const QByteArray &body)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return QString();
    f.write("#!/bin/sh\n" + body);
    f.close();
    f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Whether a process still runs (a zombie waiting for its parent does not).
bool alive(qint64 pid)
{
    const QByteArray stat = readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    if (stat.isEmpty())
        return false;
    const int close = stat.lastIndexOf(')');
    return close > 0 && stat.size() > close + 2 && stat[close + 2] != 'Z' && stat[close + 2] != 'X';
}

CommandResult resultOf(const QSignalSpy &spy, int i = 0)
{
    return spy.at(i).first().value<CommandResult>();
}

} // namespace

class TestCommandAction : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void argumentsArriveAsTheyAre()
    {
        // Each argument NUL-terminated into a file, exactly as received.
        const QString out = m_dir.filePath(QStringLiteral("args.bin"));
        const QString program = script(m_dir, QStringLiteral("args.sh"),
                                       "for a in \"$@\"; do printf '%s\\0' \"$a\"; done > '" + QFile::encodeName(out) + "'\n");
        Alert a;
        a.kind = AlertKind::TemperatureHigh;
        a.source = QStringLiteral("chip \"x\"; $(touch /tmp/pwned) `id` * ' \\ |");
        a.celsius = 91.25;
        a.limit = 85;
        a.limitSeconds = 30;
        a.time = QDateTime(QDate(2027, 3, 4), QTime(5, 6, 7), Qt::UTC);
        const QStringList args = commandArguments(a);
        QCOMPARE(args.size(), 10);
        QCOMPARE(args.mid(0, 9), (QStringList{QStringLiteral("temperature-high"), QStringLiteral("raised"), QString(),
                                             QString(), a.source, QStringLiteral("91.3"), QStringLiteral("85.0"),
                                             QString(), QStringLiteral("2027-03-04T05:06:07Z")}));
        QVERIFY(args[9].contains(a.source));

        CommandAction action;
        QSignalSpy finished(&action, &CommandAction::finished);
        QVERIFY(action.run(program, args, 20000));
        // run() came back before the program could finish.
        QCOMPARE(finished.count(), 0);
        QCOMPARE(action.running(), 1);
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        const CommandResult r = resultOf(finished);
        QVERIFY(r.started);
        QCOMPARE(r.exitCode, 0);
        QVERIFY(!r.timedOut);
        QStringList got;
        for (const QByteArray &part : readFile(out).split('\0'))
            got << QString::fromUtf8(part);
        got.removeLast(); // after the last NUL
        QCOMPARE(got, args);
        QVERIFY(!QFile::exists(QStringLiteral("/tmp/pwned")));
        QCOMPARE(action.running(), 0);

        // A box and a fan count from 1 for the program, as in the window.
        Alert s;
        s.kind = AlertKind::Stall;
        s.raised = false;
        s.box = 15;
        s.fan = 4;
        QCOMPARE(commandArguments(s).mid(0, 5), (QStringList{QStringLiteral("stall"), QStringLiteral("cleared"),
                                                            QStringLiteral("16"), QStringLiteral("5"), QString()}));
    }

    void nothingComesOnItsInput()
    {
        const QString program = script(m_dir, QStringLiteral("stdin.sh"), "cat; echo \"end\"\n");
        CommandAction action;
        QSignalSpy finished(&action, &CommandAction::finished);
        QVERIFY(action.run(program, {}, 20000));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QCOMPARE(resultOf(finished).output, QByteArray("end\n"));
        QVERIFY(!resultOf(finished).timedOut);
    }

    void theTimeLimitStopsItAndWhatItStarted()
    {
        const QString pidFile = m_dir.filePath(QStringLiteral("child.pid"));
        const QString program = script(m_dir, QStringLiteral("slow.sh"),
                                       "sleep 300 & echo $! > '" + QFile::encodeName(pidFile) + "'\nwait\n");
        CommandAction action;
        QSignalSpy finished(&action, &CommandAction::finished);
        QVERIFY(action.run(program, {}, 300));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        const CommandResult r = resultOf(finished);
        QVERIFY(r.started);
        QVERIFY(r.timedOut);
        const qint64 child = readFile(pidFile).trimmed().toLongLong();
        QVERIFY(child > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!alive(child), 20000);
    }

    void aProgramThatIgnoresTheStopIsKilled()
    {
        const QString pidFile = m_dir.filePath(QStringLiteral("stubborn.pid"));
        const QString program = script(m_dir, QStringLiteral("stubborn.sh"),
                                       "trap '' TERM\necho $$ > '" + QFile::encodeName(pidFile) +
                                           "'\nwhile :; do sleep 1; done\n");
        CommandAction::Limits limits;
        limits.killAfterMs = 200;
        CommandAction action(limits);
        QSignalSpy finished(&action, &CommandAction::finished);
        QVERIFY(action.run(program, {}, 300));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        QVERIFY(resultOf(finished).timedOut);
        const qint64 pid = readFile(pidFile).trimmed().toLongLong();
        QVERIFY(pid > 0);
        QTRY_VERIFY_WITH_TIMEOUT(!alive(pid), 20000);
    }

    void itsOutputIsBounded()
    {
        const QString program = script(m_dir, QStringLiteral("talk.sh"),
                                       "head -c 2000000 /dev/zero | tr '\\0' 'x'\necho done >&2\nexit 3\n");
        CommandAction action;
        QSignalSpy finished(&action, &CommandAction::finished);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alert command .*talk.sh ended with code 3")));
        QVERIFY(action.run(program, {}, 30000));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 30000);
        const CommandResult r = resultOf(finished);
        QCOMPARE(r.exitCode, 3);
        QVERIFY(!r.timedOut);
        QCOMPARE(r.output.size(), 4096);
        QVERIFY(r.outputCut);
        QCOMPARE(r.output, QByteArray(4096, 'x'));
    }

    void whatIsNoProgramIsRefused()
    {
        CommandAction action;
        QSignalSpy finished(&action, &CommandAction::finished);
        const QString text = m_dir.filePath(QStringLiteral("plain.txt"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("not a program\n");
        f.close();
        // A program named without its folder, even one that is there, is
        // refused: which one would run depends on where the program stands.
        script(m_dir, QStringLiteral("here.sh"), "exit 0\n");
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_dir.path()));
        for (const QString &bad : {QStringLiteral("sh"), QStringLiteral("./here.sh"), QStringLiteral("here.sh"), text,
                                   m_dir.path(), m_dir.filePath(QStringLiteral("missing"))}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alert command refused:.*")));
            QVERIFY2(!action.run(bad, {}, 1000), qPrintable(bad));
        }
        QVERIFY(QDir::setCurrent(before));
        QCOMPARE(action.running(), 0);
        // Executable, and yet no program the system can start.
        QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alert command .* could not start.*")));
        QVERIFY(action.run(text, {}, 1000));
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QVERIFY(!resultOf(finished).started);
    }

    void aBoundedNumberRunAndWait()
    {
        const QString gate = m_dir.filePath(QStringLiteral("gate"));
        // Each waits until the gate file exists.
        const QString program = script(m_dir, QStringLiteral("gated.sh"),
                                       "while [ ! -e '" + QFile::encodeName(gate) + "' ]; do sleep 0.05; done\n");
        CommandAction::Limits limits;
        limits.maxRunning = 2;
        limits.maxQueued = 1;
        CommandAction action(limits);
        QSignalSpy finished(&action, &CommandAction::finished);
        QVERIFY(action.run(program, {}, 60000));
        QVERIFY(action.run(program, {}, 60000));
        QVERIFY(action.run(program, {}, 60000));
        QCOMPARE(action.running(), 2);
        QCOMPARE(action.queued(), 1);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alert command refused:.*wait already")));
        QVERIFY(!action.run(program, {}, 60000));
        QFile g(gate);
        QVERIFY(g.open(QIODevice::WriteOnly));
        g.close();
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, 30000);
        QCOMPARE(action.running(), 0);
        QCOMPARE(action.queued(), 0);
        QFile::remove(gate);
    }

    // Going away stops the program and what it started, also when no event
    // has been handled since its start: what the action learns of the start
    // comes later, through the event loop.
    void goingAwayStopsWhatRuns_data()
    {
        QTest::addColumn<bool>("eventsRun");
        QTest::newRow("its start handled") << true;
        QTest::newRow("its start not yet handled") << false;
    }

    void goingAwayStopsWhatRuns()
    {
        QFETCH(bool, eventsRun);
        const QString pidFile = m_dir.filePath(QStringLiteral("left.pid"));
        QFile::remove(pidFile);
        const QString program = script(m_dir, QStringLiteral("left.sh"),
                                       "sleep 300 & echo $$ $! > '" + QFile::encodeName(pidFile) + "'\nwait\n");
        auto action = std::make_unique<CommandAction>();
        QVERIFY(action->run(program, {}, 600000));
        const auto written = [&] { return readFile(pidFile).trimmed().split(' ').size() == 2; };
        if (eventsRun) {
            QTRY_VERIFY_WITH_TIMEOUT(written(), 20000);
        } else {
            // Polled without the event loop, which must not run here.
            QDeadlineTimer deadline(20000);
            while (!written() && !deadline.hasExpired())
                QThread::msleep(5);
        }
        const QList<QByteArray> pids = readFile(pidFile).trimmed().split(' ');
        QCOMPARE(pids.size(), 2);
        const qint64 shell = pids[0].toLongLong();
        const qint64 child = pids[1].toLongLong();
        QVERIFY(shell > 0 && child > 0);
        QVERIFY(alive(shell));
        action.reset();
        QTRY_VERIFY_WITH_TIMEOUT(!alive(shell), 20000);
        QTRY_VERIFY_WITH_TIMEOUT(!alive(child), 20000);
    }
};

QTEST_GUILESS_MAIN(TestCommandAction)
#include "test_commandaction.moc"
