#include "storage/IniFile.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <QTemporaryFile>
#include <QVariant>

namespace IniFile {

QSettings *openForReading(const QString &path)
{
    auto *settings = new QSettings(path, QSettings::IniFormat);
    settings->allKeys();   // parses the file, so that status() tells about it
    if (settings->status() != QSettings::NoError)
        qWarning() << "unreadable ini file:" << path << settings->status();
    return settings;
}

QString readText(QSettings &settings, const QString &key)
{
    const QVariant value = settings.value(key);
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

namespace {

using KeyValues = QVector<QPair<QString, QString>>;

template<typename T>
QStringList inOrder(const QList<T> &present, const QStringList &order)
{
    QStringList result;
    for (const QString &name : order)
        if (present.contains(name))
            result << name;
    for (const QString &name : present)
        if (!result.contains(name))
            result << name;
    return result;
}

KeyValues flatten(const GroupMap &groups, const QStringList &groupOrder, const QStringList &keyOrder)
{
    KeyValues entries;
    for (const QString &group : inOrder(groups.keys(), groupOrder)) {
        const QMap<QString, QString> &keys = groups[group];
        for (const QString &key : inOrder(keys.keys(), keyOrder))
            entries.append({group + QLatin1Char('/') + key, keys[key]});
    }
    return entries;
}

QString stagingPrefix(const QFileInfo &target)
{
    return target.fileName() + QStringLiteral(".saving-");
}

// A save that was cut off by a crash leaves its staging files behind.
void removeStaleStaging(const QFileInfo &target)
{
    QDir folder = target.absoluteDir();
    const QStringList stale = folder.entryList({stagingPrefix(target) + QLatin1Char('*')},
                                               QDir::Files | QDir::Hidden);
    for (const QString &name : stale)
        folder.remove(name);
}

// Keys of the old file that this write does not set survive it.
void keepOtherKeys(const QString &path, QMap<QString, QVariant> &expected)
{
    if (!QFileInfo::exists(path))
        return;
    // Whatever QSettings could make of a damaged file is kept too, as QSettings
    // itself would keep it.
    QSettings old(path, QSettings::IniFormat);
    const QStringList keys = old.allKeys();
    for (const QString &key : keys)
        expected.insert(key, old.value(key));
}

class Failure
{
public:
    explicit Failure(const char *label) : m_label(label) {}
    bool operator()(const char *reason, const QString &detail) const
    {
        qWarning().noquote() << QString::fromLatin1(m_label) + QStringLiteral(" failed:")
                             << reason << detail;
        return false;
    }

private:
    const char *m_label;
};

} // namespace

// QSettings writes through QSaveFile, but Qt 5.15's QSaveFile::commit() does
// not notice a failed final flush: on a full disk QSettings reports success and
// renames a truncated file over the old one. So the new content is staged with
// QSettings in a file of its own, checked by parsing it again from disk, and
// only then copied over the target through a QSaveFile whose flush is checked.
bool writeGroups(const QString &path, const GroupMap &groups, const QStringList &groupOrder,
                 const QStringList &keyOrder, const char *label)
{
    const Failure fail(label);
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        return fail("cannot create folder", target.absolutePath());
    removeStaleStaging(target);

    QMap<QString, QVariant> expected;
    keepOtherKeys(path, expected);
    const KeyValues entries = flatten(groups, groupOrder, keyOrder);

    QTemporaryFile staged(target.absoluteFilePath() + QStringLiteral(".saving-XXXXXX"));
    if (!staged.open())
        return fail("cannot create file in", target.absolutePath());
    staged.close();
    {
        QSettings out(staged.fileName(), QSettings::IniFormat);
        out.setAtomicSyncRequired(true);
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            out.setValue(it.key(), it.value());
        for (const auto &entry : entries) {
            out.setValue(entry.first, entry.second);
            expected.insert(entry.first, entry.second);
        }
        out.sync();
        if (out.status() != QSettings::NoError)
            return fail("cannot write", staged.fileName());
    }

    // QSettings caches what it wrote under the file's path; a fresh path makes
    // the check parse the bytes that really reached the disk.
    QTemporaryFile checked(target.absoluteFilePath() + QStringLiteral(".saving-XXXXXX"));
    if (!checked.open())
        return fail("cannot create file in", target.absolutePath());
    checked.close();
    if (!QFile::remove(checked.fileName()) || !QFile::rename(staged.fileName(), checked.fileName()))
        return fail("cannot rename", staged.fileName());
    {
        QSettings back(checked.fileName(), QSettings::IniFormat);
        const QStringList keys = back.allKeys();
        if (back.status() != QSettings::NoError || keys.size() != expected.size())
            return fail("incomplete file", checked.fileName());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it)
            if (back.value(it.key()) != it.value())
                return fail("incomplete file", checked.fileName());
    }

    QFile source(checked.fileName());
    if (!source.open(QIODevice::ReadOnly))
        return fail("cannot read", checked.fileName());
    const QByteArray bytes = source.readAll();
    source.close();

    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return fail("cannot replace", path);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return fail("cannot write", path);
    }
    if (!file.commit())
        return fail("cannot commit", path);
    return true;
}

}
