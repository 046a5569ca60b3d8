// SPDX-License-Identifier: GPL-3.0-or-later
// Who may reach the phone server, through the whole program: the device
// file's choice at start-up, the settings menu at run time, the footer.

#include "FreshSettings.h"
#include "SimFixture.h"

#include "core/Core.h"
#include "SocketProbe.h"

#include "app/Aurivent.h"
#include "app/SaveFailureNotice.h"
#include "remote/SocketHelper.h"
#include "storage/IniHelper.h"
#include "ui/MainView.h"

#include <QAction>
#include <QHostInfo>
#include <QLabel>
#include <QPushButton>
#include <QTcpSocket>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

namespace {

const QString kAny4 = QStringLiteral("00000000");
const QString kAny6 = QString(32, QLatin1Char('0'));
const QString kLoop4 = QStringLiteral("0100007F");

void writeDeviceFile(const QByteArray &mainExtra)
{
    QDir(IniHelper::dataFolder()).removeRecursively();
    QDir().mkpath(IniHelper::dataFolder());
    QFile file(IniHelper::deviceFilePath());
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\nPassword=9462\nOpenPassword=0\n" + mainExtra);
}

QString storedAccess()
{
    return FreshSettings(IniHelper::deviceFilePath())->value(QStringLiteral("Main/RemoteAccess")).toString();
}

bool greeted(const QHostAddress &address)
{
    QTcpSocket phone;
    QByteArray received;
    QObject::connect(&phone, &QTcpSocket::readyRead, [&] { received += phone.readAll(); });
    phone.connectToHost(address, SocketHelper::kDefaultPort);
    return QTest::qWaitFor([&] { return received.endsWith('&') || phone.state() == QAbstractSocket::UnconnectedState; },
                           5000)
        && received.startsWith("KqRainbowFan!");
}

} // namespace

class TestRemoteAccessProgram : public QObject {
    Q_OBJECT

private:
    // A fresh core for every case, as every start of the program has.
    std::unique_ptr<Core> core = std::make_unique<Core>();
    DeviceBus &bus() { return core->bus(); }
    QString footer(Aurivent &program) { return program.view()->findChild<QLabel *>(QStringLiteral("label_ip"))->text(); }

private slots:
    void init() { core = std::make_unique<Core>(); }
    void cleanup() { core.reset(); }
    void theDeviceFileDecidesAtStartUp()
    {
        installSimulatedBoxes(bus(), QStringLiteral("1"));
        struct Case {
            QByteArray line;
            RemoteAccess access;
            bool warns;
        };
        // A value that cannot be read fails closed, and the user hears of it.
        for (const Case &c : {Case{"", RemoteAccess::Network, false}, Case{"RemoteAccess=7\n", RemoteAccess::ThisComputer, true},
                              Case{"RemoteAccess=abc\n", RemoteAccess::ThisComputer, true},
                              Case{"RemoteAccess=-1\n", RemoteAccess::ThisComputer, true},
                              Case{"RemoteAccess=0x0\n", RemoteAccess::ThisComputer, true},
                              Case{"RemoteAccess=0abc\n", RemoteAccess::ThisComputer, true},
                              Case{"RemoteAccess=off\n", RemoteAccess::ThisComputer, true},
                              Case{"RemoteAccess=\n", RemoteAccess::ThisComputer, true},
                              Case{"RemoteAccess= 2 \n", RemoteAccess::Network, false},
                              Case{"RemoteAccess=1\n", RemoteAccess::ThisComputer, false},
                              Case{"RemoteAccess=0\n", RemoteAccess::Off, false}}) {
            writeDeviceFile(c.line);
            if (c.warns)
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("RemoteAccess")));
            Aurivent program(*core);
            auto *notice = program.findChild<SaveFailureNotice *>();
            QVERIFY(notice);
            QSignalSpy told(notice, &SaveFailureNotice::shown);
            // The notice goes out on the first turn of the event loop.
            QCoreApplication::processEvents();
            QCoreApplication::processEvents();
            if (!c.warns)
                QVERIFY2(told.isEmpty(), c.line.constData());
            if (c.warns) {
                QTRY_COMPARE(told.count(), 1);
                QVERIFY(told.at(0).at(0).toString().contains(QStringLiteral("only this computer")));
            }
            QCOMPARE(program.socketHelper()->access(), c.access);
            const QSet<QString> listening = SocketProbe::listeningOn(SocketHelper::kDefaultPort);
            switch (c.access) {
            case RemoteAccess::Network:
                QVERIFY(listening.contains(kAny6) || listening.contains(kAny4));
                QVERIFY(greeted(QHostAddress(QStringLiteral("127.0.0.2"))));
                QVERIFY(footer(program).startsWith(QHostInfo::localHostName()) || footer(program).startsWith(QStringLiteral("IP Address")));
                break;
            case RemoteAccess::ThisComputer:
                QVERIFY(listening.contains(kLoop4) && !listening.contains(kAny4) && !listening.contains(kAny6));
                QVERIFY(greeted(QHostAddress(QHostAddress::LocalHost)));
                QVERIFY(!greeted(QHostAddress(QStringLiteral("127.0.0.2"))));
                QCOMPARE(footer(program), QStringLiteral("Phone server: this computer only"));
                break;
            case RemoteAccess::Off:
                QVERIFY(listening.isEmpty());
                QVERIFY(!greeted(QHostAddress(QHostAddress::LocalHost)));
                QCOMPARE(footer(program), QStringLiteral("Phone server off"));
                break;
            }
        }
    }

    void theSettingsMenuChangesItAtRunTime()
    {
        installSimulatedBoxes(bus(), QStringLiteral("1"));
        writeDeviceFile("RemoteAccess=2\n");
        Aurivent program(*core);
        MainView *view = program.view();
        auto choose = [&](int access) {
            QAction *action = view->findChild<QAction *>(QStringLiteral("RemoteAccess%1").arg(access));
            QVERIFY(action && action->isCheckable());
            action->trigger();
        };
        QVERIFY(view->findChild<QAction *>(QStringLiteral("RemoteAccess2"))->isChecked());
        QVERIFY(greeted(QHostAddress(QStringLiteral("127.0.0.2"))));

        choose(1);
        QCOMPARE(program.socketHelper()->access(), RemoteAccess::ThisComputer);
        QCOMPARE(storedAccess(), QStringLiteral("1"));
        QVERIFY(!greeted(QHostAddress(QStringLiteral("127.0.0.2"))));
        QVERIFY(greeted(QHostAddress(QHostAddress::LocalHost)));
        QCOMPARE(footer(program), QStringLiteral("Phone server: this computer only"));
        // Another language keeps the line, in that language.
        program.receiveMainData({QStringLiteral("changeLanguage"), QStringLiteral("3")});
        QCOMPARE(footer(program), QStringLiteral("Handy-Server: nur dieser Computer"));
        program.receiveMainData({QStringLiteral("changeLanguage"), QStringLiteral("0")});
        QCOMPARE(footer(program), QStringLiteral("Phone server: this computer only"));

        choose(0);
        QCOMPARE(storedAccess(), QStringLiteral("0"));
        QVERIFY(SocketProbe::listeningOn(SocketHelper::kDefaultPort).isEmpty());
        QCOMPARE(footer(program), QStringLiteral("Phone server off"));
        QVERIFY(view->findChild<QAction *>(QStringLiteral("RemoteAccess0"))->isChecked());

        // A message with a choice that does not exist changes nothing.
        for (const char *bad : {"3", "-1", "x", ""}) {
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("RemoteAccess refused")));
            program.receiveMainData({QStringLiteral("RemoteAccess"), QString::fromLatin1(bad)});
        }
        QCOMPARE(storedAccess(), QStringLiteral("0"));
        QCOMPARE(program.socketHelper()->access(), RemoteAccess::Off);

        choose(2);
        QCOMPARE(storedAccess(), QStringLiteral("2"));
        QVERIFY(greeted(QHostAddress(QStringLiteral("127.0.0.2"))));
        QVERIFY(!footer(program).contains(QStringLiteral("Phone server")));

        // The password switch says what it does not protect.
        QVERIFY(view->findChild<QPushButton *>(QStringLiteral("MutiLang8"))->toolTip().contains(QStringLiteral("5489")));
    }
};

QTEST_MAIN(TestRemoteAccessProgram)
#include "program_remoteaccess.moc"
