// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxModel.h"

#include <QDebug>

ControllerBox &BoxModel::operator[](int box)
{
    Q_ASSERT(isValidBox(box));
    return m_records[static_cast<size_t>(box)];
}

const ControllerBox &BoxModel::operator[](int box) const
{
    Q_ASSERT(isValidBox(box));
    return m_records[static_cast<size_t>(box)];
}

void BoxModel::setCurrentBox(int box)
{
    if (!isValidBox(box)) {
        qWarning() << "current box refused:" << box;
        return;
    }
    m_currentBox = box;
}

void BoxModel::reset()
{
    m_records.fill(ControllerBox());
    m_currentBox = 0;
    m_connectionMap.clear();
    m_quickScanMap.clear();
}
