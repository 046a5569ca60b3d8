// SPDX-License-Identifier: GPL-3.0-or-later
// The folder for what the program keeps between runs.
#include "common/StateFolder.h"

#include <QDir>
#include <QtTest>

class TestStateFolder : public QObject {
    Q_OBJECT

private slots:
    void followsTheBaseDirectoryRules()
    {
        const QByteArray saved = qgetenv("XDG_STATE_HOME");
        qputenv("XDG_STATE_HOME", "/x/state");
        QCOMPARE(stateFolder(), QStringLiteral("/x/state/aurivent"));
        qunsetenv("XDG_STATE_HOME");
        QCOMPARE(stateFolder(), QDir::homePath() + QStringLiteral("/.local/state/aurivent"));
        // A relative value is no base folder.
        qputenv("XDG_STATE_HOME", "relative/state");
        QCOMPARE(stateFolder(), QDir::homePath() + QStringLiteral("/.local/state/aurivent"));
        qputenv("XDG_STATE_HOME", saved);
    }
};

QTEST_APPLESS_MAIN(TestStateFolder)
#include "test_statefolder.moc"
