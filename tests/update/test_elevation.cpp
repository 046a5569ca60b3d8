// SPDX-License-Identifier: GPL-3.0-or-later
// Starting a program: it runs in its folder with exactly its arguments, the
// caller is never held longer than the wait, and a failure says why.
// The tests run as root, so the start is a plain one.

#include "update/Elevation.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <unistd.h>

class TestElevation : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString script(const char *name, const QByteArray &body)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("#!/bin/sh\n" + body);
        file.close();
        file.setPermissions(file.permissions() | QFileDevice::ExeOwner);
        return path;
    }

    QByteArray read(const char *name)
    {
        QFile file(m_dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        if (geteuid() != 0)
            QSKIP("a start without root goes through pkexec and its prompt");
    }

    void startsInItsFolderWithItsArguments()
    {
        script("quick", "{ echo \"$#\"; for a in \"$@\"; do echo \"[$a]\"; done; pwd; } > record\n");
        QElapsedTimer clock;
        clock.start();
        const ElevationResult result = Elevation::start("quick", {"RGBVaylaZeve", "two words", ""}, m_dir.path());
        QVERIFY(result.started);
        QVERIFY(result.error.isEmpty());
        QVERIFY(clock.elapsed() < Elevation::kWaitMs);  // returns when the program ends
        QCOMPARE(read("record"), "3\n[RGBVaylaZeve]\n[two words]\n[]\n" + m_dir.path().toLocal8Bit() + "\n");

        // An absolute path works from any folder; a failing exit is still a start.
        script("failing", "echo ran > '" + m_dir.filePath("ran").toLocal8Bit() + "'\nexit 3\n");
        QVERIFY(Elevation::start(m_dir.filePath("failing"), {}, QDir::rootPath()).started);
        QTRY_COMPARE(read("ran"), QByteArray("ran\n"));
    }

    void aProgramThatKeepsRunningOutlivesTheWait()
    {
        script("lasting", "echo $$ > pid\nsleep 30\n");
        QElapsedTimer clock;
        clock.start();
        const ElevationResult result = Elevation::start("lasting", {}, m_dir.path());
        const qint64 waited = clock.elapsed();
        QVERIFY(result.started);
        QVERIFY2(waited >= Elevation::kWaitMs - 100 && waited < Elevation::kWaitMs + 2000,
                 qPrintable(QString::number(waited)));
        const pid_t pid = read("pid").trimmed().toInt();
        QVERIFY(pid > 0);
        QCOMPARE(kill(pid, 0), 0);  // still running after we let go
        QCOMPARE(getpgid(pid), pid);  // in a session of its own
        kill(-pid, SIGTERM);
    }

    void failuresSayWhyAtOnce()
    {
        QFile plain(m_dir.filePath("notes.txt"));
        plain.open(QIODevice::WriteOnly);
        plain.close();
        struct Case {
            QString file;
            QString dir;
            const char *expected;
        };
        const Case cases[] = {
            {"Aurivent", m_dir.path(), "no such program"},
            {"notes.txt", m_dir.path(), "not an executable"},
            {".", m_dir.path(), "not an executable"},
            {"quick", m_dir.filePath("missing-folder"), "no such directory"},
            {"quick", QString(), "no such directory"},
        };
        for (const Case &c : cases) {
            QElapsedTimer clock;
            clock.start();
            const ElevationResult result = Elevation::start(c.file, {}, c.dir);
            QVERIFY2(!result.started, c.expected);
            QVERIFY2(result.error.contains(QLatin1String(c.expected)), qPrintable(result.error));
            QVERIFY(clock.elapsed() < 1000);
        }
        // A script naming an interpreter that does not exist fails in exec.
        script("broken", "");
        QFile broken(m_dir.filePath("broken"));
        broken.open(QIODevice::WriteOnly | QIODevice::Truncate);
        broken.write("#!/nonexistent/interpreter\n");
        broken.close();
        const ElevationResult result = Elevation::start("broken", {}, m_dir.path());
        QVERIFY(!result.started);
        QVERIFY2(result.error.contains("cannot start"), qPrintable(result.error));
    }
};

QTEST_APPLESS_MAIN(TestElevation)
#include "test_elevation.moc"
