// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The text format read back by the reference parser, Python's
// prometheus_client (Debian's python3-prometheus-client, run with Debian's
// python3): each family as JSON, so a test compares what a scraper sees.

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QtTest>

struct ParsedSample {
    QString name;
    QVariantMap labels;
    QString value; // as Python prints the float
};

struct ParsedFamily {
    QString name;
    QString type;
    QString help;
    QList<ParsedSample> samples;
};

inline const char *prometheusParserScript()
{
    return "import sys, json\n"
           "from prometheus_client.parser import text_string_to_metric_families\n"
           "out = []\n"
           "for f in text_string_to_metric_families(sys.stdin.read()):\n"
           "    out.append({'name': f.name, 'type': f.type, 'help': f.documentation,\n"
           "                'samples': [[s.name, s.labels, repr(s.value)] for s in f.samples]})\n"
           "print(json.dumps(out))\n";
}

// Starts the parser on `text`; the caller waits for it (the event loop may
// have to run meanwhile, for a server in the same process).
inline void startParser(QProcess &p, const QByteArray &text)
{
    p.setProcessChannelMode(QProcess::SeparateChannels);
    p.start(QStringLiteral("/usr/bin/python3"), {QStringLiteral("-c"), QString::fromLatin1(prometheusParserScript())});
    p.write(text);
    p.closeWriteChannel();
}

// Families, or an empty list with *error set when the parser refused the text.
inline QList<ParsedFamily> parsedOutput(QProcess &p, QString *error)
{
    QList<ParsedFamily> families;
    if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        *error = QString::fromUtf8(p.readAllStandardError());
        return families;
    }
    const QJsonArray array = QJsonDocument::fromJson(p.readAllStandardOutput()).array();
    for (const QJsonValue &v : array) {
        const QJsonObject o = v.toObject();
        ParsedFamily f{o.value(QStringLiteral("name")).toString(), o.value(QStringLiteral("type")).toString(),
                       o.value(QStringLiteral("help")).toString(), {}};
        for (const QJsonValue &s : o.value(QStringLiteral("samples")).toArray()) {
            const QJsonArray a = s.toArray();
            f.samples << ParsedSample{a.at(0).toString(), a.at(1).toObject().toVariantMap(), a.at(2).toString()};
        }
        families << f;
    }
    return families;
}

inline QList<ParsedFamily> parsePrometheus(const QByteArray &text, QString *error)
{
    QProcess p;
    startParser(p, text);
    if (!p.waitForFinished(60000)) {
        *error = QStringLiteral("parser did not finish");
        return {};
    }
    return parsedOutput(p, error);
}

inline const ParsedFamily *family(const QList<ParsedFamily> &families, const QString &name)
{
    for (const ParsedFamily &f : families)
        if (f.name == name)
            return &f;
    return nullptr;
}
