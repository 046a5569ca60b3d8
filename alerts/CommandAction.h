// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMetaType>
#include <QObject>
#include <QQueue>
#include <QStringList>

class ChildProcess;
class QTimer;

// What became of one command.
struct CommandResult {
    QString program;
    QStringList arguments;
    bool started = false;   // false: it could not be started at all
    bool timedOut = false;  // stopped at its time limit
    bool crashed = false;   // ended by a signal
    int exitCode = -1;
    QByteArray output;      // standard output and error, the first outputBytes
    bool outputCut = false; // there was more, and it was read and dropped
};
Q_DECLARE_METATYPE(CommandResult)

// Runs the user's programs for alerts: no shell (the arguments reach the
// program as they are), nothing on its input, its output read and bounded,
// and a time limit after which it and what it started are stopped. run()
// never waits for the program; at most maxRunning run at once and maxQueued
// wait. Lives on its owner's thread; going away stops what still runs.
class CommandAction : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int maxRunning = 4;
        int maxQueued = 16;
        int outputBytes = 4096;
        // After the polite stop at the time limit, how long before a kill.
        int killAfterMs = 2000;
    };

    explicit CommandAction(QObject *parent = nullptr);
    CommandAction(const Limits &limits, QObject *parent = nullptr);
    ~CommandAction() override;

    // False (logged) when refused: the program is no absolute path of an
    // executable file, or the queue is full.
    bool run(const QString &program, const QStringList &arguments, int timeoutMs);

    int running() const { return m_running.size(); }
    int queued() const { return m_queue.size(); }

signals:
    void finished(const CommandResult &result);

private:
    struct Job {
        QString program;
        QStringList arguments;
        int timeoutMs = 0;
    };
    struct Running;

    void start(const Job &job);
    void readOutput(Running *r);
    void end(Running *r);

    Limits m_limits;
    QQueue<Job> m_queue;
    QList<Running *> m_running;
};
