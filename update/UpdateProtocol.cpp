// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpdateProtocol.h"

#include "common/JsonText.h"

#include <QJsonDocument>
#include <QStringList>

namespace UpdateProtocol {

QString commandType()
{
    return QStringLiteral("Kq010");
}

QString servicePath()
{
    return QStringLiteral("/download/getVersionV1");
}

namespace {

// Sections 0..2 as integers; a missing or non-numeric section is 0.
void versionParts(const QString &text, int parts[3])
{
    const QStringList sections = text.split(QLatin1Char('.'));
    for (int i = 0; i < 3; ++i)
        parts[i] = i < sections.size() ? sections.at(i).trimmed().toInt() : 0;
}

} // namespace

bool compareVersion(const QString &candidate, const QString &reference)
{
    const int v = candidate.indexOf(QLatin1Char('V'));
    int cand[3];
    int ref[3];
    versionParts(v < 0 ? QString() : candidate.mid(v + 1), cand);
    versionParts(reference, ref);
    for (int i = 0; i < 2; ++i) {
        if (ref[i] > cand[i])
            return false;
        if (ref[i] < cand[i])
            return true;
    }
    return ref[2] < cand[2];
}

QJsonObject versionQuery()
{
    return QJsonObject{{QStringLiteral("getUrl"), 1}, {QStringLiteral("command_type"), commandType()}};
}

QJsonObject downloadRequest(const QString &uuid)
{
    return QJsonObject{{QStringLiteral("UUID"), uuid}, {QStringLiteral("command_type"), commandType()}};
}

QJsonObject successReport(const QString &uuid, const QString &oldVersion, const QString &currentVersion)
{
    return QJsonObject{{QStringLiteral("UUID"), uuid},
                       {QStringLiteral("command_type"), commandType()},
                       {QStringLiteral("currentVersion"), oldVersion},
                       {QStringLiteral("updateVersion"), currentVersion},
                       {QStringLiteral("status"), QStringLiteral("ok")}};
}

QByteArray requestBody(const QJsonObject &request)
{
    return QByteArrayLiteral("ActiveData=") + QJsonDocument(request).toJson().toBase64();
}

QString applyBraceRule(const QString &text)
{
    if (!text.startsWith(QLatin1Char('{')))
        return text;
    const int close = text.indexOf(QLatin1Char('}'));
    const QString inner = close < 0 ? text.mid(1) : text.mid(1, close - 1);
    return QStringLiteral("%7B") + inner + QStringLiteral("%7D");
}

QUrl serviceUrl(const QString &base, QString *error)
{
    QString text = base.trimmed();
    if (text.isEmpty()) {
        *error = QStringLiteral("no update server configured");
        return QUrl();
    }
    if (!text.contains(QStringLiteral("://")))
        text = QStringLiteral("https://") + text;
    QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || url.host().isEmpty() || (scheme != QLatin1String("http") && scheme != QLatin1String("https"))
        || url.hasQuery() || url.hasFragment()) {
        *error = QStringLiteral("not an http or https server address: ") + base;
        return QUrl();
    }
    QString path = url.path();
    while (path.endsWith(QLatin1Char('/')))
        path.chop(1);
    url.setPath(path + servicePath());
    return url;
}

UrlCheck checkDownloadUrl(const QString &offered, const QString &serviceScheme)
{
    UrlCheck check;
    if (offered.isEmpty()) {
        check.error = QStringLiteral("no address");
        return check;
    }
    if (offered.size() > kMaxUrlLength) {
        check.error = QStringLiteral("%1 characters, more than %2").arg(offered.size()).arg(kMaxUrlLength);
        return check;
    }
    for (int i = 0; i < offered.size(); ++i) {
        const ushort c = offered.at(i).unicode();
        if (c <= 0x20 || c >= 0x7f) {
            check.error = QStringLiteral("character U+%1 at %2").arg(c, 4, 16, QLatin1Char('0')).arg(i);
            return check;
        }
    }
    const QUrl url(offered, QUrl::StrictMode);
    if (!url.isValid() || url.isRelative() || url.host().isEmpty()) {
        check.error = QStringLiteral("not an absolute address with a host");
        return check;
    }
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("https")) {
        check.accepted = true;
    } else if (scheme == QLatin1String("http") && serviceScheme.toLower() == QLatin1String("http")) {
        check.accepted = true;
        check.plainHttp = true;
    } else {
        check.error = QStringLiteral("scheme \"%1\" not allowed").arg(scheme);
    }
    return check;
}

Reply parseReply(const QByteArray &body)
{
    QJsonDocument document;
    QString error;
    JsonText::parse(body, &document, &error);  // a refused body gives empty fields
    const QVariantMap map = document.object().toVariantMap();
    const QVariantMap data = map.value(QStringLiteral("Data")).toMap();
    Reply reply;
    reply.code = map.value(QStringLiteral("Result_Code")).toString();
    reply.version = data.value(QStringLiteral("version")).toString();
    reply.url = data.value(QStringLiteral("url")).toString();
    reply.note = data.value(QStringLiteral("note")).toString();
    return reply;
}

} // namespace UpdateProtocol
