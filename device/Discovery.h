// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// What discovery needs from the rest of the program: the speed poll, the
// current profile, the phone announcement and the box buttons.
class BoxModel;
class DeviceBus;

class DiscoveryHost {
public:
    virtual ~DiscoveryHost() = default;
    virtual void startSpeedPoll() = 0; // 1000 ms, unless it runs already
    virtual void stopSpeedPoll() = 0;
    virtual void setCurrentProfile(int profile) = 0;
    virtual void announceConnectionMap(const QString &map) = 0;
    virtual void checkBoxButton(int box) = 0;
    virtual void setBoxButtonPresent(int box, bool present) = 0;
    virtual void resetFanView() = 0;
    // Box `box` was opened after start-up (plugged in, plugged in again):
    // it shows its power-on defaults until it gets its settings.
    virtual void boxOpened(int box) = 0;
};

// Full discovery of the 16 slots: open, probe, record the connection map.
void setupAllControllerBox(BoxModel &boxes, DeviceBus &bus);

// Which slots can be opened right now, as 16 '0'/'1' characters; sends
// nothing and leaves the box records alone.
QString quickPresenceScan(DeviceBus &bus);

// Discovery, then the choice of the current box and the start of the speed poll.
void resetControllers(BoxModel &boxes, DeviceBus &bus, DiscoveryHost &host);

// The device set may have changed. `removedNodes` are the device nodes that
// went away meanwhile (however briefly): an open box on one of them was
// unplugged even if it is back already. Boxes that went away are closed,
// boxes that came (or came back) are opened and probed; the others are left
// alone, and the speed poll keeps its rhythm. Returns true when a box was
// closed or opened.
bool handleDeviceChange(BoxModel &boxes, DeviceBus &bus, DiscoveryHost &host,
                        const QList<QByteArray> &removedNodes = {});
