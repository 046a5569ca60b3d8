// SPDX-License-Identifier: GPL-3.0-or-later
// The state file: what a restart gets back, and every way a damaged or
// foreign file is refused without touching the history in memory.
#include "history/History.h"
#include "history/HistoryFile.h"

#include <QDataStream>
#include <QCryptographicHash>
#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

#include <cmath>
#include <functional>

Q_DECLARE_METATYPE(std::function<QByteArray(QByteArray)>)

namespace {

constexpr qint64 kStart = 1'800'000'000 - 1'800'000'000 % 86400;
const QString kCpu = QStringLiteral("k10temp/Tctl");

// Two hours of a few series, with gaps and a minute in progress.
void fill(History &h, qint64 from = kStart, qint64 seconds = 2 * 3600 + 17)
{
    for (qint64 t = from; t < from + seconds; ++t) {
        const int i = int(t - from);
        h.setFanRpm(0, 1, 600 + i % 700);
        if (i % 300 == 0)
            h.setFanDuty(0, 1, (i / 300) % 101);
        if (i % 5 == 0) {
            if ((i / 600) % 3 == 2)
                h.setTemperatureAbsent(kCpu);
            else
                h.setTemperature(kCpu, 35.0 + (i % 400) / 10.0);
        }
        h.setBoxHealth(0, i % 1000 < 20 ? HealthCode::NotAnswering : HealthCode::Answering);
        h.setFanRpm(15, 4, 1200);
        h.advanceTo(t);
    }
}

bool samePoints(const HistoryPoints &a, const HistoryPoints &b)
{
    if (a.firstSecond != b.firstSecond || a.stepSeconds != b.stepSeconds || a.size() != b.size())
        return false;
    const auto same = [](const QVector<float> &x, const QVector<float> &y) {
        for (int i = 0; i < x.size(); ++i)
            if (!(x[i] == y[i] || (std::isnan(x[i]) && std::isnan(y[i]))))
                return false;
        return true;
    };
    return same(a.min, b.min) && same(a.mean, b.mean) && same(a.max, b.max);
}

// Whether two histories hold the same series with the same points.
bool sameHistory(const History &a, const History &b)
{
    if (a.headSecond() != b.headSecond() || a.seriesKeys().size() != b.seriesKeys().size())
        return false;
    for (const SeriesKey &key : a.seriesKeys()) {
        if (!b.seriesKeys().contains(key))
            return false;
        for (HistoryResolution r : {HistoryResolution::Seconds, HistoryResolution::Minutes})
            if (!samePoints(a.points(key, 0, a.headSecond(), r), b.points(key, 0, b.headSecond(), r)))
                return false;
    }
    return true;
}

// The payload of a file, and a file around a payload with a correct envelope:
// damage inside the payload must be found by the checks of its content.
QByteArray payloadOf(const QByteArray &file)
{
    return qUncompress(file.mid(48));
}

QByteArray wrap(const QByteArray &body, quint32 version = HistoryFile::kVersion)
{
    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("AURVHIST", 8);
    out << version << quint32(body.size());
    const QByteArray hash = QCryptographicHash::hash(body, QCryptographicHash::Sha256);
    out.writeRawData(hash.constData(), hash.size());
    out.writeRawData(body.constData(), body.size());
    return file;
}

QByteArray envelope(const QByteArray &payload, quint32 version = HistoryFile::kVersion)
{
    return wrap(qCompress(payload), version);
}

// Offsets into a payload: header 14 bytes, then series of this layout.
constexpr int kHeader = 8 + 2 + 2 + 2;
int seriesSize(int nameBytes)
{
    return 5 + nameBytes + 2 * kFineSeconds + 7 * kCoarseMinutes + 9;
}

void put16(QByteArray &b, int at, qint16 v)
{
    b[at] = char(v & 0xff);
    b[at + 1] = char((v >> 8) & 0xff);
}

} // namespace

class TestHistoryFile : public QObject {
    Q_OBJECT

private slots:
    void aRestartGetsTheSameHistoryBack()
    {
        History h;
        fill(h);
        const QByteArray bytes = HistoryFile::encode(h);
        History back;
        QString why;
        QVERIFY2(HistoryFile::decode(bytes, back, &why), qPrintable(why));
        QVERIFY(sameHistory(h, back));
        QCOMPARE(back.seriesKeys().size(), h.seriesKeys().size());

        // Both go on alike: the minute in progress carries on where it was.
        h.setFanRpm(0, 1, 1000);
        back.setFanRpm(0, 1, 1000);
        const qint64 from = h.headSecond() + 1;
        for (qint64 t = from; t < from + 120; ++t) {
            h.advanceTo(t);
            back.advanceTo(t);
        }
        const qint64 head = h.headSecond();
        QVERIFY(samePoints(h.points(SeriesKey::fanRpm(0, 1), head - 7200, head, HistoryResolution::Minutes),
                           back.points(SeriesKey::fanRpm(0, 1), head - 7200, head, HistoryResolution::Minutes)));
        // Readings are not carried over: a restart reads them anew.
        QVERIFY(std::isnan(back.points(SeriesKey::fanRpm(15, 4), head, head).mean[0]));
    }

    void aRestartAfterALongStopShowsTheGap()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state/history.bin"));
        History h;
        fill(h);
        QVERIFY(HistoryFile::save(h, path));
        QCOMPARE(QFileInfo(path).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
        History back;
        QVERIFY(HistoryFile::load(back, path));
        const qint64 stopped = h.headSecond();
        back.setFanRpm(0, 1, 900);
        back.advanceTo(stopped + 3 * 3600);
        const HistoryPoints hour = back.points(SeriesKey::fanRpm(0, 1), stopped + 3 * 3600 - 3599, stopped + 3 * 3600);
        QCOMPARE(hour.size(), 3600);
        QVERIFY(std::isnan(hour.mean[0]));
        QCOMPARE(double(hour.mean.last()), 900.0);
        const HistoryPoints day = back.points(SeriesKey::fanRpm(0, 1), kStart, stopped, HistoryResolution::Minutes);
        QVERIFY(!std::isnan(day.mean[0]));
    }

    // Each damage, and the reason the file is refused for.
    void damagedFilesAreRefusedWhole_data()
    {
        QTest::addColumn<std::function<QByteArray(QByteArray)>>("damage");
        QTest::addColumn<QString>("reason");
        using D = std::function<QByteArray(QByteArray)>;
        QTest::newRow("empty") << D([](QByteArray) { return QByteArray(); }) << "not a history file";
        QTest::newRow("another file") << D([](QByteArray b) { b[0] = 'X'; return b; }) << "not a history file";
        QTest::newRow("newer version") << D([](QByteArray b) { return envelope(payloadOf(b), 2); }) << "version 2";
        QTest::newRow("cut short") << D([](QByteArray b) { b.chop(1); return b; }) << "does not match the file";
        QTest::newRow("a byte more") << D([](QByteArray b) { return b + 'x'; }) << "does not match the file";
        QTest::newRow("flipped bit") << D([](QByteArray b) { b[b.size() / 2] = char(b[b.size() / 2] ^ 1); return b; })
                                     << "checksum";
        QTest::newRow("payload said larger than the bound") << D([](QByteArray) {
            QByteArray body = qCompress(QByteArray(64, 'a'));
            body[0] = char(0x7f); // qCompress's length in front, big-endian
            return wrap(body);
        }) << "past the bound";
        QTest::newRow("other tiers") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            put16(p, 8, 1800);
            return envelope(p);
        }) << "tiers";
        QTest::newRow("too many series") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            put16(p, 12, 185);
            return envelope(p);
        }) << "at most 184";
        QTest::newRow("fewer series than written") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            put16(p, 12, 1);
            return envelope(p);
        }) << "bytes after the last series";
        QTest::newRow("kind 9") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            p[kHeader] = 9;
            return envelope(p);
        }) << "bad kind";
        QTest::newRow("box 16") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            p[kHeader + 1] = 16;
            return envelope(p);
        }) << "out of range";
        QTest::newRow("fan 5") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            p[kHeader + 2] = 5;
            return envelope(p);
        }) << "out of range";
        QTest::newRow("a series twice") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            const int first = seriesSize(0);
            p.replace(kHeader + first, first, p.mid(kHeader, first));
            return envelope(p);
        }) << "twice";
        QTest::newRow("duty 101 in a second") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            // Series come as speeds, duties, healths, sources: the third is box 0 fan 1's duty.
            put16(p, kHeader + 2 * seriesSize(0) + 5 + 2 * 100, 101);
            return envelope(p);
        }) << "second out of range";
        QTest::newRow("minute whose mean is past its maximum") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            const int minutes = kHeader + 5 + 2 * kFineSeconds;
            const int last = minutes + 7 * (kCoarseMinutes - 1);
            put16(p, last + 2, 32000);
            return envelope(p);
        }) << "minute out of range";
        QTest::newRow("absent minute with a value") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            const int minutes = kHeader + 5 + 2 * kFineSeconds;
            put16(p, minutes, 5); // the oldest minute is absent in this history
            return envelope(p);
        }) << "minute out of range";
        QTest::newRow("minute in progress whose sum cannot be") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            const int sum = kHeader + seriesSize(0) - 5;
            p[sum + 3] = char(0x7f);
            return envelope(p);
        }) << "in progress";
        QTest::newRow("source name not UTF-8") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            const int name = p.indexOf(kCpu.toUtf8());
            p[name] = char(0xff);
            return envelope(p);
        }) << "bad source name";
        QTest::newRow("cut inside a series") << D([](QByteArray b) {
            QByteArray p = payloadOf(b);
            p.chop(100);
            return envelope(p);
        }) << "cut short";
    }
    void damagedFilesAreRefusedWhole()
    {
        QFETCH(std::function<QByteArray(QByteArray)>, damage);
        QFETCH(QString, reason);
        History source;
        fill(source);
        QVERIFY(source.seriesKeys().size() >= 5);
        QCOMPARE(source.seriesKeys().first(), SeriesKey::fanRpm(0, 1));
        History target;
        fill(target, kStart - 500, 100);
        History untouched;
        fill(untouched, kStart - 500, 100);
        QString why;
        QVERIFY(!HistoryFile::decode(damage(HistoryFile::encode(source)), target, &why));
        QVERIFY2(why.contains(reason), qPrintable(why));
        QVERIFY(sameHistory(target, untouched));
    }

    void loadRefusesWhatIsNoFileOfOurs()
    {
        QTemporaryDir dir;
        History h;
        fill(h, kStart, 100);
        History untouched;
        fill(untouched, kStart, 100);
        // Missing: nothing said, nothing changed.
        QVERIFY(!HistoryFile::load(h, dir.filePath(QStringLiteral("none.bin"))));
        QVERIFY(sameHistory(h, untouched));
        // A folder, a pipe nobody writes to, a file past the bound.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("history: file refused.*a folder")));
        QVERIFY(!HistoryFile::load(h, dir.filePath(QStringLiteral("folder"))));
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("history: file refused.*a FIFO")));
        QVERIFY(!HistoryFile::load(h, fifo));
        const QString big = dir.filePath(QStringLiteral("big.bin"));
        {
            QFile f(big);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(HistoryFile::fileBound(h) + 1));
        }
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("history: file refused.*more than the .* allowed")));
        QVERIFY(!HistoryFile::load(h, big));
        QVERIFY(sameHistory(h, untouched));
    }

    void aFailedSaveKeepsTheOldFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("history.bin"));
        History h;
        fill(h, kStart, 200);
        QVERIFY(HistoryFile::save(h, path));
        const QByteArray before = [&] { QFile f(path); f.open(QIODevice::ReadOnly); return f.readAll(); }();
        // A folder where the file should be replaced cannot be renamed over.
        const QString blocked = dir.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("blocked/inside")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("history: save failed:.*")));
        QVERIFY(!HistoryFile::save(h, blocked));
        // A folder that cannot be created (a file stands in its way).
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("history: save failed: cannot create folder")));
        QVERIFY(!HistoryFile::save(h, path + QStringLiteral("/sub/history.bin")));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
        const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
        QCOMPARE(left, QStringList{QStringLiteral("history.bin")});
    }

    void theFileSizeStaysWithinItsBound()
    {
        History h;
        // Every series, with readings that do not repeat.
        quint32 noise = 12345;
        for (qint64 t = kStart; t < kStart + 3 * 3600; t += 1) {
            for (int box = 0; box < kBoxCount; ++box) {
                for (int fan = 0; fan < kRainbowFanCount; ++fan) {
                    noise = noise * 1664525u + 1013904223u;
                    h.setFanRpm(box, fan, int(noise >> 17));
                    h.setFanDuty(box, fan, int((noise >> 8) % 101));
                }
                h.setBoxHealth(box, int(noise % 3));
            }
            for (int i = 0; i < 8; ++i)
                h.setTemperature(QString(127, QChar(0x6e29 + i)) + QString::number(i), double(noise % 2000) / 10.0);
            h.advanceTo(t);
        }
        QCOMPARE(h.seriesKeys().size(), 184);
        const QByteArray bytes = HistoryFile::encode(h);
        QVERIFY2(bytes.size() <= HistoryFile::fileBound(h),
                 qPrintable(QStringLiteral("%1 > %2").arg(bytes.size()).arg(HistoryFile::fileBound(h))));
        History back;
        QString why;
        QVERIFY2(HistoryFile::decode(bytes, back, &why), qPrintable(why));
        QVERIFY(sameHistory(h, back));
    }

    // A file written by another program from the layout in the docs alone.
    void aFileWrittenFromTheDocumentedLayoutIsRead()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("history.bin"));
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QStringLiteral(R"(
import struct, zlib, hashlib, sys
absent = -32768
def series(kind, box, fan, name, second):
    out = struct.pack('<BbbH', kind, box, fan, len(name)) + name
    out += b''.join(struct.pack('<h', second(i)) for i in range(3600))
    out += b''.join(struct.pack('<hhhB', 900, 950, 1000, 60) if i == 1439 else struct.pack('<hhhB', absent, absent, absent, 0)
                    for i in range(1440))
    return out + struct.pack('<hhiB', 990, 1010, 990 + 1010, 2)
payload = struct.pack('<qHHH', 1800000059, 3600, 1440, 2)
payload += series(0, 1, 2, b'', lambda i: 1200 if i == 3599 else absent)
payload += series(2, -1, -1, 'chip/温'.encode(), lambda i: 455 if i >= 3590 else absent)
body = struct.pack('>I', len(payload)) + zlib.compress(payload)
sys.stdout.buffer.write(b'AURVHIST' + struct.pack('<II', 1, len(body)) + hashlib.sha256(body).digest() + body)
)")});
        QVERIFY(python.waitForFinished(60000));
        QCOMPARE(python.exitCode(), 0);
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(python.readAllStandardOutput());
        f.close();
        History h;
        QVERIFY(HistoryFile::load(h, path));
        QCOMPARE(h.headSecond(), qint64(1800000059));
        QCOMPARE(h.seriesKeys().size(), 2);
        const HistoryPoints rpm = h.points(SeriesKey::fanRpm(1, 2), 1800000058, 1800000059);
        QVERIFY(std::isnan(rpm.mean[0]));
        QCOMPARE(double(rpm.mean[1]), 1200.0);
        const HistoryPoints temp = h.points(SeriesKey::temperature(QStringLiteral("chip/\u6e29")), 1800000050, 1800000059);
        QCOMPARE(temp.size(), 10);
        QCOMPARE(double(temp.mean[0]), 45.5);
        // The last complete minute and the one in progress.
        const HistoryPoints minutes = h.points(SeriesKey::fanRpm(1, 2), 1800000000 - 60, 1800000059, HistoryResolution::Minutes);
        QCOMPARE(minutes.size(), 2);
        QCOMPARE(double(minutes.min[0]), 900.0);
        QCOMPARE(double(minutes.mean[0]), 950.0);
        QCOMPARE(double(minutes.max[1]), 1010.0);
        QCOMPARE(double(minutes.mean[1]), 1000.0);
    }

    void theDefaultPathIsInTheStateFolder()
    {
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/somewhere/state");
        QCOMPARE(HistoryFile::defaultPath(), QStringLiteral("/somewhere/state/aurivent/history.bin"));
        // A relative value is no base folder.
        qputenv("XDG_STATE_HOME", "relative/state");
        QCOMPARE(HistoryFile::defaultPath(), QDir::homePath() + QStringLiteral("/.local/state/aurivent/history.bin"));
        qputenv("XDG_STATE_HOME", saved);
    }
};

QTEST_APPLESS_MAIN(TestHistoryFile)
#include "test_historyfile.moc"
