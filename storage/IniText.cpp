// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/IniText.h"

#include <QStringList>
#include <QVector>

#include <cstring>

namespace IniText {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
const char kHexDigits[] = "0123456789ABCDEF";

bool isLineSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

// The characters that end a run of plain text in a line, as a table: the
// scan over every byte of a file is the parser's hot loop.
struct SpecialTable {
    bool special[256] = {};
    constexpr SpecialTable()
    {
        for (const char ch : {'\n', '\r', '"', ';', '=', '\\'})
            special[uchar(ch)] = true;
    }
};
constexpr SpecialTable kSpecial;

// One logical line from dataPos on: newlines inside quotes and after "\"
// belong to it, a ";" ends it (a line starting with ";" is skipped whole).
bool readLine(const char *data, int dataLen, int &dataPos, int &lineStart, int &lineLen, int &equalsPos)
{
    bool inQuotes = false;
    equalsPos = -1;
    lineStart = dataPos;
    while (lineStart < dataLen && isLineSpace(data[lineStart]))
        ++lineStart;
    int i = lineStart;
    while (i < dataLen) {
        while (!kSpecial.special[uchar(data[i])]) {
            if (++i == dataLen)
                goto done;
        }
        char ch = data[i];
        ++i;
        if (ch == '=') {
            if (!inQuotes && equalsPos == -1)
                equalsPos = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        } else if (ch == '\\') {
            if (i < dataLen) {
                const char escaped = data[i++];
                if (i < dataLen) {
                    const char next = data[i];
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else {  // ';'
            if (i == lineStart + 1) {
                while (i < dataLen && (ch = data[i]) != '\n' && ch != '\r')
                    ++i;
                while (i < dataLen && isLineSpace(data[i]))
                    ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                goto done;
            }
        }
    }
done:
    dataPos = i;
    lineLen = i - lineStart;
    return lineLen > 0;
}

// A hexadecimal field of a key escape, read as QByteArray::toInt(&ok, 16)
// reads it: blanks around it, a sign and "0x" are allowed.
bool hexField(const char *text, int size, int *value)
{
    int i = 0;
    while (i < size && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < size && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    auto digit = [](char c) {
        return c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
    };
    if (i + 2 < size && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X') && digit(text[i + 2]) >= 0)
        i += 2;
    const int first = i;
    long long number = 0;
    while (i < size && digit(text[i]) >= 0)
        number = number * 16 + digit(text[i++]);
    if (i == first)
        return false;
    while (i < size && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    if (i != size)
        return false;
    *value = int(negative ? -number : number);
    return true;
}

void unescapeKey(const char *key, int from, int to, QString &result)
{
    int i = from;
    while (i < to) {
        // Most of a key is plain: a run of it is copied at once, each byte
        // the character of that code.
        int j = i;
        char c;
        while (j < to && (c = key[j]) != '\\' && c != '%')
            ++j;
        if (j > i) {
            const int n = result.size();
            result.resize(n + (j - i));
            QChar *out = result.data() + n;
            for (int k = i; k < j; ++k)
                *out++ = QLatin1Char(key[k]);
            i = j;
            if (i == to)
                break;
        }
        const uchar ch = uchar(key[i]);
        if (ch == '\\') {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != '%' || i == to - 1) {
            result += QChar(ch);
            ++i;
            continue;
        }
        int digits = 2;
        int firstDigit = i + 1;
        if (key[i + 1] == 'U') {
            ++firstDigit;
            digits = 4;
        }
        int code = 0;
        if (firstDigit + digits > to || !hexField(key + firstDigit, digits, &code)) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(ushort(code & 0xFFFF));
        i = firstDigit + digits;
    }
}

void chopTrailingBlanks(QString &text, int limit)
{
    int n = text.size() - 1;
    while (n >= limit && (text.at(n) == QLatin1Char(' ') || text.at(n) == QLatin1Char('\t')))
        text.truncate(n--);
}

int hexValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

// The value of one line: true when it is a list ("," outside quotes).
bool unescapeValue(const char *str, int from, int to, QString &text, QStringList &list)
{
    static const char codes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'}, {'r', '\r'}, {'t', '\t'},
                                    {'v', '\v'}, {'"', '"'},  {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    bool isList = false;
    bool inQuotes = false;
    bool quoted = false;  // the current item had quotes: its blanks stay
    int i = from;
    int chopLimit = 0;
    char ch;

    auto skipBlanks = [&] {
        while (i < to && ((ch = str[i]) == ' ' || ch == '\t'))
            ++i;
    };
    skipBlanks();
    chopLimit = text.size();
    while (i < to) {
        switch (str[i]) {
        case '\\': {
            ++i;
            if (i >= to)
                goto end;
            ch = str[i++];
            bool coded = false;
            for (const auto &code : codes) {
                if (ch == code[0]) {
                    text += QLatin1Char(code[1]);
                    coded = true;
                    break;
                }
            }
            if (coded) {
                chopLimit = text.size();
                break;
            }
            if (ch == 'x' || (ch >= '0' && ch <= '7')) {
                // \x hex digits or \ octal digits, as many as follow.
                const bool hex = ch == 'x';
                if (hex && (i >= to || hexValue(str[i]) < 0)) {
                    if (i >= to)
                        goto end;
                    chopLimit = text.size();
                    break;
                }
                uint value = hex ? 0u : uint(ch - '0');
                while (i < to) {
                    const char d = str[i];
                    const int v = hex ? hexValue(d) : (d >= '0' && d <= '7' ? d - '0' : -1);
                    if (v < 0)
                        break;
                    value = (value << (hex ? 4 : 3)) + uint(v);
                    ++i;
                }
                text += QChar(ushort(value & 0xFFFF));
                if (i >= to)
                    goto end;
                chopLimit = text.size();
                break;
            }
            if ((ch == '\n' || ch == '\r') && i < to) {
                const char next = str[i];
                if ((next == '\n' || next == '\r') && next != ch)
                    ++i;
            }
            chopLimit = text.size();
            break;
        }
        case '"':
            ++i;
            quoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes) {
                skipBlanks();
                chopLimit = text.size();
            }
            break;
        case ',':
            if (!inQuotes) {
                if (!quoted)
                    chopTrailingBlanks(text, chopLimit);
                if (!isList) {
                    isList = true;
                    list.clear();
                }
                list.append(text);
                text.clear();
                quoted = false;
                ++i;
                skipBlanks();
                chopLimit = text.size();
                break;
            }
            Q_FALLTHROUGH();
        default: {
            int j = i + 1;
            while (j < to && (ch = str[j]) != '\\' && ch != '"' && ch != ',')
                ++j;
            const int n = text.size();
            text.resize(n + (j - i));
            QChar *out = text.data() + n;
            for (int k = i; k < j; ++k)
                *out++ = QLatin1Char(str[k]);
            i = j;
        }
        }
    }
    if (!quoted)
        chopTrailingBlanks(text, chopLimit);
end:
    if (isList)
        list.append(text);
    return isList;
}

// How a stored text reads back, as QSettings types it.
QVariant typedValue(const QString &s, bool *opaque)
{
    *opaque = false;
    if (s.startsWith(QLatin1Char('@'))) {
        if (s.endsWith(QLatin1Char(')'))) {
            if (s.startsWith(QLatin1String("@ByteArray(")))
                return QVariant(s.midRef(11, s.size() - 12).toLatin1());
            if (s.startsWith(QLatin1String("@String(")))
                return QVariant(s.mid(8, s.size() - 9));
            if (s == QLatin1String("@Invalid()"))
                return QVariant();
            if (s.startsWith(QLatin1String("@Variant(")) || s.startsWith(QLatin1String("@DateTime("))
                || s.startsWith(QLatin1String("@Rect(")) || s.startsWith(QLatin1String("@Size("))
                || s.startsWith(QLatin1String("@Point("))) {
                *opaque = true;
                return QVariant(s);
            }
        }
        if (s.startsWith(QLatin1String("@@")))
            return QVariant(s.mid(1));
    }
    return QVariant(s);
}

// A list stays a list of texts unless an item starts with a single "@":
// then every item is read as a typed value.
QVariant listValue(QStringList items, bool *opaque)
{
    *opaque = false;
    bool typed = false;
    for (const QString &item : qAsConst(items))
        typed = typed || (item.startsWith(QLatin1Char('@')) && !item.startsWith(QLatin1String("@@")));
    if (!typed) {
        for (QString &item : items)
            if (item.startsWith(QLatin1String("@@")))
                item.remove(0, 1);
        return QVariant(items);
    }
    QVariantList values;
    for (const QString &item : qAsConst(items)) {
        bool itemOpaque = false;
        values << typedValue(item, &itemOpaque);
        *opaque = *opaque || itemOpaque;
    }
    return QVariant(values);
}

// A line of the file: where it starts, how long it is, where its first "="
// outside quotes is (-1 for none).
struct Line {
    int start;
    int length;
    int equals;
};

void parseLine(const QString &section, const char *data, const Line &line, Contents &contents)
{
    if (line.equals == -1) {
        if (data[line.start] != ';')
            contents.clean = false;
        return;
    }
    int keyEnd = line.equals;
    char ch;
    while (keyEnd > line.start && ((ch = data[keyEnd - 1]) == ' ' || ch == '\t'))
        --keyEnd;
    QString key;
    key.reserve(section.size() + keyEnd - line.start);
    key += section;
    unescapeKey(data, line.start, keyEnd, key);
    QString text;
    QStringList list;
    const bool isList = unescapeValue(data, line.equals + 1, line.start + line.length, text, list);
    bool opaque = false;
    const QVariant value = isList ? listValue(list, &opaque) : typedValue(text, &opaque);
    contents.values.insert(key, value);
    if (opaque)
        contents.opaque.insert(key);
    else if (!contents.opaque.isEmpty())
        contents.opaque.remove(key);
}

void escapeKey(const QStringRef &key, QByteArray &result)
{
    for (const QChar c : key) {
        uint ch = c.unicode();
        if (ch == '/') {
            result += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9') || ch == '_'
                   || ch == '-' || ch == '.') {
            result += char(ch);
        } else if (ch <= 0xFF) {
            result += '%';
            result += kHexDigits[ch / 16];
            result += kHexDigits[ch % 16];
        } else {
            result += "%U";
            char code[4];
            for (int i = 3; i >= 0; --i) {
                code[i] = kHexDigits[ch % 16];
                ch >>= 4;
            }
            result.append(code, 4);
        }
    }
}

void escapeString(const QString &str, QByteArray &result)
{
    bool needsQuotes = false;
    bool escapeNextIfDigit = false;
    const int startPos = result.size();
    for (const QChar c : str) {
        const uint ch = c.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfDigit && ch < 0x80 && hexValue(char(ch)) >= 0) {
            result += "\\x" + QByteArray::number(ch, 16);
            continue;
        }
        escapeNextIfDigit = false;
        switch (ch) {
        case '\0':
            result += "\\0";
            escapeNextIfDigit = true;
            break;
        case '\a': result += "\\a"; break;
        case '\b': result += "\\b"; break;
        case '\f': result += "\\f"; break;
        case '\n': result += "\\n"; break;
        case '\r': result += "\\r"; break;
        case '\t': result += "\\t"; break;
        case '\v': result += "\\v"; break;
        case '"':
        case '\\':
            result += '\\';
            result += char(ch);
            break;
        default:
            if (ch <= 0x1F || ch >= 0x7F) {
                result += "\\x" + QByteArray::number(ch, 16);
                escapeNextIfDigit = true;
            } else {
                result += char(ch);
            }
        }
    }
    if (needsQuotes
        || (startPos < result.size() && (result.at(startPos) == ' ' || result.at(result.size() - 1) == ' '))) {
        result.insert(startPos, '"');
        result += '"';
    }
}

// A text as QSettings stores it: one with a NUL in it is wrapped, one
// starting "@" gets a second one.
QString storedText(const QString &text)
{
    if (text.contains(QChar::Null))
        return QLatin1String("@String(") + text + QLatin1Char(')');
    return text.startsWith(QLatin1Char('@')) ? QLatin1Char('@') + text : text;
}

void escapeItem(const QVariant &item, bool opaque, QByteArray &result)
{
    switch (item.type()) {
    case QVariant::Invalid:
        escapeString(QStringLiteral("@Invalid()"), result);
        return;
    case QVariant::ByteArray: {
        const QByteArray bytes = item.toByteArray();
        // Every byte, NULs too.
        escapeString(QLatin1String("@ByteArray(") + QString::fromLatin1(bytes.constData(), bytes.size()) + QLatin1Char(')'),
                     result);
        return;
    }
    default:
        escapeString(opaque ? item.toString() : storedText(item.toString()), result);
    }
}

void escapeValue(const QVariant &value, bool opaque, QByteArray &result)
{
    switch (value.type()) {
    case QVariant::List: {
        const QVariantList items = value.toList();
        if (items.isEmpty()) {
            result += "@Invalid()";
            return;
        }
        for (int i = 0; i < items.size(); ++i) {
            if (i != 0)
                result += ", ";
            escapeItem(items.at(i), opaque, result);
        }
        return;
    }
    case QVariant::StringList: {
        const QStringList items = value.toStringList();
        if (items.isEmpty()) {
            result += "@Invalid()";
            return;
        }
        for (int i = 0; i < items.size(); ++i) {
            if (i != 0)
                result += ", ";
            escapeString(storedText(items.at(i)), result);
        }
        return;
    }
    default:
        escapeItem(value, opaque, result);
    }
}

} // namespace

Contents parse(const QByteArray &input)
{
    const QByteArray bytes = input.startsWith(kByteOrderMark) ? input.mid(kByteOrderMark.size()) : input;
    const char *data = bytes.constData();
    const int dataLen = bytes.size();
    Contents contents;
    // The lines of each section by its name, a section given twice read as
    // one, parsed in name order.
    QMap<QString, QVector<Line>> sections;
    QVector<Line> *lines = &sections[QString()];
    int dataPos = 0;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = -1;
    while (readLine(data, dataLen, dataPos, lineStart, lineLen, equalsPos)) {
        if (data[lineStart] != '[') {
            lines->append(Line{lineStart, lineLen, equalsPos});
            continue;
        }
        QByteArray name;
        const int close = bytes.indexOf(']', lineStart);
        if (close == -1 || close >= lineStart + lineLen) {
            contents.clean = false;
            name = bytes.mid(lineStart + 1, lineLen - 1);
        } else {
            name = bytes.mid(lineStart + 1, close - lineStart - 1);
        }
        name = name.trimmed();
        QString current;
        if (qstricmp(name.constData(), "general") != 0) {
            if (qstricmp(name.constData(), "%general") == 0)
                current = QString::fromLatin1(name.constData() + 1);
            else
                unescapeKey(name.constData(), 0, name.size(), current);
            current += QLatin1Char('/');
        }
        lines = &sections[current];
    }
    for (auto it = sections.cbegin(); it != sections.cend(); ++it)
        for (const Line &line : it.value())
            parseLine(it.key(), data, line, contents);
    return contents;
}

QString text(const Contents &contents, const QString &key)
{
    const auto it = contents.values.constFind(key);
    if (it == contents.values.cend())
        return QString();
    if (it->type() == QVariant::StringList)
        return it->toStringList().join(QLatin1Char(','));
    const QString value = it->toString();
    return value.isNull() && it->isValid() ? QLatin1String("") : value;
}

QByteArray serialize(const QMap<QString, QVariant> &values, const QSet<QString> &opaque)
{
    // Section -> key within it -> the entry; the names are parts of the keys
    // of `values`, which outlive the map.
    using Entry = QMap<QString, QVariant>::const_iterator;
    QMap<QStringRef, QMap<QStringRef, Entry>> sections;
    int size = 0;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const QString &key = it.key();
        const int slash = key.indexOf(QLatin1Char('/'));
        if (slash == -1)
            sections[QStringRef()].insert(QStringRef(&key), it);
        else
            sections[key.leftRef(slash)].insert(key.midRef(slash + 1), it);
        size += key.size() + 16;
    }
    QByteArray out;
    out.reserve(size);
    bool first = true;
    for (auto section = sections.cbegin(); section != sections.cend(); ++section) {
        QByteArray name;
        escapeKey(section.key(), name);
        if (name.isEmpty())
            name = "[General]";
        else if (qstricmp(name.constData(), "general") == 0)
            name = "[%General]";
        else
            name = '[' + name + ']';
        if (!first)
            out += '\n';
        first = false;
        out += name;
        out += '\n';
        for (auto key = section->cbegin(); key != section->cend(); ++key) {
            const Entry entry = key.value();
            escapeKey(key.key(), out);
            out += '=';
            escapeValue(entry.value(), !opaque.isEmpty() && opaque.contains(entry.key()), out);
            out += '\n';
        }
    }
    return out;
}

} // namespace IniText
