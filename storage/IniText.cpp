#include "storage/IniText.h"

#include <QStringList>

#include <cstring>

namespace IniText {

namespace {

const QByteArray kByteOrderMark("\xEF\xBB\xBF");
const char kHexDigits[] = "0123456789ABCDEF";

bool isLineSpace(char ch)
{
    return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\r';
}

bool isSpecial(char ch)
{
    return ch == '\n' || ch == '\r' || ch == '"' || ch == ';' || ch == '=' || ch == '\\';
}

// One logical line from dataPos on: newlines inside quotes and after "\"
// belong to it, a ";" ends it (a line starting with ";" is skipped whole).
bool readLine(const QByteArray &data, int &dataPos, int &lineStart, int &lineLen, int &equalsPos)
{
    const int dataLen = data.size();
    bool inQuotes = false;
    equalsPos = -1;
    lineStart = dataPos;
    while (lineStart < dataLen && isLineSpace(data.at(lineStart)))
        ++lineStart;
    int i = lineStart;
    while (i < dataLen) {
        char ch = data.at(i);
        while (!isSpecial(ch)) {
            if (++i == dataLen)
                goto done;
            ch = data.at(i);
        }
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
                const char escaped = data.at(i++);
                if (i < dataLen) {
                    const char next = data.at(i);
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else {  // ';'
            if (i == lineStart + 1) {
                while (i < dataLen && (ch = data.at(i)) != '\n' && ch != '\r')
                    ++i;
                while (i < dataLen && isLineSpace(data.at(i)))
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

void unescapeKey(const QByteArray &key, int from, int to, QString &result)
{
    int i = from;
    while (i < to) {
        const uchar ch = uchar(key.at(i));
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
        if (key.at(i + 1) == 'U') {
            ++firstDigit;
            digits = 4;
        }
        int code = 0;
        if (firstDigit + digits > to || !hexField(key.constData() + firstDigit, digits, &code)) {
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
bool unescapeValue(const QByteArray &str, int from, int to, QString &text, QStringList &list)
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
        while (i < to && ((ch = str.at(i)) == ' ' || ch == '\t'))
            ++i;
    };
    skipBlanks();
    chopLimit = text.size();
    while (i < to) {
        switch (str.at(i)) {
        case '\\': {
            ++i;
            if (i >= to)
                goto end;
            ch = str.at(i++);
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
                if (hex && (i >= to || hexValue(str.at(i)) < 0)) {
                    if (i >= to)
                        goto end;
                    chopLimit = text.size();
                    break;
                }
                uint value = hex ? 0u : uint(ch - '0');
                while (i < to) {
                    const char d = str.at(i);
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
                const char next = str.at(i);
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
            while (j < to && (ch = str.at(j)) != '\\' && ch != '"' && ch != ',')
                ++j;
            const int n = text.size();
            text.resize(n + (j - i));
            QChar *out = text.data() + n;
            for (int k = i; k < j; ++k)
                *out++ = QLatin1Char(str.at(k));
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

void parseSection(const QString &section, const QByteArray &data, Contents &contents)
{
    int dataPos = 0;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = -1;
    while (readLine(data, dataPos, lineStart, lineLen, equalsPos)) {
        if (equalsPos == -1) {
            if (data.at(lineStart) != ';')
                contents.clean = false;
            continue;
        }
        int keyEnd = equalsPos;
        char ch;
        while (keyEnd > lineStart && ((ch = data.at(keyEnd - 1)) == ' ' || ch == '\t'))
            --keyEnd;
        QString key = section;
        unescapeKey(data, lineStart, keyEnd, key);
        QString text;
        QStringList list;
        const bool isList = unescapeValue(data, equalsPos + 1, lineStart + lineLen, text, list);
        bool opaque = false;
        QVariant value;
        if (isList) {
            value = listValue(list, &opaque);
        } else {
            value = typedValue(text, &opaque);
        }
        contents.values.insert(key, value);
        if (opaque)
            contents.opaque.insert(key);
        else
            contents.opaque.remove(key);
    }
}

void escapeKey(const QString &key, QByteArray &result)
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
    const QByteArray data = input.startsWith(kByteOrderMark) ? input.mid(kByteOrderMark.size()) : input;
    Contents contents;
    // Sections by name, a section given twice read as one, parsed in name order.
    QMap<QString, QByteArray> sections;
    QString current;
    int currentStart = 0;
    int dataPos = 0;
    int lineStart = 0;
    int lineLen = 0;
    int equalsPos = -1;
    auto flush = [&](int end) {
        QByteArray &section = sections[current];
        if (!section.isEmpty())
            section.append('\n');
        section += data.mid(currentStart, end - currentStart);
    };
    while (readLine(data, dataPos, lineStart, lineLen, equalsPos)) {
        if (data.at(lineStart) != '[')
            continue;
        flush(lineStart);
        QByteArray name;
        const int close = data.indexOf(']', lineStart);
        if (close == -1 || close >= lineStart + lineLen) {
            contents.clean = false;
            name = data.mid(lineStart + 1, lineLen - 1);
        } else {
            name = data.mid(lineStart + 1, close - lineStart - 1);
        }
        name = name.trimmed();
        if (qstricmp(name.constData(), "general") == 0) {
            current.clear();
        } else {
            if (qstricmp(name.constData(), "%general") == 0) {
                current = QString::fromLatin1(name.constData() + 1);
            } else {
                current.clear();
                unescapeKey(name, 0, name.size(), current);
            }
            current += QLatin1Char('/');
        }
        currentStart = dataPos;
    }
    flush(lineStart);
    for (auto it = sections.cbegin(); it != sections.cend(); ++it)
        parseSection(it.key(), it.value(), contents);
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
    // Section -> key within it -> full key.
    QMap<QString, QMap<QString, QString>> sections;
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        const int slash = it.key().indexOf(QLatin1Char('/'));
        if (slash == -1)
            sections[QString()].insert(it.key(), it.key());
        else
            sections[it.key().left(slash)].insert(it.key().mid(slash + 1), it.key());
    }
    QByteArray out;
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
        out += name + '\n';
        for (auto key = section->cbegin(); key != section->cend(); ++key) {
            escapeKey(key.key(), out);
            out += '=';
            escapeValue(values.value(key.value()), opaque.contains(key.value()), out);
            out += '\n';
        }
    }
    return out;
}

} // namespace IniText
