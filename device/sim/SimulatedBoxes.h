// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "../HidTransport.h"
#include "../Report.h"
#include "common/Limits.h"

#include <QString>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <vector>

// Controller boxes in memory, answering like the real ones, so the whole
// program runs and is tested without hardware. A box of type 1 has five
// 12-LED fans, one of type 0 three single-colour fans.
//
// It enforces what a real box demands: 65-byte writes with report ID 0 and
// one reply per write. Every box's I/O thread calls it at once, and the
// control commands come from the GUI thread: one lock guards the whole world,
// and nothing sleeps while holding it.
class SimulatedBoxes final : public HidTransport {
public:
    struct SentReport {
        int box;
        Report report;
    };

    SimulatedBoxes();
    ~SimulatedBoxes() override;

    // "1,0,-" → box 0 type 1, box 1 type 0, box 2 empty. Returns false and
    // sets *error for a malformed spec.
    static bool parseSpec(const QString &spec, std::array<int, kBoxCount> *types, QString *error);
    bool plugFromSpec(const QString &spec, QString *error);

    // Control of the simulated world; each returns an error text or empty.
    QString plug(int box, int type);
    QString unplug(int box);
    QString stall(int box, int fan);
    QString run(int box, int fan);
    // A muted box takes every report but never answers, like a hung firmware.
    QString mute(int box, bool muted);
    // Every exchange with the box takes this long (its reply arrives this many
    // milliseconds after the write), like a real box on USB; 0 answers at once.
    // A reply later than the read's time-out arrives late.
    QString setLatency(int box, int ms);
    void setDefaultLatency(int ms);
    // Hostile firmware: the box's next `count` replies are garbage made from
    // `seed` (each 0 to 64 bytes long, or a failed read), whatever was asked.
    QString garble(int box, int count, quint32 seed);
    // The box's next reply is exactly these bytes (at most 64; fewer is a
    // short read), whatever was asked.
    QString forceReply(int box, const QByteArray &bytes);
    // One text command ("plug 1 0", "stall 2 3", "latency 1 5", "garble 0 100 7",
    // "reply 0 3252…", …); returns "ok" or "error: …".
    QString command(const QString &line);

    bool isPlugged(int box) const;
    int typeOf(int box) const;
    int rpm(int box, int fan) const;
    // The last lighting report of a fan (all zero before any).
    Report lastLighting(int box, int fan) const;
    // The newest reports received (at most kRecordLimit), in order, and how
    // many were received in all.
    static constexpr size_t kRecordLimit = 20000;
    std::vector<SentReport> sent() const;
    quint64 sentTotal() const;
    void clearSent();
    // Called (on the thread that set it) before the record or a fan is
    // inspected, so that an inspection sees everything sent before it: the
    // device bus waits there until its queues are empty.
    void setSettleHandler(std::function<void()> handler);

    // Called after a plug or unplug, as the hot-plug monitor would be; an
    // unplug names the node that went away.
    void setDeviceSetChangedHandler(std::function<void(const QByteArray &removedNode)> handler)
    {
        m_changed = std::move(handler);
    }
    // The node a box lives on, as a real box's hidraw node: the same again
    // when it is plugged in again.
    static QByteArray nodeOf(int box);
    // Tests of the crash path give a box a descriptor to "write to" (-1: none).
    void setEmergencyDescriptor(int box, int descriptor);
    // Milliseconds since some start; replaceable so tests can drive time.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // HidTransport
    int init() override { return 0; }
    HidHandle *open(unsigned short vendorId, unsigned short productId) override;
    int write(HidHandle *handle, const uint8_t *data, size_t length) override;
    int read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs) override;
    void close(HidHandle *handle) override;
    QByteArray node(HidHandle *handle) const override;
    int emergencyDescriptor(HidHandle *handle) const override;

private:
    struct Fan {
        int startRpm = 1000;
        int targetRpm = 1000;
        qint64 changedAt = 0;
        bool stalled = false;
        Report lighting{};
    };
    struct Box {
        bool plugged = false;
        int type = 1;
        bool muted = false;
        int generation = 0;
        int latencyMs = 0;
        int garbleLeft = 0;
        quint32 garbleState = 1;
        std::deque<QByteArray> forced;
        std::array<Fan, kRainbowFanCount> fans;
    };
    struct Reply_ {
        Reply reply;
        qint64 readyAt; // on the real clock, for the latency
        int length = kReplySize;  // what the read returns; -1 a failed read
    };
    struct Handle {
        int box;
        int generation;
        std::deque<Reply_> pending;
    };

    qint64 now() const { return m_clock(); }
    void settle() const;
    QString plugLocked(int box, int type);
    QString unplugLocked(int box);
    int currentRpm(const Fan &fan) const;
    void setTarget(Fan &fan, int rpm);
    Reply answer(Box &box, const Report &out);
    Handle *live(HidHandle *handle);
    QString checkBox(int box) const;
    QString checkFan(int box, int fan) const;
    void notifyChanged(const QByteArray &removedNode = QByteArray());

    mutable std::mutex m_mutex;
    std::array<Box, kBoxCount> m_boxes;
    std::map<HidHandle *, Handle *> m_handles;
    std::deque<SentReport> m_sent;
    quint64 m_sentTotal = 0;
    int m_defaultLatencyMs = 0;
    std::function<void(const QByteArray &)> m_changed;
    std::array<int, kBoxCount> m_emergency; // -1: none
    std::function<qint64()> m_clock;
    std::function<void()> m_settle;
    Qt::HANDLE m_settleThread = nullptr;
};
