// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/CommandAction.h"

#include "alerts/ChildProcess.h"
#include "common/Logging.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>

struct CommandAction::Running {
    ChildProcess *process = nullptr;
    QTimer *limit = nullptr;
    CommandResult result;
};

CommandAction::CommandAction(QObject *parent) : CommandAction(Limits(), parent) {}

CommandAction::CommandAction(const Limits &limits, QObject *parent)
    : QObject(parent), m_limits(limits)
{
    qRegisterMetaType<CommandResult>();
}

CommandAction::~CommandAction()
{
    m_queue.clear();
    // What still runs is stopped now, with no wait for a polite end.
    for (Running *r : qAsConst(m_running)) {
        r->process->disconnect(this);
        r->process->stopAll(true);
        r->process->waitForFinished(1000);
        delete r->process;
        delete r->limit;
        delete r;
    }
    m_running.clear();
}

bool CommandAction::run(const QString &program, const QStringList &arguments, int timeoutMs)
{
    const QFileInfo info(program);
    if (!QDir::isAbsolutePath(program) || !info.isFile() || !info.isExecutable()) {
        qCWarning(lcAlerts).noquote() << "alert command refused:" << program << "is no executable file given by its full path";
        return false;
    }
    Job job{program, arguments, std::max(1, timeoutMs)};
    if (m_running.size() < m_limits.maxRunning) {
        start(job);
        return true;
    }
    if (m_queue.size() >= m_limits.maxQueued) {
        qCWarning(lcAlerts).noquote() << "alert command refused:" << program << "-" << m_queue.size()
                                      << "commands wait already";
        return false;
    }
    m_queue.enqueue(job);
    return true;
}

void CommandAction::start(const Job &job)
{
    auto *r = new Running;
    r->result.program = job.program;
    r->result.arguments = job.arguments;
    r->process = new ChildProcess(this);
    r->limit = new QTimer(this);
    r->limit->setSingleShot(true);
    m_running << r;

    ChildProcess *p = r->process;
    p->setProcessChannelMode(QProcess::MergedChannels);
    p->setStandardInputFile(QProcess::nullDevice());
    connect(p, &QProcess::readyReadStandardOutput, this, [this, r] { readOutput(r); });
    connect(p, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
            [this, r](int code, QProcess::ExitStatus status) {
                readOutput(r);
                r->result.exitCode = code;
                r->result.crashed = status == QProcess::CrashExit && !r->result.timedOut;
                end(r);
            });
    connect(p, &QProcess::errorOccurred, this, [this, r](QProcess::ProcessError error) {
        if (error != QProcess::FailedToStart)
            return;
        qCWarning(lcAlerts).noquote() << "alert command" << r->result.program
                                      << "could not start:" << r->process->errorString();
        end(r);
    });
    connect(p, &QProcess::started, this, [r] { r->result.started = true; });
    connect(r->limit, &QTimer::timeout, this, [this, r] {
        if (!r->result.timedOut) {
            r->result.timedOut = true;
            qCWarning(lcAlerts).noquote() << "alert command" << r->result.program << "ran past its time limit: stopped";
            r->process->stopAll(false);
            r->limit->start(m_limits.killAfterMs);
        } else {
            r->process->stopAll(true);
        }
    });
    r->limit->start(job.timeoutMs);
    p->start(job.program, job.arguments, QIODevice::ReadOnly);
}

void CommandAction::readOutput(Running *r)
{
    // Everything is read, so a talkative program never blocks on a full pipe;
    // only the first bytes are kept.
    const QByteArray chunk = r->process->readAll();
    const int room = m_limits.outputBytes - r->result.output.size();
    if (chunk.size() > room) {
        r->result.output += chunk.left(std::max(0, room));
        r->result.outputCut = true;
    } else {
        r->result.output += chunk;
    }
}

void CommandAction::end(Running *r)
{
    if (!m_running.removeOne(r))
        return;
    r->limit->stop();
    // A program stopped at its limit may leave children that ignored the
    // polite stop; they go now.
    if (r->result.timedOut)
        r->process->stopAll(true);
    r->process->disconnect(this);
    r->process->deleteLater();
    r->limit->deleteLater();
    const CommandResult result = r->result;
    delete r;
    if (result.started && (result.exitCode != 0 || result.crashed) && !result.timedOut)
        qCWarning(lcAlerts).noquote() << "alert command" << result.program << "ended with"
                                      << (result.crashed ? QStringLiteral("a crash") : QStringLiteral("code %1").arg(result.exitCode));
    qCDebug(lcAlerts).noquote() << "alert command" << result.program << "output:" << QString::fromLocal8Bit(result.output);
    emit finished(result);
    if (!m_queue.isEmpty() && m_running.size() < m_limits.maxRunning)
        start(m_queue.dequeue());
}
