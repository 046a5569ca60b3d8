#include "CommandChannel.h"

#include <QStringList>

CommandChannel::~CommandChannel() = default;

bool CommandChannel::deliver(int id, int wParam, int lParam)
{
    return m_handler ? m_handler(id, wParam, lParam) : false;
}

bool CommandChannel::parseNumber(const QString &text, int *value)
{
    bool ok = false;
    // Base 0: "0x8101" is hexadecimal, "33025" decimal.
    const qlonglong v = text.trimmed().toLongLong(&ok, 0);
    if (!ok || v < INT32_MIN || v > UINT32_MAX)
        return false;
    *value = static_cast<int>(static_cast<qint32>(v)); // the parameters are 32-bit words
    return true;
}

bool CommandChannel::parseLine(const QString &line, int *id, int *wParam, int *lParam)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty() || words.size() > 3)
        return false;
    int values[3] = {0, 0, 0};
    for (int i = 0; i < words.size(); ++i) {
        if (!parseNumber(words.at(i), &values[i]))
            return false;
    }
    *id = values[0];
    *wParam = values[1];
    *lParam = values[2];
    return true;
}
