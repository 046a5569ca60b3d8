// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/ScriptDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

// The window's dialog for a lighting script.
class TestScriptDialog : public QObject {
    Q_OBJECT

private slots:
    void askingForAFile()
    {
        QString title, directory, filter;
        QTimer::singleShot(100, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            title = dialog->windowTitle();
            directory = dialog->directory().absolutePath();
            filter = dialog->nameFilters().join(';');
            dialog->reject();
        });
        QCOMPARE(askScriptPath(nullptr), QString());  // cancelled
        QCOMPARE(title, QString::fromUtf8("開啟檔案"));
        QCOMPARE(directory, QString("/"));
        QCOMPARE(filter, QString("C++ files(*.ini)"));
    }
};

QTEST_MAIN(TestScriptDialog)
#include "test_scriptdialog.moc"
