#include "ScriptFile.h"

#include "common/Logging.h"
#include "storage/IniFile.h"

#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>

Script ScriptFile::read(const QString &path)
{
    Script script;
    const QFileInfo info(path);
    if (path.isEmpty() || !info.isFile()) {
        qWarning().noquote() << "script file not found:" << path;
        return script;
    }
    if (info.size() > kMaxFileBytes) {
        qWarning().noquote() << "script refused, file of" << info.size() << "bytes:" << path;
        return script;
    }
    const auto file = IniFile::openForReading(path);
    if (!file->readable) {
        qWarning().noquote() << "script file unreadable:" << path;
        return script;
    }
    const QVariant countValue = file->values.value(QStringLiteral("Config/Count"));
    const QVariant periodValue = file->values.value(QStringLiteral("Config/Frequency"));
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
    script.frames.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString text = IniFile::readText(*file, QStringLiteral("Data/") + QString::number(i));
        qCDebug(lcScript).noquote() << "aaa:" << text;
        script.frames.append(QString::fromUtf8(QByteArray::fromBase64(text.toLatin1())));
    }
    script.period = period;
    return script;
}

QString ScriptFile::askPath(QWidget *parent)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, tr("開啟檔案"), QStringLiteral("/"), QStringLiteral("C++ files(*.ini)"));
    qCDebug(lcScript).noquote() << "ssss:" << path;
    return path;
}
