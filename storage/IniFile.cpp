// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniFile.h"

#include "common/FileAccess.h"
#include "storage/IniText.h"
#include "storage/SaveFailures.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>

namespace IniFile {

std::unique_ptr<Contents> parse(const QByteArray &bytes)
{
    IniText::Contents parsed = IniText::parse(bytes);
    auto contents = std::make_unique<Contents>();
    contents->values = std::move(parsed.values);
    contents->opaque = std::move(parsed.opaque);
    contents->readable = parsed.clean;
    return contents;
}

std::unique_ptr<Contents> openForReading(const QString &path, qint64 maxBytes)
{
    const FileAccess::Read file = FileAccess::readRegular(path, maxBytes);
    std::unique_ptr<Contents> contents;
    switch (file.status) {
    case FileAccess::Read::Status::Ok:
        contents = parse(file.bytes);
        if (!contents->readable)
            qWarning().noquote() << "ini file with lines that are not settings:" << path;
        return contents;
    case FileAccess::Read::Status::Missing:
        contents = std::make_unique<Contents>();
        contents->missing = true;
        return contents;
    case FileAccess::Read::Status::Refused:
    case FileAccess::Read::Status::Failed:
        break;
    }
    contents = std::make_unique<Contents>();
    contents->readable = false;
    contents->refusal = file.error;
    qWarning().noquote() << "settings file not read:" << path << "-" << file.error;
    return contents;
}

namespace {

QString textOf(const QVariant &value)
{
    if (value.type() == QVariant::StringList)
        return value.toStringList().join(QLatin1Char(','));
    const QString text = value.toString();
    // Present but empty is not missing.
    return text.isNull() && value.isValid() ? QLatin1String("") : text;
}

} // namespace

QString readText(const Contents &contents, const QString &key)
{
    const auto it = contents.values.constFind(key);
    return it == contents.values.cend() ? QString() : textOf(*it);
}

namespace {

using Values = QMap<QString, QVariant>;

bool readsBackAs(const Contents &back, const Values &owned, const Values &foreign)
{
    if (!back.readable || back.values.size() != owned.size() + foreign.size())
        return false;
    for (auto it = owned.cbegin(); it != owned.cend(); ++it) {
        const auto found = back.values.constFind(it.key());
        if (found == back.values.cend() || textOf(*found) != it.value().toString())
            return false;
    }
    for (auto it = foreign.cbegin(); it != foreign.cend(); ++it) {
        const auto found = back.values.constFind(it.key());
        if (found == back.values.cend() || *found != it.value())
            return false;
    }
    return true;
}

// Whether a key written alone reads back as itself. Some names come back
// as another ("///x" is written as "//x"), and may then take the place of a
// key that really has that name.
bool readsBackAlone(const QString &key, const QVariant &value, const QSet<QString> &opaque)
{
    const QSet<QString> itsKind = opaque.contains(key) ? QSet<QString>{key} : QSet<QString>();
    const IniText::Contents back = IniText::parse(IniText::serialize(Values{{key, value}}, itsKind));
    return back.values.size() == 1 && back.values.cbegin().key() == key && back.values.cbegin().value() == value;
}

// The foreign keys that came back unchanged, and come back as themselves.
Values survivors(const Contents &back, const Values &foreign, const QSet<QString> &opaque)
{
    Values kept;
    for (auto it = foreign.cbegin(); it != foreign.cend(); ++it)
        if (back.values.contains(it.key()) && back.values.value(it.key()) == it.value()
            && readsBackAlone(it.key(), it.value(), opaque))
            kept.insert(it.key(), it.value());
    return kept;
}

void logDropped(const char *label, const Values &before, const Values &after)
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

QString stagingPrefix(const QFileInfo &target)
{
    return target.fileName() + QStringLiteral(".saving-");
}

// A save that was cut off by a crash leaves its staging file behind.
void removeStaleStaging(const QFileInfo &target)
{
    QDir folder = target.absoluteDir();
    const QStringList stale = folder.entryList({stagingPrefix(target) + QLatin1Char('*')},
                                               QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : stale)
        folder.remove(name);
}

} // namespace

bool compose(const Contents &old, const GroupMap &groups, const char *label, QByteArray *bytes,
             std::unique_ptr<Contents> *readBack)
{
    Values owned;
    for (auto group = groups.cbegin(); group != groups.cend(); ++group)
        for (auto key = group->cbegin(); key != group->cend(); ++key)
            owned.insert(group.key() + QLatin1Char('/') + key.key(), key.value());
    Values foreign;
    for (auto it = old.values.cbegin(); it != old.values.cend(); ++it)
        if (!owned.contains(it.key()))
            foreign.insert(it.key(), it.value());

    QSet<QString> opaque = old.opaque;
    if (!opaque.isEmpty())
        for (auto it = owned.cbegin(); it != owned.cend(); ++it)
            opaque.remove(it.key());

    // First with every foreign key, then with those that came back unchanged
    // (and as themselves), last with none: what the program owns is always saved.
    Values tried = foreign;
    for (int attempt = 0; attempt < 3; ++attempt) {
        Values all = tried;
        for (auto it = owned.cbegin(); it != owned.cend(); ++it)
            all.insert(it.key(), it.value());
        *bytes = IniText::serialize(all, opaque);
        auto back = parse(*bytes);
        if (readsBackAs(*back, owned, tried)) {
            if (tried.size() != foreign.size())
                logDropped(label, foreign, tried);
            if (readBack)
                *readBack = std::move(back);
            return true;
        }
        if (tried.isEmpty())
            break;
        const Values kept = attempt == 0 ? survivors(*back, tried, opaque) : Values();
        tried = kept.size() == tried.size() ? Values() : kept;
    }
    bytes->clear();
    qWarning().noquote() << QString::fromLatin1(label) + QStringLiteral(": the program's own keys do not read back");
    return false;
}

bool writeGroups(const QString &path, const GroupMap &groups, const char *label)
{
    auto fail = [&](const char *reason, const QString &detail) {
        qWarning().noquote() << QString::fromLatin1(label) + QStringLiteral(" failed:") << reason << detail;
        emit SaveFailures::instance().saveFailed(path);
        return false;
    };
    const QFileInfo target(path);
    if (!QDir().mkpath(target.absolutePath()))
        return fail("cannot create folder", target.absolutePath());
    removeStaleStaging(target);
    // An old file that is refused (too large, not a file) is replaced whole.
    const auto old = openForReading(path);
    QByteArray bytes;
    if (!compose(*old, groups, label, &bytes))
        return fail("incomplete file", path);
    QString error;
    if (!FileAccess::replaceDurably(path, bytes, &error))
        return fail("cannot replace", error);
    return true;
}

}
