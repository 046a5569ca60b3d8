// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonDocument>
#include <QString>

// JSON from outside (phone frames, script frames, update-service replies).
// Qt 5.15's parser loses the memory of an array or object whose key comes
// again later in the same object, so every such text would cost memory for
// good; a text with a repeated key is refused before Qt parses it. No sender
// of ours writes one.
namespace JsonText {

// The document of utf8, or false with *error (the parser's message, or one
// naming the repeated key).
bool parse(const QByteArray &utf8, QJsonDocument *document, QString *error);

// True when some object of utf8 names a key twice (keys compared as decoded
// text). Text that is not JSON may give either answer; the parser refuses it.
bool hasRepeatedKey(const QByteArray &utf8, QString *key = nullptr);

}
