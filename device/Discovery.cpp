#include "Discovery.h"

#include "BoxTable.h"
#include "DeviceBus.h"
#include "Reports.h"

#include <QDebug>

void setupAllControllerBox()
{
    DeviceBus &bus = DeviceBus::instance();
    checkControllerStr.clear();
    for (int i = 0; i < kBoxCount; ++i) {
        bus.close(i, boxArray[i].handle);
        boxArray[i].handle = nullptr;
        boxArray[i].gIsConnected = false;
    }
    bus.init();
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &box = boxArray[i];
        box.handle = bus.open(i);
        if (!box.handle) {
            checkControllerStr += QLatin1Char('0');
            box.gIsConnected = false;
            qDebug() << "hid_open_false:" << i;
            continue;
        }
        const int written = bus.exchange(i, box.handle, Reports::probe());
        if (written < 0) {
            // The handle stays stored; the box is simply not used.
            checkControllerStr += QLatin1Char('0');
            box.gIsConnected = false;
        } else {
            qDebug() << "aaaa";
            checkControllerStr += QLatin1Char('1');
            box.gIsConnected = true;
            qDebug().nospace() << "synchronizeBox[" << i << "]:" << box.profileValue;
        }
    }
    qDebug() << "setupAllControllerBox checkControllerStr:" << checkControllerStr;
}

QString quickPresenceScan()
{
    DeviceBus &bus = DeviceBus::instance();
    QString map;
    for (int i = 0; i < kBoxCount; ++i) {
        HidHandle *handle = bus.open(i);
        map += handle ? QLatin1Char('1') : QLatin1Char('0');
        bus.close(i, handle);
    }
    return map;
}

namespace {

int lowestConnectedBox()
{
    for (int i = 0; i < kBoxCount; ++i) {
        if (boxArray[i].gIsConnected)
            return i;
    }
    return -1;
}

} // namespace

void resetControllers(DiscoveryHost &host)
{
    setupAllControllerBox();
    qDebug() << "setupAllControllerBox checkControllerStr:" << checkControllerStr;
    const int first = lowestConnectedBox();
    if (first >= 0) {
        controllerBoxNumber = first;
        host.setCurrentProfile(boxArray[first].profileValue);
        host.startSpeedPoll();
    }
    qDebug() << "nowFan:" << controllerBoxNumber;
    host.announceConnectionMap(checkControllerStr);
    checkControllerStr_Old = checkControllerStr;
}

bool handleDeviceChange(DiscoveryHost &host)
{
    qDebug() << "Recv Event ";
    host.stopSpeedPoll();
    checkControllerStr_Old = quickPresenceScan();
    qDebug() << "checkControllerStr_Old:" << checkControllerStr_Old;
    qDebug() << "checkControllerStr:" << checkControllerStr;
    if (checkControllerStr_Old == checkControllerStr) {
        // Nothing changed for us; the poll goes on as before.
        if (lowestConnectedBox() >= 0)
            host.startSpeedPoll();
        return false;
    }
    qDebug() << "is_Reset";
    resetControllers(host);
    for (int i = 0; i < kBoxCount; ++i) {
        if (boxArray[i].gIsConnected && i == controllerBoxNumber)
            host.checkBoxButton(i);
        host.setBoxButtonPresent(i, boxArray[i].gIsConnected);
    }
    if (!isValidBox(controllerBoxNumber) || !boxArray[controllerBoxNumber].gIsConnected) {
        const int first = lowestConnectedBox();
        if (first >= 0) {
            controllerBoxNumber = first;
            host.checkBoxButton(first);
        }
    }
    host.resetFanView();
    return true;
}
