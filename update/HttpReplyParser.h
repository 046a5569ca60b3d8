// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Reads one HTTP/1.1 reply as its bytes arrive, holding no more than its
// head and a body of at most maxBody bytes: a reply that passes a bound is
// refused the moment it does, whatever its framing (Content-Length, chunked
// or until the connection closes). A body in any content encoding other than
// identity is refused at the head, so nothing is ever inflated. No I/O here.
class HttpReplyParser
{
public:
    enum class State {
        Head,     // the status line and headers are not complete yet
        Body,     // head read, body still arriving
        Done,     // the whole reply is here
        Refused,  // a bound or the syntax was broken; refusal() says which
    };

    // Status line and headers together, and the trailers of a chunked body.
    static constexpr int kMaxHeadBytes = 16 * 1024;
    // A chunk's size line (with any extensions).
    static constexpr int kMaxChunkLineBytes = 1024;

    explicit HttpReplyParser(qint64 maxBody);

    // The next bytes of the connection; returns the state after them.
    State feed(const QByteArray &bytes);
    // The connection ended: a body that runs to the close is complete now,
    // anything else was cut short.
    State closed();

    State state() const { return m_state; }
    int status() const { return m_status; }
    // The first value of a header (name in any case), trimmed; empty when absent.
    QByteArray header(const QByteArray &name) const;
    const QByteArray &body() const { return m_body; }
    QString refusal() const { return m_refusal; }

private:
    enum class Framing { Length, Chunked, UntilClose };
    enum class ChunkStep { Size, Data, DataEnd, Trailer };

    bool takeHead();
    bool startBody();
    bool takeChunked();
    void appendBody(const char *data, qint64 size);
    void refuse(const QString &why);

    qint64 m_maxBody;
    State m_state = State::Head;
    QByteArray m_pending;  // bytes not consumed yet: part of the head or of a chunk line
    int m_status = 0;
    QList<QPair<QByteArray, QByteArray>> m_headers;  // names in lower case
    Framing m_framing = Framing::UntilClose;
    ChunkStep m_chunkStep = ChunkStep::Size;
    qint64 m_remaining = 0;   // of the body (Length) or of the current chunk
    qint64 m_trailerBytes = 0;
    QByteArray m_body;
    QString m_refusal;
};
