// SPDX-License-Identifier: GPL-3.0-or-later
#include "StorageFixture.h"

#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace {
// The box model these cases drive, as the program's own would be.
BoxModel boxes;
} // namespace

using namespace StorageFixture;

// A full disk, made without privileges: a file-size limit lets every write
// stop part-way, as ENOSPC would, for root too.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        m_active = setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    bool isActive() const { return m_active; }

private:
    rlimit m_old{};
    bool m_active = false;
};

class TestPosixWriteFailures : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder()));
        std::signal(SIGXFSZ, SIG_IGN);   // a write past the limit fails instead
    }

    void init() { cleanStart(boxes); }

    void cleanup()
    {
        QFile::setPermissions(IniHelper::dataFolder(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }

    void readOnlyFolderKeepsTheOldFile()
    {
        if (geteuid() == 0)
            QSKIP("root writes into a read-only folder anyway; fullDiskKeepsTheOldFile covers this case");
        QVERIFY(IniHelper::writeDeviceProfile(AppSettings(), boxes.records()));
        const QByteArray before = readRaw(IniHelper::deviceFilePath());
        // The file itself stays writable: only a write through a new file in
        // the folder, renamed over the old one, is stopped here.
        QVERIFY(QFile::setPermissions(IniHelper::dataFolder(), QFile::ReadOwner | QFile::ExeOwner));
        AppSettings changed;
        changed.Password = QStringLiteral("0000");
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeDeviceIni failed: ")));
        QCOMPARE(IniHelper::writeDeviceProfile(changed, boxes.records()), false);
        QCOMPARE(readRaw(IniHelper::deviceFilePath()), before);
    }


    void fullDiskKeepsTheOldFile()
    {
        AppSettings old;
        old.Password = QStringLiteral("1111");
        QVERIFY(IniHelper::writeDeviceProfile(old, boxes.records()));
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            boxes[0].rainbowFan[fan].lightMode = fan;
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 2));
        const QString device = IniHelper::deviceFilePath();
        const QString profile = IniHelper::profilePath(2);
        const QByteArray deviceBefore = readRaw(device);
        const QByteArray profileBefore = readRaw(profile);
        QVERIFY(deviceBefore.size() > 1024);
        QVERIFY(profileBefore.size() > 1024);

        AppSettings changed = old;
        changed.Password = QStringLiteral("2222");
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            boxes[0].rainbowFan[fan].lightMode = 14 - fan;
        bool deviceWritten = true;
        bool profileWritten = true;
        bool plainQSettingsFailed = false;
        {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeDeviceIni failed: ")));
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("^writeProfileIni failed: ")));
            FileSizeLimit limit(512);
            QVERIFY(limit.isActive());
            deviceWritten = IniHelper::writeDeviceProfile(changed, boxes.records());
            profileWritten = IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 2);

            // The limit really bites: a plain QSettings save of the same file
            // does not come out whole (it either reports it or, in Qt 5.15,
            // renames a truncated file into place).
            const QString plain = IniHelper::dataFolder() + QStringLiteral("/plain.ini");
            QSettings direct(plain, QSettings::IniFormat);
            direct.setAtomicSyncRequired(true);
            for (int i = 0; i < 64; ++i)
                direct.setValue(QStringLiteral("Group%1/key").arg(i), QStringLiteral("some value text"));
            direct.sync();
            plainQSettingsFailed = direct.status() != QSettings::NoError || QFileInfo(plain).size() <= 512;
        }
        QVERIFY(plainQSettingsFailed);
        QCOMPARE(deviceWritten, false);
        QCOMPARE(profileWritten, false);
        QCOMPARE(readRaw(device), deviceBefore);
        QCOMPARE(readRaw(profile), profileBefore);
        QCOMPARE(leftovers(device), QStringList());
        QCOMPARE(leftovers(profile), QStringList());

        // With room again the same saves succeed.
        QVERIFY(IniHelper::writeDeviceProfile(changed, boxes.records()));
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 2));
        AppSettings loaded;
        IniHelper::parseDeviceData(IniHelper::readDeviceIni(), loaded, boxes.records());
        QCOMPARE(loaded.Password, QStringLiteral("2222"));
        IniHelper::parseProfile(1, IniHelper::readProfileIni(2), boxes[1]);
        QCOMPARE(boxes[1].rainbowFan[0].lightMode, 14);
        QCOMPARE(boxes[1].rainbowFan[4].lightMode, 10);
    }
};

QTEST_GUILESS_MAIN(TestPosixWriteFailures)
#include "posix_write_failures_test.moc"
