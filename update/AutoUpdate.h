// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "common/Limits.h"

#include <QString>
#include <QUrl>
#include <QWidget>

class HttpExchange;
class QJsonObject;

// The update client: once per start it asks the update service whether a
// newer version exists and, when one is offered, records the current version
// and the download address in the data folder and starts the updater
// ("KestraneUpdate" beside the program) with administrator rights. On the
// next start it sees that the update happened and reports success.
//
// A widget for the sake of the application's ownership rules; it is never
// shown. A note from the service reaches the user through updateNote().
class AutoUpdate : public QWidget
{
    Q_OBJECT

public:
    explicit AutoUpdate(QWidget *parent = nullptr);

    void setupVersion(const QString &version);
    // Base URL of the update service (device file Main/UpdateServer), https
    // (the default for a bare host) or http. Without one, checkForUpdate
    // sends nothing.
    void setServerUrl(const QString &url);
    // Time from request to complete reply before it is abandoned.
    void setRequestTimeout(int ms) { m_timeoutMs = ms; }
    void checkForUpdate();

    static bool compareVersion(const QString &candidate, const QString &reference);
    QString checkOldVersion();
    void runUpdater();

    QString dataFolder() const { return m_dataFolder; }
    // True while a request is out (a reply may lead to another one).
    bool busy() const;
    // Whether a reply made it start the updater.
    bool updaterStarted() const { return m_updaterStarted; }

signals:
    // The service's note when it offers no newer version; the application
    // shows it to the user.
    void updateNote(const QString &note);
    // A reply (or its failure) was dealt with.
    void replyHandled();

public slots:
    void writeUUID(const QString &text);
    QString readUUID();
    void deleteUUID();

private:
    bool sendRequest(const QJsonObject &request);
    void handleReply(const HttpExchange &exchange);
    QString readDataFile(const QString &path) const;
    void writeDataFile(const QString &path, const QString &text) const;
    void removeDataFile(const QString &name) const;

    QString m_dataFolder;
    QString m_currentVersion = QString::fromLatin1(kDefaultVersion);
    QString m_installationId;
    QString m_serverUrl;
    bool m_downloadRequested = false;
    bool m_updaterStarted = false;
    int m_timeoutMs;
};
