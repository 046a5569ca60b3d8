// SPDX-License-Identifier: GPL-3.0-or-later
#include "Logging.h"

#include <QStringList>

#include <cstdio>
#include <cstring>

Q_LOGGING_CATEGORY(lcAlerts, "aurivent.alerts", QtInfoMsg)
Q_LOGGING_CATEGORY(lcApp, "aurivent.app", QtInfoMsg)
Q_LOGGING_CATEGORY(lcDevice, "aurivent.device", QtInfoMsg)
Q_LOGGING_CATEGORY(lcHistory, "aurivent.history", QtInfoMsg)
Q_LOGGING_CATEGORY(lcLighting, "aurivent.lighting", QtInfoMsg)
Q_LOGGING_CATEGORY(lcMetrics, "aurivent.metrics", QtInfoMsg)
Q_LOGGING_CATEGORY(lcRemote, "aurivent.remote", QtInfoMsg)
Q_LOGGING_CATEGORY(lcScript, "aurivent.script", QtInfoMsg)
Q_LOGGING_CATEGORY(lcStorage, "aurivent.storage", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUi, "aurivent.ui", QtInfoMsg)
Q_LOGGING_CATEGORY(lcUpdate, "aurivent.update", QtInfoMsg)

namespace Logging {

namespace {

bool g_journal = false;

struct Folder {
    const char *name;
    const QLoggingCategory &(*category)();
};

const Folder kFolders[] = {
    {"app", lcApp},         {"common", lcApp},       {"core", lcApp},       {"service", lcApp},
    {"device", lcDevice},   {"lighting", lcLighting}, {"remote", lcRemote}, {"script", lcScript},
    {"storage", lcStorage}, {"ui", lcUi},             {"viewmsg", lcUi},    {"update", lcUpdate},
    {"launcher", lcApp},    {"channel", lcApp},      {"control", lcApp},    {"startup", lcApp},
    {"dbus", lcApp},       {"power", lcApp},
};

void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const char *category = context.category ? context.category : "default";
    if (std::strcmp(category, "default") == 0) {
        if (const QLoggingCategory *filed = categoryOfFile(context.file)) {
            // The folder's category decides, so a stray qDebug() stays quiet.
            if (!filed->isEnabled(type))
                return;
            category = filed->categoryName();
        } else {
            category = "qt"; // a library's own line
        }
    }
    QMessageLogContext filed(context.file, context.line, context.function, category);
    const QByteArray bytes = format(type, qFormatLogMessage(type, filed, message), g_journal);
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace

int priority(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg: return 7;
    case QtInfoMsg: return 6;
    case QtWarningMsg: return 4;
    case QtCriticalMsg: return 3;
    case QtFatalMsg: return 2;
    }
    return 6;
}

const QLoggingCategory *categoryOfFile(const char *file)
{
    if (!file)
        return nullptr;
    // The innermost folder of ours in the path: "device/sim/X.cpp" is device's.
    const QStringList parts = QString::fromUtf8(file).split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int i = parts.size() - 2; i >= 0; --i) {
        for (const Folder &folder : kFolders) {
            if (parts.at(i) == QLatin1String(folder.name))
                return &folder.category();
        }
    }
    return nullptr;
}

QByteArray format(QtMsgType type, const QString &text, bool journal)
{
    QByteArray out;
    const QByteArray prefix = journal ? "<" + QByteArray::number(priority(type)) + ">" : QByteArray();
    // journald reads every line as an entry of its own: each gets the prefix.
    for (const QString &line : text.split(QLatin1Char('\n')))
        out += prefix + line.toLocal8Bit() + '\n';
    return out;
}

QtMessageHandler install()
{
    g_journal = stderrIsJournal(qgetenv("JOURNAL_STREAM"));
    return qInstallMessageHandler(handle);
}

} // namespace Logging
