// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>

// Tells the log which boxes came and went: a box found or lost is an event
// the user should see, not a diagnostic label.
class BoxPresenceLog {
public:
    // `map` holds one character per box slot, '1' for a box that answers.
    void update(const QString &map);

    // The lines for a change from `before` to `after`; `before` is empty at
    // start-up, when an empty `after` is worth a line of its own.
    static QStringList changes(const QString &before, const QString &after);

private:
    QString m_last;
};
