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
        qWarning().noquote() << "autostart: cannot remember the entry in" << memoryFile << file.errorString();
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
        if (isCurrent(entry, executablePath)) {
            remember(memoryFile);
        } else if (store.write(executablePath)) {
            qCDebug(lcApp) << "regist auto run";
            remember(memoryFile);
        } else {
            qWarning() << "autostart: the entry could not be written";
        }
    } else if (present) {
        const bool removed = store.remove();
        qCDebug(lcApp) << (removed ? "delete success" : "delete fffffff");
    }
}

bool reconcileAutorun(bool &wanted, AutorunStore &store, const QString &executablePath, const QString &memoryFile)
{
    if (wanted) {
        const AutorunEntry entry = store.entry();
        if (entry.exists && entry.disabled) {
            qCInfo(lcApp) << "autostart: switched off on the desktop, so it stays off";
            wanted = false;
            return true;
        }
        if (!entry.exists && QFileInfo::exists(memoryFile)) {
            qCInfo(lcApp) << "autostart: the entry was removed, so it stays off";
            wanted = false;
            return true;
        }
    }
    syncAutorun(wanted, store, executablePath, memoryFile);
    return false;
}
