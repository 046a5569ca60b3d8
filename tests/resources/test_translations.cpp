// SPDX-License-Identifier: GPL-3.0-or-later
// The seven translation sources and the .qm files built from them: every text
// translated in every language, placeholders and line breaks kept, and the
// compiled files beside the program saying what the sources say.
#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTest>
#include <QTranslator>
#include <QXmlStreamReader>

namespace {

const char *const kCodes[] = {"en", "tc", "cn", "de", "fr", "jp", "th"};
const char *const kTsLanguages[] = {"en_US", "zh_TW", "zh_CN", "de_DE", "fr_FR", "ja_JP", "th_TH"};
constexpr int kLanguageCount = 7;

struct Message {
    QString translation;
    QString type;
};

struct TsFile {
    QString language;
    QMap<QPair<QString, QString>, Message> messages; // (context, source) -> translation
    QString error;
};

TsFile readTs(const QString &path)
{
    TsFile ts;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ts.error = QStringLiteral("cannot open ") + path;
        return ts;
    }
    QXmlStreamReader xml(&file);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringRef name = xml.name();
        if (name == QLatin1String("TS")) {
            ts.language = xml.attributes().value(QLatin1String("language")).toString();
        } else if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QPair<QString, QString> key(context, source);
            if (ts.messages.contains(key))
                ts.error = QStringLiteral("duplicate message ") + context + QLatin1Char('/') + source;
            ts.messages.insert(key, Message{xml.readElementText(), type});
        }
    }
    if (xml.hasError())
        ts.error = path + QStringLiteral(": ") + xml.errorString();
    return ts;
}

QString tsPath(int language)
{
    return QStringLiteral(AURIVENT_TS_DIR "/") + QLatin1String(kCodes[language]) + QStringLiteral(".ts");
}

QString qmPath(int language)
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/Language/") + QLatin1String(kCodes[language])
        + QStringLiteral(".qm");
}

QStringList placeholders(const QString &text)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral("%L?\\d+")).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured();
    found.sort();
    return found;
}

// Thai starts at U+0E00; the Chinese and Japanese scripts lie above it.
bool hasOwnScript(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x0E00)
            return true;
    return false;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void sourcesAreCompleteInEveryLanguage_data();
    void sourcesAreCompleteInEveryLanguage();
    void everyLanguageHasTheSameTexts();
    void compiledFilesMatchTheirSources_data();
    void compiledFilesMatchTheirSources();
    void knownTextsAreTranslated();
};

void TestTranslations::sourcesAreCompleteInEveryLanguage_data()
{
    QTest::addColumn<int>("language");
    for (int i = 0; i < kLanguageCount; ++i)
        QTest::newRow(kCodes[i]) << i;
}

void TestTranslations::sourcesAreCompleteInEveryLanguage()
{
    QFETCH(int, language);
    const TsFile ts = readTs(tsPath(language));
    QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
    QCOMPARE(ts.language, QLatin1String(kTsLanguages[language]));
    // The program's own texts: the menu, the panels, the captions.
    QVERIFY2(ts.messages.size() >= 50, qPrintable(QString::number(ts.messages.size())));

    // Names and units that stay as they are in every language.
    const QStringList kept = {QStringLiteral("Aurivent"), QStringLiteral("Vayla Zeve RGB"), QStringLiteral("RGB"),
                              QStringLiteral("PWM"),      QStringLiteral("RPM"),            QStringLiteral("LED"),
                              QStringLiteral("%"),        QStringLiteral("°C"),             QStringLiteral("°F")};
    for (auto it = ts.messages.cbegin(); it != ts.messages.cend(); ++it) {
        const QString where = it.key().first + QLatin1Char('/') + it.key().second;
        const Message &m = it.value();
        QVERIFY2(m.type.isEmpty(), qPrintable(where + QStringLiteral(" is ") + m.type));
        QVERIFY2(!m.translation.trimmed().isEmpty(), qPrintable(where + QStringLiteral(" is empty")));
        QVERIFY2(m.translation == m.translation.trimmed(), qPrintable(where + QStringLiteral(" has stray spaces")));
        QCOMPARE(placeholders(m.translation), placeholders(it.key().second));
        QCOMPARE(m.translation.count(QLatin1Char('\n')), it.key().second.count(QLatin1Char('\n')));
        for (const QString &word : kept) {
            if (it.key().second.contains(word))
                QVERIFY2(m.translation.contains(word), qPrintable(where + QStringLiteral(" lost ") + word));
        }
        // The preset buttons break after a hyphen ("Perfor-mance"): one break
        // at most, never at an end, where a line would stay empty.
        if (it.key().second.contains(QLatin1Char('-')) && !it.key().second.contains(QLatin1Char(' '))) {
            QVERIFY2(m.translation.count(QLatin1Char('-')) <= 1, qPrintable(where));
            QVERIFY2(!m.translation.startsWith(QLatin1Char('-')) && !m.translation.endsWith(QLatin1Char('-')),
                     qPrintable(where));
        }
    }
}

void TestTranslations::everyLanguageHasTheSameTexts()
{
    const TsFile english = readTs(tsPath(0));
    QVERIFY2(english.error.isEmpty(), qPrintable(english.error));
    const QList<QPair<QString, QString>> keys = english.messages.keys();
    for (int i = 1; i < kLanguageCount; ++i) {
        const TsFile ts = readTs(tsPath(i));
        QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
        for (const auto &key : keys)
            QVERIFY2(ts.messages.contains(key), qPrintable(QLatin1String(kCodes[i]) + QStringLiteral(" lacks ")
                                                           + key.first + QLatin1Char('/') + key.second));
        QCOMPARE(ts.messages.keys(), keys);
    }
    // The texts every language needs are there under the names the views use.
    for (const auto &key : {qMakePair(QStringLiteral("MainView"), QStringLiteral("SAVE")),
                            qMakePair(QStringLiteral("MainView"), QStringLiteral("PROFILE")),
                            qMakePair(QStringLiteral("MainView"), QStringLiteral("TEMP")),
                            qMakePair(QStringLiteral("MainView"), QStringLiteral("th")),
                            qMakePair(QStringLiteral("RainbowFan"), QStringLiteral("Temperature")),
                            qMakePair(QStringLiteral("RainbowFan"), QStringLiteral("Perfor-mance")),
                            qMakePair(QStringLiteral("VaylaRGBFanView"), QStringLiteral("FAN MODE")),
                            qMakePair(QStringLiteral("ScriptFile"), QString::fromUtf8("開啟檔案"))})
        QVERIFY2(keys.contains(key), qPrintable(key.first + QLatin1Char('/') + key.second));
}

void TestTranslations::compiledFilesMatchTheirSources_data()
{
    sourcesAreCompleteInEveryLanguage_data();
}

void TestTranslations::compiledFilesMatchTheirSources()
{
    QFETCH(int, language);
    const TsFile ts = readTs(tsPath(language));
    QVERIFY2(ts.error.isEmpty(), qPrintable(ts.error));
    QTranslator translator;
    QVERIFY2(translator.load(qmPath(language)), qPrintable(qmPath(language)));
    QVERIFY(!translator.isEmpty());
    for (auto it = ts.messages.cbegin(); it != ts.messages.cend(); ++it) {
        const QByteArray context = it.key().first.toUtf8();
        const QByteArray source = it.key().second.toUtf8();
        QCOMPARE(translator.translate(context.constData(), source.constData()), it.value().translation);
    }
    // A text the sources do not hold stays untranslated.
    QVERIFY(translator.translate("MainView", "No such text").isEmpty());
}

void TestTranslations::knownTextsAreTranslated()
{
    struct Known {
        const char *context;
        const char *source;
        bool latinMayKeep; // "TEMP" stays "TEMP" in German and French
    };
    const Known known[] = {{"MainView", "PROFILE", false}, {"MainView", "SAVE", false},
                           {"RainbowFan", "Snake", false}, {"RainbowFan", "Silent", false},
                           {"RainbowFan", "Light Mode", false}, {"MainView", "TEMP", true}};
    QTranslator translators[kLanguageCount];
    for (int i = 0; i < kLanguageCount; ++i)
        QVERIFY2(translators[i].load(qmPath(i)), qPrintable(qmPath(i)));

    for (const Known &k : known) {
        const QString english = translators[0].translate(k.context, k.source);
        QCOMPARE(english, QString::fromLatin1(k.source));
        for (int i = 1; i < kLanguageCount; ++i) {
            const QString text = translators[i].translate(k.context, k.source);
            const bool latinScript = i == 3 || i == 4;
            if (!(k.latinMayKeep && latinScript))
                QVERIFY2(text != english, qPrintable(QLatin1String(kCodes[i]) + QLatin1Char(' ') + text));
            // Chinese, Japanese and Thai texts are in their own script.
            if (!latinScript)
                QVERIFY2(hasOwnScript(text), qPrintable(QLatin1String(kCodes[i]) + QLatin1Char(' ') + text));
        }
    }
    // The two Chinese files are not the same file.
    QCOMPARE(translators[1].translate("RainbowFan", "Light Mode"), QString::fromUtf8("燈光模式"));
    QCOMPARE(translators[2].translate("RainbowFan", "Light Mode"), QString::fromUtf8("灯光模式"));
    // The script dialog's caption gets real English.
    QCOMPARE(translators[0].translate("ScriptFile", "開啟檔案"), QStringLiteral("Open File"));
    // The language menu names every language in its own tongue, whatever the language in use.
    for (int i = 0; i < kLanguageCount; ++i) {
        QCOMPARE(translators[i].translate("MainView", "de"), QStringLiteral("Deutsch"));
        QCOMPARE(translators[i].translate("MainView", "jp"), QString::fromUtf8("日本語"));
    }

    // A missing file loads nothing.
    QTranslator missing;
    QVERIFY(!missing.load(QCoreApplication::applicationDirPath() + QStringLiteral("/Language/xx.qm")));
    QVERIFY(missing.isEmpty());
}

QTEST_GUILESS_MAIN(TestTranslations)
#include "test_translations.moc"
