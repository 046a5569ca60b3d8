#pragma once

#include "../HidTransport.h"
#include "../Report.h"

#include <QString>
#include <QStringList>

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <vector>

// Controller boxes in memory, answering like the real ones, so the whole
// program runs and is tested without hardware. A box of type 1 has five
// 12-LED fans, one of type 0 three single-colour fans.
//
// It enforces what a real box demands: 65-byte writes with report ID 0 and
// one reply per write.
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
    static bool parseSpec(const QString &spec, std::array<int, 16> *types, QString *error);
    bool plugFromSpec(const QString &spec, QString *error);

    // Control of the simulated world; each returns an error text or empty.
    QString plug(int box, int type);
    QString unplug(int box);
    QString stall(int box, int fan);
    QString run(int box, int fan);
    // A muted box takes every report but never answers, like a hung firmware.
    QString mute(int box, bool muted);
    // One text command ("plug 1 0", "stall 2 3", …); returns "ok" or "error: …".
    QString command(const QString &line);

    bool isPlugged(int box) const;
    int typeOf(int box) const;
    int rpm(int box, int fan) const;
    // The last lighting report of a fan (all zero before any).
    Report lastLighting(int box, int fan) const;
    const std::vector<SentReport> &sent() const { return m_sent; }
    void clearSent() { m_sent.clear(); }

    // Called after a plug or unplug, as the hot-plug monitor would be.
    void setDeviceSetChangedHandler(std::function<void()> handler) { m_changed = std::move(handler); }
    // Milliseconds since some start; replaceable so tests can drive time.
    void setClock(std::function<qint64()> clock) { m_clock = std::move(clock); }

    // HidTransport
    int init() override { return 0; }
    HidHandle *open(unsigned short vendorId, unsigned short productId) override;
    int write(HidHandle *handle, const uint8_t *data, size_t length) override;
    int read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs) override;
    void close(HidHandle *handle) override;

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
        std::array<Fan, 5> fans;
    };
    struct Handle {
        int box;
        int generation;
        std::deque<Reply> pending;
    };

    qint64 now() const { return m_clock(); }
    int currentRpm(const Fan &fan) const;
    void setTarget(Fan &fan, int rpm);
    Reply answer(Box &box, const Report &out);
    Handle *live(HidHandle *handle);
    QString checkBox(int box) const;
    QString checkFan(int box, int fan) const;
    void notifyChanged();

    std::array<Box, 16> m_boxes;
    std::map<HidHandle *, Handle *> m_handles;
    std::vector<SentReport> m_sent;
    std::function<void()> m_changed;
    std::function<qint64()> m_clock;
};
