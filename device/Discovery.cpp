// SPDX-License-Identifier: GPL-3.0-or-later
#include "Discovery.h"

#include "BoxModel.h"
#include "common/Logging.h"
#include "DeviceBus.h"
#include "FanMonitor.h"
#include "Reports.h"

#include <QDebug>

namespace {

// Opens box i and sends it the probe; true when the box took the probe.
// A box that refuses it stays open but is not used.
bool openAndProbe(BoxModel &boxes, int i)
{
    DeviceBus &bus = DeviceBus::instance();
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

void closeBox(BoxModel &boxes, int i)
{
    DeviceBus::instance().close(i);
    boxes[i].gIsConnected = false;
    // What a fan was told belongs to that opening of the box.
    forgetCommandedDuties(i);
}

} // namespace

void setupAllControllerBox(BoxModel &boxes)
{
    for (int i = 0; i < kBoxCount; ++i)
        closeBox(boxes, i);
    DeviceBus::instance().init();
    for (int i = 0; i < kBoxCount; ++i)
        openAndProbe(boxes, i);
    boxes.setConnectionMap(currentConnectionMap(boxes));
    qCDebug(lcDevice) << "setupAllControllerBox checkControllerStr:" << boxes.connectionMap();
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

int lowestConnectedBox(const BoxModel &boxes)
{
    for (int i = 0; i < kBoxCount; ++i) {
        if (boxes[i].gIsConnected)
            return i;
    }
    return -1;
}

} // namespace

void resetControllers(BoxModel &boxes, DiscoveryHost &host)
{
    setupAllControllerBox(boxes);
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

bool handleDeviceChange(BoxModel &boxes, DiscoveryHost &host, const QList<QByteArray> &removedNodes)
{
    qCDebug(lcDevice) << "Recv Event ";
    DeviceBus &bus = DeviceBus::instance();
    boxes.setQuickScanMap(quickPresenceScan());
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
                closeBox(boxes, i);
                changed = true;
            }
        }
        if (present && !boxes[i].gIsConnected) {
            if (openAndProbe(boxes, i))
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
