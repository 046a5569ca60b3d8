// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptDialog.h"

#include <QCoreApplication>
#include <QFileDialog>

QString askScriptPath(QWidget *parent)
{
    return QFileDialog::getOpenFileName(parent, QCoreApplication::translate("ScriptFile", "開啟檔案"),
                                        QStringLiteral("/"), QStringLiteral("C++ files(*.ini)"));
}
