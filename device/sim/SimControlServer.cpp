// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimControlServer.h"

#include "common/Logging.h"
#include "SimulatedBoxes.h"

#include <QDebug>
#include <QLocalServer>
#include <QLocalSocket>

namespace {
// A control line is a few words; anything longer is not a command.
constexpr int kMaxLine = 256;
}

SimControlServer::SimControlServer(SimulatedBoxes *boxes, QObject *parent)
    : QObject(parent)
    , m_boxes(boxes)
    , m_server(new QLocalServer(this))
{
    connect(m_server, &QLocalServer::newConnection, this, &SimControlServer::acceptConnections);
}

bool SimControlServer::listen(const QString &path, QString *error)
{
    QLocalServer::removeServer(path);
    if (!m_server->listen(path)) {
        *error = m_server->errorString();
        return false;
    }
    return true;
}

void SimControlServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readCommands(socket); });
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void SimControlServer::readCommands(QLocalSocket *socket)
{
    while (socket->canReadLine()) {
        const QString line = QString::fromUtf8(socket->readLine(kMaxLine + 1)).trimmed();
        const QString answer = m_boxes->command(line);
        qCDebug(lcDevice) << "simulate-control:" << line << "->" << answer;
        socket->write(answer.toUtf8() + '\n');
    }
    if (socket->bytesAvailable() > kMaxLine) {
        socket->write("error: line too long\n");
        socket->readAll();
    }
}
