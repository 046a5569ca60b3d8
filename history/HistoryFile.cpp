// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryFile.h"

#include "common/FileAccess.h"
#include "common/Logging.h"
#include "common/StateFolder.h"
#include "history/History.h"

#include <QCryptographicHash>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

#include <vector>

namespace {

const QByteArray kMagic = QByteArrayLiteral("AURVHIST");
constexpr int kHashBytes = 32;
constexpr int kHeaderBytes = 8 + 4 + 4 + kHashBytes;
// Per series beside its name: key, seconds, minutes, minute in progress.
constexpr qint64 kSeriesBytes = 1 + 1 + 1 + 2 + 2LL * kFineSeconds + 7LL * kCoarseMinutes + 2 + 2 + 4 + 1;
// A UTF-8 character takes at most 3 bytes for one UTF-16 unit.
constexpr int kUtf8PerUnit = 3;

qint64 payloadBound(const HistoryLimits &limits)
{
    return 8 + 2 + 2 + 2 +
           qint64(limits.seriesCapacity()) * kSeriesBytes + qint64(limits.sources) * limits.sourceNameLength * kUtf8PerUnit;
}

bool validCode(SeriesKind kind, qint16 code)
{
    if (code == SeriesRing::kAbsent)
        return true;
    switch (kind) {
    case SeriesKind::FanRpm:
        return code >= 0;
    case SeriesKind::FanDuty:
        return code >= 0 && code <= 100;
    case SeriesKind::Temperature:
        return code >= -500 && code <= 2000;
    case SeriesKind::BoxHealth:
        return code >= HealthCode::Answering && code <= HealthCode::Gone;
    }
    return false;
}

bool validMinute(SeriesKind kind, const SeriesRing::Minute &m)
{
    if (m.count == 0)
        return m.min == SeriesRing::kAbsent && m.mean == SeriesRing::kAbsent && m.max == SeriesRing::kAbsent;
    return m.count <= 60 && m.min != SeriesRing::kAbsent && validCode(kind, m.min) && validCode(kind, m.mean) &&
           validCode(kind, m.max) && m.min <= m.mean && m.mean <= m.max;
}

bool validInProgress(SeriesKind kind, const SeriesRing::Minute &m, qint32 sum)
{
    if (m.count == 0)
        return m.min == SeriesRing::kAbsent && m.max == SeriesRing::kAbsent && sum == 0;
    return m.min != SeriesRing::kAbsent && validCode(kind, m.min) && validCode(kind, m.max) && m.min <= m.max &&
           qint64(sum) >= qint64(m.min) * m.count && qint64(sum) <= qint64(m.max) * m.count;
}

bool fail(QString *why, const QString &reason)
{
    if (why)
        *why = reason;
    return false;
}

} // namespace

QString HistoryFile::defaultPath()
{
    return stateFolder() + QStringLiteral("/history.bin");
}

qint64 HistoryFile::fileBound(const History &history)
{
    const qint64 payload = payloadBound(history.limits());
    // zlib's worst case for data that does not compress, and qCompress's
    // 4-byte length in front.
    return kHeaderBytes + payload + payload / 1000 + 64 + 4;
}

namespace {

// Appends little-endian values to a buffer sized beforehand.
class Writer {
public:
    explicit Writer(qint64 reserve) { m_bytes.reserve(int(reserve)); }

    template <typename T> void put(T value)
    {
        char raw[sizeof(T)];
        qToLittleEndian<T>(value, raw);
        m_bytes.append(raw, int(sizeof(T)));
    }
    void put16s(const std::int16_t *values, int count)
    {
        const int at = m_bytes.size();
        m_bytes.resize(at + count * 2);
        qToLittleEndian<qint16>(values, count, m_bytes.data() + at);
    }
    void raw(const QByteArray &bytes) { m_bytes.append(bytes); }
    const QByteArray &bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

} // namespace

QByteArray HistoryFile::payload(const History &history)
{
    const QVector<SeriesKey> keys = history.seriesKeys();
    Writer out(payloadBound(history.limits()));
    out.put<qint64>(history.headSecond());
    out.put<quint16>(kFineSeconds);
    out.put<quint16>(kCoarseMinutes);
    out.put<quint16>(quint16(keys.size()));
    std::vector<std::int16_t> seconds(kFineSeconds);
    std::vector<SeriesRing::Minute> minutes(kCoarseMinutes);
    for (const SeriesKey &key : keys) {
        const History::Series *s = const_cast<History &>(history).series(key, false);
        const QByteArray name = key.source.toUtf8();
        out.put<quint8>(quint8(key.kind));
        out.put<qint8>(qint8(key.box));
        out.put<qint8>(qint8(key.fan));
        out.put<quint16>(quint16(name.size()));
        out.raw(name);
        SeriesRing::Minute inProgress;
        std::int32_t sum = 0;
        s->ring.copyOut(seconds.data(), minutes.data(), &inProgress, &sum);
        out.put16s(seconds.data(), kFineSeconds);
        for (const SeriesRing::Minute &m : minutes) {
            out.put<qint16>(m.min);
            out.put<qint16>(m.mean);
            out.put<qint16>(m.max);
            out.put<quint8>(m.count);
        }
        out.put<qint16>(inProgress.min);
        out.put<qint16>(inProgress.max);
        out.put<qint32>(sum);
        out.put<quint8>(inProgress.count);
    }
    return out.bytes();
}

QByteArray HistoryFile::pack(const QByteArray &payload)
{
    // The fastest zlib level: the rings are mostly runs of equal codes, which
    // any level shrinks about as well.
    const QByteArray body = qCompress(payload, 1);
    Writer out(kHeaderBytes + body.size());
    out.raw(kMagic);
    out.put<quint32>(kVersion);
    out.put<quint32>(quint32(body.size()));
    out.raw(QCryptographicHash::hash(body, QCryptographicHash::Sha256));
    out.raw(body);
    return out.bytes();
}

QByteArray HistoryFile::encode(const History &history)
{
    return pack(payload(history));
}

bool HistoryFile::decode(const QByteArray &bytes, History &history, QString *why)
{
    const HistoryLimits &limits = history.limits();
    if (bytes.size() < kHeaderBytes || !bytes.startsWith(kMagic))
        return fail(why, QStringLiteral("not a history file"));
    QDataStream head(bytes);
    head.setByteOrder(QDataStream::LittleEndian);
    head.skipRawData(kMagic.size());
    quint32 version = 0;
    quint32 bodySize = 0;
    head >> version >> bodySize;
    if (version != kVersion)
        return fail(why, QStringLiteral("version %1, this program reads version %2").arg(version).arg(kVersion));
    if (qint64(bodySize) != qint64(bytes.size()) - kHeaderBytes)
        return fail(why, QStringLiteral("length %1 does not match the file").arg(bodySize));
    const QByteArray body = bytes.mid(kHeaderBytes);
    if (QCryptographicHash::hash(body, QCryptographicHash::Sha256) != bytes.mid(8 + 4 + 4, kHashBytes))
        return fail(why, QStringLiteral("checksum does not match"));
    // qCompress puts the payload's length first (big-endian); a length past
    // the bound is refused before anything is unpacked.
    if (body.size() < 4)
        return fail(why, QStringLiteral("no payload"));
    const quint32 payloadSize = (quint32(quint8(body[0])) << 24) | (quint32(quint8(body[1])) << 16) |
                                (quint32(quint8(body[2])) << 8) | quint32(quint8(body[3]));
    if (qint64(payloadSize) > payloadBound(limits))
        return fail(why, QStringLiteral("payload of %1 bytes is past the bound").arg(payloadSize));
    const QByteArray payload = qUncompress(body);
    if (payload.isEmpty() || quint32(payload.size()) != payloadSize)
        return fail(why, QStringLiteral("payload does not unpack"));

    QDataStream in(payload);
    in.setByteOrder(QDataStream::LittleEndian);
    qint64 newest = 0;
    quint16 secondsKept = 0;
    quint16 minutesKept = 0;
    quint16 count = 0;
    in >> newest >> secondsKept >> minutesKept >> count;
    if (in.status() != QDataStream::Ok || newest <= 0)
        return fail(why, QStringLiteral("bad header"));
    if (secondsKept != kFineSeconds || minutesKept != kCoarseMinutes)
        return fail(why, QStringLiteral("tiers of %1 s and %2 min, this program keeps %3 s and %4 min")
                             .arg(secondsKept).arg(minutesKept).arg(kFineSeconds).arg(kCoarseMinutes));
    if (count > limits.seriesCapacity())
        return fail(why, QStringLiteral("%1 series, at most %2 are kept").arg(count).arg(limits.seriesCapacity()));

    // Everything is read into a history of its own first, and moved over
    // only when the whole file checked out.
    History fresh(limits);
    QSet<QString> names;
    std::vector<std::int16_t> seconds(kFineSeconds);
    std::vector<SeriesRing::Minute> minutes(kCoarseMinutes);
    for (int i = 0; i < count; ++i) {
        quint8 kindByte = 0;
        qint8 box = 0;
        qint8 fan = 0;
        quint16 nameSize = 0;
        in >> kindByte >> box >> fan >> nameSize;
        if (in.status() != QDataStream::Ok || kindByte >= kSeriesKindCount)
            return fail(why, QStringLiteral("series %1: bad kind").arg(i));
        const SeriesKind kind = SeriesKind(kindByte);
        if (nameSize > limits.sourceNameLength * kUtf8PerUnit)
            return fail(why, QStringLiteral("series %1: name too long").arg(i));
        QByteArray utf8(nameSize, Qt::Uninitialized);
        if (in.readRawData(utf8.data(), nameSize) != nameSize)
            return fail(why, QStringLiteral("series %1: name cut short").arg(i));
        const QString name = QString::fromUtf8(utf8);
        SeriesKey key{kind, box, fan, name};
        if (kind == SeriesKind::Temperature) {
            if (box != -1 || fan != -1 || name.isEmpty() || name.size() > limits.sourceNameLength ||
                name.toUtf8() != utf8)
                return fail(why, QStringLiteral("series %1: bad source name").arg(i));
        } else if (nameSize != 0 || box < 0 || box >= limits.boxes ||
                   (kind == SeriesKind::BoxHealth ? fan != -1 : (fan < 0 || fan >= limits.fansPerBox))) {
            return fail(why, QStringLiteral("series %1: box %2 fan %3 out of range").arg(i).arg(box).arg(fan));
        }
        const QString id = QString::number(kindByte) + QLatin1Char('/') + QString::number(box) + QLatin1Char('/') +
                           QString::number(fan) + QLatin1Char('/') + name;
        if (names.contains(id))
            return fail(why, QStringLiteral("series %1 appears twice").arg(i));
        names.insert(id);

        for (std::int16_t &code : seconds) {
            qint16 c = 0;
            in >> c;
            if (in.status() != QDataStream::Ok)
                return fail(why, QStringLiteral("series %1 cut short").arg(i));
            if (!validCode(kind, c))
                return fail(why, QStringLiteral("series %1: second out of range").arg(i));
            code = c;
        }
        for (SeriesRing::Minute &m : minutes) {
            qint16 lo = 0, mid = 0, hi = 0;
            quint8 n = 0;
            in >> lo >> mid >> hi >> n;
            if (in.status() != QDataStream::Ok)
                return fail(why, QStringLiteral("series %1 cut short").arg(i));
            m = SeriesRing::Minute{lo, mid, hi, n};
            if (!validMinute(kind, m))
                return fail(why, QStringLiteral("series %1: minute out of range").arg(i));
        }
        qint16 lo = 0, hi = 0;
        qint32 sum = 0;
        quint8 n = 0;
        in >> lo >> hi >> sum >> n;
        const SeriesRing::Minute inProgress{lo, SeriesRing::kAbsent, hi, n};
        if (in.status() != QDataStream::Ok)
            return fail(why, QStringLiteral("series %1 cut short").arg(i));
        if (!validInProgress(kind, inProgress, sum))
            return fail(why, QStringLiteral("series %1: minute in progress out of range").arg(i));

        History::Series *s = fresh.series(key, true);
        if (!s)
            return fail(why, QStringLiteral("series %1 has no place").arg(i));
        s->ring.copyIn(seconds.data(), minutes.data(), inProgress, sum);
        s->age = kFineSeconds;
    }
    if (!in.atEnd())
        return fail(why, QStringLiteral("bytes after the last series"));

    history.m_head = newest;
    history.m_rpm.swap(fresh.m_rpm);
    history.m_duty.swap(fresh.m_duty);
    history.m_health.swap(fresh.m_health);
    history.m_sources.swap(fresh.m_sources);
    return true;
}

bool HistoryFile::save(const History &history, const QString &path)
{
    return write(encode(history), path);
}

bool HistoryFile::write(const QByteArray &file, const QString &path)
{
    QString why;
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        why = QStringLiteral("cannot create folder ") + folder;
    else if (FileAccess::replaceDurably(path, file, &why))
        return true;
    qCWarning(lcHistory).noquote() << "history: save failed:" << why;
    return false;
}

bool HistoryFile::load(History &history, const QString &path)
{
    const FileAccess::Read read = FileAccess::readRegular(path, fileBound(history));
    if (read.status == FileAccess::Read::Status::Missing)
        return false;
    QString why = read.error;
    if (read.status != FileAccess::Read::Status::Ok || !decode(read.bytes, history, &why)) {
        qCWarning(lcHistory).noquote() << "history: file refused, starting empty:" << path << "-" << why;
        return false;
    }
    qCDebug(lcHistory).noquote() << "history: loaded" << path;
    return true;
}
