// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>

// Cuts the byte stream of one command-channel client into lines. A line is
// everything up to "\n"; one longer than the limit is refused whole, however
// it arrives: none of its bytes are handed out, only the fact that it was too
// long. What is held between two reads never exceeds the limit.
class ChannelLines {
public:
    struct Line {
        QByteArray text;       // without "\n"; empty when tooLong
        bool tooLong = false;
    };

    explicit ChannelLines(int maxLine) : m_maxLine(maxLine) {}

    // Appends bytes; every line they complete is added to *lines, in order.
    void append(const char *data, int size, QList<Line> *lines);
    int pendingSize() const { return m_pending.size(); }

private:
    int m_maxLine;
    QByteArray m_pending;
    bool m_discarding = false;  // inside a line that is already too long
};
