// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutorunStore.h"

#include "common/Logging.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

bool isOurs(const AutorunEntry &entry, const AutorunStore &store)
{
    return entry.exists && entry.program.endsWith(store.programFileName(), Qt::CaseInsensitive);
}

bool isCurrent(const AutorunEntry &entry, const QString &executablePath)
{
    return entry.exists && !entry.disabled && entry.program == executablePath
        && entry.arguments == autorunArguments();
}

void remember(const QString &memoryFile)
{
    if (memoryFile.isEmpty() || QFileInfo::exists(memoryFile))
        return;
    QDir().mkpath(QFileInfo(memoryFile).absolutePath());
    QFile file(memoryFile);
    if (!file.open(QIODevice::WriteOnly) || file.write("1\n") != 2)
        qCWarning(lcApp).noquote() << "autostart: cannot remember the entry in" << memoryFile << file.errorString();
}

} // namespace

QStringList autorunArguments()
{
    return {QStringLiteral("--minimized")};
}

void syncAutorun(bool wanted, AutorunStore &store, const QString &executablePath, const QString &memoryFile)
{
    const AutorunEntry entry = store.entry();
    const bool present = isOurs(entry, store);
    qCDebug(lcApp) << "isRegist : " << present;
    if (wanted) {
        qCDebug(lcApp) << "isAutoRunEXE:true";
        // An entry of ours is switched on with the user's other keys kept;
        // none (or another program's under our name) gets a fresh one.
        const bool done = present ? (isCurrent(entry, executablePath) || store.setEnabled(true, executablePath))
                                  : store.write(executablePath);
        if (done) {
            qCDebug(lcApp) << "regist auto run";
            remember(memoryFile);
        } else {
            qCWarning(lcApp) << "autostart: the entry could not be written";
        }
    } else if (present && !entry.disabled) {
        const bool switchedOff = store.setEnabled(false, executablePath);
        qCDebug(lcApp) << (switchedOff ? "delete success" : "delete fffffff");
        if (!switchedOff)
            qCWarning(lcApp) << "autostart: the entry could not be switched off";
    }
}

bool reconcileAutorun(bool &wanted, AutorunStore &store, const QString &executablePath, const QString &memoryFile)
{
    const AutorunEntry entry = store.entry();
    if (isOurs(entry, store)) {
        // What the desktop's start-up list shows is the setting, both ways.
        remember(memoryFile);
        const bool on = !entry.disabled;
        if (on == wanted)
            return false;
        qCInfo(lcApp) << (on ? "autostart: switched on on the desktop, so it is on"
                             : "autostart: switched off on the desktop, so it stays off");
        wanted = on;
        return true;
    }
    if (!entry.exists && !memoryFile.isEmpty() && QFileInfo::exists(memoryFile)) {
        if (!wanted)
            return false;
        qCInfo(lcApp) << "autostart: the entry was removed, so it stays off";
        wanted = false;
        return true;
    }
    // The first start: the setting (on unless the user said otherwise) is written.
    if (wanted && !entry.exists)
        syncAutorun(true, store, executablePath, memoryFile);
    return false;
}
