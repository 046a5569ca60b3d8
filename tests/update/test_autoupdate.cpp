// SPDX-License-Identifier: GPL-3.0-or-later
// The update client against a real HTTP server on 127.0.0.1.

#include "FakeUpdateService.h"

#include "update/AutoUpdate.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkProxy>
#include <QSignalSpy>
#include <QtTest>

#include <functional>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The JSON object inside "ActiveData=<Base64>".
QJsonObject decodedBody(const QByteArray &body, QByteArray *jsonText = nullptr)
{
    if (!body.startsWith("ActiveData="))
        return QJsonObject{{QStringLiteral("bad body"), QString::fromLatin1(body)}};
    const QByteArray json = QByteArray::fromBase64(body.mid(11));
    if (jsonText)
        *jsonText = json;
    return QJsonDocument::fromJson(json).object();
}

QByteArray reply(const char *code, const char *version, const char *url = "", const char *note = "")
{
    return QJsonDocument(QJsonObject{{QStringLiteral("Result_Code"), QString::fromLatin1(code)},
                                     {QStringLiteral("Data"),
                                      QJsonObject{{QStringLiteral("version"), QString::fromLatin1(version)},
                                                  {QStringLiteral("url"), QString::fromLatin1(url)},
                                                  {QStringLiteral("note"), QString::fromUtf8(note)}}}})
        .toJson();
}

} // namespace

class TestAutoUpdate : public QObject
{
    Q_OBJECT

private:
    QString m_folder;
    QString m_updater;
    QString m_record;

    QString data(const char *name) const { return m_folder + QLatin1String(name); }
    QStringList dataFiles() const { return QDir(m_folder).entryList(QDir::Files, QDir::Name); }

    // Lets the client and the server talk until `count` requests arrived, then a
    // little longer so that a request that should not follow would be seen.
    // The service has seen `count` requests and the client has dealt with
    // every reply, including any request a reply led to.
    static void settle(const AutoUpdate &client, FakeUpdateService &service, int count)
    {
        QTRY_VERIFY_WITH_TIMEOUT(service.requests.size() >= count && !client.busy(), 10000);
    }

private slots:
    void initTestCase()
    {
        QNetworkProxy::setApplicationProxy(QNetworkProxy::NoProxy);
        m_folder = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME")) + QStringLiteral("/Kq/RGBVaylaZeve");
        QVERIFY(!qgetenv("XDG_CONFIG_HOME").isEmpty());
        const QString appDir = QCoreApplication::applicationDirPath();
        QVERIFY2(!QFile::exists(appDir + "/Version.txt") && !QFile::exists(appDir + "/UUID.txt"),
                 "seed files beside the test program would change every case");
        // A stand-in updater beside the program that records how it was started.
        m_updater = appDir + QStringLiteral("/KestraneUpdate");
        m_record = QDir::tempPath() + QStringLiteral("/aurivent-updater-record-%1").arg(QCoreApplication::applicationPid());
        writeFile(m_updater, "#!/bin/sh\n{ echo \"$#\"; for a in \"$@\"; do echo \"$a\"; done; pwd; } > '"
                                 + m_record.toLocal8Bit() + "'\n");
        QFile::setPermissions(m_updater, QFile::permissions(m_updater) | QFileDevice::ExeOwner);
    }

    void cleanupTestCase()
    {
        QFile::remove(m_updater);
        QFile::remove(m_record);
    }

    void init()
    {
        QDir(m_folder).removeRecursively();
        QFile::remove(m_record);
    }

    void constructionPreparesTheDataFolder()
    {
        QVERIFY(QDir().mkpath(m_folder));
        writeFile(data("/KQ_update.exe"), "left over");
        AutoUpdate client;
        QCOMPARE(client.dataFolder(), m_folder);
        QVERIFY(!QFile::exists(data("/KQ_update.exe")));
        QVERIFY(client.isHidden());

        QDir(m_folder).removeRecursively();
        AutoUpdate second;
        QVERIFY(QFileInfo(m_folder).isDir());
    }

    void updatedProgramReportsSuccess()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        writeFile(data("/Version.txt"), "1.0.4");
        writeFile(data("/KQ_update.exe"), "x");
        writeFile(data("/UUID.txt"), "{abc}");
        FakeUpdateService service;
        client.setServerUrl(service.baseUrl());
        client.checkForUpdate();
        settle(client, service, 1);

        QCOMPARE(service.requests.size(), 1);  // no version query follows
        const FakeUpdateService::Request &r = service.requests.first();
        QCOMPARE(r.method, QByteArray("POST"));
        QCOMPARE(r.path, QByteArray("/download/getVersionV1"));
        QCOMPARE(r.headers.value("content-type"), QByteArray("application/x-www-form-urlencoded"));
        // A compressed reply would be inflated before any bound applies.
        QCOMPARE(r.headers.value("accept-encoding"), QByteArray("identity"));
        QByteArray jsonText;
        const QJsonObject body = decodedBody(r.body, &jsonText);
        QCOMPARE(body, (QJsonObject{{"UUID", "%7Babc%7D"},
                                    {"command_type", "Kq010"},
                                    {"currentVersion", "1.0.4"},
                                    {"updateVersion", "1.0.5"},
                                    {"status", "ok"}}));
        // Indented layout, Base64 sent unescaped.
        QCOMPARE(jsonText, QJsonDocument(body).toJson(QJsonDocument::Indented));
        QCOMPARE(r.body, "ActiveData=" + jsonText.toBase64());
        QVERIFY(!QFile::exists(data("/Version.txt")));
        QVERIFY(!QFile::exists(data("/KQ_update.exe")));
        QVERIFY(QFile::exists(data("/UUID.txt")));
    }

    void sameVersionAsksForNewOne()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        FakeUpdateService service;
        client.setServerUrl(service.baseUrl() + QStringLiteral("/"));  // trailing slash tolerated
        client.checkForUpdate();
        settle(client, service, 1);
        QCOMPARE(service.requests.size(), 1);
        QCOMPARE(service.requests[0].path, QByteArray("/download/getVersionV1"));
        QCOMPARE(decodedBody(service.requests[0].body),
                 (QJsonObject{{"getUrl", 1}, {"command_type", "Kq010"}}));
        QCOMPARE(dataFiles(), QStringList());  // "{}" answered: nothing written

        // A recorded version equal to the current one is no update either.
        writeFile(data("/Version.txt"), "1.0.5");
        FakeUpdateService second;
        client.setServerUrl(second.baseUrl());
        client.checkForUpdate();
        settle(client, second, 1);
        QCOMPARE(decodedBody(second.requests[0].body).value("getUrl"), QJsonValue(1));
        QCOMPARE(readFile(data("/Version.txt")), QByteArray("1.0.5"));
    }

    void offeredUpdateStartsTheUpdater()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        FakeUpdateService service;
        service.queue(reply("001", "V1.0.6", "http://files.example/kq/Setup-1.0.6.zip"));
        client.setServerUrl(service.baseUrl());
        client.checkForUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(readFile(m_record), QByteArray("1\nRGBVaylaZeve\n")
                                      + QCoreApplication::applicationDirPath().toLocal8Bit() + "\n", 8000);
        QCOMPARE(readFile(data("/Version.txt")), QByteArray("1.0.5"));
        QCOMPARE(readFile(data("/fileUrl.txt")), QByteArray("http://files.example/kq/Setup-1.0.6.zip"));
        QCOMPARE(service.requests.size(), 1);
    }

    void noteWithoutNewerVersion()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        QSignalSpy notes(&client, &AutoUpdate::updateNote);
        FakeUpdateService service;
        service.queue(reply("001", "V1.0.5", "http://x/", "Schon aktuell – 最新"));
        client.setServerUrl(service.baseUrl());
        client.checkForUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(notes.size(), 1, 5000);
        QCOMPARE(notes[0][0].toString(), QString::fromUtf8("Schon aktuell – 最新"));
        QCOMPARE(dataFiles(), QStringList());
        QVERIFY(!client.updaterStarted()); // decided with the reply: nothing to wait for
        QVERIFY(!QFile::exists(m_record));

        // A version written without the V is never newer, and an empty note shows nothing.
        FakeUpdateService second;
        second.queue(reply("001", "1.0.6", "http://x/"));
        client.setServerUrl(second.baseUrl());
        client.checkForUpdate();
        settle(client, second, 1);
        QCOMPARE(notes.size(), 1);
        QVERIFY(!QFile::exists(m_record));
    }

    void downloadRequestCarriesTheId()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        writeFile(data("/UUID.txt"), "{abc}");
        FakeUpdateService service;
        service.queue(reply("002", "V1.0.6"));
        service.queue(reply("002", "V1.0.7"));  // asked again: not followed
        client.setServerUrl(service.baseUrl());
        client.checkForUpdate();
        settle(client, service, 2);
        QCOMPARE(service.requests.size(), 2);
        QCOMPARE(decodedBody(service.requests[1].body),
                 (QJsonObject{{"UUID", "%7Babc%7D"}, {"command_type", "Kq010"}}));
        QCOMPARE(service.requests[1].path, QByteArray("/download/getVersionV1"));

        // "002" without a newer version asks for nothing.
        AutoUpdate other;
        other.setupVersion(QStringLiteral("2.0.0"));
        FakeUpdateService second;
        second.queue(reply("002", "V1.9.9"));
        other.setServerUrl(second.baseUrl());
        other.checkForUpdate();
        settle(other, second, 1);
        QCOMPARE(second.requests.size(), 1);
    }

    void failedOrForeignRepliesChangeNothing()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        writeFile(data("/UUID.txt"), "{abc}");
        const QStringList before = dataFiles();

        // Connection refused: a port nobody listens on any more.
        quint16 closedPort;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        QSignalSpy finished(&client, &AutoUpdate::replyHandled);
        client.setServerUrl(QStringLiteral("http://127.0.0.1:%1").arg(closedPort));
        client.checkForUpdate();
        QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, 5000);

        // HTTP error status with a tempting body, then a body that is no JSON.
        FakeUpdateService service;
        service.queue(reply("001", "V9.0.0", "http://x/"), 500);
        client.setServerUrl(service.baseUrl());
        client.checkForUpdate();
        settle(client, service, 1);
        FakeUpdateService html;
        html.queue("<html>Result_Code 001</html>");
        client.setServerUrl(html.baseUrl());
        client.checkForUpdate();
        settle(client, html, 1);

        QCOMPARE(service.requests.size(), 1);
        QCOMPARE(html.requests.size(), 1);
        QCOMPARE(dataFiles(), before);
        QCOMPARE(readFile(data("/UUID.txt")), QByteArray("{abc}"));
        QVERIFY(!QFile::exists(m_record));
    }

    void hostileRepliesLeaveNoFileAndStartNothing()
    {
        struct Case {
            const char *name;
            std::function<void(FakeUpdateService &)> answer;
        };
        const QByteArray offer = reply("001", "V9.0.0", "https://files.example/Setup.zip");
        auto offering = [](const QString &url) {
            return QJsonDocument(QJsonObject{{"Result_Code", "001"},
                                             {"Data", QJsonObject{{"version", "V9.0.0"}, {"url", url}}}})
                .toJson();
        };
        const QList<Case> cases{
            {"302 to another scheme", [&](FakeUpdateService &s) { s.queue(offer, 302, "Location: file:///etc/shadow\r\n"); }},
            {"302 without a place to go", [&](FakeUpdateService &s) { s.queue(offer, 302); }},
            {"302 to https", [&](FakeUpdateService &s) { s.queue(offer, 302, "Location: https://127.0.0.1:1/\r\n"); }},
            {"300 with an offer", [&](FakeUpdateService &s) { s.queue(offer, 300); }},
            {"500", [&](FakeUpdateService &s) { s.queue(offer, 500); }},
            {"204 without body", [&](FakeUpdateService &s) { s.queue(QByteArray(), 204); }},
            {"endless body", [&](FakeUpdateService &s) { s.queueEndless(offer); }},
            {"silent server", [&](FakeUpdateService &s) { s.queueSilence(); }},
            {"1 MiB body", [&](FakeUpdateService &s) { s.queue(offer + QByteArray(1024 * 1024, ' ')); }},
            {"compressed offer", [&](FakeUpdateService &s) { s.queue(qCompress(offer).mid(4), 200, "Content-Encoding: deflate\r\n"); }},
            {"gzip-encoded endless body", [&](FakeUpdateService &s) { s.queueEndless(offer, "Content-Encoding: gzip\r\n"); }},
            {"endless chunked body", [&](FakeUpdateService &s) { s.queueEndless("", "Transfer-Encoding: chunked\r\n"); }},
            {"file url", [&](FakeUpdateService &s) { s.queue(offering("file:///etc/shadow")); }},
            {"newline in the url", [&](FakeUpdateService &s) { s.queue(offering("https://files.example/a\nrm -rf /")); }},
            {"url of 3000 characters", [&](FakeUpdateService &s) { s.queue(offering("https://files.example/" + QString(3000, 'a'))); }},
            {"relative url", [&](FakeUpdateService &s) { s.queue(offering("/download/Setup.zip")); }},
            {"ftp url", [&](FakeUpdateService &s) { s.queue(offering("ftp://files.example/Setup.zip")); }},
            {"non-ASCII url", [&](FakeUpdateService &s) { s.queue(offering(QString::fromUtf8("https://fil\u00e9s.example/x"))); }},
        };
        for (const Case &c : cases) {
            QDir(m_folder).removeRecursively();
            AutoUpdate client;
            client.setupVersion(QStringLiteral("1.0.5"));
            client.setRequestTimeout(400);
            const QStringList before = dataFiles();
            FakeUpdateService service;
            c.answer(service);
            QSignalSpy finished(&client, &AutoUpdate::replyHandled);
            client.setServerUrl(service.baseUrl());
            client.checkForUpdate();
            QVERIFY2(finished.wait(10000), c.name);
            QCOMPARE(service.requests.size(), 1);
            QVERIFY2(dataFiles() == before, qPrintable(QString::fromLatin1(c.name) + ": " + dataFiles().join(',')));
            QVERIFY2(!QFile::exists(m_record), c.name);
        }
    }

    void repliesBeyondTheirLimitsAreLetGoEarly()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        client.setRequestTimeout(60000);
        FakeUpdateService service;
        service.queueEndless("{");
        QSignalSpy finished(&client, &AutoUpdate::replyHandled);
        client.setServerUrl(service.baseUrl());
        client.checkForUpdate();
        // The body limit ends it, not the time-out, and long before the server would stop.
        QVERIFY(finished.wait(30000));
        QVERIFY2(service.endlessSent < 4 * 1024 * 1024, qPrintable(QString::number(service.endlessSent)));
        QCOMPARE(dataFiles(), QStringList());
    }

    void anHttpsOfferAndARedirectWithinTheSchemeAreFollowed()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        FakeUpdateService service;
        service.queue("moved", 307, "Location: /elsewhere/download/getVersionV1\r\n");
        service.queue(reply("001", "V1.0.6", "https://files.example/kq/Setup-1.0.6.zip"));
        client.setServerUrl(service.baseUrl());
        client.checkForUpdate();
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(m_record), 8000);
        QCOMPARE(service.requests.size(), 2);
        QCOMPARE(service.requests[1].path, QByteArray("/elsewhere/download/getVersionV1"));
        QCOMPARE(readFile(data("/fileUrl.txt")), QByteArray("https://files.example/kq/Setup-1.0.6.zip"));
    }

    void withoutServerNothingIsSent()
    {
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        writeFile(data("/Version.txt"), "1.0.4");
        FakeUpdateService service;
        QSignalSpy finished(&client, &AutoUpdate::replyHandled);
        for (const QString &url : {QString(), QStringLiteral("   "), QStringLiteral("ftp://127.0.0.1/"),
                                   QStringLiteral("http://")}) {
            client.setServerUrl(url);
            client.checkForUpdate();
        }
        QVERIFY(!client.busy()); // refused before anything went out: no reply can come
        QCOMPARE(finished.size(), 0);
        QCOMPARE(service.requests.size(), 0);
        // The pending success report waits for a configured server.
        QCOMPARE(readFile(data("/Version.txt")), QByteArray("1.0.4"));
    }

    void installationId()
    {
        AutoUpdate client;
        // A fresh id: no braces, stored, then read back the same.
        const QString fresh = client.readUUID();
        QCOMPARE(fresh.size(), 36);
        QVERIFY(!fresh.contains('{') && !fresh.contains("%7B"));
        QCOMPARE(QString::fromLatin1(readFile(data("/UUID.txt"))), fresh);
        QCOMPARE(client.readUUID(), fresh);

        client.writeUUID(QStringLiteral("{abc}"));
        QCOMPARE(client.readUUID(), QStringLiteral("%7Babc%7D"));
        client.writeUUID(QStringLiteral("{abc}tail}"));
        QCOMPARE(client.readUUID(), QStringLiteral("%7Babc%7D"));
        client.writeUUID(QStringLiteral("{open"));
        QCOMPARE(client.readUUID(), QStringLiteral("%7Bopen%7D"));
        client.writeUUID(QStringLiteral("plain-id"));
        QCOMPARE(client.readUUID(), QStringLiteral("plain-id"));
        QCOMPARE(readFile(data("/UUID.txt")), QByteArray("plain-id"));  // no line end

        client.writeUUID(QString());  // an empty file is no id
        const QString renewed = client.readUUID();
        QCOMPARE(renewed.size(), 36);

        client.deleteUUID();
        QVERIFY(!QFile::exists(data("/UUID.txt")));
        client.deleteUUID();  // twice is harmless
        QVERIFY(client.readUUID() != renewed);
    }

    void seedFilesBesideTheProgram()
    {
        const QString appDir = QCoreApplication::applicationDirPath();
        writeFile(appDir + "/Version.txt", "1.0.3");
        writeFile(appDir + "/UUID.txt", "{seed-id}");
        AutoUpdate client;
        client.setupVersion(QStringLiteral("1.0.5"));
        const QString old = client.checkOldVersion();
        const QString id = client.readUUID();
        QFile::remove(appDir + "/Version.txt");
        QFile::remove(appDir + "/UUID.txt");
        QCOMPARE(old, QStringLiteral("1.0.3"));
        QCOMPARE(readFile(data("/Version.txt")), QByteArray("1.0.3"));
        QCOMPARE(id, QStringLiteral("%7Bseed-id%7D"));
        QCOMPARE(client.readUUID(), QStringLiteral("%7Bseed-id%7D"));  // now from the data folder

        QDir(m_folder).removeRecursively();
        QDir().mkpath(m_folder);
        QCOMPARE(client.checkOldVersion(), QStringLiteral("1.0.5"));  // nothing recorded anywhere
        QVERIFY(!QFile::exists(data("/Version.txt")));
    }
};

QTEST_MAIN(TestAutoUpdate)
#include "test_autoupdate.moc"
