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

std::unique_ptr<QSettings> openForReading(const QString &path)
{
    auto settings = std::make_unique<QSettings>(path, QSettings::IniFormat);
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

// Writes every expected key into a new file beside the target, with
// QSettings's own INI writer.
bool stage(const QString &file, const QMap<QString, QVariant> &expected)
{
    QSettings out(file, QSettings::IniFormat);
    out.setAtomicSyncRequired(true);
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        out.setValue(it.key(), it.value());
    out.sync();
    return out.status() == QSettings::NoError;
}

// QSettings caches what it wrote under the file's path, so the check parses
// the file under a path it has never seen: that reads what reached the disk.
bool readsBackAs(const QString &file, const QMap<QString, QVariant> &expected)
{
    QSettings back(file, QSettings::IniFormat);
    const QStringList keys = back.allKeys();
    if (back.status() != QSettings::NoError || keys.size() != expected.size())
        return false;
    for (auto it = expected.cbegin(); it != expected.cend(); ++it)
        if (back.value(it.key()) != it.value())
            return false;
    return true;
}

// One atomic rename; the old file stays unless every byte was written.
bool replace(const QString &path, const QByteArray &bytes)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace

// QSettings writes through QSaveFile, but Qt 5.15's QSaveFile::commit() does
// not notice a failed final flush: on a full disk QSettings reports success and
// renames a truncated file over the old one. So the new content is staged with
// QSettings in a file of its own, checked by parsing it again from disk, and
// only then put in place by a QSaveFile whose flush is checked.
bool writeGroups(const QString &path, const GroupMap &groups, const char *label)
{
    const Failure fail(label);
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        return fail("cannot create folder", target.absolutePath());
    removeStaleStaging(target);

    QMap<QString, QVariant> expected;
    keepOtherKeys(path, expected);
    for (auto group = groups.cbegin(); group != groups.cend(); ++group)
        for (auto key = group->cbegin(); key != group->cend(); ++key)
            expected.insert(group.key() + QLatin1Char('/') + key.key(), key.value());

    const QString pattern = target.absoluteFilePath() + QStringLiteral(".saving-XXXXXX");
    QTemporaryFile staged(pattern);
    QTemporaryFile checked(pattern);
    if (!staged.open() || !checked.open())
        return fail("cannot create file in", target.absolutePath());
    staged.close();
    checked.close();
    if (!stage(staged.fileName(), expected))
        return fail("cannot write", staged.fileName());
    if (!QFile::remove(checked.fileName()) || !QFile::rename(staged.fileName(), checked.fileName()))
        return fail("cannot rename", staged.fileName());
    if (!readsBackAs(checked.fileName(), expected))
        return fail("incomplete file", checked.fileName());

    QFile source(checked.fileName());
    if (!source.open(QIODevice::ReadOnly))
        return fail("cannot read", checked.fileName());
    if (!replace(path, source.readAll()))
        return fail("cannot replace", path);
    return true;
}

}
