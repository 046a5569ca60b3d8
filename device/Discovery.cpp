#include "Discovery.h"

#include "BoxTable.h"
#include "common/Logging.h"
#include "DeviceBus.h"
#include "FanMonitor.h"
#include "Reports.h"

#include <QDebug>

namespace {

// Opens box i and sends it the probe; true when the box took the probe.
// A box that refuses it stays open but is not used.
bool openAndProbe(int i)
{
    DeviceBus &bus = DeviceBus::instance();
    ControllerBox &box = boxArray[i];
    box.gIsConnected = false;
    if (!bus.open(i)) {
        qCDebug(lcDevice) << "hid_open_false:" << i;
        return false;
    }
    if (bus.exchange(i, Reports::probe()) < 0)
        return false;
    qCDebug(lcDevice) << "aaaa";
    box.gIsConnected = true;
    qCDebug(lcDevice).nospace() << "synchronizeBox[" << i << "]:" << box.profileValue;
    return true;
}

QString connectionMap()
{
    QString map;
    for (const ControllerBox &box : boxArray)
        map += box.gIsConnected ? QLatin1Char('1') : QLatin1Char('0');
    return map;
}

void closeBox(int i)
{
    DeviceBus::instance().close(i);
    boxArray[i].gIsConnected = false;
    // What a fan was told belongs to that opening of the box.
    forgetCommandedDuties(i);
}

} // namespace

void setupAllControllerBox()
{
    for (int i = 0; i < kBoxCount; ++i)
        closeBox(i);
    DeviceBus::instance().init();
    for (int i = 0; i < kBoxCount; ++i)
        openAndProbe(i);
    checkControllerStr = connectionMap();
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

bool handleDeviceChange(DiscoveryHost &host, const QList<QByteArray> &removedNodes)
{
    qCDebug(lcDevice) << "Recv Event ";
    DeviceBus &bus = DeviceBus::instance();
    checkControllerStr_Old = quickPresenceScan();
    qCDebug(lcDevice) << "checkControllerStr_Old:" << checkControllerStr_Old;
    qCDebug(lcDevice) << "checkControllerStr:" << checkControllerStr;

    bool changed = false;
    QList<int> opened;
    for (int i = 0; i < kBoxCount; ++i) {
        const bool present = checkControllerStr_Old.at(i) == QLatin1Char('1');
        if (bus.isOpen(i)) {
            const bool replugged = removedNodes.contains(bus.node(i));
            const bool dead = bus.health(i) == BoxHealth::Gone;
            if (!present || replugged || dead) {
                if (present)
                    qCInfo(lcDevice) << "box" << i << (replugged ? "was plugged in again" : "lost its link")
                                     << "- opening it afresh";
                closeBox(i);
                changed = true;
            }
        }
        if (present && !boxArray[i].gIsConnected) {
            if (openAndProbe(i))
                opened << i;
            changed = true;
        }
    }
    if (!changed)
        return false; // nothing changed for us; the poll goes on as before

    qCDebug(lcDevice) << "is_Reset";
    checkControllerStr = connectionMap();
    const int first = lowestConnectedBox();
    if (first >= 0) {
        controllerBoxNumber = first;
        host.setCurrentProfile(boxArray[first].profileValue);
        host.startSpeedPoll(); // only if it was not running: its rhythm is kept
    } else {
        host.stopSpeedPoll();
    }
    qCDebug(lcDevice) << "nowFan:" << controllerBoxNumber;
    host.announceConnectionMap(checkControllerStr);
    checkControllerStr_Old = checkControllerStr;
    for (int i = 0; i < kBoxCount; ++i) {
        if (boxArray[i].gIsConnected && i == controllerBoxNumber)
            host.checkBoxButton(i);
        host.setBoxButtonPresent(i, boxArray[i].gIsConnected);
    }
    for (int box : opened)
        host.boxOpened(box);
    host.resetFanView();
    return true;
}
