// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptFile.h"

#include "common/Logging.h"
#include "storage/IniFile.h"

#include <QDebug>

Script ScriptFile::read(const QString &path)
{
    Script script;
    if (path.isEmpty()) {
        qWarning().noquote() << "script file not found:" << path;
        return script;
    }
    // Read whole, without waiting on the path: a FIFO or a device is refused.
    const auto file = IniFile::openForReading(path, kMaxFileBytes);
    if (file->missing) {
        qWarning().noquote() << "script file not found:" << path;
        return script;
    }
    if (!file->refusal.isEmpty()) {
        qWarning().noquote() << "script refused, " + file->refusal + QStringLiteral(":") << path;
        return script;
    }
    if (!file->readable) {
        qWarning().noquote() << "script file unreadable:" << path;
        return script;
    }
    return fromContents(*file);
}

Script ScriptFile::parse(const QByteArray &bytes)
{
    const auto file = IniFile::parse(bytes);
    if (!file->readable) {
        qWarning().noquote() << "script text unreadable";
        return Script();
    }
    return fromContents(*file);
}

Script ScriptFile::fromContents(const IniFile::Contents &file)
{
    Script script;
    const QVariant countValue = file.values.value(QStringLiteral("Config/Count"));
    const QVariant periodValue = file.values.value(QStringLiteral("Config/Frequency"));
    bool countOk = false;
    bool periodOk = false;
    const int count = countValue.toInt(&countOk);
    const int period = periodValue.toInt(&periodOk);
    qCDebug(lcScript) << "count:" << count;
    if (!countOk || count < 0 || count > kMaxFrames) {
        qWarning().noquote() << "script refused, count:" << countValue.toString();
        return script;
    }
    if (!periodOk || period <= 0) {
        qWarning().noquote() << "script refused, frequency:" << periodValue.toString();
        return script;
    }
    // Frame i is the key "Data/i" (i written plainly); a missing one is an
    // empty frame. The keys that are there are visited once, so a large
    // Count over a few frames costs no look-up per frame.
    const QString missing = QString::fromUtf8(QByteArray::fromBase64(QString().toLatin1()));
    script.frames.reserve(count);
    for (int i = 0; i < count; ++i)
        script.frames.append(missing);
    const QString prefix = QStringLiteral("Data/");
    for (auto it = file.values.lowerBound(prefix); it != file.values.cend() && it.key().startsWith(prefix); ++it) {
        const QStringRef index = it.key().midRef(prefix.size());
        bool ok = false;
        const int i = index.toInt(&ok);
        if (!ok || i < 0 || i >= count || index != QString::number(i))
            continue;
        const QString text = IniFile::readText(file, it.key());
        qCDebug(lcScript).noquote() << "aaa:" << text;
        script.frames[i] = QString::fromUtf8(QByteArray::fromBase64(text.toLatin1()));
    }
    script.period = period;
    return script;
}
