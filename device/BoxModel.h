// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BoxTable.h"

#include <QString>

// The boxes as the program knows them: one record per slot, the box the main
// window shows, and the connection maps of the last discovery and the last
// quick scan. One instance, owned by the application and handed by reference
// to whoever reads or changes the records; handles and I/O belong to the
// device bus. GUI thread only.
class BoxModel {
public:
    BoxModel() = default;
    BoxModel(const BoxModel &) = delete;
    BoxModel &operator=(const BoxModel &) = delete;

    // Record of slot `box`; the number must be valid (isValidBox).
    ControllerBox &operator[](int box);
    const ControllerBox &operator[](int box) const;

    BoxRecords &records() { return m_records; }
    const BoxRecords &records() const { return m_records; }
    ControllerBox *begin() { return m_records.data(); }
    ControllerBox *end() { return m_records.data() + m_records.size(); }
    const ControllerBox *begin() const { return m_records.data(); }
    const ControllerBox *end() const { return m_records.data() + m_records.size(); }

    // The box the main window shows and the editors address ("nowFan" in logs).
    int currentBox() const { return m_currentBox; }
    void setCurrentBox(int box);
    bool isConnected(int box) const { return isValidBox(box) && m_records[box].gIsConnected; }

    // 16 '0'/'1' characters: the boxes connected after the last discovery.
    const QString &connectionMap() const { return m_connectionMap; }
    void setConnectionMap(const QString &map) { m_connectionMap = map; }
    // What the last quick presence scan saw.
    const QString &quickScanMap() const { return m_quickScanMap; }
    void setQuickScanMap(const QString &map) { m_quickScanMap = map; }

    // Every record and the values beside them back to their start values.
    void reset();

private:
    BoxRecords m_records{};
    int m_currentBox = 0;
    QString m_connectionMap;
    QString m_quickScanMap;
};
