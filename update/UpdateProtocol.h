// SPDX-License-Identifier: GPL-3.0-or-later
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

// The service URL for a configured base: "https://host[:port][/prefix]" or
// "http://…"; a bare host name means https. Returns an invalid URL and sets
// *error when the base is empty or not usable.
QUrl serviceUrl(const QString &base, QString *error);

// What one exchange with the service may cost: the body of a reply and the
// time from request to complete reply.
constexpr qint64 kMaxReplyBytes = 64 * 1024;
constexpr int kRequestTimeoutMs = 15000;

// Only a 2xx reply is read.
inline bool isSuccessStatus(int httpStatus)
{
    return httpStatus >= 200 && httpStatus <= 299;
}

// The download address offered by the service, before it is handed to the
// updater that runs with administrator rights: an absolute https URL with a
// host (http only when the service itself is reached over http), at most
// kMaxUrlLength characters, printable ASCII only (a real URL carries anything
// else percent-encoded; the file is written in Latin-1, one line).
constexpr int kMaxUrlLength = 2048;
struct UrlCheck {
    bool accepted = false;
    bool plainHttp = false;  // accepted over http: worth a warning
    QString error;           // why it was refused
};
UrlCheck checkDownloadUrl(const QString &offered, const QString &serviceScheme);

struct Reply {
    QString code;     // "Result_Code"
    QString version;  // Data/version, "V1.0.6"
    QString url;      // Data/url
    QString note;     // Data/note
};
// A body that is not a JSON object gives empty fields.
Reply parseReply(const QByteArray &body);

} // namespace UpdateProtocol
