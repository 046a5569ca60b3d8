// SPDX-License-Identifier: GPL-3.0-or-later
#include "AutorunStore.h"

#include "common/FileAccess.h"
#include "common/Logging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

namespace {

// Exec= of a desktop entry: arguments separated by spaces, quoted when they
// hold reserved characters, with the value's own backslash escapes on top.
const QString kReserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");

QString unescapeValue(const QString &value)
{
    QString out;
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (c != QLatin1Char('\\') || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const QChar next = value.at(++i);
        switch (next.unicode()) {
        case 's': out += QLatin1Char(' '); break;
        case 'n': out += QLatin1Char('\n'); break;
        case 't': out += QLatin1Char('\t'); break;
        case 'r': out += QLatin1Char('\r'); break;
        default: out += next; break;
        }
    }
    return out;
}

QStringList splitExec(const QString &exec)
{
    QStringList words;
    QString word;
    bool inWord = false;
    bool quoted = false;
    for (int i = 0; i < exec.size(); ++i) {
        const QChar c = exec.at(i);
        if (c == QLatin1Char('%') && i + 1 < exec.size() && exec.at(i + 1) == QLatin1Char('%')) {
            word += c;
            ++i;
            inWord = true;
        } else if (quoted) {
            if (c == QLatin1Char('\\') && i + 1 < exec.size())
                word += exec.at(++i);
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                word += c;
        } else if (c == QLatin1Char('"')) {
            quoted = inWord = true;
        } else if (c == QLatin1Char(' ') || c == QLatin1Char('\t')) {
            if (inWord)
                words << word;
            word.clear();
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord)
        words << word;
    return words;
}

QString quoteArgument(const QString &argument)
{
    QString arg = argument;
    arg.replace(QLatin1Char('%'), QStringLiteral("%%"));
    bool reserved = arg.isEmpty();
    for (const QChar c : arg)
        reserved = reserved || kReserved.contains(c);
    if (reserved) {
        QString quoted;
        for (const QChar c : arg) {
            if (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$') || c == QLatin1Char('\\'))
                quoted += QLatin1Char('\\');
            quoted += c;
        }
        arg = QLatin1Char('"') + quoted + QLatin1Char('"');
    }
    // The value's own escape of the backslash.
    arg.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    return arg;
}

constexpr qint64 kMaxEntryBytes = 1 << 20;

// The value of a key: the string escapes of the desktop entry format.
QString escapeValue(const QString &value)
{
    QString out;
    for (const QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else
            out += c;
    }
    return out;
}

QString execValue(const QString &executablePath)
{
    QStringList exec{quoteArgument(executablePath)};
    for (const QString &argument : autorunArguments())
        exec << quoteArgument(argument);
    return exec.join(QLatin1Char(' '));
}

// Sets each key of the main group to its value: the first line of that key
// is replaced, a missing key is added at the end of the group. False when
// the text has no main group (not an entry to edit).
bool setKeys(QStringList &lines, const QList<QPair<QString, QString>> &keys)
{
    int begin = -1;
    int end = lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (!line.startsWith(QLatin1Char('[')))
            continue;
        if (begin >= 0) {
            end = i;
            break;
        }
        if (line == QLatin1String("[Desktop Entry]"))
            begin = i;
    }
    if (begin < 0)
        return false;
    // Added keys go after the group's last line of content.
    int insertAt = end;
    while (insertAt > begin + 1 && lines.at(insertAt - 1).trimmed().isEmpty())
        --insertAt;
    for (const auto &key : keys) {
        bool found = false;
        for (int i = begin + 1; i < end && !found; ++i) {
            const QString line = lines.at(i);
            const int eq = line.indexOf(QLatin1Char('='));
            if (eq > 0 && line.left(eq).trimmed() == key.first) {
                lines[i] = key.first + QLatin1Char('=') + key.second;
                found = true;
            }
        }
        if (!found) {
            lines.insert(insertAt++, key.first + QLatin1Char('=') + key.second);
            ++end;
        }
    }
    return true;
}

class XdgAutostart final : public AutorunStore {
public:
    AutorunEntry entry() const override
    {
        AutorunEntry result;
        // Read at start-up on the GUI thread: a FIFO or a device at the
        // entry's path must not hold it, so only a regular file is read.
        const FileAccess::Read file = readEntry();
        if (file.status == FileAccess::Read::Status::Missing)
            return result;
        // Something is there; unread, it names no program, so start-up leaves
        // it alone and only the user's own choice replaces it.
        result.exists = true;
        if (file.status != FileAccess::Read::Status::Ok)
            return result;
        const QStringList lines = QString::fromUtf8(file.bytes).split(QLatin1Char('\n'));
        bool mainGroup = false;
        for (const QString &rawLine : lines) {
            const QString line = rawLine.trimmed();
            if (line.startsWith(QLatin1Char('['))) {
                mainGroup = line == QLatin1String("[Desktop Entry]");
                continue;
            }
            const int eq = line.indexOf(QLatin1Char('='));
            if (!mainGroup || eq < 0)
                continue;
            const QString key = line.left(eq).trimmed();
            const QString value = line.mid(eq + 1).trimmed();
            if (key == QLatin1String("Exec")) {
                const QStringList words = splitExec(unescapeValue(value));
                result.program = words.value(0);
                result.arguments = words.mid(1);
            } else if (key == QLatin1String("Hidden")) {
                result.disabled = result.disabled || value == QLatin1String("true");
            } else if (key == QLatin1String("X-GNOME-Autostart-enabled")) {
                result.disabled = result.disabled || value == QLatin1String("false");
            }
        }
        return result;
    }

    bool write(const QString &executablePath) override
    {
        // A line break in the path would end the Exec= line early.
        if (executablePath.contains(QLatin1Char('\n')) || executablePath.contains(QLatin1Char('\r')))
            return false;
        QDir().mkpath(QFileInfo(entryPath()).absolutePath());
        QSaveFile file(entryPath());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
            return false;
        QTextStream out(&file);
        out.setCodec("UTF-8");
        out << "[Desktop Entry]\n"
            << "Type=Application\n"
            << "Name=Aurivent\n"
            << "Comment=Fan and RGB lighting control\n"
            << "Exec=" << execValue(executablePath) << "\n"
            << "TryExec=" << escapeValue(executablePath) << "\n"
            << "Icon=aurivent\n"
            << "Terminal=false\n"
            << "X-GNOME-Autostart-enabled=true\n";
        out.flush();
        return file.commit();
    }

    bool setEnabled(bool on, const QString &executablePath) override
    {
        if (executablePath.contains(QLatin1Char('\n')) || executablePath.contains(QLatin1Char('\r')))
            return false;
        const FileAccess::Read in = readEntry();
        if (in.status != FileAccess::Read::Status::Ok)
            return false;
        QStringList lines = QString::fromUtf8(in.bytes).split(QLatin1Char('\n'));
        if (!lines.isEmpty() && lines.last().isEmpty())
            lines.removeLast();
        // The desktop's own switches, both of them; on also points the entry
        // at this program. Every other line stays as the user left it.
        QList<QPair<QString, QString>> keys{
            {QStringLiteral("Hidden"), on ? QStringLiteral("false") : QStringLiteral("true")},
            {QStringLiteral("X-GNOME-Autostart-enabled"), on ? QStringLiteral("true") : QStringLiteral("false")}};
        if (on) {
            keys << qMakePair(QStringLiteral("Exec"), execValue(executablePath))
                 << qMakePair(QStringLiteral("TryExec"), escapeValue(executablePath));
        }
        if (!setKeys(lines, keys))
            return false;
        QSaveFile out(entryPath());
        if (!out.open(QIODevice::WriteOnly | QIODevice::Text))
            return false;
        const QByteArray bytes = (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
        return out.write(bytes) == bytes.size() && out.commit();
    }

    bool remove() override { return QFile::remove(entryPath()); }

    QString programFileName() const override { return QStringLiteral("Aurivent"); }

private:
    // A desktop entry is a few hundred bytes; anything huge is no entry to
    // read or edit. A refusal is logged once per read.
    static FileAccess::Read readEntry()
    {
        FileAccess::Read file = FileAccess::readRegular(entryPath(), kMaxEntryBytes);
        if (file.status == FileAccess::Read::Status::Refused || file.status == FileAccess::Read::Status::Failed)
            qCWarning(lcApp).noquote() << "autostart entry not read:" << entryPath() << "-" << file.error;
        return file;
    }

    static QString entryPath()
    {
        return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
            + QStringLiteral("/autostart/Aurivent.desktop");
    }
};

} // namespace

std::unique_ptr<AutorunStore> createAutorunStore()
{
    return std::make_unique<XdgAutostart>();
}
