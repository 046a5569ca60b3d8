// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

class QLocalServer;
class QLocalSocket;
class SimulatedBoxes;

// Lets a test or a developer change the simulated world while the program
// runs: newline-ended text commands on a local socket, one answer line each.
class SimControlServer : public QObject {
    Q_OBJECT
public:
    SimControlServer(SimulatedBoxes *boxes, QObject *parent = nullptr);

    // Listens at `path` (an existing stale socket file is replaced).
    bool listen(const QString &path, QString *error);

private slots:
    void acceptConnections();

private:
    void readCommands(QLocalSocket *socket);

    SimulatedBoxes *m_boxes;
    QLocalServer *m_server;
};
