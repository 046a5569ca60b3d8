#include "AutorunStore.h"

#include <QDebug>

void syncAutorun(bool wanted, AutorunStore &store, const QString &executablePath)
{
    const bool present = store.read().endsWith(store.programFileName(), Qt::CaseInsensitive);
    qDebug() << "isRegist : " << present;
    if (wanted) {
        qDebug() << "isAutoRunEXE:true";
        if (!present && store.write(executablePath))
            qDebug() << "regist auto run";
    } else if (present) {
        qDebug() << (store.remove() ? "delete success" : "delete fffffff");
    }
}
