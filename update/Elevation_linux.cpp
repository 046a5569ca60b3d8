// SPDX-License-Identifier: GPL-3.0-or-later
#include "Elevation.h"

#include "common/Logging.h"
#include "ElevationCommand.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

// pkexec's own exit codes: the user dismissed the dialog, or was not allowed.
constexpr int kPkexecDismissed = 126;
constexpr int kPkexecNotAuthorized = 127;

ElevationResult failure(const QString &why)
{
    ElevationResult result;
    result.error = why;
    qWarning().noquote() << "elevation:" << why;
    return result;
}

// Starts argv[0] in `dir` as a child in its own session, so it outlives us.
// Everything the child does between fork and exec is async-signal-safe.
ElevationResult spawnAndWait(const QStringList &argv, const QString &dir, bool throughPkexec)
{
    std::vector<QByteArray> store;
    store.reserve(argv.size());
    for (const QString &arg : argv)
        store.push_back(QFile::encodeName(arg));
    std::vector<char *> cargv;
    for (QByteArray &arg : store)
        cargv.push_back(arg.data());
    cargv.push_back(nullptr);
    const QByteArray cdir = QFile::encodeName(dir);

    int errorPipe[2];
    if (pipe2(errorPipe, O_CLOEXEC) != 0)
        return failure(QStringLiteral("pipe: ") + QString::fromLocal8Bit(strerror(errno)));
    const int devNull = open("/dev/null", O_RDONLY | O_CLOEXEC);
    long maxFd = sysconf(_SC_OPEN_MAX);
    if (maxFd < 0 || maxFd > 4096)
        maxFd = 4096;

    const pid_t pid = fork();
    if (pid < 0) {
        const int err = errno;
        close(errorPipe[0]);
        close(errorPipe[1]);
        if (devNull >= 0)
            close(devNull);
        return failure(QStringLiteral("fork: ") + QString::fromLocal8Bit(strerror(err)));
    }
    if (pid == 0) {
        setsid();
        sigset_t none;
        sigemptyset(&none);
        sigprocmask(SIG_SETMASK, &none, nullptr);
        signal(SIGPIPE, SIG_DFL);
        if (devNull >= 0)
            dup2(devNull, STDIN_FILENO);
        for (int fd = 3; fd < maxFd; ++fd)
            if (fd != errorPipe[1])
                close(fd);
        int err = 0;
        if (chdir(cdir.constData()) != 0)
            err = errno;
        else {
            execv(cargv[0], cargv.data());
            err = errno;
        }
        ssize_t ignored = write(errorPipe[1], &err, sizeof err);
        (void)ignored;
        _exit(127);
    }

    close(errorPipe[1]);
    if (devNull >= 0)
        close(devNull);
    // The pipe closes on a successful exec; otherwise it carries errno.
    int childErrno = 0;
    ssize_t got;
    do {
        got = read(errorPipe[0], &childErrno, sizeof childErrno);
    } while (got < 0 && errno == EINTR);
    close(errorPipe[0]);
    if (got == static_cast<ssize_t>(sizeof childErrno)) {
        int status;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        return failure(QStringLiteral("cannot start ") + argv.first() + QStringLiteral(": ")
                       + QString::fromLocal8Bit(strerror(childErrno)));
    }

    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < Elevation::kWaitMs) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid || (done < 0 && errno != EINTR)) {
            const int code = (done == pid && WIFEXITED(status)) ? WEXITSTATUS(status) : 0;
            if (throughPkexec && (code == kPkexecDismissed || code == kPkexecNotAuthorized))
                return failure(QStringLiteral("administrator rights were not granted (pkexec exit %1)").arg(code));
            qCDebug(lcUpdate) << "elevation: ended within the wait, exit:" << code;
            ElevationResult result;
            result.started = true;
            return result;
        }
        usleep(20 * 1000);
    }
    // Still running: it is reaped when it ends, so it never lingers as a zombie.
    std::thread([pid] {
        int status;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
    ElevationResult result;
    result.started = true;
    return result;
}

} // namespace

QString Elevation::programFile(const QString &baseName)
{
    return baseName;
}

ElevationResult Elevation::start(const QString &file, const QStringList &args, const QString &dir)
{
    const QDir workDir(dir);
    if (dir.isEmpty() || !workDir.exists())
        return failure(QStringLiteral("no such directory: ") + dir);
    const QFileInfo program(workDir.absoluteFilePath(file));
    if (!program.exists())
        return failure(QStringLiteral("no such program: ") + program.absoluteFilePath());
    if (!program.isFile() || !program.isExecutable())
        return failure(QStringLiteral("not an executable file: ") + program.absoluteFilePath());
    const QString path = program.absoluteFilePath();
    const QString absDir = workDir.absolutePath();

    if (geteuid() == 0) {
        qCDebug(lcUpdate).noquote() << "elevation: starting" << path;
        return spawnAndWait(QStringList{path} << args, absDir, false);
    }
    const QString pkexec = QStandardPaths::findExecutable(QStringLiteral("pkexec"));
    if (pkexec.isEmpty())
        return failure(QStringLiteral("pkexec not found, cannot ask for administrator rights to start ") + path);
    // env would take a path holding "=" for a variable assignment.
    if (path.contains(QLatin1Char('=')))
        return failure(QStringLiteral("cannot pass a path holding '=' through pkexec: ") + path);
    QString envProgram = QStandardPaths::findExecutable(QStringLiteral("env"));
    if (envProgram.isEmpty())
        envProgram = QStringLiteral("/usr/bin/env");
    qCDebug(lcUpdate).noquote() << "elevation: starting through pkexec" << path;
    return spawnAndWait(elevatedCommandLine(pkexec, envProgram, path, args, absDir,
                                            QProcessEnvironment::systemEnvironment()),
                        absDir, true);
}
