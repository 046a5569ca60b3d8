#include "ScriptFile.h"

#include "common/Logging.h"

#include <QDebug>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

Script ScriptFile::read(const QString &path)
{
    Script script;
    if (path.isEmpty() || !QFileInfo(path).isFile()) {
        qWarning().noquote() << "script file not found:" << path;
        return script;
    }
    QSettings file(path, QSettings::IniFormat);
    if (file.status() != QSettings::NoError) {
        qWarning().noquote() << "script file unreadable:" << path;
        return script;
    }
    bool countOk = false;
    bool periodOk = false;
    const int count = file.value(QStringLiteral("/Config/Count")).toInt(&countOk);
    const int period = file.value(QStringLiteral("/Config/Frequency")).toInt(&periodOk);
    qCDebug(lcScript) << "count:" << count;
    if (!countOk || count < 0 || count > kMaxFrames) {
        qWarning().noquote() << "script refused, count:" << file.value(QStringLiteral("/Config/Count")).toString();
        return script;
    }
    if (!periodOk || period <= 0) {
        qWarning().noquote() << "script refused, frequency:"
                             << file.value(QStringLiteral("/Config/Frequency")).toString();
        return script;
    }
    script.frames.reserve(count);
    for (int i = 0; i < count; ++i) {
        const QString text = file.value(QStringLiteral("/Data/") + QString::number(i)).toString();
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
