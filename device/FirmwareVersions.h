// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxTable.h"

#include <QString>

// What each open box answered when the program last asked it for its
// firmware. Only the reads the program makes anyway fill it (the current box
// at start, a box switch, a bus status): asking costs an exchange on the wire,
// so nothing here asks. Forgotten when the box goes or is opened again, since
// the box in that slot may then be another one. Owned by the core; GUI thread.
class FirmwareVersions {
public:
    // `answer` is the box's "a.b.c" ("0.0.0" when it did not answer). "0",
    // what a read of a box that is not open gives, is no answer: nothing kept.
    void set(int box, const QString &answer);
    void clear(int box);

    // Empty while the box has not been asked since it was opened.
    QString text(int box) const;
    // As the window shows it: the default version until the box is asked.
    QString shown(int box) const;

private:
    QString m_text[kBoxCount];
};
