// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ViewMessage.h"

#include <QLatin1String>
#include <QLoggingCategory>

#include <vector>

// One numbered item of a message that must lie in lowest..highest. An absent
// item or text that is no number reads as 0, unless numberOnly refuses it.
struct ItemRange {
    int item;
    int lowest;
    int highest;
    const char *what; // named in the refusal
    bool numberOnly = false;
};

// What a message must carry before its handler runs.
struct MessageShape {
    int items = 1; // the least number of items, the name included
    std::vector<ItemRange> ranges;
};

using LogCategory = const QLoggingCategory &(*)();

// True when the message has its items and every range holds; otherwise the
// reason is logged as a warning in `category`.
bool fitsShape(const ViewMessage &m, const MessageShape &shape, LogCategory category);

// A row of a message family's table.
template <class Handler>
struct MessageRule {
    QLatin1String name;
    MessageShape shape;
    Handler handler;
};

template <class Handler>
const MessageRule<Handler> *findRule(const std::vector<MessageRule<Handler>> &table, const QString &name)
{
    for (const MessageRule<Handler> &rule : table) {
        if (name == rule.name)
            return &rule;
    }
    return nullptr;
}
