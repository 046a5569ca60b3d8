// SPDX-License-Identifier: GPL-3.0-or-later
#include "MessageTable.h"

namespace {

// "view message NAME refused:"; only names of a table's rows get here, so the
// name is printed as it is and the items quoted.
QByteArray refusal(const ViewMessage &m)
{
    return QStringLiteral("view message %1 refused:").arg(m.name()).toUtf8();
}

} // namespace

bool fitsShape(const ViewMessage &m, const MessageShape &shape, LogCategory category)
{
    if (!m.has(shape.items)) {
        qCWarning(category) << refusal(m).constData() << "too short:" << m.items();
        return false;
    }
    for (const ItemRange &range : shape.ranges) {
        bool ok = false;
        const int value = m.textAt(range.item).toInt(&ok);
        if (range.numberOnly && !ok) {
            qCWarning(category) << refusal(m).constData() << range.what << "is no number:" << m.items();
            return false;
        }
        if (value < range.lowest || value > range.highest) {
            qCWarning(category) << refusal(m).constData() << range.what << value << "out of range:" << m.items();
            return false;
        }
    }
    return true;
}
