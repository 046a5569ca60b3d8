// SPDX-License-Identifier: GPL-3.0-or-later
#include "lighting/AudioLoopback.h"
#include "lighting/ComputerVolume.h"

#include "AudioSignals.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

QStringList g_messages;
QtMessageHandler g_previous = nullptr;
void collect(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    g_messages << text;
    g_previous(type, context, text);
}

} // namespace

// The music level from a real capture: a private PulseAudio server with a
// null sink, a tone played into it, and the level read from its monitor.
class TestVolumeCapture : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir{QStringLiteral("/tmp/aurivent-pa-XXXXXX")};
    QProcess m_server;
    QProcess m_player;
    QString m_socket;

    QProcessEnvironment serverEnvironment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("home/.config")));
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + m_socket);
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        return env;
    }

    // Starts the server; returns an empty text or why it could not start.
    QString startServer()
    {
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (exe.isEmpty())
            return QStringLiteral("no pulseaudio program on PATH");
        QFile::remove(m_socket);
        m_server.setProcessEnvironment(serverEnvironment());
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        // -n: no default script, only the two modules; as root it warns and runs.
        m_server.start(exe, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"),
                             QStringLiteral("--exit-idle-time=-1"), QStringLiteral("--use-pid-file=no"),
                             QStringLiteral("--disable-shm=yes"),
                             QStringLiteral("--load=module-null-sink sink_name=aurivent_test"),
                             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + m_socket});
        if (!m_server.waitForStarted(5000))
            return QStringLiteral("pulseaudio did not start: ") + m_server.errorString();
        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(m_socket) && clock.elapsed() < 10000) {
            if (m_server.state() != QProcess::Running)
                return QStringLiteral("pulseaudio exited: ") + QString::fromLocal8Bit(m_server.readAll());
            QTest::qWait(50);
        }
        if (!QFileInfo::exists(m_socket))
            return QStringLiteral("pulseaudio made no socket: ") + QString::fromLocal8Bit(m_server.readAll());
        return QString();
    }

    void stopServer()
    {
        if (m_server.state() == QProcess::NotRunning)
            return;
        m_server.terminate();
        if (!m_server.waitForFinished(5000)) {
            m_server.kill();
            m_server.waitForFinished(2000);
        }
    }

    // Plays a low tone into the null sink for `seconds`.
    void play(double seconds)
    {
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("pacat"));
        QVERIFY2(!exe.isEmpty(), "pacat (pulseaudio-utils) is needed to play the test tone");
        m_player.setProcessEnvironment(serverEnvironment());
        m_player.start(exe, {QStringLiteral("--playback"), QStringLiteral("--device=aurivent_test"),
                             QStringLiteral("--format=float32le"), QStringLiteral("--rate=48000"),
                             QStringLiteral("--channels=2"), QStringLiteral("--raw")});
        QVERIFY(m_player.waitForStarted(5000));
        const std::vector<float> tone = sineFrames(kLowToneHz, seconds);
        m_player.write(reinterpret_cast<const char *>(tone.data()), qint64(tone.size() * sizeof(float)));
        m_player.closeWriteChannel();
    }

    void stopPlayer()
    {
        if (m_player.state() == QProcess::NotRunning)
            return;
        m_player.kill();
        m_player.waitForFinished(2000);
    }

    // Queries every 50 ms, as the sampling timer does, until `done` or timeout.
    static int pollUntil(ComputerVolume &volume, const std::function<bool(int)> &done, int timeoutMs)
    {
        QElapsedTimer clock;
        clock.start();
        int level = -1;
        while (clock.elapsed() < timeoutMs) {
            level = volume.volumeLevel();
            if (done(level))
                return level;
            QTest::qWait(50);
        }
        return level;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("home/.config"));
        QDir(m_dir.path()).mkpath(QStringLiteral("run"));
        QFile::setPermissions(m_dir.filePath(QStringLiteral("run")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        m_socket = m_dir.filePath(QStringLiteral("native"));
        const QString why = startServer();
        if (!why.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no sound server could start here: ") + why));
        qputenv("PULSE_SERVER", (QStringLiteral("unix:") + m_socket).toLocal8Bit());
        g_previous = qInstallMessageHandler(collect);
    }

    void cleanupTestCase()
    {
        stopPlayer();
        stopServer();
        if (g_previous)
            qInstallMessageHandler(g_previous);
    }

    void playedToneRaisesTheLevelAndSilenceLowersIt()
    {
        ComputerVolume volume;
        // The null sink plays silence until the tone starts.
        const int idle = pollUntil(volume, [&](int) { return volume.capture()->isCapturing(); }, 5000);
        QVERIFY2(volume.capture()->isCapturing(), "the monitor stream did not open");
        QCOMPARE(volume.capture()->channels(), 2);
        QCOMPARE(pollUntil(volume, [](int l) { return l == 0; }, 3000), 0);
        Q_UNUSED(idle);

        play(4.0);
        const int loud = pollUntil(volume, [](int l) { return l >= 90; }, 5000);
        QVERIFY2(loud >= 90, qPrintable(QStringLiteral("level %1 while a tone plays").arg(loud)));
        stopPlayer();
        QCOMPARE(pollUntil(volume, [](int l) { return l == 0; }, 5000), 0);
    }

    void unusedCaptureClosesAndReopensOnDemand()
    {
        ComputerVolume volume;
        pollUntil(volume, [&](int) { return volume.capture()->isCapturing(); }, 5000);
        QVERIFY(volume.capture()->isCapturing());
        // Nobody asks for a level (no music mode): the stream is let go.
        QTRY_VERIFY_WITH_TIMEOUT(!volume.capture()->isCapturing(), 6000);
        pollUntil(volume, [&](int) { return volume.capture()->isCapturing(); }, 5000);
        QVERIFY(volume.capture()->isCapturing());
    }

    void capturesAgainAfterTheServerRestarts()
    {
        ComputerVolume volume;
        volume.capture()->setRetryInterval(300);
        pollUntil(volume, [&](int) { return volume.capture()->isCapturing(); }, 5000);
        QVERIFY(volume.capture()->isCapturing());

        g_messages.clear();
        stopServer();
        QCOMPARE(pollUntil(volume, [&](int) { return !volume.capture()->isCapturing(); }, 5000), 0);
        // Many queries while it is gone: level 0, one line about it.
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(volume.volumeLevel(), 0);
            QTest::qWait(50);
        }
        QCOMPARE(g_messages.filter(QStringLiteral("AudioLoopback: no sound server:")).size(), 1);

        const QString why = startServer();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        pollUntil(volume, [&](int) { return volume.capture()->isCapturing(); }, 8000);
        QVERIFY2(volume.capture()->isCapturing(), "no capture after the server came back");
        play(4.0);
        const int loud = pollUntil(volume, [](int l) { return l >= 90; }, 5000);
        QVERIFY2(loud >= 90, qPrintable(QStringLiteral("level %1 after the restart").arg(loud)));
        stopPlayer();
    }
};

QTEST_GUILESS_MAIN(TestVolumeCapture)
#include "test_volume_capture.moc"
