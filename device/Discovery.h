#pragma once

#include <QString>

// What discovery needs from the rest of the program: the speed poll, the
// current profile, the phone announcement and the box buttons.
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
};

// Full discovery of the 16 slots: open, probe, record the connection map.
void setupAllControllerBox();

// Which slots can be opened right now, as 16 '0'/'1' characters; sends
// nothing and leaves boxArray alone.
QString quickPresenceScan();

// Discovery, then the choice of the current box and the start of the speed poll.
void resetControllers(DiscoveryHost &host);

// The device set may have changed. Returns true when it had, and boxes were
// rediscovered.
bool handleDeviceChange(DiscoveryHost &host);
