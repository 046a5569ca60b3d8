// SPDX-License-Identifier: GPL-3.0-or-later
// Metrics.ini: nothing exported unless asked, loopback unless an address is
// chosen, and an address that cannot be read falls back to loopback.
#include "metrics/MetricsSettings.h"
#include "storage/IniFile.h"

#include <QtTest>

class TestMetricsSettings : public QObject {
    Q_OBJECT

private slots:
    void defaultsExportNothing()
    {
        const MetricsSettings s = MetricsSettingsFile::read(QDir::tempPath() + QStringLiteral("/aurivent-none/Metrics.ini"));
        QVERIFY(!s.serve);
        QCOMPARE(s.address, QStringLiteral("127.0.0.1"));
        QCOMPARE(s.port, 9745);
        QVERIFY(s.textfile.isEmpty());
        QCOMPARE(s.textfileSeconds, 15);
    }

    void whatIsWrittenReadsBack()
    {
        MetricsSettings s;
        s.serve = true;
        s.address = QStringLiteral("::");
        s.port = 19464;
        s.textfile = QStringLiteral("/var/lib/node_exporter/textfile_collector/aurivent.prom");
        s.textfileSeconds = 60;
        QVERIFY(MetricsSettingsFile::write(s));
        const MetricsSettings back = MetricsSettingsFile::read();
        QVERIFY(back.serve);
        QCOMPARE(back.address, QStringLiteral("::"));
        QCOMPARE(back.port, 19464);
        QCOMPARE(back.textfile, s.textfile);
        QCOMPARE(back.textfileSeconds, 60);
        QVERIFY(!QFile::exists(IniHelper::dataFolder() + QStringLiteral("/Device.ini")));
    }

    void values_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<bool>("serve");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("textfile");
        QTest::addColumn<bool>("refused");
        const QString loop = QStringLiteral("127.0.0.1");
        QTest::newRow("localhost") << QByteArray("[Metrics]\nAddress=localhost\n") << false << loop << 9745 << QString() << false;
        QTest::newRow("IPv6 loopback") << QByteArray("[Metrics]\nAddress=::1\n") << false << QStringLiteral("::1") << 9745 << QString() << false;
        QTest::newRow("the network, chosen") << QByteArray("[Metrics]\nServe=1\nAddress=0.0.0.0\n") << true << QStringLiteral("0.0.0.0") << 9745 << QString() << false;
        QTest::newRow("a host name fails closed") << QByteArray("[Metrics]\nAddress=example.org\n") << false << loop << 9745 << QString() << true;
        QTest::newRow("a broken address fails closed") << QByteArray("[Metrics]\nAddress=0.0.0.0.0\n") << false << loop << 9745 << QString() << true;
        QTest::newRow("serve yes") << QByteArray("[Metrics]\nServe=yes\n") << false << loop << 9745 << QString() << true;
        QTest::newRow("port 0") << QByteArray("[Metrics]\nPort=0\n") << false << loop << 9745 << QString() << true;
        QTest::newRow("port 65536") << QByteArray("[Metrics]\nPort=65536\n") << false << loop << 9745 << QString() << true;
        QTest::newRow("port 65535") << QByteArray("[Metrics]\nPort=65535\n") << false << loop << 65535 << QString() << false;
        QTest::newRow("relative textfile") << QByteArray("[Metrics]\nTextfile=aurivent.prom\n") << false << loop << 9745 << QString() << true;
        QTest::newRow("textfile the collector skips") << QByteArray("[Metrics]\nTextfile=/t/aurivent.txt\n") << false << loop << 9745 << QString() << true;
        QTest::newRow("textfile") << QByteArray("[Metrics]\nTextfile=/t/a.prom\n") << false << loop << 9745 << QStringLiteral("/t/a.prom") << false;
        QTest::newRow("textfile seconds 0") << QByteArray("[Metrics]\nTextfileSeconds=0\n") << false << loop << 9745 << QString() << true;
    }
    void values()
    {
        QFETCH(QByteArray, text);
        QFETCH(bool, serve);
        QFETCH(QString, address);
        QFETCH(int, port);
        QFETCH(QString, textfile);
        QFETCH(bool, refused);
        if (refused)
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Metrics.ini: Metrics/.* refused:.*")));
        const MetricsSettings s = MetricsSettingsFile::parse(*IniFile::parse(text));
        QCOMPARE(s.serve, serve);
        QCOMPARE(s.address, address);
        QCOMPARE(s.port, port);
        QCOMPARE(s.textfile, textfile);
    }
};

QTEST_GUILESS_MAIN(TestMetricsSettings)
#include "test_metricssettings.moc"
