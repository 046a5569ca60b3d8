// SPDX-License-Identifier: GPL-3.0-or-later
// The file for node_exporter's textfile collector: written whole, readable by
// the collector's own user, refreshed, said once when it cannot be written,
// and gone when the program stops.
#include "metrics/TextfileWriter.h"

#include "PrometheusParser.h"

#include <QDir>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

namespace {

int g_failures = 0;
QtMessageHandler g_previous = nullptr;
void countFailures(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("metrics file not written")))
        ++g_failures;
    g_previous(type, context, text);
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

class TestTextfileWriter : public QObject {
    Q_OBJECT

private slots:
    void writesRefreshesAndRemoves()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("textfile/aurivent.prom"));
        int value = 1;
        TextfileWriter writer([&value] { return QByteArray("# TYPE x gauge\nx ") + QByteArray::number(value) + '\n'; },
                              path, 1000);
        QSignalSpy written(&writer, &TextfileWriter::written);
        QVERIFY(writer.start());
        QCOMPARE(written.count(), 1);
        QCOMPARE(readFile(path), QByteArray("# TYPE x gauge\nx 1\n"));
        QCOMPARE(QFileInfo(path).permissions() & (QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOwner),
                 QFileDevice::ReadOther);
        QString error;
        QVERIFY(!parsePrometheus(readFile(path), &error).isEmpty());
        QVERIFY2(error.isEmpty(), qPrintable(error));

        // The timer writes it again with what is current then.
        value = 2;
        QTRY_VERIFY_WITH_TIMEOUT(written.count() >= 2, 20000);
        QCOMPARE(readFile(path), QByteArray("# TYPE x gauge\nx 2\n"));
        // Nothing but the file in its folder: no staging file left for the
        // collector, which reads every *.prom there.
        QCOMPARE(QDir(dir.filePath(QStringLiteral("textfile"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("aurivent.prom")});
        writer.stop();
        QVERIFY(!QFile::exists(path));
    }

    void whatIsNoCollectorFileIsRefused()
    {
        for (const QString &bad : {QStringLiteral("aurivent.prom"), QStringLiteral("/tmp/aurivent.txt"), QString()}) {
            TextfileWriter writer([] { return QByteArray(); }, bad, 1000);
            QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("metrics file refused:.*")));
            QVERIFY(!writer.start());
        }
    }

    void aFailureIsSaidOnceUntilItWorksAgain()
    {
        QTemporaryDir dir;
        // A file stands where the folder should be.
        const QString blocker = dir.filePath(QStringLiteral("collector"));
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString path = blocker + QStringLiteral("/aurivent.prom");
        g_failures = 0;
        g_previous = qInstallMessageHandler(countFailures);
        {
            TextfileWriter writer([] { return QByteArray("x 1\n"); }, path, 1000);
            QVERIFY(writer.start());
            QVERIFY(!writer.writeNow());
            QVERIFY(!writer.writeNow());
            QCOMPARE(g_failures, 1);
            QVERIFY(QFile::remove(blocker));
            QTest::ignoreMessage(QtInfoMsg, QRegularExpression(QStringLiteral("metrics file written again:.*")));
            QVERIFY(writer.writeNow());
            QCOMPARE(readFile(path), QByteArray("x 1\n"));
        }
        qInstallMessageHandler(g_previous);
        QCOMPARE(g_failures, 1);
        // Going away stops it and takes the file along.
        QVERIFY(!QFile::exists(path));
    }
};

QTEST_GUILESS_MAIN(TestTextfileWriter)
#include "test_textfilewriter.moc"
