#include "CommandChannel.h"

#include <QDebug>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {
// A message is three numbers; anything longer is not one.
constexpr int kMaxLine = 128;
// 0x8119 sleeps 500 ms between two writes before it answers.
constexpr int kAnswerTimeoutMs = 5000;
}

CommandChannel::CommandChannel(QObject *parent)
    : QObject(parent)
{
}

QString CommandChannel::address()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QDir(runtime).exists())
        return runtime + QStringLiteral("/Aurivent.command");
    return QDir::tempPath() + QStringLiteral("/Aurivent-%1.command").arg(getuid());
}

bool CommandChannel::listen(QString *error)
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket left behind by a program that died is in the way; one that a
    // running program answers on was found by the single-instance check first.
    QLocalServer::removeServer(address());
    if (!m_server->listen(address())) {
        *error = m_server->errorString();
        return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessages(socket); });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}

void CommandChannel::readMessages(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QString line = QString::fromUtf8(socket->readLine(kMaxLine + 1)).trimmed();
        int id = 0;
        int wParam = 0;
        int lParam = 0;
        if (!parseLine(line, &id, &wParam, &lParam)) {
            qWarning() << "command channel: refused" << line;
            socket->write("error: expected ID [WPARAM [LPARAM]]\n");
            continue;
        }
        socket->write(deliver(id, wParam, lParam) ? "handled\n" : "not handled\n");
    }
    if (socket->bytesAvailable() > kMaxLine) {
        qWarning() << "command channel: line too long, connection closed";
        socket->abort();
    }
}

CommandChannel::SendResult CommandChannel::send(int id, int wParam, int lParam, QString *error)
{
    QLocalSocket socket;
    socket.connectToServer(address());
    if (!socket.waitForConnected(1000)) {
        *error = QStringLiteral("no running Aurivent answers at %1").arg(address());
        return SendResult::NoInstance;
    }
    socket.write(QStringLiteral("0x%1 %2 %3\n").arg(id, 0, 16).arg(wParam).arg(lParam).toUtf8());
    socket.flush();
    QByteArray answer;
    while (!answer.contains('\n') && socket.waitForReadyRead(kAnswerTimeoutMs))
        answer += socket.readAll();
    answer = answer.trimmed();
    if (answer == "handled")
        return SendResult::Handled;
    if (answer == "not handled")
        return SendResult::NotHandled;
    *error = answer.isEmpty() ? QStringLiteral("the running Aurivent did not answer")
                              : QString::fromUtf8(answer);
    return SendResult::NoInstance;
}
