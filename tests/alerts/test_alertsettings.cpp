// SPDX-License-Identifier: GPL-3.0-or-later
// Alerts.ini: what a missing file means, what round-trips, what is refused,
// and that the device file is none of its business.
#include "alerts/AlertSettings.h"
#include "storage/IniFile.h"

#include <QDir>
#include <QtTest>

namespace {

AlertSettings parseText(const QByteArray &text)
{
    return AlertSettingsFile::parse(*IniFile::parse(text));
}

} // namespace

class TestAlertSettings : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"));
        QDir(IniHelper::dataFolder()).removeRecursively();
    }

    void noFileMeansTheDefaults()
    {
        const AlertSettings s = AlertSettingsFile::read(QDir::tempPath() + QStringLiteral("/aurivent-no-such/Alerts.ini"));
        QCOMPARE(s.timing.warmUpSeconds, 30);
        QCOMPARE(s.timing.recoverSeconds, 10);
        QCOMPARE(s.timing.temperatureLostSeconds, 15);
        QCOMPARE(s.commandSeconds, 10);
        QVERIFY(s.soundFile.isEmpty());
        QVERIFY(s.limits.isEmpty());
        for (int k = 0; k < kAlertKindCount; ++k) {
            QVERIFY(s.actions[std::size_t(k)].notify);
            QVERIFY(!s.actions[std::size_t(k)].sound);
            QVERIFY(s.actions[std::size_t(k)].command.isEmpty());
        }
    }

    void whatIsWrittenReadsBack()
    {
        AlertSettings s;
        s.timing.warmUpSeconds = 90;
        s.timing.recoverSeconds = 0;
        s.timing.temperatureLostSeconds = 60;
        s.commandSeconds = 300;
        s.soundFile = QStringLiteral("/usr/share/sounds/bell, loud.oga");
        s.action(AlertKind::Stall).sound = true;
        s.action(AlertKind::Stall).command = QStringLiteral("/home/u/bin/on alert");
        s.action(AlertKind::SaveFailed).notify = false;
        s.limits = {{QStringLiteral("coretemp/Package id 0"), 85.5, 30}, {QStringLiteral("amdgpu-pci-0300/edge"), 90, 0}};
        QVERIFY(AlertSettingsFile::write(s));
        QVERIFY(QFile::exists(AlertSettingsFile::path()));
        const AlertSettings back = AlertSettingsFile::read();
        QCOMPARE(back.timing.warmUpSeconds, 90);
        QCOMPARE(back.timing.recoverSeconds, 0);
        QCOMPARE(back.timing.temperatureLostSeconds, 60);
        QCOMPARE(back.commandSeconds, 300);
        QCOMPARE(back.soundFile, s.soundFile);
        QVERIFY(back.action(AlertKind::Stall).sound);
        QCOMPARE(back.action(AlertKind::Stall).command, s.action(AlertKind::Stall).command);
        QVERIFY(!back.action(AlertKind::SaveFailed).notify);
        QVERIFY(back.action(AlertKind::BoxSilent).notify);
        QCOMPARE(back.limits.size(), 2);
        QCOMPARE(back.limits[0].source, s.limits[0].source);
        QCOMPARE(back.limits[0].celsius, 85.5);
        QCOMPARE(back.limits[1].seconds, 0);

        // A limit taken away is gone from the file too.
        s.limits.removeLast();
        QVERIFY(AlertSettingsFile::write(s));
        const AlertSettings fewer = AlertSettingsFile::read();
        QCOMPARE(fewer.limits.size(), 1);
        QCOMPARE(fewer.limits[0].source, QStringLiteral("coretemp/Package id 0"));
        // The device file, which the old program reads, was never written.
        QVERIFY(!QFile::exists(IniHelper::dataFolder() + QStringLiteral("/Device.ini")));
    }

    // One bad value each; the default is kept and the refusal logged.
    void badValuesAreRefused_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("refused");
        QTest::newRow("warm-up past an hour") << QByteArray("[Alerts]\nWarmUpSeconds=3601\n") << "Alerts/WarmUpSeconds";
        QTest::newRow("negative recovery") << QByteArray("[Alerts]\nRecoverSeconds=-1\n") << "Alerts/RecoverSeconds";
        QTest::newRow("lost after 0 s") << QByteArray("[Alerts]\nTemperatureLostSeconds=0\n") << "Alerts/TemperatureLostSeconds";
        QTest::newRow("command time not a number") << QByteArray("[Alerts]\nCommandSeconds=ten\n") << "Alerts/CommandSeconds";
        QTest::newRow("command time past 300") << QByteArray("[Alerts]\nCommandSeconds=301\n") << "Alerts/CommandSeconds";
        QTest::newRow("sound file relative") << QByteArray("[Alerts]\nSoundFile=bell.oga\n") << "Alerts/SoundFile";
        QTest::newRow("notify 2") << QByteArray("[Stall]\nNotify=2\n") << "Stall/Notify";
        QTest::newRow("sound yes") << QByteArray("[BoxSilent]\nSound=yes\n") << "BoxSilent/Sound";
        QTest::newRow("command through a shell") << QByteArray("[SaveFailed]\nCommand=\"notify-send x\"\n") << "SaveFailed/Command";
        QTest::newRow("limit at 19 °C") << QByteArray("[Limit1]\nSource=cpu\nCelsius=19\n") << "Limit1/Celsius";
        QTest::newRow("limit not a number") << QByteArray("[Limit1]\nSource=cpu\nCelsius=hot\n") << "Limit1/Celsius";
        QTest::newRow("limit time past an hour") << QByteArray("[Limit2]\nSource=cpu\nSeconds=3601\n") << "Limit2/Seconds";
    }
    void badValuesAreRefused()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, refused);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Alerts.ini: ") + refused + QStringLiteral(" refused.*")));
        const AlertSettings s = parseText(text);
        const AlertSettings d;
        QCOMPARE(s.timing.warmUpSeconds, d.timing.warmUpSeconds);
        QCOMPARE(s.timing.recoverSeconds, d.timing.recoverSeconds);
        QCOMPARE(s.timing.temperatureLostSeconds, d.timing.temperatureLostSeconds);
        QCOMPARE(s.commandSeconds, d.commandSeconds);
        QCOMPARE(s.soundFile, d.soundFile);
        for (int k = 0; k < kAlertKindCount; ++k) {
            QCOMPARE(s.actions[std::size_t(k)].notify, true);
            QCOMPARE(s.actions[std::size_t(k)].sound, false);
            QVERIFY(s.actions[std::size_t(k)].command.isEmpty());
        }
        for (const TemperatureLimit &l : s.limits) {
            QCOMPARE(l.celsius, TemperatureLimit().celsius);
            QCOMPARE(l.seconds, TemperatureLimit().seconds);
        }
    }

    void limitsAreCheckedAsAWhole()
    {
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Alerts.ini: Limit3 refused: its source has a limit already")));
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("Alerts.ini: Limit4 refused: no usable source name")));
        const AlertSettings s = parseText("[Limit1]\nSource=cpu\nCelsius=70\n"
                                          "[Limit2]\nSource=\nCelsius=60\n"
                                          "[Limit3]\nSource=cpu\nCelsius=90\n"
                                          "[Limit4]\nSource=" + QByteArray(257, 'x') + "\n"
                                          "[Limit16]\nSource=gpu\nSeconds=5\n"
                                          "[Limit17]\nSource=disk\n");
        QCOMPARE(s.limits.size(), 2);
        QCOMPARE(s.limits[0].source, QStringLiteral("cpu"));
        QCOMPARE(s.limits[0].celsius, 70.0);
        QCOMPARE(s.limits[1].source, QStringLiteral("gpu"));
        QCOMPARE(s.limits[1].seconds, 5);
    }
};

QTEST_GUILESS_MAIN(TestAlertSettings)
#include "test_alertsettings.moc"
