// SPDX-License-Identifier: GPL-3.0-or-later
#include "BoxModel.h"

#include <QDebug>

namespace {

// About three seconds of the once-a-second poll.
constexpr int kSpinUpReadings = 3;

} // namespace

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
    forgetCommandedDuties(-1);
    forgetReadings(-1);
}

BoxModel::FanReading BoxModel::reading(int box, int fan) const
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return FanReading();
    return m_readings[box][fan];
}

void BoxModel::setReading(int box, int fan, int rpm, bool stopped)
{
    if (isValidBox(box) && isValidRainbowFan(fan))
        m_readings[box][fan] = FanReading{rpm, stopped};
}

void BoxModel::forgetReadings(int box)
{
    for (int b = 0; b < kBoxCount; ++b) {
        if (box != -1 && b != box)
            continue;
        for (FanReading &r : m_readings[b])
            r = FanReading();
    }
}

int BoxModel::commandedDuty(int box, int fan) const
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return kNoCommandedDuty;
    return m_commanded[box][fan].duty;
}

void BoxModel::recordDuty(int box, int fan, int duty)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan) || !m_records[box].gIsConnected)
        return;
    CommandedSpeed &c = m_commanded[box][fan];
    if (c.duty == 0 && duty != 0)
        c.spinUpReadings = kSpinUpReadings;
    else if (duty == 0)
        c.spinUpReadings = 0;
    c.duty = duty;
}

bool BoxModel::takeZeroAsExpected(int box, int fan)
{
    if (!isValidBox(box) || !isValidRainbowFan(fan))
        return false;
    if (isStoppedOnPurpose(box, fan))
        return true;
    CommandedSpeed &c = m_commanded[box][fan];
    if (c.spinUpReadings > 0) {
        --c.spinUpReadings;
        return true;
    }
    return false;
}

void BoxModel::fanTurns(int box, int fan)
{
    if (isValidBox(box) && isValidRainbowFan(fan))
        m_commanded[box][fan].spinUpReadings = 0;
}

void BoxModel::giveSpinUpTime()
{
    for (int b = 0; b < kBoxCount; ++b) {
        if (!m_records[b].gIsConnected)
            continue;
        for (CommandedSpeed &c : m_commanded[b]) {
            if (c.duty != 0)
                c.spinUpReadings = kSpinUpReadings;
        }
    }
}

void BoxModel::forgetCommandedDuties(int box)
{
    for (int b = 0; b < kBoxCount; ++b) {
        if (box != -1 && b != box)
            continue;
        for (CommandedSpeed &c : m_commanded[b])
            c = CommandedSpeed();
    }
}
