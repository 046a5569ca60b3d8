#include "AutorunStore.h"

#include "common/Logging.h"

#include <QDebug>

void syncAutorun(bool wanted, AutorunStore &store, const QString &executablePath)
{
    const bool present = store.read().endsWith(store.programFileName(), Qt::CaseInsensitive);
    qCDebug(lcApp) << "isRegist : " << present;
    if (wanted) {
        qCDebug(lcApp) << "isAutoRunEXE:true";
        if (!present && store.write(executablePath))
            qCDebug(lcApp) << "regist auto run";
    } else if (present) {
        const bool removed = store.remove();
        qCDebug(lcApp) << (removed ? "delete success" : "delete fffffff");
    }
}
