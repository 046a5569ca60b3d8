#include "app/AutorunStore.h"

#include <QtTest>

// The autostart entry, in a config folder of the test's own.
class TestAutorun : public QObject {
    Q_OBJECT

private:
    QTemporaryDir home;
    QString entry;

    void writeEntry(const QString &exec)
    {
        QDir().mkpath(QFileInfo(entry).absolutePath());
        QFile file(entry);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
        file.write("[Desktop Entry]\nType=Application\nName=Other\nExec=");
        file.write(exec.toUtf8());
        file.write("\n");
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
    }

    void init() { QFile::remove(entry); }

    void createdWhenMissing()
    {
        auto store = createAutorunStore();
        syncAutorun(true, *store, QStringLiteral("/opt/fans/Aurivent"));
        QVERIFY(entryText().contains(QStringLiteral("\nExec=/opt/fans/Aurivent\n")));
        QCOMPARE(store->read(), QStringLiteral("/opt/fans/Aurivent"));

        // A path with a space survives the round trip.
        QFile::remove(entry);
        syncAutorun(true, *store, QStringLiteral("/home/a b/Aurivent"));
        QCOMPARE(store->read(), QStringLiteral("/home/a b/Aurivent"));
    }

    void anotherCopyIsLeftAlone()
    {
        writeEntry(QStringLiteral("/OTHER/PLACE/AURIVENT"));
        const QString before = entryText();
        auto store = createAutorunStore();
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
};

QTEST_GUILESS_MAIN(TestAutorun)
#include "test_autorun.moc"
