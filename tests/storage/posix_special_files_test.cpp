// SPDX-License-Identifier: GPL-3.0-or-later
// What may sit at a settings path besides a file (a FIFO, a folder, a file of
// hundreds of MiB) is refused at once and never waited on; and a save is
// durable: the new file is flushed before its rename, the folder after it.
// fsync and rename are watched from inside this program: the definitions
// below take the place of the C library's for the code linked into it.

#include "StorageFixture.h"

#include "common/FileAccess.h"
#include "script/ScriptFile.h"
#include "storage/IniFile.h"

#include <QElapsedTimer>
#include <QtTest>

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What the code under test asked of the disk, in order: "sync file",
// "sync folder", "rename".
QStringList s_calls;

BoxModel boxes;

} // namespace

extern "C" int fsync(int fd)
{
    using Real = int (*)(int);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "fsync"));
    struct stat info;
    if (fstat(fd, &info) == 0)
        s_calls << (S_ISDIR(info.st_mode) ? QStringLiteral("sync folder") : QStringLiteral("sync file"));
    return real(fd);
}

extern "C" int rename(const char *from, const char *to) noexcept
{
    using Real = int (*)(const char *, const char *);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "rename"));
    s_calls << QStringLiteral("rename");
    return real(from, to);
}

using namespace StorageFixture;

class TestSpecialFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder())); }
    void init()
    {
        cleanStart(boxes);
        QVERIFY(QDir().mkpath(IniHelper::dataFolder() + QStringLiteral("/VaylaZeve")));
    }

    void aFifoIsRefusedAtOnce()
    {
        const QByteArray device = QFile::encodeName(IniHelper::deviceFilePath());
        const QByteArray profile = QFile::encodeName(IniHelper::profilePath(1));
        QCOMPARE(mkfifo(device.constData(), 0600), 0);
        QCOMPARE(mkfifo(profile.constData(), 0600), 0);
        // Nobody ever writes to them: a read that waited would wait for ever.
        WarningLog log;
        const DeviceFileData data = IniHelper::readDeviceIni();
        AppSettings settings;
        IniHelper::parseDeviceData(data, settings, boxes.records());
        // Phone access that cannot be read is kept to this computer.
        QCOMPARE(settings.remoteAccess, 1);
        QCOMPARE(settings.refusedSettings, QStringList{QStringLiteral("RemoteAccess")});
        QCOMPARE(data.boxes, IniHelper::defaultDeviceData().boxes);
        QCOMPARE(IniHelper::readProfileIni(1), IniHelper::defaultProfileData());
        QVERIFY(log.count(QStringLiteral("settings file not read:")) == 2);
        QVERIFY(log.lines.join(QLatin1Char('\n')).contains(QStringLiteral("a FIFO")));

        const Script script = ScriptFile::read(IniHelper::profilePath(1));
        QVERIFY(script.frames.isEmpty());
        QCOMPARE(script.period, 0);

        // The next save puts a regular file in its place.
        QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));
        QVERIFY(QFileInfo(IniHelper::deviceFilePath()).isFile());
        QCOMPARE(storedText(IniHelper::deviceFilePath(), QStringLiteral("Main/RemoteAccess")), QStringLiteral("1"));
    }

    void foldersAndHugeFilesAreRefused()
    {
        QVERIFY(QDir().mkpath(IniHelper::profilePath(2)));
        QCOMPARE(IniHelper::readProfileIni(2), IniHelper::defaultProfileData());

        // Just past the bound, with a valid setting at its start.
        QByteArray huge("[Fan0]\nlightMode=2\n");
        huge += QByteArray(int(IniFile::kMaxSettingsBytes) - huge.size() + 1, ';');
        writeRaw(IniHelper::profilePath(3), huge);
        WarningLog log;
        QCOMPARE(IniHelper::readProfileIni(3), IniHelper::defaultProfileData());
        QVERIFY(log.lines.join(QLatin1Char('\n')).contains(QStringLiteral("more than the 1048576 allowed")));
        // At the bound it is read.
        huge.chop(1);
        writeRaw(IniHelper::profilePath(3), huge);
        QCOMPARE(IniHelper::readProfileIni(3).at(0).at(RgbProfileKey::lightMode), QStringLiteral("2"));

        // A file that grows while it is read is refused too.
        const FileAccess::Read grown = FileAccess::readRegular(QStringLiteral("/proc/self/status"), 16);
        QVERIFY(grown.status == FileAccess::Read::Status::Refused);
        QVERIFY(grown.bytes.isEmpty());
        QVERIFY(FileAccess::readRegular(QStringLiteral("/dev/null"), 16).status == FileAccess::Read::Status::Refused);
        QVERIFY(FileAccess::readRegular(IniHelper::dataFolder() + QStringLiteral("/none"), 16).status
                == FileAccess::Read::Status::Missing);
    }

    void aSaveIsFlushedBeforeAndAfterItsRename()
    {
        AppSettings settings;
        settings.Password = QStringLiteral("1357");
        s_calls.clear();
        QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));
        QCOMPARE(s_calls, (QStringList{QStringLiteral("sync file"), QStringLiteral("rename"), QStringLiteral("sync folder")}));
        // A new file is its owner's only; a replaced one keeps its permissions.
        QCOMPARE(QFileInfo(IniHelper::deviceFilePath()).permissions() & 0x0077, QFileDevice::Permissions());
        QVERIFY(QFile::setPermissions(IniHelper::deviceFilePath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                                                    | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        s_calls.clear();
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 1));
        QVERIFY(IniHelper::writeDeviceProfile(settings, boxes.records()));
        QCOMPARE(s_calls.count(QStringLiteral("sync folder")), 2);
        QCOMPARE(s_calls.count(QStringLiteral("rename")), 2);
        QVERIFY(QFileInfo(IniHelper::deviceFilePath()).permissions() & QFileDevice::ReadOther);
        QCOMPARE(storedText(IniHelper::deviceFilePath(), QStringLiteral("Main/Password")), QStringLiteral("1357"));
        // Nothing of the save is left beside the file.
        QCOMPARE(QDir(IniHelper::dataFolder()).entryList(QDir::Files), QStringList{QStringLiteral("Device.ini")});
    }
};

QTEST_GUILESS_MAIN(TestSpecialFiles)
#include "posix_special_files_test.moc"
