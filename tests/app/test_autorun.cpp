#include "app/AutorunStore.h"

#include <QtTest>

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

    void removedWhenOffOnlyIfItIsOurs()
    {
        auto store = createAutorunStore();
        writeEntry(QStringLiteral("/usr/bin/something-else"));
        syncAutorun(false, *store, QStringLiteral("/opt/fans/Aurivent"));
        QVERIFY(QFile::exists(entry));

        writeEntry(QStringLiteral("/opt/fans/Aurivent --minimised"));
        syncAutorun(false, *store, QStringLiteral("/opt/fans/Aurivent"));
        QVERIFY(!QFile::exists(entry));
        syncAutorun(false, *store, QStringLiteral("/opt/fans/Aurivent")); // nothing to remove
        QVERIFY(!QFile::exists(entry));
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
};

QTEST_GUILESS_MAIN(TestAutorun)
#include "test_autorun.moc"
