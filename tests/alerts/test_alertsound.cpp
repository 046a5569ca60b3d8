// SPDX-License-Identifier: GPL-3.0-or-later
// The alert sound: the program's own tone, and the Linux player sending it
// (or a file) to a private PulseAudio server whose null sink is recorded, so
// the test hears what a user would.
#include "alerts/AlertSound.h"
#include "alerts/AlertTone.h"

#include <QDataStream>
#include <QElapsedTimer>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

struct Wav {
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QVector<qint16> samples;
};

Wav parseWav(const QByteArray &bytes)
{
    Wav w;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    char tag[5] = {};
    quint32 size = 0;
    in.readRawData(tag, 4);
    if (QByteArray(tag) != "RIFF")
        return w;
    in >> size;
    in.readRawData(tag, 4);
    if (QByteArray(tag) != "WAVE" || size + 8 != quint32(bytes.size()))
        return w;
    while (!in.atEnd()) {
        in.readRawData(tag, 4);
        in >> size;
        if (QByteArray(tag) == "fmt ") {
            quint32 byteRate = 0;
            quint16 align = 0;
            in >> w.format >> w.channels >> w.rate >> byteRate >> align >> w.bits;
            in.skipRawData(int(size) - 16);
        } else if (QByteArray(tag) == "data") {
            w.samples.resize(int(size / 2));
            for (qint16 &s : w.samples)
                in >> s;
        } else {
            in.skipRawData(int(size));
        }
    }
    return w;
}

} // namespace

class TestAlertSound : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir{QStringLiteral("/tmp/aurivent-sound-XXXXXX")};
    QProcess m_server;
    QString m_socket;
    QString m_skip;

    QProcessEnvironment environment() const
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath(QStringLiteral("run")));
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.filePath(QStringLiteral("home/.config")));
        env.insert(QStringLiteral("PULSE_SERVER"), QStringLiteral("unix:") + m_socket);
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        return env;
    }

    QString startServer()
    {
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (exe.isEmpty())
            return QStringLiteral("no pulseaudio program on PATH");
        m_server.setProcessEnvironment(environment());
        m_server.setProcessChannelMode(QProcess::MergedChannels);
        m_server.start(exe, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--exit-idle-time=-1"),
                             QStringLiteral("--use-pid-file=no"), QStringLiteral("--disable-shm=yes"),
                             QStringLiteral("--load=module-null-sink sink_name=aurivent_alerts"),
                             QStringLiteral("--load=module-native-protocol-unix auth-anonymous=1 socket=") + m_socket});
        if (!m_server.waitForStarted(10000))
            return QStringLiteral("pulseaudio did not start: ") + m_server.errorString();
        QElapsedTimer clock;
        clock.start();
        while (!QFileInfo::exists(m_socket) && clock.elapsed() < 20000) {
            if (m_server.state() != QProcess::Running)
                return QStringLiteral("pulseaudio ended: ") + QString::fromLocal8Bit(m_server.readAll());
            m_server.waitForReadyRead(100);
        }
        return QFileInfo::exists(m_socket) ? QString() : QStringLiteral("pulseaudio made no socket");
    }

    static void stop(QProcess &p)
    {
        if (p.state() == QProcess::NotRunning)
            return;
        p.terminate();
        if (!p.waitForFinished(5000)) {
            p.kill();
            p.waitForFinished(5000);
        }
    }

    // Records the sink while `play` runs until the player says it finished;
    // gives the loudest sample recorded.
    int loudestWhile(const std::function<bool(AlertSound &)> &play)
    {
        const QString raw = m_dir.filePath(QStringLiteral("recorded.raw"));
        QFile::remove(raw);
        QProcess recorder;
        recorder.setProcessEnvironment(environment());
        recorder.setStandardOutputFile(raw);
        recorder.start(QStandardPaths::findExecutable(QStringLiteral("parec")),
                       {QStringLiteral("--device=aurivent_alerts.monitor"), QStringLiteral("--format=s16le"),
                        QStringLiteral("--rate=44100"), QStringLiteral("--channels=1"), QStringLiteral("--latency-msec=20")});
        if (!recorder.waitForStarted(10000))
            return -1;
        // The monitor delivers silence from the moment the recording runs.
        QElapsedTimer clock;
        clock.start();
        while (QFileInfo(raw).size() < 4096 && clock.elapsed() < 20000)
            recorder.waitForFinished(50);
        auto sound = AlertSound::create();
        QSignalSpy finished(sound.get(), &AlertSound::finished);
        if (!play(*sound))
            return -2;
        if (!finished.wait(20000) || !finished.first().first().toBool())
            return -3;
        // What was played reaches the file within moments; wait for it.
        int loudest = 0;
        clock.restart();
        while (loudest < 1000 && clock.elapsed() < 20000) {
            recorder.waitForFinished(100);
            QFile f(raw);
            if (!f.open(QIODevice::ReadOnly))
                continue;
            const QByteArray bytes = f.readAll();
            const auto *s = reinterpret_cast<const qint16 *>(bytes.constData());
            for (int i = 0; i < bytes.size() / 2; ++i)
                loudest = std::max(loudest, std::abs(int(s[i])));
        }
        stop(recorder);
        return loudest;
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
        QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("paplay")).isEmpty(), "paplay (pulseaudio-utils) is needed");
        m_skip = startServer();
        if (m_skip.isEmpty())
            qputenv("PULSE_SERVER", (QStringLiteral("unix:") + m_socket).toLocal8Bit());
    }

    void cleanupTestCase() { stop(m_server); }

    void theToneIsAShortCleanChime()
    {
        const Wav w = parseWav(AlertTone::wav());
        QCOMPARE(w.format, quint16(1));
        QCOMPARE(w.channels, quint16(1));
        QCOMPARE(w.bits, quint16(16));
        QCOMPARE(w.rate, quint32(AlertTone::kSampleRate));
        QVERIFY(w.samples.size() > AlertTone::kSampleRate / 4);
        QVERIFY(w.samples.size() < AlertTone::kSampleRate);
        int peak = 0;
        for (qint16 s : w.samples)
            peak = std::max(peak, std::abs(int(s)));
        // Loud enough to hear, never clipped; it starts and ends at silence.
        QVERIFY2(peak > 10000 && peak < 30000, qPrintable(QString::number(peak)));
        QVERIFY(std::abs(int(w.samples.first())) < 200);
        QVERIFY(std::abs(int(w.samples.last())) < 200);
    }

    void theToneReachesTheSoundServer()
    {
        if (!m_skip.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no sound server could start here: ") + m_skip));
        const int loudest = loudestWhile([](AlertSound &s) { return s.play(QString()); });
        QVERIFY2(loudest > 5000, qPrintable(QString::number(loudest)));
    }

    void aSoundFileOfTheUsers()
    {
        if (!m_skip.isEmpty())
            QSKIP(qPrintable(QStringLiteral("no sound server could start here: ") + m_skip));
        const QString file = m_dir.filePath(QStringLiteral("mine.wav"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(AlertTone::wav());
        f.close();
        const int loudest = loudestWhile([&file](AlertSound &s) { return s.play(file); });
        QVERIFY2(loudest > 5000, qPrintable(QString::number(loudest)));
    }

    void oneAtATimeAndOnlyReadableFiles()
    {
        auto sound = AlertSound::create();
        for (const QString &bad : {QStringLiteral("relative.wav"), m_dir.filePath(QStringLiteral("missing.wav")), m_dir.path()}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alert sound refused:.*")));
            QVERIFY2(!sound->play(bad), qPrintable(bad));
        }
        QSignalSpy finished(sound.get(), &AlertSound::finished);
        QVERIFY(sound->play(QString()));
        QVERIFY(!sound->play(QString())); // one plays already
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, 20000);
        QVERIFY(sound->play(QString())); // free again
        QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, 20000);
    }

    void noSoundServerIsAFailureSaid()
    {
        qputenv("PULSE_SERVER", QFile::encodeName(QStringLiteral("unix:") + m_dir.filePath(QStringLiteral("nothing-here"))));
        auto sound = AlertSound::create();
        QSignalSpy finished(sound.get(), &AlertSound::finished);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("alert sound: the player could not play it:.*")));
        QVERIFY(sound->play(QString()));
        QVERIFY(finished.wait(20000));
        QCOMPARE(finished.first().first().toBool(), false);
        qputenv("PULSE_SERVER", (QStringLiteral("unix:") + m_socket).toLocal8Bit());
    }
};

QTEST_GUILESS_MAIN(TestAlertSound)
#include "test_alertsound.moc"
