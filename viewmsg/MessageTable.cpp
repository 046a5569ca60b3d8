#include "MessageTable.h"

bool fitsShape(const ViewMessage &m, const MessageShape &shape, LogCategory category)
{
    if (!m.has(shape.items)) {
        qCWarning(category) << "view message refused: too short:" << m.items();
        return false;
    }
    for (const ItemRange &range : shape.ranges) {
        bool ok = false;
        const int value = m.textAt(range.item).toInt(&ok);
        if (range.numberOnly && !ok) {
            qCWarning(category) << "view message refused:" << range.what << "is no number:" << m.items();
            return false;
        }
        if (value < range.lowest || value > range.highest) {
            qCWarning(category) << "view message refused:" << range.what << value << "out of range:" << m.items();
            return false;
        }
    }
    return true;
}
