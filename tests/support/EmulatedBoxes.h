// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "device/Report.h"
#include "common/Limits.h"

#include <QByteArray>
#include <QString>

#include <map>
#include <set>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class SimulatedBoxes;
struct _UMockdevTestbed;
struct _UMockdevIoctlBase;
struct _UMockdevIoctlClient;

// Controller boxes behind real kernel interfaces, emulated by umockdev: each
// box is a USB device with a HID interface and a /dev/hidrawN node, as
// hidapi-hidraw and libudev find them, and add and remove are real uevents.
// What the program writes to a node is answered as the simulator answers
// (the behaviour is the simulator's own) and recorded, refusals included.
//
// The process that owns the testbed must itself run under umockdev's
// preload library (umockdev-wrapper); the programs it starts inherit it.
// The nodes are answered on umockdev's own worker thread; everything here
// may be called from any thread.
class EmulatedBoxes {
public:
    // What a node does besides answering.
    enum class Fault {
        None,
        WriteErrors,  // every write fails (EIO), as on a box that refuses reports
        ShortReplies, // every reply is cut to kShortReply bytes
        Silent,       // reports are taken, nothing is ever answered
    };
    static constexpr int kShortReply = 5;

    // One call of the program on a node.
    struct Event {
        qint64 ms;       // since start()
        int client;      // which opening of the node (0: a descriptor umockdev did not see opened)
        char kind;       // 'W' write, 'R' read, 'O' open, 'C' close
        int length;      // bytes asked to write or read
        int result;      // what the call returned
        QByteArray data; // written bytes ('W')
    };

    EmulatedBoxes();
    ~EmulatedBoxes();

    // Whether this process runs under umockdev (and so can emulate boxes);
    // *why says what is missing otherwise.
    static bool available(QString *why);

    // Plugs box `box` (0-15) of `type` (1: five 12-LED fans, 0: three
    // single-colour fans) in on /dev/hidraw`node`; with `announce` the
    // kernel's "add" uevent goes out. Returns an error text or empty.
    QString add(int box, int type, int node, bool announce = true);
    // Unplugs the box: a "remove" uevent, then its sysfs entries and node go.
    QString remove(int box);
    // Unplugs the box and plugs it in again on /dev/hidraw`node`: the
    // "remove" and "add" uevents follow each other at once (*gapMs apart).
    QString replug(int box, int node, qint64 *gapMs = nullptr);
    // A hidraw node of some other USB device (a keyboard, say).
    QString addOther(int node);
    QString removeOther(int node);

    void setFault(int box, Fault fault);
    // A fan of the box stops or turns again.
    void stall(int box, int fan, bool stalled);

    QByteArray nodeOf(int box) const;
    std::vector<Event> events(int box) const;
    // The reports the box took, in order (refused writes left out).
    std::vector<Report> reports(int box) const;
    // Writes the box refused (wrong length or report ID).
    int refusedWrites(int box) const;
    int opens(int box) const;
    // Descriptors of the box's node still open, in any process.
    int openClients(int box) const;
    void clear();
    qint64 elapsedMs() const;

private:
    struct Node;
    struct Client;

    static int onIoctl(_UMockdevIoctlBase *, _UMockdevIoctlClient *, void *self);
    static int onWrite(_UMockdevIoctlBase *, _UMockdevIoctlClient *, void *self);
    static int onRead(_UMockdevIoctlBase *, _UMockdevIoctlClient *, void *self);
    static void onConnected(_UMockdevIoctlBase *, _UMockdevIoctlClient *, void *self);
    static void onVanished(_UMockdevIoctlBase *, _UMockdevIoctlClient *, void *self);

    Client *clientOf(_UMockdevIoctlClient *client);
    void record(int box, Event event);
    void wake(Node &node, int bytes);
    void ensureRootHub();
    void watchRawWrites();

    _UMockdevTestbed *m_bed = nullptr;
    std::unique_ptr<SimulatedBoxes> m_sim;
    mutable std::recursive_mutex m_mutex;
    std::map<int, std::unique_ptr<Node>> m_nodes;       // by box
    std::map<int, QByteArray> m_otherNodes;             // node number -> syspath
    std::map<_UMockdevIoctlClient *, std::unique_ptr<Client>> m_clients;
    std::map<int, std::vector<Event>> m_events;         // by box
    int m_nextClient = 0;
    bool m_rootHub = false;
    std::set<int> m_usedNodes;
    std::map<QByteArray, int> m_nodeBox;                // every node ever used -> its box
    std::vector<_UMockdevIoctlBase *> m_oldHandlers;
    // A descriptor handed to another process (the guardian's, by SCM_RIGHTS)
    // writes to the node's pty directly, past umockdev: read from its other end.
    std::thread m_rawWatch;
    int m_stopRaw[2] = {-1, -1};
    std::map<int, QByteArray> m_rawPending; // by box: bytes short of a whole report
    qint64 m_start = 0;
};
