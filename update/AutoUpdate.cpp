// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutoUpdate.h"

#include "common/FileAccess.h"
#include "common/Logging.h"
#include "Elevation.h"
#include "HttpExchange.h"
#include "UpdateFolder.h"
#include "UpdateProtocol.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QUuid>

AutoUpdate::AutoUpdate(QWidget *parent)
    : QWidget(parent)
    , m_dataFolder(updateDataFolder())
    , m_timeoutMs(UpdateProtocol::kRequestTimeoutMs)
{
    removeDataFile(QStringLiteral("/KQ_update.exe"));
    QDir().mkpath(m_dataFolder);
}

void AutoUpdate::setupVersion(const QString &version)
{
    m_currentVersion = version;
}

void AutoUpdate::setServerUrl(const QString &url)
{
    m_serverUrl = url;
    qCDebug(lcUpdate).noquote() << "updateServer:" << url;
}

bool AutoUpdate::compareVersion(const QString &candidate, const QString &reference)
{
    return UpdateProtocol::compareVersion(candidate, reference);
}

QString AutoUpdate::readDataFile(const QString &path) const
{
    // A few bytes of text: anything else there is refused, never waited on.
    constexpr qint64 kMaxDataFileBytes = 64 * 1024;
    const FileAccess::Read file = FileAccess::readRegular(path, kMaxDataFileBytes);
    if (file.status == FileAccess::Read::Status::Refused || file.status == FileAccess::Read::Status::Failed)
        qWarning().noquote() << "update file not read:" << path << "-" << file.error;
    return QString::fromUtf8(file.bytes);
}

void AutoUpdate::writeDataFile(const QString &path, const QString &text) const
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qWarning().noquote() << "update file not written:" << path << file.errorString();
        return;
    }
    file.write(text.toLatin1());
}

void AutoUpdate::removeDataFile(const QString &name) const
{
    const QString path = m_dataFolder + name;
    if (QFile::exists(path))
        QFile::remove(path);
}

QString AutoUpdate::checkOldVersion()
{
    const QString recorded = m_dataFolder + QStringLiteral("/Version.txt");
    if (QFile::exists(recorded))
        return readDataFile(recorded);
    const QString seed = QCoreApplication::applicationDirPath() + QStringLiteral("/Version.txt");
    if (QFile::exists(seed)) {
        const QString text = readDataFile(seed);
        writeDataFile(recorded, text);
        return text;
    }
    return m_currentVersion;
}

void AutoUpdate::checkForUpdate()
{
    QString error;
    if (!UpdateProtocol::serviceUrl(m_serverUrl, &error).isValid()) {
        // Nothing is touched either, so a pending success report waits for a server.
        // Most installs name no server: only a wrong name is worth a warning.
        if (m_serverUrl.trimmed().isEmpty())
            qCDebug(lcUpdate).noquote() << "update check skipped:" << error;
        else
            qWarning().noquote() << "update check skipped:" << error;
        return;
    }
    const QString old = checkOldVersion();
    if (compareVersion(QStringLiteral("V") + m_currentVersion, old)) {
        qCDebug(lcUpdate).noquote() << "updated from:" << old << "to:" << m_currentVersion;
        sendRequest(UpdateProtocol::successReport(readUUID(), old, m_currentVersion));
        removeDataFile(QStringLiteral("/KQ_update.exe"));
        removeDataFile(QStringLiteral("/Version.txt"));
        return;
    }
    sendRequest(UpdateProtocol::versionQuery());
}

bool AutoUpdate::sendRequest(const QJsonObject &request)
{
    QString error;
    const QUrl url = UpdateProtocol::serviceUrl(m_serverUrl, &error);
    if (!url.isValid()) {
        qWarning().noquote() << "update request not sent:" << error;
        return false;
    }
    // Our own exchange rather than Qt's: its socket holds little, so a
    // server that floods is held back by TCP instead of filling memory.
    // Named here, the server has no reason to compress.
    const HttpExchange::Headers headers{{"Content-Type", "application/x-www-form-urlencoded"},
                                        {"Accept-Encoding", "identity"}};
    auto *exchange = new HttpExchange(UpdateProtocol::kMaxReplyBytes, m_timeoutMs, 3, this);
    connect(exchange, &HttpExchange::finished, this, [this, exchange] {
        exchange->deleteLater();
        handleReply(*exchange);
        emit replyHandled();
    });
    exchange->post(url, headers, UpdateProtocol::requestBody(request));
    return true;
}

bool AutoUpdate::busy() const
{
    const auto exchanges = findChildren<HttpExchange *>(QString(), Qt::FindDirectChildrenOnly);
    for (const HttpExchange *exchange : exchanges)
        if (exchange->outcome() == HttpExchange::Outcome::Running)
            return true;
    return false;
}

void AutoUpdate::handleReply(const HttpExchange &exchange)
{
    switch (exchange.outcome()) {
    case HttpExchange::Outcome::Running:
        return;
    case HttpExchange::Outcome::Refused:
        qWarning().noquote() << "update reply refused:" << exchange.why();
        return;
    case HttpExchange::Outcome::Failed:
        qCInfo(lcUpdate).noquote() << "update check failed:" << exchange.why();
        return;
    case HttpExchange::Outcome::Replied:
        break;
    }
    const int status = exchange.status();
    if (status >= 400) {
        qCInfo(lcUpdate).noquote() << "update check failed: HTTP status" << status;
        return;
    }
    if (!UpdateProtocol::isSuccessStatus(status)) {
        qWarning() << "update reply refused: HTTP status" << status;
        return;
    }
    const QByteArray body = exchange.body();
    const UpdateProtocol::Reply answer = UpdateProtocol::parseReply(body);
    qCDebug(lcUpdate).noquote() << "Result_Code:" << answer.code << "version:" << answer.version;
    const bool newer = compareVersion(answer.version, m_currentVersion);
    if (answer.code == QLatin1String("002")) {
        // One download request per run: a service answering "002" again must not loop.
        if (newer && !m_downloadRequested) {
            m_downloadRequested = true;
            sendRequest(UpdateProtocol::downloadRequest(readUUID()));
        }
    } else if (answer.code == QLatin1String("001")) {
        if (newer) {
            if (m_updaterStarted)
                return;
            QString error;
            const QString serviceScheme = UpdateProtocol::serviceUrl(m_serverUrl, &error).scheme();
            const UpdateProtocol::UrlCheck check = UpdateProtocol::checkDownloadUrl(answer.url, serviceScheme);
            if (!check.accepted) {
                qWarning().noquote() << "update refused: the offered download address is unusable:" << check.error;
                return;
            }
            if (check.plainHttp)
                qWarning().noquote() << "update offered over plain http, as the update server itself is http:"
                                     << answer.url;
            writeDataFile(m_dataFolder + QStringLiteral("/Version.txt"), m_currentVersion);
            writeDataFile(m_dataFolder + QStringLiteral("/fileUrl.txt"), answer.url);
            runUpdater();
        } else if (!answer.note.isEmpty()) {
            qCDebug(lcUpdate).noquote() << "Update Note:" << answer.note;
            emit updateNote(answer.note);
        }
    }
}

QString AutoUpdate::readUUID()
{
    const QString stored = m_dataFolder + QStringLiteral("/UUID.txt");
    const QString seed = QCoreApplication::applicationDirPath() + QStringLiteral("/UUID.txt");
    if (QFile::exists(stored)) {
        const QString text = readDataFile(stored);
        if (!text.trimmed().isEmpty()) {
            m_installationId = UpdateProtocol::applyBraceRule(text);
            return m_installationId;
        }
        qWarning().noquote() << "UUID.txt empty, making a new id:" << stored;
    } else if (QFile::exists(seed)) {
        const QString text = readDataFile(seed);
        if (!text.trimmed().isEmpty()) {
            writeUUID(text);
            m_installationId = UpdateProtocol::applyBraceRule(text);
            return m_installationId;
        }
    }
    m_installationId = QUuid::createUuid().toString(QUuid::WithoutBraces);
    writeUUID(m_installationId);
    return m_installationId;
}

void AutoUpdate::writeUUID(const QString &text)
{
    writeDataFile(m_dataFolder + QStringLiteral("/UUID.txt"), text);
}

void AutoUpdate::deleteUUID()
{
    removeDataFile(QStringLiteral("/UUID.txt"));
}

void AutoUpdate::runUpdater()
{
    m_updaterStarted = true;
    const QString dir = QCoreApplication::applicationDirPath();
    const ElevationResult result = Elevation::start(Elevation::programFile(QStringLiteral("KestraneUpdate")),
                                                    {updateDataFolderName()}, dir);
    if (!result.started)
        qWarning().noquote() << "updater not started:" << result.error;
}
