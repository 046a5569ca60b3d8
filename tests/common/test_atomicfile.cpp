// Whole-file writes and bounded reads: the old file stays until the new one
// is complete, nothing is left beside it, and a read never takes more than
// it was allowed or waits on something that is no file.
#include "common/AtomicFile.h"
#include "common/StateFolder.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

class TestAtomicFile : public QObject {
    Q_OBJECT

private slots:
    void writesAndReplaces()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("a/b/state.bin"));
        QString why;
        QVERIFY2(AtomicFile::write(path, "first", QFileDevice::ReadOwner | QFileDevice::WriteOwner, &why), qPrintable(why));
        QByteArray back;
        QVERIFY(AtomicFile::read(path, 100, &back));
        QCOMPARE(back, QByteArray("first"));
        QCOMPARE(QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        QVERIFY(AtomicFile::write(path, "second, longer", QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
        QVERIFY(AtomicFile::read(path, 100, &back));
        QCOMPARE(back, QByteArray("second, longer"));
        QVERIFY(QFileInfo(path).permissions() & QFileDevice::ReadOther);
        QCOMPARE(QDir(dir.filePath(QStringLiteral("a/b"))).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("state.bin")});
    }

    void aFailedWriteKeepsWhatWasThere()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("kept.bin"));
        QVERIFY(AtomicFile::write(path, "old", QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QString why;
        // A folder in the target's place, a folder that cannot be made.
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("folder/x")));
        QVERIFY(!AtomicFile::write(dir.filePath(QStringLiteral("folder")), "new", QFileDevice::ReadOwner, &why));
        QVERIFY2(why.contains(QLatin1String("not a regular file")), qPrintable(why));
        QVERIFY(!AtomicFile::write(path + QStringLiteral("/under"), "new", QFileDevice::ReadOwner, &why));
        QVERIFY2(why.contains(QLatin1String("cannot create folder")), qPrintable(why));
        QByteArray back;
        QVERIFY(AtomicFile::read(path, 100, &back));
        QCOMPARE(back, QByteArray("old"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("kept.bin")});
    }

    void readsAreBounded()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ten.bin"));
        QVERIFY(AtomicFile::write(path, "0123456789", QFileDevice::ReadOwner | QFileDevice::WriteOwner));
        QByteArray back = "untouched";
        QString why;
        QVERIFY(AtomicFile::read(path, 10, &back, &why));
        QCOMPARE(back, QByteArray("0123456789"));
        back = "untouched";
        QVERIFY(!AtomicFile::read(path, 9, &back, &why));
        QVERIFY2(why.contains(QLatin1String("larger than 9 bytes")), qPrintable(why));
        QCOMPARE(back, QByteArray("untouched"));
        QVERIFY(!AtomicFile::read(dir.filePath(QStringLiteral("missing")), 10, &back, &why));
        QVERIFY(!AtomicFile::read(dir.path(), 10, &back, &why));
        // A pipe with no writer would block a plain read for ever.
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QVERIFY(!AtomicFile::read(fifo, 10, &back, &why));
        QVERIFY2(why.contains(QLatin1String("not a regular file")), qPrintable(why));
        QCOMPARE(back, QByteArray("untouched"));
    }

    void theStateFolderFollowsTheBaseDirectoryRules()
    {
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/x/state");
        QCOMPARE(stateFolder(), QStringLiteral("/x/state/aurivent"));
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(stateFolder(), QDir::homePath() + QStringLiteral("/.local/state/aurivent"));
        qputenv("XDG_STATE_HOME", saved);
    }
};

QTEST_GUILESS_MAIN(TestAtomicFile)
#include "test_atomicfile.moc"
