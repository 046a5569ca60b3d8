#include "Discovery.h"

#include "BoxTable.h"
#include "common/Logging.h"
#include "DeviceBus.h"
#include "Reports.h"

#include <QDebug>

void setupAllControllerBox()
{
    DeviceBus &bus = DeviceBus::instance();
    checkControllerStr.clear();
    for (int i = 0; i < kBoxCount; ++i) {
        bus.close(i);
        boxArray[i].gIsConnected = false;
    }
    bus.init();
    for (int i = 0; i < kBoxCount; ++i) {
        ControllerBox &box = boxArray[i];
        if (!bus.open(i)) {
            checkControllerStr += QLatin1Char('0');
            box.gIsConnected = false;
            qCDebug(lcDevice) << "hid_open_false:" << i;
            continue;
        }
        const int written = bus.exchange(i, Reports::probe());
        if (written < 0) {
            // The box stays open; it is simply not used.
            checkControllerStr += QLatin1Char('0');
            box.gIsConnected = false;
        } else {
            qCDebug(lcDevice) << "aaaa";
            checkControllerStr += QLatin1Char('1');
            box.gIsConnected = true;
            qCDebug(lcDevice).nospace() << "synchronizeBox[" << i << "]:" << box.profileValue;
        }
    }
    qCDebug(lcDevice) << "setupAllControllerBox checkControllerStr:" << checkControllerStr;
}

QString quickPresenceScan()
{
    DeviceBus &bus = DeviceBus::instance();
    QString map;
    for (int i = 0; i < kBoxCount; ++i)
        map += bus.canOpen(i) ? QLatin1Char('1') : QLatin1Char('0');
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
    qCDebug(lcDevice) << "setupAllControllerBox checkControllerStr:" << checkControllerStr;
    const int first = lowestConnectedBox();
    if (first >= 0) {
        controllerBoxNumber = first;
        host.setCurrentProfile(boxArray[first].profileValue);
        host.startSpeedPoll();
    }
    qCDebug(lcDevice) << "nowFan:" << controllerBoxNumber;
    host.announceConnectionMap(checkControllerStr);
    checkControllerStr_Old = checkControllerStr;
}

bool handleDeviceChange(DiscoveryHost &host)
{
    qCDebug(lcDevice) << "Recv Event ";
    host.stopSpeedPoll();
    checkControllerStr_Old = quickPresenceScan();
    qCDebug(lcDevice) << "checkControllerStr_Old:" << checkControllerStr_Old;
    qCDebug(lcDevice) << "checkControllerStr:" << checkControllerStr;
    if (checkControllerStr_Old == checkControllerStr) {
        // Nothing changed for us; the poll goes on as before.
        if (lowestConnectedBox() >= 0)
            host.startSpeedPoll();
        return false;
    }
    qCDebug(lcDevice) << "is_Reset";
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
