// SPDX-License-Identifier: GPL-3.0-or-later
// What the update client says and reads, and how an elevated start is put together.

#include "update/ElevationCommand.h"
#include "update/UpdateProtocol.h"

#include <QJsonDocument>
#include <QtTest>

using namespace UpdateProtocol;

class TestUpdateProtocol : public QObject
{
    Q_OBJECT

private slots:
    void versionComparison()
    {
        QVERIFY(compareVersion("V1.0.6", "1.0.5"));
        QVERIFY(!compareVersion("V1.0.5", "1.0.5"));
        QVERIFY(!compareVersion("1.0.6", "1.0.5"));  // no V: never newer
        QVERIFY(compareVersion("V2.0.0", "1.9.9"));
        QVERIFY(!compareVersion("V1.9.9", "2.0.0"));
        QVERIFY(compareVersion("V1.1.0", "1.0.9"));
        QVERIFY(!compareVersion("V1.0.9", "1.1.0"));
        QVERIFY(compareVersion("V1.0.10", "1.0.9"));  // numbers, not text
        QVERIFY(compareVersion("V1.1", "1.0.5"));     // missing section reads 0
        QVERIFY(!compareVersion("V1.0", "1.0.0"));
        QVERIFY(compareVersion("V1.0.6", "1.0"));
        QVERIFY(!compareVersion("V1.x.6", "1.0.6"));  // non-numeric reads 0
        QVERIFY(compareVersion("xV1.0.6", "1.0.5"));  // text after the first V
        QVERIFY(compareVersion("V1.0.5", "1.0.4\n")); // a seed file with a line end
        QVERIFY(!compareVersion("", ""));
        QVERIFY(compareVersion("V0.0.1", ""));
    }

    void requestBodies()
    {
        QCOMPARE(versionQuery(), (QJsonObject{{"getUrl", 1}, {"command_type", "Kq010"}}));
        QCOMPARE(versionQuery().value("getUrl").type(), QJsonValue::Double);  // a number, not text
        QCOMPARE(downloadRequest("%7Babc%7D"), (QJsonObject{{"UUID", "%7Babc%7D"}, {"command_type", "Kq010"}}));
        QCOMPARE(successReport("id", "1.0.4", "1.0.5"),
                 (QJsonObject{{"UUID", "id"}, {"command_type", "Kq010"}, {"currentVersion", "1.0.4"},
                              {"updateVersion", "1.0.5"}, {"status", "ok"}}));

        const QByteArray body = requestBody(versionQuery());
        QVERIFY(body.startsWith("ActiveData="));
        const QByteArray json = QByteArray::fromBase64(body.mid(11));
        QCOMPARE(json, QByteArray("{\n    \"command_type\": \"Kq010\",\n    \"getUrl\": 1\n}\n"));
        // Base64 characters go out unescaped: this text encodes to "+" and "/".
        const QByteArray tricky = requestBody(QJsonObject{{"k", QStringLiteral("\u00fb\u00ff\u00bf>?")}});
        QVERIFY(tricky.contains('+') || tricky.contains('/') || tricky.contains('='));
        QVERIFY(!tricky.contains('%'));
    }

    void serviceAddress()
    {
        QString error;
        QCOMPARE(serviceUrl("http://127.0.0.1:8080", &error), QUrl("http://127.0.0.1:8080/download/getVersionV1"));
        QCOMPARE(serviceUrl("https://update.example/", &error), QUrl("https://update.example/download/getVersionV1"));
        QCOMPARE(serviceUrl("  HTTPS://update.example/kq//  ", &error),
                 QUrl("https://update.example/kq/download/getVersionV1"));
        // A bare host name is reached over https.
        QCOMPARE(serviceUrl("update.example", &error), QUrl("https://update.example/download/getVersionV1"));
        QVERIFY(error.isEmpty());
        for (const char *bad : {"", "   ", "ftp://update.example", "http://", "file:///etc/passwd",
                                "http://a b", "http://x/?q=1", "javascript:alert(1)"}) {
            error.clear();
            QVERIFY2(!serviceUrl(bad, &error).isValid(), bad);
            QVERIFY2(!error.isEmpty(), bad);
        }
    }

    void offeredDownloadAddress()
    {
        const QString https = QStringLiteral("https");
        const QString http = QStringLiteral("http");
        UrlCheck c = checkDownloadUrl("https://files.example/kq/Setup-1.0.6.zip?x=1%20a", https);
        QVERIFY(c.accepted && !c.plainHttp && c.error.isEmpty());
        QVERIFY(checkDownloadUrl("HTTPS://files.example:8443/a", https).accepted);
        // Plain http only when the service itself is plain http, and then marked.
        QVERIFY(!checkDownloadUrl("http://files.example/a", https).accepted);
        c = checkDownloadUrl("http://files.example/a", http);
        QVERIFY(c.accepted && c.plainHttp);
        // Length: up to the limit.
        const QString head = QStringLiteral("https://files.example/");
        QVERIFY(checkDownloadUrl(head + QString(kMaxUrlLength - head.size(), 'a'), https).accepted);
        QVERIFY(!checkDownloadUrl(head + QString(kMaxUrlLength - head.size() + 1, 'a'), https).accepted);
        for (const QString &bad :
             {QString(), QStringLiteral("file:///etc/shadow"), QStringLiteral("ftp://files.example/a"),
              QStringLiteral("javascript:alert(1)"), QStringLiteral("https://"), QStringLiteral("https:///a"),
              QStringLiteral("//files.example/a"), QStringLiteral("/a/b"), QStringLiteral("https://files.example/a b"),
              QStringLiteral("https://files.example/a\nb"), QStringLiteral("https://files.example/a\tb"),
              QStringLiteral("https://files.example/a\rb"), QStringLiteral("https://files.example/a") + QChar(0x7f),
              QStringLiteral("https://files.example/a") + QChar(0x85), QStringLiteral("https://files.example/\u00e9"),
              QStringLiteral("https://files.example/a") + QChar(0)}) {
            c = checkDownloadUrl(bad, http);
            QVERIFY2(!c.accepted && !c.error.isEmpty(), qPrintable(bad.left(60)));
        }
        QVERIFY(isSuccessStatus(200) && isSuccessStatus(299));
        QVERIFY(!isSuccessStatus(199) && !isSuccessStatus(300) && !isSuccessStatus(302) && !isSuccessStatus(0));
    }

    void replies()
    {
        Reply r = parseReply("{\"Result_Code\":\"001\",\"Data\":{\"version\":\"V1.0.6\",\"url\":\"http://u\",\"note\":\"n\"}}");
        QCOMPARE(r.code, QString("001"));
        QCOMPARE(r.version, QString("V1.0.6"));
        QCOMPARE(r.url, QString("http://u"));
        QCOMPARE(r.note, QString("n"));
        for (const QByteArray &foreign : {QByteArray("<html>"), QByteArray("[1,2]"), QByteArray(""),
                                          QByteArray("{\"Result_Code\":\"001\",\"Data\":\"V9.9.9\"}")}) {
            r = parseReply(foreign);
            QVERIFY(r.version.isEmpty() && r.url.isEmpty() && r.note.isEmpty());
        }
        QCOMPARE(parseReply("[1,2]").code, QString());
    }

    void pkexecCommandLine()
    {
        QProcessEnvironment env;
        env.insert("HOME", "/home/ana");
        env.insert("DISPLAY", ":0");
        env.insert("SECRET_TOKEN", "nope");
        QCOMPARE(elevatedCommandLine("/usr/bin/pkexec", "/usr/bin/env", "/opt/a b/Aurivent", {"x y", "z"},
                                     "/opt/a b", env),
                 (QStringList{"/usr/bin/pkexec", "/usr/bin/env", "--chdir=/opt/a b", "DISPLAY=:0",
                              "XDG_CONFIG_HOME=/home/ana/.config", "/opt/a b/Aurivent", "x y", "z"}));
        env.insert("XDG_CONFIG_HOME", "/cfg");
        env.insert("WAYLAND_DISPLAY", "wayland-0");
        const QStringList argv = elevatedCommandLine("pk", "env", "/p/KestraneUpdate", {"RGBVaylaZeve"}, "/p", env);
        QVERIFY(argv.contains("XDG_CONFIG_HOME=/cfg"));
        QVERIFY(argv.contains("WAYLAND_DISPLAY=wayland-0"));
        QVERIFY(!argv.join(' ').contains("SECRET_TOKEN"));
        QCOMPARE(argv.mid(argv.size() - 2), (QStringList{"/p/KestraneUpdate", "RGBVaylaZeve"}));
    }
};

QTEST_APPLESS_MAIN(TestUpdateProtocol)
#include "test_update_protocol.moc"
