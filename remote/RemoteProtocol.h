// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QVariantMap>

// The phone's wire format, without sockets: frames are Base64 text ending in
// "&"; the greeting alone is plain text.
namespace RemoteProtocol {

constexpr char kFrameEnd = '&';

// "KqRainbowFan!" + host + "&", or with "!" + password when the switch is on.
QByteArray greeting(const QString &hostName, bool passwordEnabled, const QString &password);

// One reply frame: Base64 of the UTF-8 text, then "&".
QByteArray encodeFrame(const QString &text);

// {"ResType": 10, "BoxNumStr": map} in QJsonDocument's indented layout.
QString boxListReplyText(const QString &connectionMap);

// What one frame held.
struct Request {
    enum class Kind {
        Empty,    // nothing between two "&"
        Garbage,  // neither a volume text nor a JSON object
        BoxList,  // command 10, answered by the server itself
        Command,  // a map for the application (JSON object or volume stream)
    };
    Kind kind = Kind::Empty;
    QVariantMap map;
    QString error;  // why a Garbage frame was skipped, for the caller's log
};

// Decodes one frame (without its "&"). Pure and silent: any bytes in, a
// Request out; the caller decides what to log.
Request decodeFrame(const QByteArray &frame);

// True when the frame's text begins "07": a music level (or its stop), which
// the next level frame supersedes. Looks only at the first few characters.
bool isLevelFrame(const QByteArray &frame);

// The "07" volume stream as the application's map: "07" + one character +
// two digits gives the volume, "07…@@" stops the music.
QVariantMap volumeRequest(const QString &text);

// Splits a byte stream into frames, keeping an unfinished frame for the next
// read, up to a bound.
class FrameReader {
public:
    explicit FrameReader(int maxPending) : m_maxPending(maxPending) {}

    // Appends `bytes` and moves every complete frame (without "&") into
    // *frames. Returns false when the unfinished rest grew beyond the bound;
    // the reader is then empty and the caller should drop the connection.
    bool append(const QByteArray &bytes, QList<QByteArray> *frames);
    int pendingSize() const { return m_pending.size(); }

private:
    int m_maxPending;
    QByteArray m_pending;
};

} // namespace RemoteProtocol
