#include "common/StateFolder.h"

#include <QStandardPaths>

QString stateFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Aurivent/State");
}
