// SPDX-License-Identifier: GPL-3.0-or-later
#include "Discovery.h"

#include "BoxModel.h"
#include "common/Logging.h"
#include "DeviceBus.h"
#include "Reports.h"

#include <QDebug>

namespace {

// Opens box i and sends it the probe; true when the box took the probe.
// A box that refuses it stays open but is not used.
bool openAndProbe(BoxModel &boxes, DeviceBus &bus, int i)
{
    ControllerBox &box = boxes[i];
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

QString currentConnectionMap(const BoxModel &boxes)
{
    QString map;
    for (const ControllerBox &box : boxes)
        map += box.gIsConnected ? QLatin1Char('1') : QLatin1Char('0');
    return map;
}

void closeBox(BoxModel &boxes, DeviceBus &bus, int i)
{
    bus.close(i);
    boxes[i].gIsConnected = false;
    // What a fan was told belongs to that opening of the box.
    boxes.forgetCommandedDuties(i);
}

} // namespace

void setupAllControllerBox(BoxModel &boxes, DeviceBus &bus)
{
    for (int i = 0; i < kBoxCount; ++i)
        closeBox(boxes, bus, i);
    bus.init();
    for (int i = 0; i < kBoxCount; ++i)
        openAndProbe(boxes, bus, i);
    boxes.setConnectionMap(currentConnectionMap(boxes));
    qCDebug(lcDevice) << "setupAllControllerBox checkControllerStr:" << boxes.connectionMap();
}

QString quickPresenceScan(DeviceBus &bus)
{
    QString map;
    for (int i = 0; i < kBoxCount; ++i)
        map += bus.canOpen(i) ? QLatin1Char('1') : QLatin1Char('0');
    return map;
}

namespace {

int lowestConnectedBox(const BoxModel &boxes)
{
    for (int i = 0; i < kBoxCount; ++i) {
        if (boxes[i].gIsConnected)
            return i;
    }
    return -1;
}

} // namespace

void resetControllers(BoxModel &boxes, DeviceBus &bus, DiscoveryHost &host)
{
    setupAllControllerBox(boxes, bus);
    qCDebug(lcDevice) << "setupAllControllerBox checkControllerStr:" << boxes.connectionMap();
    const int first = lowestConnectedBox(boxes);
    if (first >= 0) {
        boxes.setCurrentBox(first);
        host.setCurrentProfile(boxes[first].profileValue);
        host.startSpeedPoll();
    }
    qCDebug(lcDevice) << "nowFan:" << boxes.currentBox();
    host.announceConnectionMap(boxes.connectionMap());
    boxes.setQuickScanMap(boxes.connectionMap());
}

bool handleDeviceChange(BoxModel &boxes, DeviceBus &bus, DiscoveryHost &host, const QList<QByteArray> &removedNodes)
{
    qCDebug(lcDevice) << "Recv Event ";
    boxes.setQuickScanMap(quickPresenceScan(bus));
    qCDebug(lcDevice) << "checkControllerStr_Old:" << boxes.quickScanMap();
    qCDebug(lcDevice) << "checkControllerStr:" << boxes.connectionMap();

    bool changed = false;
    QList<int> opened;
    for (int i = 0; i < kBoxCount; ++i) {
        const bool present = boxes.quickScanMap().at(i) == QLatin1Char('1');
        if (bus.isOpen(i)) {
            const bool replugged = removedNodes.contains(bus.node(i));
            const bool dead = bus.health(i) == BoxHealth::Gone;
            if (!present || replugged || dead) {
                if (present)
                    qCInfo(lcDevice) << "box" << i << (replugged ? "was plugged in again" : "lost its link")
                                     << "- opening it afresh";
                closeBox(boxes, bus, i);
                changed = true;
            }
        }
        if (present && !boxes[i].gIsConnected) {
            if (openAndProbe(boxes, bus, i))
                opened << i;
            changed = true;
        }
    }
    if (!changed)
        return false; // nothing changed for us; the poll goes on as before

    qCDebug(lcDevice) << "is_Reset";
    boxes.setConnectionMap(currentConnectionMap(boxes));
    const int first = lowestConnectedBox(boxes);
    if (first >= 0) {
        boxes.setCurrentBox(first);
        host.setCurrentProfile(boxes[first].profileValue);
        host.startSpeedPoll(); // only if it was not running: its rhythm is kept
    } else {
        host.stopSpeedPoll();
    }
    qCDebug(lcDevice) << "nowFan:" << boxes.currentBox();
    host.announceConnectionMap(boxes.connectionMap());
    boxes.setQuickScanMap(boxes.connectionMap());
    for (int i = 0; i < kBoxCount; ++i) {
        if (boxes[i].gIsConnected && i == boxes.currentBox())
            host.checkBoxButton(i);
        host.setBoxButtonPresent(i, boxes[i].gIsConnected);
    }
    for (int box : opened)
        host.boxOpened(box);
    host.resetFanView();
    return true;
}
