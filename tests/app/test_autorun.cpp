// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AutorunStore.h"

#include <QtTest>

#include <condition_variable>
#include <mutex>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The autostart entry, in a config folder of the test's own.
class TestAutorun : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home;
    QString entry;
    QString memory;

    void writeEntry(const QString &exec, const QByteArray &extra = QByteArray())
    {
        QDir().mkpath(QFileInfo(entry).absolutePath());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write("[Desktop Entry]\nType=Application\nName=Other\nExec=");
        file.write(exec.toUtf8());
        file.write("\n" + extra);
    }

    QString entryText()
    {
        QFile file(entry);
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private slots:
    void initTestCase()
    {
        qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
        entry = home.path() + QStringLiteral("/autostart/Aurivent.desktop");
        memory = home.path() + QStringLiteral("/Kq/RGBVaylaZeve/AutostartWritten");
    }

    void init()
    {
        QFile::remove(entry);
        QFile::remove(memory);
    }

    void createdWhenMissing()
    {
        auto store = createAutorunStore();
        syncAutorun(true, *store, QStringLiteral("/opt/fans/Aurivent"));
        QVERIFY(entryText().contains(QStringLiteral("\nExec=/opt/fans/Aurivent --minimized\n")));
        QCOMPARE(store->read(), QStringLiteral("/opt/fans/Aurivent"));
        QCOMPARE(store->entry().arguments, QStringList{QStringLiteral("--minimized")});
        QVERIFY(!store->entry().disabled);
    }

    // What the desktop's launcher will run is what was written, whatever
    // the path holds.
    void unusualPathsSurviveTheRoundTrip()
    {
        auto store = createAutorunStore();
        for (const QString &path : {QStringLiteral("/home/a b/Aurivent"), QStringLiteral("/opt/100%/Aurivent"),
                                    QStringLiteral("/opt/\"q\"/$HOME/`x`/Aurivent"),
                                    QStringLiteral("/opt/back\\slash/Aurivent")}) {
            QFile::remove(entry);
            syncAutorun(true, *store, path);
            QCOMPARE(store->read(), path);
            QCOMPARE(store->entry().arguments, autorunArguments());
        }
        QVERIFY(entryText().contains(QStringLiteral("Exec=\"/opt/back\\\\\\\\slash/Aurivent\" --minimized")));
        // A line break would end the Exec= line early: refused, nothing written.
        QFile::remove(entry);
        QVERIFY(!store->write(QStringLiteral("/opt/a\nb/Aurivent")));
        QVERIFY(!QFile::exists(entry));
    }

    // An entry of another copy (an old build folder, say) is brought to the
    // program that runs now, started minimized.
    void staleEntryIsRefreshed()
    {
        writeEntry(QStringLiteral("/OTHER/PLACE/AURIVENT"));
        auto store = createAutorunStore();
        syncAutorun(true, *store, QStringLiteral("/opt/fans/Aurivent"));
        QCOMPARE(store->read(), QStringLiteral("/opt/fans/Aurivent"));
        QCOMPARE(store->entry().arguments, autorunArguments());

        // Earlier versions wrote the path alone: the entry now starts minimized.
        writeEntry(QStringLiteral("/opt/fans/Aurivent"));
        syncAutorun(true, *store, QStringLiteral("/opt/fans/Aurivent"));
        QCOMPARE(store->entry().arguments, autorunArguments());

        // Up to date: left as it is, byte for byte.
        writeEntry(QStringLiteral("/opt/fans/Aurivent --minimized"), "Comment=kept\n");
        const QString before = entryText();
        syncAutorun(true, *store, QStringLiteral("/opt/fans/Aurivent"));
        QCOMPARE(entryText(), before);
    }

    // Off in the menu switches the entry off as the desktop does: the entry
    // stays, with whatever the user put into it; another program's is left alone.
    void switchedOffWhenOffOnlyIfItIsOurs()
    {
        auto store = createAutorunStore();
        writeEntry(QStringLiteral("/usr/bin/something-else"));
        const QString other = entryText();
        syncAutorun(false, *store, QStringLiteral("/opt/fans/Aurivent"));
        QCOMPARE(entryText(), other);

        writeEntry(QStringLiteral("/opt/fans/Aurivent --minimised"));
        syncAutorun(false, *store, QStringLiteral("/opt/fans/Aurivent"));
        QVERIFY(QFile::exists(entry));
        QVERIFY(store->entry().disabled);
        QVERIFY(entryText().contains(QStringLiteral("\nHidden=true\n")));
        QVERIFY(entryText().contains(QStringLiteral("\nX-GNOME-Autostart-enabled=false\n")));
        QCOMPARE(store->entry().arguments, QStringList{QStringLiteral("--minimised")});
        const QString off = entryText();
        syncAutorun(false, *store, QStringLiteral("/opt/fans/Aurivent")); // already off
        QCOMPARE(entryText(), off);
        syncAutorun(false, *store, QStringLiteral("/opt/fans/Aurivent"));
        QVERIFY(QFile::exists(entry));
    }

    // The menu's switch changes only what it must: the two switches, and on
    // also what it starts (TryExec with it). The user's other keys, their
    // order and other groups stay.
    void switchingKeepsTheUsersKeys()
    {
        auto store = createAutorunStore();
        const QByteArray user = "Comment=my fans\nName[de]=L\xc3\xbc""fter\n# a note of mine\nX-KDE-autostart-phase=2\n"
                                "Hidden=false\n\n[Desktop Action quiet]\nName=Quiet\nExec=/bin/true\nHidden=true\n";
        writeEntry(QStringLiteral("/usr/bin/Aurivent --minimized"), user);
        syncAutorun(false, *store, QStringLiteral("/usr/bin/Aurivent"));
        QCOMPARE(entryText(),
                 QStringLiteral("[Desktop Entry]\nType=Application\nName=Other\nExec=/usr/bin/Aurivent --minimized\n")
                     + QString::fromUtf8(user)
                           .replace(QStringLiteral("Hidden=false\n\n"),
                                    QStringLiteral("Hidden=true\nX-GNOME-Autostart-enabled=false\n\n")));

        syncAutorun(true, *store, QStringLiteral("/opt/new place/Aurivent"));
        QCOMPARE(entryText(),
                 QStringLiteral("[Desktop Entry]\nType=Application\nName=Other\n"
                                "Exec=\"/opt/new place/Aurivent\" --minimized\n")
                     + QString::fromUtf8(user).replace(
                         QStringLiteral("Hidden=false\n\n"),
                         QStringLiteral("Hidden=false\nX-GNOME-Autostart-enabled=true\nTryExec=/opt/new place/Aurivent\n\n")));
        QVERIFY(!store->entry().disabled);
        QCOMPARE(store->read(), QStringLiteral("/opt/new place/Aurivent"));

        // A file that is no desktop entry at all is replaced by a fresh one.
        QFile file(entry);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write("Exec=/usr/bin/Aurivent\n");
        file.close();
        syncAutorun(true, *store, QStringLiteral("/usr/bin/Aurivent"));
        QVERIFY(entryText().startsWith(QStringLiteral("[Desktop Entry]\n")));
        QCOMPARE(store->entry().arguments, autorunArguments());
    }

    // After a purge the desktop skips an entry whose program is gone.
    void aWrittenEntryNamesItsProgramForTryExec()
    {
        auto store = createAutorunStore();
        syncAutorun(true, *store, QStringLiteral("/opt/a b/Aurivent"));
        QVERIFY(entryText().contains(QStringLiteral("\nTryExec=/opt/a b/Aurivent\n")));
        QFile::remove(entry);
        syncAutorun(true, *store, QStringLiteral("/opt/back\\slash/Aurivent"));
        QVERIFY(entryText().contains(QStringLiteral("\nTryExec=/opt/back\\\\slash/Aurivent\n")));
    }

    // Starts only read the entry: switched on again on the desktop, the
    // setting follows; switched off, it stays there however often the
    // program starts; the user's own Exec survives.
    void startsFollowTheDesktopBothWaysAndNeverChangeTheEntry()
    {
        auto store = createAutorunStore();
        for (const QByteArray &on : {QByteArray("X-GNOME-Autostart-enabled=true\n"), QByteArray("Hidden=false\n"),
                                     QByteArray()}) {
            writeEntry(QStringLiteral("/usr/bin/Aurivent --minimized"), on);
            const QString before = entryText();
            bool wanted = false;
            QVERIFY(reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
            QVERIFY(wanted);
            QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
            QCOMPARE(entryText(), before);
            QVERIFY(QFile::exists(memory));
        }

        writeEntry(QStringLiteral("/usr/bin/Aurivent --minimized"), "Hidden=true\n");
        const QString hidden = entryText();
        bool wanted = true;
        QVERIFY(reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QVERIFY(!wanted);
        for (int start = 0; start < 3; ++start) {
            QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
            QCOMPARE(entryText(), hidden);
        }

        writeEntry(QStringLiteral("/home/me/bin/Aurivent --minimized --verbose"), "Comment=mine\n");
        const QString edited = entryText();
        wanted = true;
        QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QVERIFY(wanted);
        QCOMPARE(entryText(), edited);

        // Even one that starts the program through another (a wrapper of the user's).
        writeEntry(QStringLiteral("env QT_SCALE_FACTOR=2 /usr/bin/Aurivent --minimized"));
        const QString wrapped = entryText();
        QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QCOMPARE(entryText(), wrapped);
    }

    // The first start writes the entry and remembers it; once the user has
    // removed it, autostart stays off and nothing is written again.
    void removedByTheUserMeansOff()
    {
        auto store = createAutorunStore();
        bool wanted = true;
        QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QVERIFY(wanted);
        QCOMPARE(store->read(), QStringLiteral("/usr/bin/Aurivent"));
        QVERIFY(QFile::exists(memory));

        QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QVERIFY(wanted);

        QVERIFY(QFile::remove(entry));
        QVERIFY(reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QVERIFY(!wanted);
        QVERIFY(!QFile::exists(entry));
        // Stored off, the next start leaves it off.
        QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QVERIFY(!QFile::exists(entry));
    }

    void switchedOffOnTheDesktopMeansOff()
    {
        auto store = createAutorunStore();
        for (const QByteArray &off : {QByteArray("Hidden=true\n"), QByteArray("X-GNOME-Autostart-enabled=false\n")}) {
            writeEntry(QStringLiteral("/usr/bin/Aurivent --minimized"), off);
            const QString before = entryText();
            QVERIFY(store->entry().disabled);
            bool wanted = true;
            QVERIFY(reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
            QVERIFY(!wanted);
            QCOMPARE(entryText(), before); // the desktop's entry is the user's now
        }
        // Only the main group counts.
        writeEntry(QStringLiteral("/usr/bin/Aurivent --minimized"), "[Desktop Action x]\nHidden=true\n");
        QVERIFY(!store->entry().disabled);
        writeEntry(QStringLiteral("/usr/bin/Aurivent --minimized"), "Hidden=false\n");
        bool wanted = true;
        QVERIFY(!reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory));
        QVERIFY(wanted);
    }

    // Start-up reads the entry on the GUI thread. A FIFO in its place (which
    // nobody writes to) is not waited on, not written over at start-up, and
    // replaced only when the user asks for autostart again.
    void aFifoAsTheEntryIsNeitherWaitedOnNorTouched()
    {
        QDir().mkpath(QFileInfo(entry).absolutePath());
        const QByteArray fifo = QFile::encodeName(entry);
        QCOMPARE(mkfifo(fifo.constData(), 0600), 0);
        auto store = createAutorunStore();

        // A reader that waited would wait for ever; the watchdog lets it go
        // (an empty write end, again while it keeps waiting) and says so.
        std::mutex lock;
        std::condition_variable finished;
        bool done = false;
        bool rescued = false;
        std::thread watchdog([&] {
            std::unique_lock<std::mutex> guard(lock);
            while (!finished.wait_for(guard, std::chrono::seconds(rescued ? 1 : 30), [&] { return done; })) {
                rescued = true;
                const int fd = ::open(fifo.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
            }
        });
        bool wanted = true;
        const AutorunEntry found = store->entry();
        const bool changed = reconcileAutorun(wanted, *store, QStringLiteral("/usr/bin/Aurivent"), memory);
        const bool switched = store->setEnabled(false, QStringLiteral("/usr/bin/Aurivent"));
        {
            std::lock_guard<std::mutex> guard(lock);
            done = true;
        }
        finished.notify_one();
        watchdog.join();
        QVERIFY(!rescued);

        QVERIFY(found.exists);
        QVERIFY(found.program.isEmpty());
        QVERIFY(!changed);
        QVERIFY(wanted);
        QVERIFY(!switched);
        struct stat status {};
        QCOMPARE(::stat(fifo.constData(), &status), 0);
        QVERIFY(S_ISFIFO(status.st_mode));
        QVERIFY(!QFile::exists(memory));

        syncAutorun(true, *store, QStringLiteral("/usr/bin/Aurivent"), memory);
        QVERIFY(QFileInfo(entry).isFile());
        QCOMPARE(store->read(), QStringLiteral("/usr/bin/Aurivent"));
    }
};

QTEST_GUILESS_MAIN(TestAutorun)
#include "test_autorun.moc"
