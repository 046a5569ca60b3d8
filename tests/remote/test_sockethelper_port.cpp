// SPDX-License-Identifier: GPL-3.0-or-later
#include "remote/SocketHelper.h"

#include <QTcpSocket>
#include <QtTest>

// The program's own port, 5489.
class TestSocketHelperPort : public QObject {
    Q_OBJECT

private slots:
    void listensOnTheProgramPort()
    {
        SocketHelper server;
        QVERIFY(server.isListening());
        QCOMPARE(server.serverPort(), quint16(5489));
        QTcpSocket phone;
        QByteArray received;
        connect(&phone, &QTcpSocket::readyRead, [&] { received += phone.readAll(); });
        phone.connectToHost(QHostAddress::LocalHost, 5489);
        QTRY_VERIFY(received.endsWith('&'));
        QVERIFY(received.startsWith("KqRainbowFan!"));
        QCOMPARE(server.clientCount(), 1);
    }
};

QTEST_GUILESS_MAIN(TestSocketHelperPort)
#include "test_sockethelper_port.moc"
