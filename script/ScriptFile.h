// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace IniFile {
struct Contents;
}

// A lighting script file: an INI file with "/Config/Count" frames, a frame
// period "/Config/Frequency" in milliseconds and the frames "/Data/0" …
// as Base64 of UTF-8 JSON text.
struct Script {
    QStringList frames;  // decoded JSON texts, in order
    int period = 0;      // milliseconds; 0 when the file was refused
};

class ScriptFile
{
    Q_DECLARE_TR_FUNCTIONS(ScriptFile)

public:
    // Upper bound of "/Config/Count": more is taken for a broken file.
    static constexpr int kMaxFrames = 100000;
    // Upper bound of the file: a script of full frames stays far below it.
    static constexpr qint64 kMaxFileBytes = 64 * 1024 * 1024;

    // A missing or refused file gives no frames (logged): it must be a
    // regular file of at most kMaxFileBytes, and it is never waited on.
    static Script read(const QString &path);
    // The same for the bytes of a script (no file system).
    static Script parse(const QByteArray &bytes);

private:
    static Script fromContents(const IniFile::Contents &file);
};
