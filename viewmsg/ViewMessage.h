// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringList>

// Reading view messages: a QStringList whose item 0 names the command and
// whose further items are decimal text. Items are read by position; a message
// too short for what its command reads is refused.
class ViewMessage {
public:
    explicit ViewMessage(const QStringList &items) : m_items(items) {}

    QString name() const { return m_items.value(0); }
    int size() const { return m_items.size(); }
    // Item 1 as the fan (or box, profile, language) number; 0 when absent.
    int target() const { return m_items.size() > 1 ? m_items.at(1).toInt() : 0; }
    bool has(int items) const { return m_items.size() >= items; }
    int intAt(int i) const { return m_items.value(i).toInt(); }
    bool flagAt(int i) const { return intAt(i) != 0; }
    float floatAt(int i) const { return m_items.value(i).toFloat(); }
    QString textAt(int i) const { return m_items.value(i); }
    const QStringList &items() const { return m_items; }

private:
    QStringList m_items;
};
