// SPDX-License-Identifier: GPL-3.0-or-later
// The lighting-script player's way in: a keyboard shortcut, so the window's
// layout stays as it is.
#include "MainView.h"
#include "ScriptDialog.h"

#include "script/ScriptFile.h"

#include <QDebug>
#include <QKeySequence>
#include <QShortcut>

void MainView::buildScriptEntry()
{
    auto *open = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_O), this);
    connect(open, &QShortcut::activated, this, &MainView::showFile);
}

void MainView::showFile()
{
    const QString path = askScriptPath(this);
    if (path.isEmpty())
        return; // cancelled: nothing to play
    const Script script = ScriptFile::read(path);
    if (script.frames.isEmpty()) {
        qWarning() << "showFile:" << path << "holds no frames to play";
        return;
    }
    emit testSendFileData(script.frames, script.period);
}
