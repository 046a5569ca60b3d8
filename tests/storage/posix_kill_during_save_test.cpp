// SPDX-License-Identifier: GPL-3.0-or-later
// A process killed with SIGKILL in the middle of its saves never leaves a
// damaged file: every file reads back as one complete save, old or new.

#include "StorageFixture.h"

#include "storage/IniFile.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QtTest>

#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>

namespace {
// The box model these cases drive, as the program's own would be.
BoxModel boxes;
} // namespace

using namespace StorageFixture;

namespace {

constexpr int kRounds = 200;
// Keys of other programs that every save carries along: they make the file
// big enough that a kill can land inside its writing, not only around it.
constexpr int kForeignKeys = 600;

// Two complete states that the saves alternate between.
AppSettings settingsFor(int state)
{
    AppSettings settings;
    settings.Password = state ? QStringLiteral("2222") : QStringLiteral("1111");
    settings.updateServer = QStringLiteral("http://update.example/%1").arg(state);
    return settings;
}

void fillBoxes(int state)
{
    for (int box = 0; box < kBoxCount; ++box) {
        boxes[box].profileValue = state ? 5 : 2;
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            boxes[box].rainbowFan[fan].lightMode = state ? 14 - fan : fan;
            for (int led = 0; led < kColorEntries; ++led)
                boxes[box].rainbowFan[fan].rValue_Led[led] = state ? 255 - led : led;
        }
    }
}

void saveState(int state)
{
    fillBoxes(state);
    IniHelper::writeDeviceProfile(settingsFor(state), boxes.records());
    IniHelper::writeProfileIni(IniHelper::buildProfileMap(0, boxes[0]), 3);
}

// Which state a file holds: 0 or 1, or -1 when it is neither. The bytes are
// parsed under a fresh name each time: QSettings caches files by path.
int deviceState()
{
    const QByteArray raw = readRaw(IniHelper::deviceFilePath());
    const auto file = IniFile::parse(raw);
    if (!file->readable || !raw.endsWith('\n'))
        return -1;
    // Groups are sorted: the other program's keys come last in the file.
    if (IniFile::readText(*file, QStringLiteral("Other/key%1").arg(kForeignKeys - 1))
        != QLatin1String("some text that another program keeps here"))
        return -1;
    for (int state = 0; state < 2; ++state) {
        const AppSettings expected = settingsFor(state);
        bool same = IniFile::readText(*file, QStringLiteral("Main/Password")) == expected.Password
                    && IniFile::readText(*file, QStringLiteral("Main/UpdateServer")) == expected.updateServer;
        for (int box = 0; box < kBoxCount; ++box)
            same = same && IniFile::readText(*file, IniHelper::deviceGroup(box) + QStringLiteral("/Profile"))
                               == QString::number(state ? 5 : 2);
        if (same)
            return state;
    }
    return -1;
}

int profileState()
{
    const QByteArray raw = readRaw(IniHelper::profilePath(3));
    const auto file = IniFile::parse(raw);
    if (!file->readable || !raw.endsWith('\n'))
        return -1;
    for (int state = 0; state < 2; ++state) {
        bool same = true;
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            const QString group = IniHelper::fanGroup(fan) + QLatin1Char('/');
            same = same && IniFile::readText(*file, group + QStringLiteral("lightMode"))
                               == QString::number(state ? 14 - fan : fan);
            QStringList reds;
            for (int led = 0; led < kColorEntries; ++led)
                reds << QString::number(state ? 255 - led : led);
            same = same && IniFile::readText(*file, group + QStringLiteral("RColor")) == reds.join(QLatin1Char(','));
        }
        if (same)
            return state;
    }
    return -1;
}

bool stagingLeftBehind()
{
    return !leftovers(IniHelper::deviceFilePath()).isEmpty() || !leftovers(IniHelper::profilePath(3)).isEmpty();
}

}

class TestKillDuringSave : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY2(dataFolderIsIsolated(), qPrintable(IniHelper::dataFolder()));
        cleanStart(boxes);
    }

    void killedSavesLeaveCompleteFiles()
    {
        QByteArray foreign("[Other]\n");
        for (int i = 0; i < kForeignKeys; ++i)
            foreign += "key" + QByteArray::number(i) + "=some text that another program keeps here\n";
        writeRaw(IniHelper::deviceFilePath(), foreign);
        saveState(0);
        QCOMPARE(deviceState(), 0);
        QCOMPARE(profileState(), 0);

        // How long one pair of saves takes here, so that the kills can be
        // spread over the whole of it.
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 4; ++i)
            saveState(i % 2);
        const qint64 pairNs = clock.nsecsElapsed() / 4;

        QRandomGenerator random(17);
        int interrupted = 0;
        for (int round = 0; round < kRounds; ++round) {
            int pipeFds[2];
            QCOMPARE(pipe(pipeFds), 0);
            const pid_t child = fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                close(pipeFds[0]);
                for (int i = 0;; ++i) {
                    const char mark = 's';
                    if (write(pipeFds[1], &mark, 1) != 1)
                        _exit(1);
                    saveState((round + i) % 2);
                }
            }
            close(pipeFds[1]);
            // Killed at a random point of the n-th pair of saves.
            const int saves = 1 + random.bounded(3);
            for (int n = 0; n < saves; ++n) {
                char mark = 0;
                QCOMPARE(read(pipeFds[0], &mark, 1), ssize_t(1));
            }
            const qint64 at = static_cast<qint64>(random.bounded(1.0) * double(pairNs));
            const timespec delay{static_cast<time_t>(at / 1000000000), static_cast<long>(at % 1000000000)};
            nanosleep(&delay, nullptr);
            kill(child, SIGKILL);
            int status = 0;
            QCOMPARE(waitpid(child, &status, 0), child);
            close(pipeFds[0]);
            QVERIFY(WIFSIGNALED(status));

            interrupted += stagingLeftBehind() ? 1 : 0;
            const int device = deviceState();
            const int profile = profileState();
            QVERIFY2(device >= 0, qPrintable(QStringLiteral("device file damaged in round %1").arg(round)));
            QVERIFY2(profile >= 0, qPrintable(QStringLiteral("profile damaged in round %1").arg(round)));
        }
        // The kills did land inside saves, not only between them.
        QVERIFY(interrupted > 0);
        qInfo() << "saves cut off part-way:" << interrupted << "of" << kRounds << "; one pair takes"
                << pairNs / 1000 << "us";

        // The next save clears what the cut-off ones left.
        saveState(1);
        QCOMPARE(stagingLeftBehind(), false);
        QCOMPARE(deviceState(), 1);
    }
};

QTEST_GUILESS_MAIN(TestKillDuringSave)
#include "posix_kill_during_save_test.moc"
