#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class QWidget;

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

    // A missing or refused file gives no frames (logged).
    static Script read(const QString &path);
    // Asks the user for a script file; empty when cancelled.
    static QString askPath(QWidget *parent);
};
