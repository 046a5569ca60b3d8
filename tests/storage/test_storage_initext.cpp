// SPDX-License-Identifier: GPL-3.0-or-later
// The settings files are read and written in memory, in the dialect QSettings
// reads and writes: files the program wrote with QSettings must read the same,
// and what it writes now must read the same in QSettings (an older program).
// QSettings itself is the reference here.

#include "storage/IniText.h"

#include <QRandomGenerator>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Reference {
    QMap<QString, QVariant> values;
    bool clean = true;
};

} // namespace

class TestIniText : public QObject {
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshPath()
    {
        // QSettings caches by path: every file gets a name never used before.
        return m_dir.filePath(QStringLiteral("f%1.ini").arg(++m_files));
    }

    Reference qtReads(const QByteArray &bytes)
    {
        const QString path = freshPath();
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", qPrintable(path));
        file.close();
        QSettings settings(path, QSettings::IniFormat);
        Reference out;
        for (const QString &key : settings.allKeys())
            out.values.insert(key, settings.value(key));
        out.clean = settings.status() == QSettings::NoError;
        return out;
    }

    QByteArray qtWrites(const QMap<QString, QVariant> &values)
    {
        const QString path = freshPath();
        {
            QSettings settings(path, QSettings::IniFormat);
            for (auto it = values.cbegin(); it != values.cend(); ++it)
                settings.setValue(it.key(), it.value());
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return QByteArray();
        return file.readAll();
    }

    // Keys QSettings reports as they are stored ("a//b" is one it never
    // finds again) are left out of the comparison.
    static bool plainKey(const QString &key)
    {
        return !key.isEmpty() && !key.startsWith(QLatin1Char('/')) && !key.endsWith(QLatin1Char('/'))
               && !key.contains(QLatin1String("//"));
    }

    void compareReading(const QByteArray &bytes)
    {
        const Reference qt = qtReads(bytes);
        const IniText::Contents ours = IniText::parse(bytes);
        const QString shown = QString::fromLatin1(bytes.toPercentEncoding(" =[]@;,\"'"));
        QStringList qtKeys;
        for (auto it = qt.values.cbegin(); it != qt.values.cend(); ++it) {
            if (!plainKey(it.key()))
                continue;
            qtKeys << it.key();
            QVERIFY2(ours.values.contains(it.key()), qPrintable(shown + QStringLiteral(" lacks ") + it.key()));
            // Typed values ("@Variant(…)" and the like) are kept as text, not decoded.
            if (ours.opaque.contains(it.key()))
                continue;
            QVERIFY2(ours.values.value(it.key()) == it.value(),
                     qPrintable(shown + QStringLiteral(" key ") + it.key() + QStringLiteral(": ")
                                + ours.values.value(it.key()).toStringList().join(QLatin1Char('|')) + QStringLiteral(" / ")
                                + it.value().toStringList().join(QLatin1Char('|'))));
        }
        QStringList ourKeys;
        for (auto it = ours.values.cbegin(); it != ours.values.cend(); ++it)
            if (plainKey(it.key()) && qt.values.contains(it.key()))
                ourKeys << it.key();
        QCOMPARE(ourKeys, qtKeys);
        QVERIFY2(ours.clean == qt.clean, qPrintable(shown));
    }

private slots:
    void initTestCase() { QVERIFY(m_dir.isValid()); }

    void readsFilesAsQSettingsReadsThem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("device file") << QByteArray("[Device0]\nBoxType=1\nMonitor=\"1,1,1,1,1\"\nProfile=2\n\n"
                                                   "[Main]\nPassword=9462\nRemoteAccess=1\nUpdateServer=https://u.example/x\n");
        QTest::newRow("hand-made list") << QByteArray("[Fan0]\nRColor=1, 2 ,3,,\"4,5\" , x\n");
        QTest::newRow("comments") << QByteArray("; top\n[A]\n;k=1\nk=2 ; after\n  ; indented\nj=3\n");
        QTest::newRow("quotes and blanks") << QByteArray("[A]\na=\"  x  \"\nb=  y  \nc=\"\"\nd=\ne= \"q\" tail \n");
        QTest::newRow("escapes") << QByteArray("[A]\na=\\n\\t\\\\\\\"\\x41\\x4a42z\\101\\0\\q\\?\\'\nb=x\\\ny\nc=\\x\nd=\\");
        QTest::newRow("line ends") << QByteArray("[A]\r\na=1\r\nb=2\rc=3\n\r[B]\n\nd=4");
        QTest::newRow("quoted newline") << QByteArray("[A]\na=\"one\ntwo\"\nb=1\n");
        QTest::newRow("general") << QByteArray("top=1\n[General]\ng=2\n[%General]\nh=3\n[general]\ni=4\n");
        QTest::newRow("key escapes") << QByteArray("[A%20B]\nk%3Dx=1\nsub\\key=2\n%U0041u=3\n%zz=4\n%4=5\n%=6\n");
        QTest::newRow("typed values") << QByteArray("[A]\nb=@ByteArray(abc)\ni=@Invalid()\nat=@@x\ns=@String(t)\nr=@Rect(1 2 3 4)\n"
                                                    "v=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\nlist=@Invalid(), @@a\n");
        QTest::newRow("repeats") << QByteArray("[A]\nk=1\nk=2\n[B]\nk=3\n[A]\nk=4\nm=5\n[A\\s]\nt=1\n[A]\ns\\t=2\n");
        QTest::newRow("broken lines") << QByteArray("[A]\nnothing here\nk=1\n[B\nj=2\n");
        QTest::newRow("byte order mark") << QByteArray("\xEF\xBB\xBF[A]\nk=1\n");
        QTest::newRow("latin-1") << QByteArray("[A]\nk=\xE9t\xE9\n\xE9=1\n");
        QTest::newRow("equals in quotes") << QByteArray("[A]\n\"x=y\"=1\nk=a=b\n");
    }

    void readsFilesAsQSettingsReadsThem()
    {
        QFETCH(QByteArray, bytes);
        if (bytes.startsWith("\xEF\xBB\xBF")) {
            // QSettings takes a byte-order mark for part of the first line; we skip it.
            QCOMPARE(IniText::parse(bytes).values, IniText::parse(bytes.mid(3)).values);
            bytes = bytes.mid(3);
        }
        compareReading(bytes);
    }

    void readsRandomTextAsQSettingsDoes()
    {
        // Lines made of the characters the dialect gives a meaning to.
        const QByteArray alphabet("[]=;\",\\@%xU0aA9 \t\n\r/()gB");
        QRandomGenerator random(31);
        for (int round = 0; round < 3000; ++round) {
            QByteArray bytes;
            const int size = int(random.bounded(80));
            for (int i = 0; i < size; ++i)
                bytes += alphabet.at(int(random.bounded(alphabet.size())));
            compareReading(bytes);
            if (QTest::currentTestFailed()) {
                qWarning() << "round" << round;
                return;
            }
        }
    }

    void writesWhatQSettingsWritesAndReads()
    {
        QRandomGenerator random(5);
        const QList<QString> pieces{QStringLiteral("a"), QStringLiteral(" "), QStringLiteral(","), QStringLiteral("="),
                                    QStringLiteral(";"), QStringLiteral("\""), QStringLiteral("\\"), QStringLiteral("@"),
                                    QStringLiteral("\n"), QStringLiteral("\t"), QString(QChar(0)), QStringLiteral("7"),
                                    QStringLiteral("f"), QString(QChar(0xE9)), QString(QChar(0x263A)),
                                    QStringLiteral("\xF0\x9F\x98\x80"), QStringLiteral("/"), QStringLiteral("%"),
                                    QStringLiteral("@Invalid()"), QStringLiteral("@ByteArray(")};
        auto text = [&] {
            QString out;
            const int n = int(random.bounded(6));
            for (int i = 0; i < n; ++i)
                out += pieces.at(int(random.bounded(pieces.size())));
            return out;
        };
        const QStringList groups{QStringLiteral("Device0"), QStringLiteral("Main"), QStringLiteral("General"),
                                 QStringLiteral("Fan 1"), QStringLiteral("x%y")};
        for (int round = 0; round < 600; ++round) {
            QMap<QString, QVariant> values;
            const int keys = 1 + int(random.bounded(6));
            for (int k = 0; k < keys; ++k) {
                QString key = groups.at(int(random.bounded(groups.size()))) + QLatin1Char('/')
                              + QStringLiteral("k%1").arg(random.bounded(4));
                if (random.bounded(4) == 0)
                    key = QStringLiteral("top%1").arg(k);
                if (random.bounded(5) == 0)
                    key += QStringLiteral("/sub") + QString(QChar(0x263A));
                switch (random.bounded(4)) {
                case 0: values.insert(key, QStringList{text(), text()}); break;
                case 1: values.insert(key, text().toUtf8()); break;
                default: values.insert(key, text());
                }
            }
            const QByteArray ours = IniText::serialize(values);
            const QByteArray theirs = qtWrites(values);
            QVERIFY2(ours == theirs, (ours.toPercentEncoding("[]=\n ") + "\n  QSettings: " + theirs.toPercentEncoding("[]=\n ")).constData());
            const Reference back = qtReads(ours);
            QCOMPARE(back.values, values);
            QCOMPARE(IniText::parse(ours).values, values);
        }
    }

    void keepsTypedValuesAsTheyCame()
    {
        const QByteArray file("[A]\nr=@Rect(1 2 3 4)\nv=@Variant(\\0\\0\\0\\x2\\0\\0\\0\\x5)\n");
        const IniText::Contents contents = IniText::parse(file);
        QCOMPARE(contents.opaque, (QSet<QString>{QStringLiteral("A/r"), QStringLiteral("A/v")}));
        const QByteArray again = IniText::serialize(contents.values, contents.opaque);
        QCOMPARE(again, file);
        const Reference qt = qtReads(again);
        QCOMPARE(qt.values.value(QStringLiteral("A/v")), QVariant(5));
        QCOMPARE(qt.values.value(QStringLiteral("A/r")), QVariant(QRect(1, 2, 3, 4)));
    }

    void textTellsMissingFromEmpty()
    {
        const IniText::Contents contents = IniText::parse("[A]\nempty=\nlist=1,2\nbytes=@ByteArray()\n");
        QVERIFY(IniText::text(contents, QStringLiteral("A/missing")).isNull());
        QVERIFY(!IniText::text(contents, QStringLiteral("A/empty")).isNull());
        QCOMPARE(IniText::text(contents, QStringLiteral("A/empty")), QString());
        QCOMPARE(IniText::text(contents, QStringLiteral("A/list")), QStringLiteral("1,2"));
        QVERIFY(!IniText::text(contents, QStringLiteral("A/bytes")).isNull());
    }
};

QTEST_GUILESS_MAIN(TestIniText)
#include "test_storage_initext.moc"
