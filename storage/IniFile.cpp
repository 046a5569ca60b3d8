#include "storage/IniFile.h"

#include "storage/SaveFailures.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QTemporaryFile>

#include <filesystem>

namespace IniFile {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

std::unique_ptr<Contents> load(const QString &file)
{
    auto contents = std::make_unique<Contents>();
    QSettings settings(file, QSettings::IniFormat);
    const QStringList keys = settings.allKeys();
    for (const QString &key : keys)
        contents->values.insert(key, settings.value(key));
    contents->readable = settings.status() == QSettings::NoError;
    return contents;
}

// QSettings only reads files: the bytes go through a private file of their own.
std::unique_ptr<Contents> loadBytes(const QByteArray &bytes)
{
    QTemporaryFile file(QDir::tempPath() + QStringLiteral("/aurivent-ini-XXXXXX"));
    if (!file.open() || file.write(bytes) != bytes.size() || !file.flush()) {
        auto contents = std::make_unique<Contents>();
        contents->readable = false;
        return contents;
    }
    file.close();
    return load(file.fileName());
}

} // namespace

std::unique_ptr<Contents> parse(const QByteArray &bytes)
{
    return loadBytes(bytes.startsWith(kByteOrderMark) ? bytes.mid(kByteOrderMark.size()) : bytes);
}

std::unique_ptr<Contents> openForReading(const QString &path)
{
    std::unique_ptr<Contents> contents;
    QFile file(path);
    if (!file.exists()) {
        contents = std::make_unique<Contents>();
    } else if (!file.open(QIODevice::ReadOnly)) {
        contents = std::make_unique<Contents>();
        contents->readable = false;
    } else if (file.peek(kByteOrderMark.size()) == kByteOrderMark) {
        contents = parse(file.readAll());
    } else {
        file.close();
        contents = load(path);
    }
    if (!contents->readable)
        qWarning() << "unreadable ini file:" << path;
    return contents;
}

QString readText(const Contents &contents, const QString &key)
{
    const QVariant value = contents.values.value(key);
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QLatin1Char(','));
    return value.toString();
}

namespace {

using Owned = QMap<QString, QString>;
using Foreign = QMap<QString, QVariant>;

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

// Keys of the old file that the program does not write itself.
Foreign foreignKeys(const QString &path, const Owned &owned)
{
    Foreign foreign;
    if (!QFileInfo::exists(path))
        return foreign;
    const auto old = openForReading(path);
    for (auto it = old->values.cbegin(); it != old->values.cend(); ++it)
        if (!owned.contains(it.key()))
            foreign.insert(it.key(), it.value());
    return foreign;
}

class Failure
{
public:
    Failure(const char *label, const QString &path) : m_label(label), m_path(path) {}
    bool operator()(const char *reason, const QString &detail) const
    {
        qWarning().noquote() << QString::fromLatin1(m_label) + QStringLiteral(" failed:")
                             << reason << detail;
        emit SaveFailures::instance().saveFailed(m_path);
        return false;
    }

private:
    const char *m_label;
    QString m_path;
};

enum class Staging { Done, CannotCreate, CannotWrite, CannotRename };

// A new file beside the target, written with QSettings's own INI writer, and
// what a fresh parse of it finds. QSettings caches what it wrote under the
// file's path, so the check parses the file under a path it has never seen:
// the file is written as one name and moved to the other. Both names start
// with the staging prefix, so whatever a crash leaves behind is cleared by
// the next save.
class Staged
{
public:
    explicit Staged(const QString &pattern) : m_written(pattern), m_checked(pattern) {}

    // The program's own keys go last, so that a foreign key QSettings takes
    // for one of them cannot win.
    Staging write(const Owned &owned, const Foreign &foreign)
    {
        if (!m_written.open() || !m_checked.open())
            return Staging::CannotCreate;
        m_written.close();
        m_checked.close();
        {
            QSettings out(m_written.fileName(), QSettings::IniFormat);
            out.setAtomicSyncRequired(true);
            for (auto it = foreign.cbegin(); it != foreign.cend(); ++it)
                out.setValue(it.key(), it.value());
            for (auto it = owned.cbegin(); it != owned.cend(); ++it)
                out.setValue(it.key(), it.value());
            out.sync();
            if (out.status() != QSettings::NoError)
                return Staging::CannotWrite;
        }
        if (!QFile::remove(m_checked.fileName()) || !QFile::rename(m_written.fileName(), m_checked.fileName()))
            return Staging::CannotRename;
        m_back = load(m_checked.fileName());
        return Staging::Done;
    }

    const Contents &back() const { return *m_back; }

    // One atomic rename over the target: the old file stays unless the
    // complete, checked new one takes its place. It keeps the old file's
    // permissions; a new file is readable by its owner only.
    bool replace(const QString &target)
    {
        if (QFileInfo::exists(target))
            QFile::setPermissions(m_checked.fileName(), QFile::permissions(target));
        std::error_code error;
        std::filesystem::rename(std::filesystem::path(m_checked.fileName().toStdU16String()),
                                std::filesystem::path(target.toStdU16String()), error);
        return !error;
    }

private:
    QTemporaryFile m_written;
    QTemporaryFile m_checked;
    std::unique_ptr<Contents> m_back;
};

bool readsBackAs(const Contents &back, const Owned &owned, const Foreign &foreign)
{
    if (!back.readable || back.values.size() != owned.size() + foreign.size())
        return false;
    for (auto it = owned.cbegin(); it != owned.cend(); ++it)
        if (!back.values.contains(it.key()) || readText(back, it.key()) != it.value())
            return false;
    for (auto it = foreign.cbegin(); it != foreign.cend(); ++it)
        if (!back.values.contains(it.key()) || back.values.value(it.key()) != it.value())
            return false;
    return true;
}

// The foreign keys that came back from a staged file unchanged.
Foreign survivors(const Contents &back, const Foreign &foreign)
{
    Foreign kept;
    for (auto it = foreign.cbegin(); it != foreign.cend(); ++it)
        if (back.values.contains(it.key()) && back.values.value(it.key()) == it.value())
            kept.insert(it.key(), it.value());
    return kept;
}

void logDropped(const char *label, const Foreign &before, const Foreign &after)
{
    QStringList dropped;
    for (auto it = before.cbegin(); it != before.cend(); ++it)
        if (!after.contains(it.key()))
            dropped << it.key();
    constexpr int kShown = 8;
    const QString more = dropped.size() > kShown ? QStringLiteral(" …") : QString();
    qWarning().noquote() << QString::fromLatin1(label) + QStringLiteral(":") << dropped.size()
                         << "unknown key(s) do not survive a save and are dropped:"
                         << QStringList(dropped.mid(0, kShown)).join(QStringLiteral(", ")) + more;
}

} // namespace

// QSettings writes through QSaveFile, but Qt 5.15's QSaveFile::commit() does
// not notice a failed final flush: on a full disk QSettings reports success and
// renames a truncated file over the old one. So the new content is staged with
// QSettings in a file of its own, checked by parsing it again from disk, and
// only then renamed over the old file.
bool writeGroups(const QString &path, const GroupMap &groups, const char *label)
{
    const Failure fail(label, path);
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        return fail("cannot create folder", target.absolutePath());
    removeStaleStaging(target);

    Owned owned;
    for (auto group = groups.cbegin(); group != groups.cend(); ++group)
        for (auto key = group->cbegin(); key != group->cend(); ++key)
            owned.insert(group.key() + QLatin1Char('/') + key.key(), key.value());
    const Foreign foreign = foreignKeys(path, owned);

    // First with every foreign key, then with those that came back unchanged,
    // last with none: what the program owns is always saved.
    const QString pattern = target.absoluteFilePath() + QStringLiteral(".saving-XXXXXX");
    Foreign tried = foreign;
    for (int attempt = 0; attempt < 3; ++attempt) {
        Staged staged(pattern);
        switch (staged.write(owned, tried)) {
        case Staging::CannotCreate:
            return fail("cannot create file in", target.absolutePath());
        case Staging::CannotWrite:
            return fail("cannot write", target.absolutePath());
        case Staging::CannotRename:
            return fail("cannot rename", target.absolutePath());
        case Staging::Done:
            break;
        }
        if (readsBackAs(staged.back(), owned, tried)) {
            if (tried.size() != foreign.size())
                logDropped(label, foreign, tried);
            if (!staged.replace(path))
                return fail("cannot replace", path);
            return true;
        }
        if (tried.isEmpty())
            break;
        const Foreign kept = survivors(staged.back(), tried);
        tried = kept.size() == tried.size() ? Foreign() : kept;
    }
    return fail("incomplete file", path);
}

}
