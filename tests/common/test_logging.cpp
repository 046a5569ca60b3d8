// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/Logging.h"

#include <QDebug>
#include <QTemporaryFile>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

// Standard error into a file for the length of a scope.
class CapturedStderr {
public:
    CapturedStderr()
    {
        m_file.open();
        std::fflush(stderr);
        m_saved = ::dup(2);
        ::dup2(m_file.handle(), 2);
    }
    ~CapturedStderr() { restore(); }

    void restore()
    {
        if (m_saved < 0)
            return;
        std::fflush(stderr);
        ::dup2(m_saved, 2);
        ::close(m_saved);
        m_saved = -1;
    }

    // "DEVICE:INODE" of the file, as systemd names its stream.
    QByteArray stream() const
    {
        struct stat status;
        ::fstat(m_file.handle(), &status);
        return QByteArray::number(qulonglong(status.st_dev)) + ':' + QByteArray::number(qulonglong(status.st_ino));
    }

    QByteArray text()
    {
        restore();
        QFile file(m_file.fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    QTemporaryFile m_file;
    int m_saved = -1;
};

} // namespace

// The program's log lines: a category on each, and the priority journald
// reads when standard error is its stream.
class TestLogging : public QObject {
    Q_OBJECT

private slots:
    void prioritiesAreSyslogs()
    {
        QCOMPARE(Logging::priority(QtDebugMsg), 7);
        QCOMPARE(Logging::priority(QtInfoMsg), 6);
        QCOMPARE(Logging::priority(QtWarningMsg), 4);
        QCOMPARE(Logging::priority(QtCriticalMsg), 3);
        QCOMPARE(Logging::priority(QtFatalMsg), 2);
    }

    void aLineWithoutCategoryIsFiledUnderItsFolder()
    {
        QCOMPARE(Logging::categoryOfFile("./device/Encoders.cpp"), &lcDevice());
        QCOMPARE(Logging::categoryOfFile("./device/sim/SimulatedBoxes.cpp"), &lcDevice());
        QCOMPARE(Logging::categoryOfFile("/home/u/src/ui/app/storage/DeviceFile.cpp"), &lcStorage());
        QCOMPARE(Logging::categoryOfFile("./viewmsg/MessageTable.cpp"), &lcUi());
        QCOMPARE(Logging::categoryOfFile("./update/AutoUpdate.cpp"), &lcUpdate());
        QCOMPARE(Logging::categoryOfFile("./remote/SocketHelper.cpp"), &lcRemote());
        QCOMPARE(Logging::categoryOfFile("./lighting/LightModes.cpp"), &lcLighting());
        QCOMPARE(Logging::categoryOfFile("./script/ScriptRunner.cpp"), &lcScript());
        QCOMPARE(Logging::categoryOfFile("./app/main.cpp"), &lcApp());
        // The file's own name is no folder; outside the tree is none of ours.
        QCOMPARE(Logging::categoryOfFile("./device.cpp"), nullptr);
        QCOMPARE(Logging::categoryOfFile("qobject.cpp"), nullptr);
        QCOMPARE(Logging::categoryOfFile(nullptr), nullptr);
    }

    void everyLineOfAMessageGetsThePrefix()
    {
        QCOMPARE(Logging::format(QtWarningMsg, QStringLiteral("aurivent.device: box 1 gone"), true),
                 QByteArray("<4>aurivent.device: box 1 gone\n"));
        QCOMPARE(Logging::format(QtCriticalMsg, QStringLiteral("one\ntwo"), true), QByteArray("<3>one\n<3>two\n"));
        QCOMPARE(Logging::format(QtInfoMsg, QStringLiteral("one\ntwo"), false), QByteArray("one\ntwo\n"));
    }

    void theJournalIsKnownByItsDeviceAndInode()
    {
        CapturedStderr captured;
        const QByteArray stream = captured.stream();
        const bool same = Logging::stderrIsJournal(stream);
        const QByteArray device = stream.left(stream.indexOf(':'));
        const bool otherInode = Logging::stderrIsJournal(device + ":1");
        const bool garbage = Logging::stderrIsJournal("x:y") || Logging::stderrIsJournal("") ||
                             Logging::stderrIsJournal(":") || Logging::stderrIsJournal(stream + "9");
        captured.restore();
        QVERIFY(same);
        QVERIFY(!otherInode);
        QVERIFY(!garbage);
    }

    // The handler as main() installs it, on a stream systemd named.
    void theInstalledHandlerWritesPrioritiesAndCategories()
    {
        QLoggingCategory::setFilterRules(QString());
        CapturedStderr captured;
        qputenv("JOURNAL_STREAM", captured.stream());
        const QtMessageHandler testLog = Logging::install();
        qWarning() << "a warning without a category";
        qCInfo(lcDevice) << "box 0 found";
        qCDebug(lcDevice) << "a diagnostic label"; // off by default
        qDebug() << "a stray debug line";          // off too: its folder's category says so
        qCCritical(lcStorage).noquote() << "first\nsecond";
        qInstallMessageHandler(testLog);
        qunsetenv("JOURNAL_STREAM");
        QCOMPARE(captured.text(), QByteArray("<4>aurivent.app: a warning without a category\n"
                                             "<6>aurivent.device: box 0 found\n"
                                             "<3>aurivent.storage: first\n"
                                             "<3>second\n"));
    }
};

QTEST_GUILESS_MAIN(TestLogging)
#include "test_logging.moc"
