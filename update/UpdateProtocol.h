#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <QUrl>

// What the update client says to the update service and how it reads the
// answers. No I/O here.
namespace UpdateProtocol {

// Sent as "command_type" in every request.
QString commandType();
// Path of the one service call, below the configured base URL.
QString servicePath();

// True when `candidate` ("V" then major.minor.patch) is newer than
// `reference` (major.minor.patch). A candidate without "V" is never newer.
bool compareVersion(const QString &candidate, const QString &reference);

QJsonObject versionQuery();
QJsonObject downloadRequest(const QString &uuid);
QJsonObject successReport(const QString &uuid, const QString &oldVersion, const QString &currentVersion);

// "ActiveData=" + Base64 of the indented JSON text, sent as it is: the
// service expects "+", "/" and "=" unescaped.
QByteArray requestBody(const QJsonObject &request);

// A braced id "{abc}" becomes "%7Babc%7D"; any other text stays as it is.
QString applyBraceRule(const QString &text);

// The service URL for a configured base: "http://host[:port][/prefix]" or
// "https://…"; a bare host name means plain HTTP. Returns an invalid URL and
// sets *error when the base is empty or not usable.
QUrl serviceUrl(const QString &base, QString *error);

struct Reply {
    QString code;     // "Result_Code"
    QString version;  // Data/version, "V1.0.6"
    QString url;      // Data/url
    QString note;     // Data/note
};
// A body that is not a JSON object gives empty fields.
Reply parseReply(const QByteArray &body);

} // namespace UpdateProtocol
