// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "FreshSettings.h"
#include "device/BoxModel.h"
#include "storage/IniHelper.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtTest>

// Every storage test works in the data folder below its own XDG_CONFIG_HOME
// (given by CTest) and starts each case from an empty folder and a fresh table.
namespace StorageFixture {

inline bool dataFolderIsIsolated()
{
    const QString home = qEnvironmentVariable("XDG_CONFIG_HOME");
    return !home.isEmpty() && IniHelper::dataFolder().startsWith(QDir(home).absolutePath() + QLatin1Char('/'));
}

inline void cleanStart(BoxModel &boxes)
{
    QDir(IniHelper::dataFolder()).removeRecursively();
    boxes.reset();
}

inline void writeRaw(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

inline QByteArray readRaw(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// The value text of group/key as a fresh reader sees it.
inline QString storedText(const QString &path, const QString &key)
{
    return FreshSettings(path)->value(key).toString();
}

// Collects the warnings logged while it lives.
class WarningLog
{
public:
    WarningLog() { s_current = this; m_previous = qInstallMessageHandler(&WarningLog::handle); }
    ~WarningLog() { qInstallMessageHandler(m_previous); s_current = nullptr; }
    QStringList lines;
    int count(const QString &prefix) const
    {
        int n = 0;
        for (const QString &line : lines)
            n += line.startsWith(prefix) ? 1 : 0;
        return n;
    }

private:
    static void handle(QtMsgType type, const QMessageLogContext &, const QString &text)
    {
        if (type == QtWarningMsg && s_current)
            s_current->lines << text;
    }
    static inline WarningLog *s_current = nullptr;
    QtMessageHandler m_previous;
};

// Files left in the folder of path that a save must not leave behind.
inline QStringList leftovers(const QString &path)
{
    const QFileInfo target(path);
    return target.absoluteDir().entryList({target.fileName() + QStringLiteral(".*")},
                                          QDir::Files | QDir::Hidden);
}

}
