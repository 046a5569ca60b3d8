// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChannelLines.h"

#include <cstring>

void ChannelLines::append(const char *data, int size, QList<Line> *lines)
{
    int start = 0;
    while (start < size) {
        const char *newline = static_cast<const char *>(memchr(data + start, '\n', size_t(size - start)));
        const int end = newline ? int(newline - data) : size;
        const int length = end - start;
        if (m_discarding || m_pending.size() + length > m_maxLine) {
            m_pending.clear();
            m_discarding = !newline;
            if (newline)
                lines->append(Line{QByteArray(), true});
        } else if (newline) {
            m_pending.append(data + start, length);
            lines->append(Line{m_pending, false});
            m_pending.clear();
        } else {
            m_pending.append(data + start, length);
        }
        start = end + 1;
    }
}
