// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/WindowsArguments.h"

#include <QtTest>

// The quoting must undo exactly what a started Windows program's argument
// splitting does, so the service sees the arguments `Aurivent --headless` got.
class TestWindowsArguments : public QObject {
    Q_OBJECT
private slots:
    void eachArgumentSplitsBackIntoItself_data()
    {
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("quoted");
        QTest::newRow("plain") << "--headless" << "--headless";
        QTest::newRow("backslashes alone stay") << "C:\\Aurivent\\auriventd.exe" << "C:\\Aurivent\\auriventd.exe";
        QTest::newRow("space") << "C:\\Program Files\\Aurivent\\auriventd.exe"
                               << "\"C:\\Program Files\\Aurivent\\auriventd.exe\"";
        QTest::newRow("empty") << "" << "\"\"";
        QTest::newRow("tab") << "a\tb" << "\"a\tb\"";
        QTest::newRow("quote") << "say \"hi\"" << "\"say \\\"hi\\\"\"";
        QTest::newRow("quote with no space") << "a\"b" << "\"a\\\"b\"";
        QTest::newRow("backslash before a quote") << "a\\\"b" << "\"a\\\\\\\"b\"";
        QTest::newRow("trailing backslash") << "C:\\My Traces\\" << "\"C:\\My Traces\\\\\"";
        QTest::newRow("backslashes inside stay single") << "a\\\\b c" << "\"a\\\\b c\"";
        QTest::newRow("option with a path") << "--hid-trace=C:\\My Traces\\t.txt"
                                            << "\"--hid-trace=C:\\My Traces\\t.txt\"";
    }
    void eachArgumentSplitsBackIntoItself()
    {
        QFETCH(QString, argument);
        QFETCH(QString, quoted);
        QCOMPARE(QString::fromStdWString(quoteWindowsArgument(argument.toStdWString())), quoted);
    }

    void argumentsAreJoinedBySingleSpaces()
    {
        const std::wstring line = joinWindowsArguments(
            {L"C:\\Program Files\\Aurivent\\auriventd.exe", L"--headless", L"--simulate=1,0"});
        QCOMPARE(QString::fromStdWString(line),
                 QStringLiteral("\"C:\\Program Files\\Aurivent\\auriventd.exe\" --headless --simulate=1,0"));
    }
};

QTEST_APPLESS_MAIN(TestWindowsArguments)
#include "test_windowsarguments.moc"
