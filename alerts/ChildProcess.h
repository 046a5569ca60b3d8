// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>

// A process started for an alert, in a group of its own where the system has
// groups, so that stopping it also stops what it started (a script's sleep, a
// player it spawned).
class ChildProcess : public QProcess {
    Q_OBJECT
public:
    explicit ChildProcess(QObject *parent = nullptr);

    // Asks the process and what it started to end (force: makes them). Works
    // after the process itself ended, for what it left behind.
    void stopAll(bool force);

protected:
    void setupChildProcess() override;

private:
    qint64 m_group = 0;
};
