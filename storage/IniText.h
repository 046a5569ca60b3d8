// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <QString>
#include <QVariant>

// The INI dialect of Qt's QSettings (IniFormat, no codec), read from and
// written to bytes in memory: no file, no global cache, no lock. Files the
// program wrote before with QSettings read the same, and QSettings reads what
// this writes the same.
//
// Reading: "[section]" lines ("[General]" is the top level), "key=value"
// lines, ";" comments, values with "\"…\"" quotes, C escapes (\n, \x41, \101
// …), "," separating a list, keys and sections with "%XX" / "%UXXXX" escapes
// and "\" for "/". A value "@ByteArray(…)" reads as bytes, "@Invalid()" as no
// value, "@@…" as text starting "@"; other typed values ("@Variant(…)",
// "@Rect(…)" …) are never decoded: they are kept as their text, marked
// opaque, and written back as they came. A key given twice keeps its last
// value. Keys are kept as they are spelt ("A//b" from "[A]" and "\b=" is not
// "A/b"), so an odd key never stands in for one of the program's own.
namespace IniText {

struct Contents {
    // Full key ("Group/Key") -> QString, QStringList, QByteArray or an
    // invalid QVariant (for "@Invalid()").
    QMap<QString, QVariant> values;
    // Keys whose value is a typed value kept as text.
    QSet<QString> opaque;
    // False when a line could not be understood (a key without "=", a
    // section without "]"): everything else of the file is still read.
    bool clean = true;
};

Contents parse(const QByteArray &bytes);

// The text of a key: a list joined with ","; a missing key gives a null
// QString, a present empty one an empty, non-null one.
QString text(const Contents &contents, const QString &key);

// The file QSettings would write for these keys: sections sorted by name,
// keys sorted within them, "\n" line ends. Keys named in `opaque` are
// written as their text without escaping "@".
QByteArray serialize(const QMap<QString, QVariant> &values, const QSet<QString> &opaque = {});

} // namespace IniText
