// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandChannel.h"

#include "common/Logging.h"

#include <QDebug>
#include <QStringList>

bool CommandChannel::deliver(int id, int wParam, int lParam)
{
    return m_handler ? m_handler(id, wParam, lParam) : false;
}

namespace {

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\r');
}

int digitValue(QChar c, int base)
{
    const ushort u = c.unicode();
    int v = -1;
    if (u >= '0' && u <= '9')
        v = u - '0';
    else if (u >= 'a' && u <= 'f')
        v = u - 'a' + 10;
    else if (u >= 'A' && u <= 'F')
        v = u - 'A' + 10;
    return v < base ? v : -1;
}

} // namespace

bool CommandChannel::parseNumber(const QString &text, int *value)
{
    int base = 10;
    int start = 0;
    if (text.size() > 2 && text.at(0) == QLatin1Char('0') && (text.at(1) == QLatin1Char('x') || text.at(1) == QLatin1Char('X'))) {
        base = 16;
        start = 2;
    }
    if (start >= text.size())
        return false;
    quint64 v = 0;
    for (int i = start; i < text.size(); ++i) {
        const int digit = digitValue(text.at(i), base);
        if (digit < 0)
            return false;
        v = v * base + quint64(digit);
        if (v > 0xFFFFFFFFull)
            return false;
    }
    *value = static_cast<int>(static_cast<quint32>(v));  // the parameters are 32-bit words
    return true;
}

bool CommandChannel::parseLine(const QString &line, int *id, int *wParam, int *lParam)
{
    QStringList words;
    int i = 0;
    while (i < line.size()) {
        if (isBlank(line.at(i))) {
            ++i;
            continue;
        }
        int end = i;
        while (end < line.size() && !isBlank(line.at(end)))
            ++end;
        words << line.mid(i, end - i);
        if (words.size() > 3)
            return false;
        i = end;
    }
    if (words.isEmpty())
        return false;
    int values[3] = {0, 0, 0};
    for (int w = 0; w < words.size(); ++w) {
        if (!parseNumber(words.at(w), &values[w]))
            return false;
    }
    *id = values[0];
    *wParam = values[1];
    *lParam = values[2];
    return true;
}

QByteArray CommandChannel::formatLine(int id, int wParam, int lParam)
{
    // Unsigned, as the receiver takes no sign.
    return "0x" + QByteArray::number(static_cast<quint32>(id), 16) + ' '
           + QByteArray::number(static_cast<quint32>(wParam)) + ' ' + QByteArray::number(static_cast<quint32>(lParam));
}

QByteArray CommandChannel::answerLine(const QByteArray &line)
{
    int id = 0;
    int wParam = 0;
    int lParam = 0;
    // Latin-1 keeps every byte as one character, so no byte can hide.
    if (!parseLine(QString::fromLatin1(line), &id, &wParam, &lParam)) {
        qWarning() << "command channel: refused" << line.left(kMaxLine);
        return "error: expected ID [WPARAM [LPARAM]]";
    }
    return deliver(id, wParam, lParam) ? "handled" : "not handled";
}
