// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/JsonText.h"

#include <QJsonArray>
#include <QJsonParseError>
#include <QSet>
#include <QVector>

namespace JsonText {

namespace {

// A key with escapes, decoded the way the parser decodes it; an array holds
// no keys, so parsing it costs nothing that could be lost.
QString decodedKey(const QByteArray &quoted)
{
    if (!quoted.contains('\\'))
        return QString::fromUtf8(quoted.mid(1, quoted.size() - 2));
    const QJsonDocument single = QJsonDocument::fromJson('[' + quoted + ']');
    return single.array().at(0).toString();
}

struct Level {
    bool isObject = false;
    bool expectKey = false;
    QSet<QString> keys;
};

} // namespace

bool hasRepeatedKey(const QByteArray &utf8, QString *key)
{
    QVector<Level> levels;
    const int size = utf8.size();
    for (int i = 0; i < size; ++i) {
        const char c = utf8.at(i);
        if (c == '{' || c == '[') {
            Level level;
            level.isObject = c == '{';
            level.expectKey = level.isObject;
            levels.append(level);
        } else if (c == '}' || c == ']') {
            if (!levels.isEmpty())
                levels.removeLast();
        } else if (c == ',') {
            if (!levels.isEmpty() && levels.last().isObject)
                levels.last().expectKey = true;
        } else if (c == '"') {
            int end = i + 1;
            while (end < size && utf8.at(end) != '"')
                end += utf8.at(end) == '\\' ? 2 : 1;
            if (end >= size)
                return false;  // unterminated: not JSON
            if (!levels.isEmpty() && levels.last().isObject && levels.last().expectKey) {
                const QString name = decodedKey(utf8.mid(i, end - i + 1));
                Level &level = levels.last();
                if (level.keys.contains(name)) {
                    if (key)
                        *key = name;
                    return true;
                }
                level.keys.insert(name);
                level.expectKey = false;
            }
            i = end;
        }
    }
    return false;
}

bool parse(const QByteArray &utf8, QJsonDocument *document, QString *error)
{
    QString key;
    if (hasRepeatedKey(utf8, &key)) {
        *error = QStringLiteral("the key \"%1\" comes twice in one object").arg(key.left(64));
        return false;
    }
    QJsonParseError parseError{};
    *document = QJsonDocument::fromJson(utf8, &parseError);
    if (parseError.error != QJsonParseError::NoError) {
        *error = parseError.errorString();
        return false;
    }
    return true;
}

} // namespace JsonText
