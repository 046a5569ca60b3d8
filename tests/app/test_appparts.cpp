// SPDX-License-Identifier: GPL-3.0-or-later
#include "control/BoxPresenceLog.h"
#include "channel/CommandChannel.h"
#include "startup/CommandLine.h"
#include "startup/DeviceSetup.h"
#include "control/IpText.h"
#include "control/Language.h"
#include "app/Tray.h"
#include "control/WindowMessages.h"
#include "device/DeviceBus.h"

#include <QTextCodec>
#include <QTranslator>
#include <QtTest>

// The small pieces of the application core.
class TestAppParts : public QObject {
    Q_OBJECT

private slots:
    void autorunItemSaysWhyItIsGreyed()
    {
        QCOMPARE(Tray::autorunText(), QStringLiteral("Start Aurivent at log-in"));
        QVERIFY(Tray::autorunText(false).startsWith(Tray::autorunText() + QStringLiteral(" (")));
    }

    void ipTextTakesTheLastIPv4Address()
    {
        const QList<QHostAddress> two = {QHostAddress(QStringLiteral("127.0.0.1")),
                                         QHostAddress(QStringLiteral("192.168.1.20")),
                                         QHostAddress(QStringLiteral("fe80::1")),
                                         QHostAddress(QStringLiteral("10.0.0.7"))};
        QCOMPARE(ipTextFrom(two, QStringLiteral("desk"), QStringLiteral("IP Address")),
                 QStringLiteral("desk IP Address:10.0.0.7"));
        QCOMPARE(ipTextFrom({QHostAddress(QStringLiteral("127.0.0.1"))}, QStringLiteral("desk"),
                            QStringLiteral("IP Address")),
                 QString());
    }

    void languageFilesByIndex()
    {
        QCOMPARE(Language::relativeFile(0), QStringLiteral("Language/en.qm"));
        QCOMPARE(Language::relativeFile(6), QStringLiteral("Language/th.qm"));
        QVERIFY(Language::relativeFile(7).isEmpty());
        QVERIFY(Language::relativeFile(-1).isEmpty());
        QTranslator translator;
        QVERIFY(!Language::load(translator, QCoreApplication::applicationDirPath(), 7));
        QVERIFY(translator.isEmpty());
    }

    void commandLines()
    {
        int id = 0, w = 0, l = 0;
        QVERIFY(CommandChannel::parseLine(QStringLiteral("0x8101 1 1"), &id, &w, &l));
        QCOMPARE(id, 0x8101);
        QCOMPARE(w, 1);
        QCOMPARE(l, 1);
        QVERIFY(CommandChannel::parseLine(QStringLiteral("33025"), &id, &w, &l));
        QCOMPARE(id, 0x8101);
        QCOMPARE(w, 0);
        QVERIFY(CommandChannel::parseLine(QStringLiteral("0x8118 0xFF00FF 3"), &id, &w, &l));
        QCOMPARE(w, 0xFF00FF);
        // A 32-bit word without a sign: all ones is -1.
        QVERIFY(CommandChannel::parseLine(QStringLiteral("0x8101 0xFFFFFFFF"), &id, &w, &l));
        QCOMPARE(w, -1);
        QVERIFY(!CommandChannel::parseLine(QStringLiteral("0x8101 -1"), &id, &w, &l));
        QVERIFY(!CommandChannel::parseLine(QString(), &id, &w, &l));
        QVERIFY(!CommandChannel::parseLine(QStringLiteral("0x8101 1 1 1"), &id, &w, &l));
        QVERIFY(!CommandChannel::parseLine(QStringLiteral("hello"), &id, &w, &l));
        QVERIFY(!CommandChannel::parseLine(QStringLiteral("0x1FFFFFFFF"), &id, &w, &l));

        const CommandLine sim = CommandLine::parse({QStringLiteral("Aurivent"), QStringLiteral("--simulate=-,1"),
                                                    QStringLiteral("--hid-trace"), QStringLiteral("/tmp/t")});
        QVERIFY(sim.error.isEmpty());
        QVERIFY(sim.simulateSet);
        QCOMPARE(sim.simulate, QStringLiteral("-,1"));
        QCOMPARE(sim.hidTrace, QStringLiteral("/tmp/t"));
        const CommandLine send = CommandLine::parse({QStringLiteral("Aurivent"), QStringLiteral("--send"),
                                                     QStringLiteral("0x8121"), QStringLiteral("1"), QStringLiteral("2")});
        QVERIFY(send.send);
        QCOMPARE(send.sendArgs.size(), 3);
        QVERIFY(!CommandLine::parse({QStringLiteral("Aurivent"), QStringLiteral("--send")}).error.isEmpty());
        QVERIFY(!CommandLine::parse({QStringLiteral("Aurivent"), QStringLiteral("--simulate-control=/x")}).error.isEmpty());
        QVERIFY(!CommandLine::parse({QStringLiteral("Aurivent"), QStringLiteral("--hid-trace")}).error.isEmpty());

        // Pipelined lighting unless asked for write, then read.
        const CommandLine plain = CommandLine::parse({QStringLiteral("Aurivent"), QStringLiteral("--simulate=1")});
        DeviceBus bus;
        DeviceSetup setup;
        QString error;
        QVERIFY(setup.apply(plain, bus, nullptr, nullptr, &error));
        QCOMPARE(bus.pipelineDepth(), DeviceBus::kDefaultPipelineDepth);
        const CommandLine strict = CommandLine::parse({QStringLiteral("Aurivent"), QStringLiteral("--simulate=1"),
                                                       QStringLiteral("--write-then-read")});
        QVERIFY(strict.error.isEmpty() && strict.writeThenRead);
        QVERIFY(setup.apply(strict, bus, nullptr, nullptr, &error));
        QCOMPARE(bus.pipelineDepth(), 1);
        QVERIFY(setup.apply(plain, bus, nullptr, nullptr, &error));
        QCOMPARE(bus.pipelineDepth(), DeviceBus::kDefaultPipelineDepth);
    }

    // What the parser decides before any application object exists.
    void commandLineOptions()
    {
        auto parse = [](QStringList args) {
            args.prepend(QStringLiteral("Aurivent"));
            return CommandLine::parse(args);
        };
        QVERIFY(parse({}).needsGui());
        for (const char *help : {"--help", "-h"}) {
            const CommandLine line = parse({QString::fromLatin1(help)});
            QVERIFY(line.help && line.error.isEmpty() && !line.needsGui());
        }
        for (const char *version : {"--version", "-v"})
            QVERIFY(parse({QString::fromLatin1(version)}).version);
        QVERIFY(!parse({QStringLiteral("--send"), QStringLiteral("1")}).needsGui());

        const CommandLine service = parse({QStringLiteral("--headless"), QStringLiteral("--verbose"),
                                           QStringLiteral("--simulate"), QStringLiteral("1,0")});
        QVERIFY(service.error.isEmpty());
        QVERIFY(service.headless && service.verbose && service.simulateSet && !service.minimized);
        QCOMPARE(service.simulate, QStringLiteral("1,0"));
        QVERIFY(parse({QStringLiteral("--minimized")}).minimized);

        // Qt's own options pass, with one dash or two.
        QVERIFY(parse({QStringLiteral("-platform"), QStringLiteral("offscreen"), QStringLiteral("-reverse")})
                    .error.isEmpty());
        QVERIFY(parse({QStringLiteral("--style=fusion")}).error.isEmpty());

        // Refused with a message: nothing is started for these.
        for (const QStringList &bad :
             {QStringList{QStringLiteral("--bogus")}, QStringList{QStringLiteral("-x")},
              QStringList{QStringLiteral("stray")}, QStringList{QStringLiteral("--headless"), QStringLiteral("--minimized")},
              QStringList{QStringLiteral("--send")}, QStringList{QStringLiteral("--send"), QStringLiteral("1"),
                                                                 QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4")},
              QStringList{QStringLiteral("--verbose=yes")}}) {
            const CommandLine line = parse(bad);
            QVERIFY2(!line.error.isEmpty(), qPrintable(bad.join(QLatin1Char(' '))));
            QVERIFY(!line.needsGui());
        }
        QVERIFY(parse({QStringLiteral("--bogus")}).error.contains(QStringLiteral("bogus")));

        // Everything after --send is its own, a negative number included.
        const CommandLine negative = parse({QStringLiteral("--verbose"), QStringLiteral("--send"),
                                            QStringLiteral("0x8120"), QStringLiteral("-1")});
        QVERIFY(negative.error.isEmpty());
        QCOMPARE(negative.sendArgs, (QStringList{QStringLiteral("0x8120"), QStringLiteral("-1")}));
    }

    void boxesFoundAndLost()
    {
        QCOMPARE(BoxPresenceLog::changes(QString(), QStringLiteral("0100000000000001")),
                 (QStringList{QStringLiteral("box 1 found (USB 264a:1fa6)"),
                              QStringLiteral("box 15 found (USB 264a:1fb4)")}));
        QCOMPARE(BoxPresenceLog::changes(QString(), QStringLiteral("0000000000000000")),
                 QStringList{QStringLiteral("no controller box found")});
        QCOMPARE(BoxPresenceLog::changes(QStringLiteral("0100000000000001"), QStringLiteral("0010000000000001")),
                 (QStringList{QStringLiteral("box 1 lost"), QStringLiteral("box 2 found (USB 264a:1fa7)")}));
        QVERIFY(BoxPresenceLog::changes(QStringLiteral("01"), QStringLiteral("0100000000000000")).isEmpty());
        // Every box gone after start-up is said box by box.
        QCOMPARE(BoxPresenceLog::changes(QStringLiteral("1000000000000000"), QStringLiteral("0000000000000000")),
                 QStringList{QStringLiteral("box 0 lost")});
        // A short or strange map reads as boxes absent, never out of bounds.
        QVERIFY(BoxPresenceLog::changes(QStringLiteral("1"), QStringLiteral("x")).contains(QStringLiteral("box 0 lost")));
    }

    void passwordNumbersBecomeFourDigits()
    {
        QCOMPARE(WindowMessages::passwordText(1234), QStringLiteral("1234"));
        QCOMPARE(WindowMessages::passwordText(123), QStringLiteral("0123"));
        QCOMPARE(WindowMessages::passwordText(5), QStringLiteral("0005"));
        QCOMPARE(WindowMessages::passwordText(0), QStringLiteral("0000"));
        QVERIFY(WindowMessages::passwordText(10000).isEmpty());
        QVERIFY(WindowMessages::passwordText(-1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestAppParts)
#include "test_appparts.moc"
