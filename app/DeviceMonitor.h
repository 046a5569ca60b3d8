#pragma once

#include "device/Discovery.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

class BoxModel;
class Encoders;
class FanMonitor;
class QTimer;

// What the device monitor leaves to the rest of the program: the views, the
// phone's box list, and the settings a box gets when it was (re)opened.
class DeviceMonitorHost {
public:
    virtual ~DeviceMonitorHost() = default;
    virtual void setCurrentProfile(int profile) = 0;
    virtual void announceConnectionMap(const QString &map) = 0;
    virtual void checkBoxButton(int box) = 0;
    virtual void setBoxButtonPresent(int box, bool present) = 0;
    virtual void boxOpened(int box) = 0;
};

// Discovery, the once-a-second speed poll and box health, on the box model
// it is given. Owns the poll's timer; speeds, stalls and silent boxes are
// told by the fan monitor's signals.
class DeviceMonitor : public QObject, private DiscoveryHost {
    Q_OBJECT
public:
    static constexpr int kPollMs = 1000;
    // The poll asks one fan position of every box at a time, spread over the
    // second, so that a box never gets all its speed queries at once.
    static constexpr int kPollSteps = 5;

    DeviceMonitor(Encoders &encoders, FanMonitor &fans, DeviceMonitorHost &host, QObject *parent = nullptr);
    ~DeviceMonitor() override;

    // Full discovery; the poll starts when a box answers.
    void discover();
    // The device set may have changed (see handleDeviceChange()).
    void deviceChanged(const QList<QByteArray> &removedNodes);
    // One whole pass of the poll; what a crash would leave the fans at follows it.
    void poll();
    // One step of the spread poll: the next fan position of every box.
    void pollStep();

    void startSpeedPoll() override; // unless it runs already: its rhythm is kept
    void stopSpeedPoll() override;
    bool isPolling() const;

private:
    void setCurrentProfile(int profile) override;
    void announceConnectionMap(const QString &map) override;
    void checkBoxButton(int box) override;
    void setBoxButtonPresent(int box, bool present) override;
    void resetFanView() override;
    void boxOpened(int box) override;

    Encoders &m_encoders;
    BoxModel &m_boxes;
    FanMonitor &m_fans;
    DeviceMonitorHost &m_host;
    QTimer *m_pollTimer;
    int m_pollStep = 0;
};
