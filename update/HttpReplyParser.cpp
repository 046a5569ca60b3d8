// SPDX-License-Identifier: GPL-3.0-or-later
#include "HttpReplyParser.h"

namespace {

// Where the line that starts at `from` ends ('\n' included), or -1.
int lineEnd(const QByteArray &bytes, int from)
{
    const int newline = bytes.indexOf('\n', from);
    return newline < 0 ? -1 : newline + 1;
}

QByteArray lineText(const QByteArray &bytes, int from, int end)
{
    QByteArray line = bytes.mid(from, end - from);
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

bool isToken(const QByteArray &name)
{
    if (name.isEmpty())
        return false;
    for (const char ch : name)
        if (uchar(ch) <= ' ' || uchar(ch) >= 0x7f || ch == ':')
            return false;
    return true;
}

} // namespace

HttpReplyParser::HttpReplyParser(qint64 maxBody)
    : m_maxBody(maxBody)
{
}

QByteArray HttpReplyParser::header(const QByteArray &name) const
{
    const QByteArray lower = name.toLower();
    for (const auto &field : m_headers)
        if (field.first == lower)
            return field.second;
    return QByteArray();
}

HttpReplyParser::State HttpReplyParser::feed(const QByteArray &bytes)
{
    if (m_state == State::Done || m_state == State::Refused || bytes.isEmpty())
        return m_state;
    if (m_state == State::Head || m_framing == Framing::Chunked) {
        m_pending += bytes;
        if (m_state == State::Head && !takeHead())
            return m_state;
        if (m_state == State::Body && m_framing == Framing::Chunked)
            takeChunked();
        return m_state;
    }
    if (m_framing == Framing::Length) {
        const qint64 size = qMin<qint64>(bytes.size(), m_remaining);
        appendBody(bytes.constData(), size);
        m_remaining -= size;
        if (m_state == State::Body && m_remaining == 0)
            m_state = State::Done;
        return m_state;
    }
    appendBody(bytes.constData(), bytes.size());
    return m_state;
}

HttpReplyParser::State HttpReplyParser::closed()
{
    if (m_state == State::Head)
        refuse(QStringLiteral("connection closed before the reply's head"));
    else if (m_state == State::Body && m_framing == Framing::UntilClose)
        m_state = State::Done;
    else if (m_state == State::Body)
        refuse(QStringLiteral("connection closed before the end of the body"));
    return m_state;
}

// False while the head is incomplete or when it was refused.
bool HttpReplyParser::takeHead()
{
    for (;;) {
        // The head ends at the first empty line.
        int end = -1;
        for (int from = 0; from < m_pending.size();) {
            const int next = lineEnd(m_pending, from);
            if (next < 0)
                break;
            if (lineText(m_pending, from, next).isEmpty()) {
                end = next;
                break;
            }
            from = next;
        }
        if (end < 0) {
            if (m_pending.size() > kMaxHeadBytes)
                refuse(QStringLiteral("reply head longer than %1 bytes").arg(kMaxHeadBytes));
            return false;
        }
        if (end > kMaxHeadBytes + 2) {
            refuse(QStringLiteral("reply head longer than %1 bytes").arg(kMaxHeadBytes));
            return false;
        }
        const QByteArray head = m_pending.left(end);
        m_pending.remove(0, end);

        const QList<QByteArray> lines = head.split('\n');
        const QByteArray statusLine = lineText(lines.value(0), 0, lines.value(0).size());
        const bool wellFormed = statusLine.startsWith("HTTP/1.") && statusLine.size() >= 12
            && statusLine.at(8) == ' ' && (statusLine.size() == 12 || statusLine.at(12) == ' ');
        bool ok = false;
        const int status = wellFormed ? statusLine.mid(9, 3).toInt(&ok) : 0;
        if (!ok || status < 100 || status > 599) {
            refuse(QStringLiteral("not an HTTP reply"));
            return false;
        }
        m_headers.clear();
        for (int i = 1; i < lines.size(); ++i) {
            const QByteArray line = lineText(lines.at(i), 0, lines.at(i).size());
            if (line.isEmpty())
                continue;
            const int colon = line.indexOf(':');
            // A folded line (starting with a blank) is obsolete and ambiguous.
            if (colon <= 0 || !isToken(line.left(colon))) {
                refuse(QStringLiteral("malformed header line"));
                return false;
            }
            m_headers.append({line.left(colon).toLower(), line.mid(colon + 1).trimmed()});
        }
        m_status = status;
        // An interim reply (100 Continue and its kind) comes before the real one.
        if (status >= 100 && status < 200) {
            if (status == 101) {
                refuse(QStringLiteral("protocol switch refused"));
                return false;
            }
            continue;
        }
        return startBody();
    }
}

bool HttpReplyParser::startBody()
{
    const QByteArray encoding = header("content-encoding").toLower();
    if (!encoding.isEmpty() && encoding != "identity") {
        refuse(QStringLiteral("body in %1 encoding").arg(QString::fromLatin1(encoding.left(32))));
        return false;
    }
    const QByteArray transfer = header("transfer-encoding").toLower();
    QByteArray length;
    for (const auto &field : m_headers) {
        if (field.first != "content-length")
            continue;
        if (!length.isNull() && field.second != length) {
            refuse(QStringLiteral("two different body lengths"));
            return false;
        }
        length = field.second;
    }
    m_state = State::Body;
    if (!transfer.isEmpty() && transfer != "identity") {
        if (transfer != "chunked") {
            refuse(QStringLiteral("body in %1 transfer encoding").arg(QString::fromLatin1(transfer.left(32))));
            return false;
        }
        m_framing = Framing::Chunked;
        m_chunkStep = ChunkStep::Size;
        return true;
    }
    if (m_status == 204 || m_status == 304) {
        m_state = State::Done;
        return true;
    }
    if (!length.isNull()) {
        // Digits only, and few enough of them to fit.
        bool digits = !length.isEmpty() && length.size() <= 18;
        for (const char ch : length)
            digits = digits && ch >= '0' && ch <= '9';
        if (!digits) {
            refuse(QStringLiteral("unreadable body length"));
            return false;
        }
        const qint64 announced = length.toLongLong();
        if (announced > m_maxBody) {
            refuse(QStringLiteral("announced body of %1 bytes").arg(announced));
            return false;
        }
        m_framing = Framing::Length;
        m_remaining = announced;
        if (m_remaining == 0)
            m_state = State::Done;
        const QByteArray rest = m_pending;
        m_pending.clear();
        feed(rest);
        return true;
    }
    m_framing = Framing::UntilClose;
    const QByteArray rest = m_pending;
    m_pending.clear();
    feed(rest);
    return true;
}

bool HttpReplyParser::takeChunked()
{
    int pos = 0;
    while (m_state == State::Body) {
        if (m_chunkStep == ChunkStep::Data) {
            const qint64 size = qMin<qint64>(m_pending.size() - pos, m_remaining);
            if (size == 0)
                break;
            appendBody(m_pending.constData() + pos, size);
            pos += int(size);
            m_remaining -= size;
            if (m_remaining == 0)
                m_chunkStep = ChunkStep::DataEnd;
            continue;
        }
        if (m_chunkStep == ChunkStep::DataEnd) {
            if (m_pending.size() - pos < 1 || (m_pending.at(pos) == '\r' && m_pending.size() - pos < 2))
                break;
            if (m_pending.at(pos) == '\n') {
                pos += 1;
            } else if (m_pending.at(pos) == '\r' && m_pending.at(pos + 1) == '\n') {
                pos += 2;
            } else {
                refuse(QStringLiteral("chunk without its line end"));
                break;
            }
            m_chunkStep = ChunkStep::Size;
            continue;
        }
        const int end = lineEnd(m_pending, pos);
        if (end < 0) {
            const int bound = m_chunkStep == ChunkStep::Size ? kMaxChunkLineBytes : kMaxHeadBytes;
            if (m_pending.size() - pos > bound)
                refuse(m_chunkStep == ChunkStep::Size ? QStringLiteral("chunk size line too long")
                                                      : QStringLiteral("trailers too long"));
            break;
        }
        const QByteArray line = lineText(m_pending, pos, end);
        const int lineBytes = end - pos;
        pos = end;
        if (m_chunkStep == ChunkStep::Trailer) {
            m_trailerBytes += lineBytes;
            if (m_trailerBytes > kMaxHeadBytes) {
                refuse(QStringLiteral("trailers too long"));
                break;
            }
            if (line.isEmpty())
                m_state = State::Done;
            continue;
        }
        if (lineBytes > kMaxChunkLineBytes) {
            refuse(QStringLiteral("chunk size line too long"));
            break;
        }
        // Hex digits, then perhaps extensions after ";" (ignored).
        int digitsEnd = 0;
        while (digitsEnd < line.size() && isxdigit(uchar(line.at(digitsEnd))))
            ++digitsEnd;
        const QByteArray rest = line.mid(digitsEnd).trimmed();
        if (digitsEnd == 0 || digitsEnd > 15 || (!rest.isEmpty() && !rest.startsWith(';'))) {
            refuse(QStringLiteral("unreadable chunk size"));
            break;
        }
        const qint64 size = line.left(digitsEnd).toLongLong(nullptr, 16);
        if (size > m_maxBody - m_body.size()) {
            refuse(QStringLiteral("body longer than %1 bytes").arg(m_maxBody));
            break;
        }
        if (size == 0) {
            m_chunkStep = ChunkStep::Trailer;
        } else {
            m_chunkStep = ChunkStep::Data;
            m_remaining = size;
        }
    }
    if (m_state == State::Body)
        m_pending.remove(0, pos);
    else
        m_pending.clear();
    return m_state != State::Refused;
}

void HttpReplyParser::appendBody(const char *data, qint64 size)
{
    if (size > m_maxBody - m_body.size()) {
        refuse(QStringLiteral("body longer than %1 bytes").arg(m_maxBody));
        return;
    }
    m_body.append(data, int(size));
}

void HttpReplyParser::refuse(const QString &why)
{
    if (m_state == State::Refused)
        return;
    m_state = State::Refused;
    m_refusal = why;
    m_body.clear();
    m_pending.clear();
}
