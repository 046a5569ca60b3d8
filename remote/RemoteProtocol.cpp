// SPDX-License-Identifier: GPL-3.0-or-later
#include "RemoteProtocol.h"

#include "RemoteData.h"
#include "common/JsonText.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>

namespace RemoteProtocol {

QByteArray greeting(const QString &hostName, bool passwordEnabled, const QString &password)
{
    QString text = QStringLiteral("KqRainbowFan!") + hostName;
    if (passwordEnabled)
        text += QLatin1Char('!') + password;
    text += QLatin1Char(kFrameEnd);
    return text.toUtf8();
}

QByteArray encodeFrame(const QString &text)
{
    return text.toUtf8().toBase64() + kFrameEnd;
}

QString boxListReplyText(const QString &connectionMap)
{
    QJsonObject reply;
    reply.insert(QStringLiteral("ResType"), 10);
    reply.insert(QStringLiteral("BoxNumStr"), connectionMap);
    return QString::fromUtf8(QJsonDocument(reply).toJson());
}

namespace {

int digitAt(const QString &text, int pos)
{
    if (pos >= text.size() || !text.at(pos).isDigit())
        return 0;
    return text.at(pos).digitValue();
}

// Phones wrap long Base64 lines; the line breaks carry nothing.
QByteArray withoutWhitespace(const QByteArray &frame)
{
    QByteArray out;
    out.reserve(frame.size());
    for (char c : frame)
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t')
            out.append(c);
    return out;
}

} // namespace

QVariantMap volumeRequest(const QString &text)
{
    QVariantMap data;
    if (text.endsWith(QLatin1String("@@"))) {
        data.insert(QStringLiteral("Status"), QStringLiteral("0"));
    } else {
        // Position 2 is a separator the phone fills freely.
        const int volume = qBound(0, 10 * digitAt(text, 3) + digitAt(text, 4), 100);
        data.insert(QStringLiteral("Volume"), QString::number(volume));
        data.insert(QStringLiteral("Status"), QStringLiteral("1"));
    }
    QVariantMap map;
    map.insert(QStringLiteral("command"), QStringLiteral("7"));
    map.insert(QStringLiteral("Data"), data);
    return map;
}

Request decodeFrame(const QByteArray &frame)
{
    Request request;
    const QByteArray base64 = withoutWhitespace(frame);
    if (base64.isEmpty())
        return request;
    request.kind = Request::Kind::Garbage;
    const auto decoded = QByteArray::fromBase64Encoding(base64, QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded) {
        request.error = QStringLiteral("not Base64");
        return request;
    }
    const QString text = QString::fromUtf8(*decoded);
    if (text.startsWith(QLatin1String("07"))) {
        request.kind = Request::Kind::Command;
        request.map = volumeRequest(text);
        return request;
    }
    QJsonDocument doc;
    QString error;
    if (!JsonText::parse(*decoded, &doc, &error)) {
        request.error = QStringLiteral("parse Error ") + error;
        return request;
    }
    if (!doc.isObject()) {
        request.error = QStringLiteral("not a JSON object");
        return request;
    }
    request.map = doc.object().toVariantMap();
    int command = 0;
    const bool boxList = RemoteData::strictInt(request.map.value(QStringLiteral("command")), &command) && command == 10;
    request.kind = boxList ? Request::Kind::BoxList : Request::Kind::Command;
    return request;
}

bool isLevelFrame(const QByteArray &frame)
{
    // Four Base64 characters carry the first three bytes of the text.
    QByteArray head;
    for (int i = 0; i < frame.size() && head.size() < 4; ++i) {
        const char c = frame.at(i);
        if (c != ' ' && c != '\r' && c != '\n' && c != '\t')
            head.append(c);
    }
    if (head.size() < 3)
        return false;
    while (head.size() < 4)
        head.append('=');
    const auto decoded = QByteArray::fromBase64Encoding(head, QByteArray::AbortOnBase64DecodingErrors);
    return decoded && (*decoded).startsWith("07");
}

bool FrameReader::append(const QByteArray &bytes, QList<QByteArray> *frames)
{
    m_pending.append(bytes);
    int start = 0;
    for (int end = m_pending.indexOf(kFrameEnd); end >= 0; end = m_pending.indexOf(kFrameEnd, start)) {
        frames->append(m_pending.mid(start, end - start));
        start = end + 1;
    }
    m_pending.remove(0, start);
    if (m_pending.size() > m_maxPending) {
        m_pending.clear();
        return false;
    }
    return true;
}

} // namespace RemoteProtocol
