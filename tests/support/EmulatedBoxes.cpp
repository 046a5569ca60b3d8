// SPDX-License-Identifier: GPL-3.0-or-later
// umockdev's headers name struct members "signals": they come before Qt's.
#include <umockdev.h>

#include "EmulatedBoxes.h"

#include "device/BoxTable.h"
#include "device/sim/SimulatedBoxes.h"

#include <QDateTime>
#include <QFile>
#include <QStandardPaths>

#include <cerrno>
#include <cstring>
#include <linux/hidraw.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace {

// A vendor-defined collection of 64-byte input and output reports, as the box describes itself.
const uint8_t kReportDescriptor[] = {0x06, 0x00, 0xFF, 0x09, 0x01, 0xA1, 0x01, 0x09, 0x01, 0x15, 0x00, 0x26, 0xFF, 0x00,
                                     0x75, 0x08, 0x95, 0x40, 0x81, 0x02, 0x09, 0x01, 0x95, 0x40, 0x91, 0x02, 0xC0};

QByteArray devicePath(int port) { return "/sys/devices/usb1/1-" + QByteArray::number(port); }

qint64 nowMs() { return QDateTime::currentMSecsSinceEpoch(); }

} // namespace

struct EmulatedBoxes::Node {
    int box = -1;
    int number = -1;
    QByteArray devnode;   // "/dev/hidrawN"
    QByteArray rawPath;   // its sysfs path
    QByteArray usbPath;   // the USB device it hangs off
    QByteArray hidPath;
    QByteArray intfPath;
    bool plugged = false;
    bool attached = false;
    Fault fault = Fault::None;
    int wakeBytes = 0;    // bytes in the node's pty that make poll() see a reply
    _UMockdevIoctlBase *handler = nullptr;
};

struct EmulatedBoxes::Client {
    int id = 0;
    int box = -1;
    HidHandle *handle = nullptr; // the simulator's handle for this opening
    std::vector<QByteArray> replies;
};

EmulatedBoxes::EmulatedBoxes()
    : m_sim(std::make_unique<SimulatedBoxes>())
    , m_start(nowMs())
{
    m_bed = umockdev_testbed_new();
    if (pipe(m_stopRaw) == 0)
        m_rawWatch = std::thread([this] { watchRawWrites(); });
}

void EmulatedBoxes::watchRawWrites()
{
    for (;;) {
        std::vector<pollfd> fds{{m_stopRaw[0], POLLIN, 0}};
        std::vector<int> boxOf{-1};
        {
            std::lock_guard<std::recursive_mutex> lock(m_mutex);
            for (const auto &entry : m_nodes) {
                if (!entry.second->plugged)
                    continue;
                const int fd = umockdev_testbed_get_dev_fd(m_bed, entry.second->devnode.constData());
                if (fd >= 0) {
                    fds.push_back({fd, POLLIN, 0});
                    boxOf.push_back(entry.first);
                }
            }
        }
        // A short time-out: nodes come and go while this waits.
        if (poll(fds.data(), fds.size(), 50) < 0 && errno != EINTR)
            return;
        if (fds[0].revents)
            return;
        for (size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            char buffer[4096];
            const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
            if (n <= 0)
                continue;
            std::lock_guard<std::recursive_mutex> lock(m_mutex);
            QByteArray &pending = m_rawPending[boxOf[i]];
            pending.append(buffer, int(n));
            while (pending.size() >= kReportSize) {
                const QByteArray report = pending.left(kReportSize);
                pending.remove(0, kReportSize);
                // The box takes it as it takes any report, and it is recorded.
                const bool valid = report[0] == 0;
                record(boxOf[i], {0, 0, 'W', kReportSize, valid ? kReportSize : -1, report});
            }
        }
    }
}

EmulatedBoxes::~EmulatedBoxes()
{
    if (m_rawWatch.joinable()) {
        const ssize_t ignored = ::write(m_stopRaw[1], "x", 1);
        (void)ignored;
        m_rawWatch.join();
    }
    for (int fd : m_stopRaw)
        if (fd >= 0)
            ::close(fd);
    for (_UMockdevIoctlBase *handler : m_oldHandlers)
        g_object_unref(handler);
    for (auto &entry : m_nodes) {
        if (entry.second->attached)
            umockdev_testbed_detach_ioctl(m_bed, entry.second->devnode.constData(), nullptr);
        if (entry.second->handler)
            g_object_unref(entry.second->handler);
    }
    g_object_unref(m_bed);
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    for (auto &entry : m_clients)
        m_sim->close(entry.second->handle);
}

bool EmulatedBoxes::available(QString *why)
{
    if (!qgetenv("LD_PRELOAD").contains("libumockdev-preload")) {
        *why = QStringLiteral("not running under umockdev-wrapper (libumockdev-preload)");
        return false;
    }
    // The preload must redirect /sys for this process: a device added here shows up there.
    UMockdevTestbed *bed = umockdev_testbed_new();
    gchar *path = umockdev_testbed_add_device(bed, "usb", "aurivent-check", nullptr, "idVendor", "0000", nullptr,
                                              "DEVTYPE", "usb_device", nullptr);
    const bool seen = path && QFile::exists(QString::fromUtf8(path) + QStringLiteral("/idVendor"));
    if (path)
        umockdev_testbed_remove_device(bed, path);
    g_free(path);
    g_object_unref(bed);
    if (!seen)
        *why = QStringLiteral("umockdev's preload does not redirect /sys here");
    return seen;
}

qint64 EmulatedBoxes::elapsedMs() const
{
    return nowMs() - m_start;
}

QString EmulatedBoxes::add(int box, int type, int number, bool announce)
{
    if (box < 0 || box >= kBoxCount)
        return QStringLiteral("box %1 is outside 0-15").arg(box);
    std::unique_lock<std::recursive_mutex> lock(m_mutex);
    std::unique_ptr<Node> &slot = m_nodes[box];
    if (!slot)
        slot = std::make_unique<Node>();
    Node &node = *slot;
    if (node.plugged)
        return QStringLiteral("box %1 is plugged in already").arg(box);
    // umockdev keeps a node's pty after its device is removed: a node is never used twice.
    if (m_usedNodes.count(number))
        return QStringLiteral("hidraw%1 was used before; take another").arg(number);
    const QString plugError = m_sim->plug(box, type);
    if (!plugError.isEmpty())
        return plugError;
    static int sequence = 0;
    const QByteArray pid = QByteArray::number(kProductIdBase + box, 16).toUpper().rightJustified(4, '0');
    // Each node on a USB port of its own, so an old and a new device can meet.
    const QByteArray port = QByteArray::number(number);
    const QByteArray usb = "/devices/usb1/1-" + port;
    const QByteArray intf = usb + "/1-" + port + ":1.0";
    const QByteArray hid = intf + "/0003:264A:" + pid + "." + QByteArray::number(++sequence, 16).toUpper().rightJustified(4, '0');
    const QByteArray raw = hid + "/hidraw/hidraw" + QByteArray::number(number);
    const QByteArray tree =
        "P: " + raw + "\nN: hidraw" + QByteArray::number(number) + "\nE: DEVNAME=/dev/hidraw" + QByteArray::number(number)
        + "\nE: SUBSYSTEM=hidraw\nE: MAJOR=241\nE: MINOR=" + QByteArray::number(number) + "\nA: dev=241:"
        + QByteArray::number(number) + "\nL: device=../../../" + hid.mid(hid.lastIndexOf('/') + 1) + "\n\n"
        + "P: " + hid + "\nE: SUBSYSTEM=hid\nE: HID_ID=0003:0000264A:0000" + pid
        + "\nE: HID_NAME=Kq RGB Fan Controller\nE: HID_PHYS=usb-0000:00:14.0-" + port + "/input0\nE: HID_UNIQ=\nH: report_descriptor="
        + QByteArray(reinterpret_cast<const char *>(kReportDescriptor), sizeof kReportDescriptor).toHex().toUpper() + "\n\n"
        + "P: " + intf + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=00\nA: bInterfaceClass=03\n\n"
        + "P: " + usb + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: PRODUCT=264a/" + pid.toLower()
        + "/100\nA: idVendor=264a\nA: idProduct=" + pid.toLower()
        + "\nA: manufacturer=Kq\nA: product=RGB Fan Controller\nA: bcdDevice=0100\nA: busnum=1\nA: devnum=" + port
        + "\n";
    ensureRootHub();
    GError *error = nullptr;
    if (!umockdev_testbed_add_from_string(m_bed, tree.constData(), &error)) {
        const QString text = QString::fromUtf8(error ? error->message : "unknown error");
        g_clear_error(&error);
        m_sim->unplug(box);
        return QStringLiteral("umockdev refused box %1: %2").arg(box, 0).arg(text);
    }
    if (node.number != number)
        node.attached = false; // a new node: a handler of its own (the old one still answers stale openings)
    m_usedNodes.insert(number);
    node.box = box;
    node.number = number;
    node.devnode = "/dev/hidraw" + QByteArray::number(number);
    node.rawPath = "/sys" + raw;
    node.usbPath = "/sys" + usb;
    node.hidPath = "/sys" + hid;
    node.intfPath = "/sys" + intf;
    node.plugged = true;
    node.wakeBytes = 0;
    m_nodeBox[node.devnode] = box;
    if (!node.attached) {
        // One handler per node for the whole run: a program may still hold
        // a descriptor of the node after an unplug, and must get errors, not vanish.
        if (node.handler)
            m_oldHandlers.push_back(node.handler);
        node.handler = umockdev_ioctl_base_new();
        g_signal_connect(node.handler, "handle-ioctl", G_CALLBACK(onIoctl), this);
        g_signal_connect(node.handler, "handle-write", G_CALLBACK(onWrite), this);
        g_signal_connect(node.handler, "handle-read", G_CALLBACK(onRead), this);
        g_signal_connect(node.handler, "client-connected", G_CALLBACK(onConnected), this);
        g_signal_connect(node.handler, "client-vanished", G_CALLBACK(onVanished), this);
        if (!umockdev_testbed_attach_ioctl(m_bed, node.devnode.constData(), node.handler, &error)) {
            const QString text = QString::fromUtf8(error ? error->message : "unknown error");
            g_clear_error(&error);
            return QStringLiteral("cannot answer %1: %2").arg(QString::fromLatin1(node.devnode), text);
        }
        node.attached = true;
    }
    const QByteArray announced = node.rawPath;
    lock.unlock();
    if (announce)
        umockdev_testbed_uevent(m_bed, announced.constData(), "add");
    return QString();
}

QString EmulatedBoxes::replug(int box, int number, qint64 *gapMs)
{
    std::unique_lock<std::recursive_mutex> lock(m_mutex);
    auto it = m_nodes.find(box);
    if (it == m_nodes.end() || !it->second->plugged)
        return QStringLiteral("box %1 is not plugged in").arg(box);
    Node &node = *it->second;
    const QByteArray old[] = {node.rawPath, node.hidPath, node.intfPath, node.usbPath};
    const int type = m_sim->typeOf(box);
    // The box is gone from the moment it is pulled; the new device is made
    // ready beforehand, so that the two uevents follow each other at once.
    m_sim->unplug(box);
    node.plugged = false;
    const QString error = add(box, type, number, false);
    if (!error.isEmpty())
        return error;
    const QByteArray raw = node.rawPath;
    lock.unlock();
    const qint64 removedAt = elapsedMs();
    umockdev_testbed_uevent(m_bed, old[0].constData(), "remove");
    umockdev_testbed_uevent(m_bed, raw.constData(), "add");
    if (gapMs)
        *gapMs = elapsedMs() - removedAt;
    for (const QByteArray &path : old)
        umockdev_testbed_remove_device(m_bed, path.constData());
    return QString();
}

QString EmulatedBoxes::remove(int box)
{
    std::unique_lock<std::recursive_mutex> lock(m_mutex);
    auto it = m_nodes.find(box);
    if (it == m_nodes.end() || !it->second->plugged)
        return QStringLiteral("box %1 is not plugged in").arg(box);
    Node &node = *it->second;
    node.plugged = false;
    m_sim->unplug(box); // every open handle of it fails from now on
    const QByteArray paths[] = {node.rawPath, node.hidPath, node.intfPath, node.usbPath};
    lock.unlock();
    umockdev_testbed_uevent(m_bed, paths[0].constData(), "remove");
    // Each level on its own, child first: umockdev unlinks a device's bus and class entries itself.
    for (const QByteArray &path : paths)
        umockdev_testbed_remove_device(m_bed, path.constData());
    return QString();
}

QString EmulatedBoxes::addOther(int number)
{
    const QByteArray usb = "/devices/usb1/1-9";
    const QByteArray hid = usb + "/1-9:1.0/0003:046D:C31C.00" + QByteArray::number(number + 10);
    const QByteArray raw = hid + "/hidraw/hidraw" + QByteArray::number(number);
    const QByteArray tree = "P: " + raw + "\nN: hidraw" + QByteArray::number(number) + "\nE: DEVNAME=/dev/hidraw"
                            + QByteArray::number(number) + "\nE: SUBSYSTEM=hidraw\nA: dev=241:" + QByteArray::number(number)
                            + "\nL: device=../../../" + hid.mid(hid.lastIndexOf('/') + 1) + "\n\nP: " + hid
                            + "\nE: SUBSYSTEM=hid\nE: HID_ID=0003:0000046D:0000C31C\nE: HID_NAME=Keyboard\n\nP: "
                            + usb + "/1-9:1.0\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_interface\nA: bInterfaceNumber=00\n\nP: "
                            + usb + "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=046d\nA: idProduct=c31c\n";
    ensureRootHub();
    GError *error = nullptr;
    if (!umockdev_testbed_add_from_string(m_bed, tree.constData(), &error)) {
        const QString text = QString::fromUtf8(error ? error->message : "unknown error");
        g_clear_error(&error);
        return text;
    }
    {
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        m_otherNodes[number] = "/sys" + raw;
    }
    umockdev_testbed_uevent(m_bed, ("/sys" + raw).constData(), "add");
    return QString();
}

QString EmulatedBoxes::removeOther(int number)
{
    QByteArray raw;
    {
        std::lock_guard<std::recursive_mutex> lock(m_mutex);
        auto it = m_otherNodes.find(number);
        if (it == m_otherNodes.end())
            return QStringLiteral("no other device on hidraw%1").arg(number);
        raw = it->second;
        m_otherNodes.erase(it);
    }
    umockdev_testbed_uevent(m_bed, raw.constData(), "remove");
    umockdev_testbed_remove_device(m_bed, raw.constData());
    umockdev_testbed_remove_device(m_bed, raw.left(raw.indexOf("/hidraw/")).constData());
    umockdev_testbed_remove_device(m_bed, "/sys/devices/usb1/1-9/1-9:1.0");
    umockdev_testbed_remove_device(m_bed, "/sys/devices/usb1/1-9");
    return QString();
}

void EmulatedBoxes::ensureRootHub()
{
    // Every box hangs off one root hub, added once: umockdev refuses a device twice.
    if (m_rootHub)
        return;
    m_rootHub = umockdev_testbed_add_from_string(
        m_bed, "P: /devices/usb1\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nA: idVendor=1d6b\nA: idProduct=0002\n", nullptr);
}

void EmulatedBoxes::setFault(int box, Fault fault)
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_nodes.find(box);
    if (it != m_nodes.end())
        it->second->fault = fault;
    m_sim->mute(box, fault == Fault::Silent);
}

void EmulatedBoxes::stall(int box, int fan, bool stalled)
{
    if (stalled)
        m_sim->stall(box, fan);
    else
        m_sim->run(box, fan);
}

QByteArray EmulatedBoxes::nodeOf(int box) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_nodes.find(box);
    return it == m_nodes.end() ? QByteArray() : it->second->devnode;
}

std::vector<EmulatedBoxes::Event> EmulatedBoxes::events(int box) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    auto it = m_events.find(box);
    return it == m_events.end() ? std::vector<Event>() : it->second;
}

std::vector<Report> EmulatedBoxes::reports(int box) const
{
    std::vector<Report> out;
    for (const Event &e : events(box)) {
        if (e.kind == 'W' && e.result == kReportSize) {
            Report r{};
            std::memcpy(r.data(), e.data.constData(), kReportSize);
            out.push_back(r);
        }
    }
    return out;
}

int EmulatedBoxes::refusedWrites(int box) const
{
    int n = 0;
    for (const Event &e : events(box))
        n += e.kind == 'W' && e.result < 0 ? 1 : 0;
    return n;
}

int EmulatedBoxes::opens(int box) const
{
    int n = 0;
    for (const Event &e : events(box))
        n += e.kind == 'O' ? 1 : 0;
    return n;
}

int EmulatedBoxes::openClients(int box) const
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    int n = 0;
    for (const auto &entry : m_clients)
        n += entry.second->box == box ? 1 : 0;
    return n;
}

void EmulatedBoxes::clear()
{
    std::lock_guard<std::recursive_mutex> lock(m_mutex);
    m_events.clear();
}

void EmulatedBoxes::record(int box, Event event)
{
    event.ms = elapsedMs();
    m_events[box].push_back(std::move(event));
}

void EmulatedBoxes::wake(Node &node, int bytes)
{
    // The node is a pty: bytes waiting there make the program's poll() see
    // input; the reads themselves are answered here, one reply per read.
    const int fd = umockdev_testbed_get_dev_fd(m_bed, node.devnode.constData());
    if (fd < 0)
        return;
    for (int i = 0; i < bytes; ++i) {
        if (::write(fd, "r", 1) == 1)
            ++node.wakeBytes;
    }
}

EmulatedBoxes::Client *EmulatedBoxes::clientOf(_UMockdevIoctlClient *client)
{
    auto it = m_clients.find(client);
    return it == m_clients.end() ? nullptr : it->second.get();
}

void EmulatedBoxes::onConnected(_UMockdevIoctlBase *, _UMockdevIoctlClient *client, void *self)
{
    auto *boxes = static_cast<EmulatedBoxes *>(self);
    std::lock_guard<std::recursive_mutex> lock(boxes->m_mutex);
    const QByteArray devnode(umockdev_ioctl_client_get_devnode(client));
    const auto known = boxes->m_nodeBox.find(devnode);
    const int box = known == boxes->m_nodeBox.end() ? -1 : known->second;
    auto c = std::make_unique<Client>();
    c->id = ++boxes->m_nextClient;
    c->box = box;
    if (box >= 0)
        c->handle = boxes->m_sim->open(kVendorId, static_cast<unsigned short>(kProductIdBase + box));
    boxes->record(box, {0, c->id, 'O', 0, c->handle ? 0 : -1, {}});
    boxes->m_clients[client] = std::move(c);
}

void EmulatedBoxes::onVanished(_UMockdevIoctlBase *, _UMockdevIoctlClient *client, void *self)
{
    auto *boxes = static_cast<EmulatedBoxes *>(self);
    std::lock_guard<std::recursive_mutex> lock(boxes->m_mutex);
    auto it = boxes->m_clients.find(client);
    if (it == boxes->m_clients.end())
        return;
    boxes->record(it->second->box, {0, it->second->id, 'C', 0, 0, {}});
    boxes->m_sim->close(it->second->handle);
    boxes->m_clients.erase(it);
}

int EmulatedBoxes::onIoctl(_UMockdevIoctlBase *, _UMockdevIoctlClient *client, void *)
{
    const gulong request = umockdev_ioctl_client_get_request(client);
    if (request == HIDIOCGRDESCSIZE) {
        GError *error = nullptr;
        UMockdevIoctlData *size = umockdev_ioctl_data_resolve(umockdev_ioctl_client_get_arg(client), 0, sizeof(int), &error);
        if (!size) {
            g_clear_error(&error);
            umockdev_ioctl_client_complete(client, -1, EFAULT);
            return TRUE;
        }
        const int length = sizeof kReportDescriptor;
        std::memcpy(size->data, &length, sizeof length);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }
    umockdev_ioctl_client_complete(client, -1, ENOTTY);
    return TRUE;
}

int EmulatedBoxes::onWrite(_UMockdevIoctlBase *, _UMockdevIoctlClient *client, void *self)
{
    auto *boxes = static_cast<EmulatedBoxes *>(self);
    std::lock_guard<std::recursive_mutex> lock(boxes->m_mutex);
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    const QByteArray bytes(reinterpret_cast<const char *>(arg->data), arg->data_len);
    Client *c = boxes->clientOf(client);
    Node *node = c && c->box >= 0 ? boxes->m_nodes[c->box].get() : nullptr;
    if (!c || !node) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    if (node->fault == Fault::WriteErrors) {
        boxes->record(c->box, {0, c->id, 'W', int(bytes.size()), -1, bytes});
        umockdev_ioctl_client_complete(client, -1, EIO);
        return TRUE;
    }
    // The simulator checks the length and the report ID and answers as a box does.
    const int written = boxes->m_sim->write(c->handle, arg->data, size_t(arg->data_len));
    boxes->record(c->box, {0, c->id, 'W', int(bytes.size()), written, bytes});
    if (written < 0) {
        umockdev_ioctl_client_complete(client, -1, node->plugged ? EINVAL : ENODEV);
        return TRUE;
    }
    Reply reply{};
    const int n = boxes->m_sim->read(c->handle, reply.data(), reply.size(), 0);
    if (n > 0) {
        const int length = node->fault == Fault::ShortReplies ? kShortReply : n;
        c->replies.push_back(QByteArray(reinterpret_cast<const char *>(reply.data()), length));
        boxes->wake(*node, 1);
    }
    umockdev_ioctl_client_complete(client, written, 0);
    return TRUE;
}

int EmulatedBoxes::onRead(_UMockdevIoctlBase *, _UMockdevIoctlClient *client, void *self)
{
    auto *boxes = static_cast<EmulatedBoxes *>(self);
    std::lock_guard<std::recursive_mutex> lock(boxes->m_mutex);
    Client *c = boxes->clientOf(client);
    Node *node = c && c->box >= 0 ? boxes->m_nodes[c->box].get() : nullptr;
    UMockdevIoctlData *arg = umockdev_ioctl_client_get_arg(client);
    const int asked = arg->data_len;
    if (!c || !node) {
        umockdev_ioctl_client_complete(client, -1, ENODEV);
        return TRUE;
    }
    // Only a reader with a reply waiting has bytes in its pty (one that
    // outlived an unplug reads another pty, which would block).
    if (!c->replies.empty() && node->wakeBytes > 0) {
        // The program's own read takes the bytes that woke its poll() out of the pty.
        int error = 0;
        const gint drained = umockdev_ioctl_client_execute(client, &error, nullptr);
        if (drained > 0)
            node->wakeBytes = std::max(0, node->wakeBytes - drained);
        arg = umockdev_ioctl_client_get_arg(client);
    }
    if (c->replies.empty()) {
        boxes->record(c->box, {0, c->id, 'R', asked, -1, {}});
        umockdev_ioctl_client_complete(client, -1, EAGAIN);
        return TRUE;
    }
    const QByteArray reply = c->replies.front();
    c->replies.erase(c->replies.begin());
    // As hidraw does: one report per read, cut to the buffer.
    const int n = std::min<int>(asked, int(reply.size()));
    std::memcpy(arg->data, reply.constData(), size_t(n));
    boxes->record(c->box, {0, c->id, 'R', asked, n, {}});
    // Replies still waiting keep poll() awake.
    const int waiting = int(c->replies.size());
    if (waiting > node->wakeBytes)
        boxes->wake(*node, waiting - node->wakeBytes);
    umockdev_ioctl_client_complete(client, n, 0);
    return TRUE;
}
