// SPDX-License-Identifier: GPL-3.0-or-later
#include "SimulatedBoxes.h"

#include "../BoxTable.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QThread>

#include <chrono>
#include <thread>

#include <algorithm>
#include <cstring>

namespace {

// A fan needs about two seconds to reach a new speed.
constexpr qint64 kRampMs = 2000;
constexpr int kRpmPerDutyPercent = 14;
// At most this many replies wait on one handle, as in a real HID input queue.
constexpr size_t kPendingLimit = 32;
// Garbage for at most this many replies per command.
constexpr int kMaxGarbled = 1000000;

// The latency is real time, whatever clock drives the fans.
qint64 realMs()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

} // namespace

SimulatedBoxes::SimulatedBoxes()
{
    auto timer = std::make_shared<QElapsedTimer>();
    timer->start();
    m_clock = [timer] { return timer->elapsed(); };
    m_emergency.fill(-1);
}

SimulatedBoxes::~SimulatedBoxes()
{
    for (auto &entry : m_handles)
        delete entry.second;
}

bool SimulatedBoxes::parseSpec(const QString &spec, std::array<int, kBoxCount> *types, QString *error)
{
    types->fill(-1);
    const QStringList items = spec.split(QLatin1Char(','));
    if (items.size() > kBoxCount) {
        *error = QStringLiteral("at most %1 box slots, got %2").arg(kBoxCount).arg(items.size());
        return false;
    }
    for (int i = 0; i < items.size(); ++i) {
        const QString item = items.at(i).trimmed();
        if (item == QLatin1String("1"))
            (*types)[i] = BoxType::Rainbow;
        else if (item == QLatin1String("0"))
            (*types)[i] = BoxType::Vayla;
        else if (item == QLatin1String("-") || item.isEmpty())
            (*types)[i] = -1;
        else {
            *error = QStringLiteral("slot %1: \"%2\" is not 1, 0 or -").arg(i).arg(item);
            return false;
        }
    }
    return true;
}

bool SimulatedBoxes::plugFromSpec(const QString &spec, QString *error)
{
    std::array<int, kBoxCount> types{};
    if (!parseSpec(spec, &types, error))
        return false;
    std::lock_guard<std::mutex> lock(m_mutex);
    for (int i = 0; i < kBoxCount; ++i) {
        if (types[i] >= 0 && !m_boxes[i].plugged) {
            Box &box = m_boxes[i];
            box = Box();
            box.plugged = true;
            box.type = types[i];
            box.latencyMs = m_defaultLatencyMs;
            ++box.generation;
        }
    }
    return true;
}

QString SimulatedBoxes::checkBox(int box) const
{
    if (box < 0 || box >= kBoxCount)
        return QStringLiteral("box %1 is outside 0-15").arg(box);
    return QString();
}

QString SimulatedBoxes::checkFan(int box, int fan) const
{
    QString error = checkBox(box);
    if (!error.isEmpty())
        return error;
    if (!m_boxes[box].plugged)
        return QStringLiteral("box %1 is not plugged in").arg(box);
    const int fans = m_boxes[box].type == BoxType::Vayla ? kVaylaFanCount : kRainbowFanCount;
    if (fan < 0 || fan >= fans)
        return QStringLiteral("box %1 has fans 0-%2").arg(box).arg(fans - 1);
    return QString();
}

QString SimulatedBoxes::plug(int box, int type)
{
    QString error;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        error = plugLocked(box, type);
    }
    if (error.isEmpty())
        notifyChanged();
    return error;
}

QString SimulatedBoxes::plugLocked(int box, int type)
{
    QString error = checkBox(box);
    if (!error.isEmpty())
        return error;
    if (type != BoxType::Vayla && type != BoxType::Rainbow)
        return QStringLiteral("type %1 is not 0 or 1").arg(type);
    if (m_boxes[box].plugged)
        return QStringLiteral("box %1 is already plugged in").arg(box);
    const int generation = m_boxes[box].generation + 1;
    m_boxes[box] = Box();
    m_boxes[box].plugged = true;
    m_boxes[box].type = type;
    m_boxes[box].generation = generation;
    m_boxes[box].latencyMs = m_defaultLatencyMs;
    for (Fan &fan : m_boxes[box].fans)
        fan.changedAt = now();
    return QString();
}

QString SimulatedBoxes::unplug(int box)
{
    QString error;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        error = unplugLocked(box);
    }
    if (error.isEmpty())
        notifyChanged(nodeOf(box));
    return error;
}

QString SimulatedBoxes::unplugLocked(int box)
{
    QString error = checkBox(box);
    if (!error.isEmpty())
        return error;
    if (!m_boxes[box].plugged)
        return QStringLiteral("box %1 is not plugged in").arg(box);
    m_boxes[box].plugged = false;
    ++m_boxes[box].generation; // every open handle of it goes dead
    return QString();
}

QString SimulatedBoxes::stall(int box, int fan)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QString error = checkFan(box, fan);
    if (error.isEmpty())
        m_boxes[box].fans[fan].stalled = true;
    return error;
}

QString SimulatedBoxes::run(int box, int fan)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QString error = checkFan(box, fan);
    if (error.isEmpty()) {
        Fan &f = m_boxes[box].fans[fan];
        if (f.stalled) {
            f.stalled = false;
            f.startRpm = 0; // spins up again from standstill
            f.changedAt = now();
        }
    }
    return error;
}

QString SimulatedBoxes::mute(int box, bool muted)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QString error = checkBox(box);
    if (!error.isEmpty())
        return error;
    if (!m_boxes[box].plugged)
        return QStringLiteral("box %1 is not plugged in").arg(box);
    m_boxes[box].muted = muted;
    return QString();
}

QString SimulatedBoxes::garble(int box, int count, quint32 seed)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QString error = checkBox(box);
    if (!error.isEmpty())
        return error;
    if (count < 0 || count > kMaxGarbled)
        return QStringLiteral("count %1 outside 0..%2").arg(count).arg(kMaxGarbled);
    m_boxes[box].garbleLeft = count;
    // Spread the seed over all 32 bits: xorshift's first outputs follow a small seed closely.
    const quint32 state = quint32(seed) * 2654435761u;
    m_boxes[box].garbleState = state ? state : 1;
    return QString();
}

QString SimulatedBoxes::forceReply(int box, const QByteArray &bytes)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QString error = checkBox(box);
    if (!error.isEmpty())
        return error;
    if (bytes.size() > kReplySize)
        return QStringLiteral("a reply has at most %1 bytes").arg(kReplySize);
    if (m_boxes[box].forced.size() >= kPendingLimit)
        return QStringLiteral("already %1 replies waiting").arg(int(kPendingLimit));
    m_boxes[box].forced.push_back(bytes);
    return QString();
}

QString SimulatedBoxes::setLatency(int box, int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    QString error = checkBox(box);
    if (!error.isEmpty())
        return error;
    if (ms < 0 || ms > 60000)
        return QStringLiteral("latency %1 ms is outside 0-60000").arg(ms);
    m_boxes[box].latencyMs = ms;
    return QString();
}

void SimulatedBoxes::setDefaultLatency(int ms)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_defaultLatencyMs = ms < 0 ? 0 : ms;
    for (Box &box : m_boxes)
        box.latencyMs = m_defaultLatencyMs;
}

QString SimulatedBoxes::command(const QString &line)
{
    const QStringList words = line.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return QStringLiteral("error: empty command");
    const QString verb = words.first();
    bool ok1 = false;
    bool ok2 = false;
    const int a = words.value(1).toInt(&ok1);
    const int b = words.value(2).toInt(&ok2);
    QString error;
    if ((verb == QLatin1String("plug") || verb == QLatin1String("stall") || verb == QLatin1String("run")
         || verb == QLatin1String("latency"))
        && words.size() == 3 && ok1 && ok2) {
        if (verb == QLatin1String("plug"))
            error = plug(a, b);
        else if (verb == QLatin1String("stall"))
            error = stall(a, b);
        else if (verb == QLatin1String("run"))
            error = run(a, b);
        else
            error = setLatency(a, b);
    } else if ((verb == QLatin1String("unplug") || verb == QLatin1String("mute") || verb == QLatin1String("unmute"))
               && words.size() == 2 && ok1) {
        error = verb == QLatin1String("unplug") ? unplug(a) : mute(a, verb == QLatin1String("mute"));
    } else if (verb == QLatin1String("garble") && (words.size() == 3 || words.size() == 4) && ok1 && ok2) {
        bool ok3 = words.size() == 3;
        const uint seed = words.size() == 4 ? words.at(3).toUInt(&ok3) : 1u;
        if (!ok3)
            return QStringLiteral("error: the seed is a number from 0 to 4294967295");
        error = garble(a, b, seed);
    } else if (verb == QLatin1String("reply") && words.size() == 3 && ok1) {
        const QByteArray hex = words.at(2).toLatin1();
        bool isHex = hex.size() % 2 == 0;
        for (const char c : hex)
            isHex = isHex && ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
        if (!isHex)
            return QStringLiteral("error: the reply is an even number of hex digits");
        error = forceReply(a, QByteArray::fromHex(hex));
    } else {
        return QStringLiteral("error: unknown command \"%1\" (plug B T, unplug B, stall B F, run B F, "
                              "mute B, unmute B, latency B MS, garble B N [SEED], reply B HEX)").arg(line.simplified().left(64));
    }
    return error.isEmpty() ? QStringLiteral("ok") : QStringLiteral("error: ") + error;
}

bool SimulatedBoxes::isPlugged(int box) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return box >= 0 && box < kBoxCount && m_boxes[box].plugged;
}

int SimulatedBoxes::typeOf(int box) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const bool plugged = box >= 0 && box < kBoxCount && m_boxes[box].plugged;
    return plugged ? m_boxes[box].type : -1;
}

int SimulatedBoxes::rpm(int box, int fan) const
{
    settle();
    std::lock_guard<std::mutex> lock(m_mutex);
    if (box < 0 || box >= kBoxCount || !m_boxes[box].plugged || fan < 0 || fan >= kRainbowFanCount)
        return 0;
    return currentRpm(m_boxes[box].fans[fan]);
}

Report SimulatedBoxes::lastLighting(int box, int fan) const
{
    settle();
    std::lock_guard<std::mutex> lock(m_mutex);
    if (box < 0 || box >= kBoxCount || fan < 0 || fan >= kRainbowFanCount)
        return Report{};
    return m_boxes[box].fans[fan].lighting;
}

std::vector<SimulatedBoxes::SentReport> SimulatedBoxes::sent() const
{
    settle();
    std::lock_guard<std::mutex> lock(m_mutex);
    return std::vector<SentReport>(m_sent.begin(), m_sent.end());
}

quint64 SimulatedBoxes::sentTotal() const
{
    settle();
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_sentTotal;
}

void SimulatedBoxes::clearSent()
{
    settle();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_sent.clear();
}

void SimulatedBoxes::setSettleHandler(std::function<void()> handler)
{
    m_settle = std::move(handler);
    m_settleThread = QThread::currentThreadId();
}

void SimulatedBoxes::settle() const
{
    if (m_settle && QThread::currentThreadId() == m_settleThread)
        m_settle();
}

void SimulatedBoxes::notifyChanged(const QByteArray &removedNode)
{
    if (m_changed)
        m_changed(removedNode);
}

QByteArray SimulatedBoxes::nodeOf(int box)
{
    return "sim/" + QByteArray::number(box);
}

void SimulatedBoxes::setEmergencyDescriptor(int box, int descriptor)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (box >= 0 && box < kBoxCount)
        m_emergency[box] = descriptor;
}

QByteArray SimulatedBoxes::node(HidHandle *handle) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_handles.find(handle);
    return it == m_handles.end() ? QByteArray() : nodeOf(it->second->box);
}

int SimulatedBoxes::emergencyDescriptor(HidHandle *handle) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_handles.find(handle);
    return it == m_handles.end() ? -1 : m_emergency[it->second->box];
}

int SimulatedBoxes::currentRpm(const Fan &fan) const
{
    if (fan.stalled)
        return 0;
    const qint64 elapsed = now() - fan.changedAt;
    if (elapsed >= kRampMs)
        return fan.targetRpm;
    return fan.startRpm + static_cast<int>((fan.targetRpm - fan.startRpm) * elapsed / kRampMs);
}

void SimulatedBoxes::setTarget(Fan &fan, int rpm)
{
    fan.startRpm = currentRpm(fan);
    fan.targetRpm = rpm;
    fan.changedAt = now();
}

Reply SimulatedBoxes::answer(Box &box, const Report &out)
{
    Reply in{};
    in[0] = out[1];
    in[1] = out[2];
    const int port = out[3];
    const bool hasFan = port >= 1 && port <= kRainbowFanCount;
    if (out[1] == 0x33 && out[2] == 0x50) {
        in[2] = 1;
        in[3] = 2;
        in[4] = 3;
    } else if (out[1] == 0x33 && out[2] == 0x51) {
        in[2] = static_cast<uint8_t>(port);
        // A port without a fan reads as standing still, as on the real box.
        const bool exists = hasFan && (box.type != BoxType::Vayla || port <= kVaylaFanCount);
        const int speed = exists ? currentRpm(box.fans[port - 1]) : 0;
        in[5] = static_cast<uint8_t>(speed & 0xFF);
        in[6] = static_cast<uint8_t>((speed >> 8) & 0xFF);
    } else if (out[1] == 0x32 && out[2] == 0x51 && hasFan) {
        Fan &fan = box.fans[port - 1];
        const int kind = out[4];
        if (kind == 0x01 || kind == 0x03)
            setTarget(fan, kRpmPerDutyPercent * std::min<int>(out[5], 100));
        else if (kind == 0x02)
            setTarget(fan, box.type == BoxType::Vayla ? kRpmPerDutyPercent * 100 : out[6] + 256 * out[7]);
    } else if (out[1] == 0x32 && out[2] == 0x52 && hasFan) {
        box.fans[port - 1].lighting = out;
    }
    return in;
}

SimulatedBoxes::Handle *SimulatedBoxes::live(HidHandle *handle)
{
    auto it = m_handles.find(handle);
    if (it == m_handles.end())
        return nullptr;
    Handle *h = it->second;
    const Box &box = m_boxes[h->box];
    return (box.plugged && box.generation == h->generation) ? h : nullptr;
}

HidHandle *SimulatedBoxes::open(unsigned short vendorId, unsigned short productId)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    const int box = productId - kProductIdBase;
    if (vendorId != kVendorId || box < 0 || box >= kBoxCount || !m_boxes[box].plugged)
        return nullptr;
    auto *h = new Handle{box, m_boxes[box].generation, {}};
    auto *key = reinterpret_cast<HidHandle *>(h);
    m_handles[key] = h;
    return key;
}

int SimulatedBoxes::write(HidHandle *handle, const uint8_t *data, size_t length)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    Handle *h = live(handle);
    if (!h)
        return -1;
    if (length != static_cast<size_t>(kReportSize) || data[0] != 0) {
        qWarning() << "simulator: refused a report of" << length << "bytes with report ID" << data[0];
        return -1;
    }
    Report out{};
    std::memcpy(out.data(), data, kReportSize);
    m_sent.push_back({h->box, out});
    if (m_sent.size() > kRecordLimit)
        m_sent.pop_front();
    ++m_sentTotal;
    Box &box = m_boxes[h->box];
    Reply in = answer(box, out);
    int replyLength = kReplySize;
    if (!box.forced.empty()) {
        const QByteArray forced = box.forced.front();
        box.forced.pop_front();
        in.fill(0);
        std::memcpy(in.data(), forced.constData(), size_t(forced.size()));
        replyLength = forced.size();
    } else if (box.garbleLeft > 0) {
        --box.garbleLeft;
        // xorshift32: the same seed gives the same garbage.
        auto next = [&box] {
            quint32 x = box.garbleState;
            x ^= x << 13;
            x ^= x >> 17;
            x ^= x << 5;
            return box.garbleState = x;
        };
        replyLength = int(next() % (kReplySize + 2)) - 1;
        for (uint8_t &byte : in)
            byte = uint8_t(next());
    }
    if (!box.muted && h->pending.size() < kPendingLimit)
        h->pending.push_back({in, realMs() + box.latencyMs, replyLength});
    return kReportSize;
}

int SimulatedBoxes::read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs)
{
    const qint64 deadline = realMs() + (timeoutMs > 0 ? timeoutMs : 0);
    for (;;) {
        qint64 wait = 0;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            Handle *h = live(handle);
            if (!h)
                return -1;
            const qint64 now = realMs();
            if (!h->pending.empty() && h->pending.front().readyAt <= now) {
                const Reply_ in = h->pending.front();
                h->pending.pop_front();
                if (in.length < 0)
                    return -1;
                const size_t n = std::min(length, static_cast<size_t>(in.length));
                std::memcpy(data, in.reply.data(), n);
                return static_cast<int>(n);
            }
            if (now >= deadline)
                return 0;
            // Nothing yet: wait for the reply's time or the time-out, whichever
            // comes first, like a real box; a silent box waits out the time-out.
            wait = deadline - now;
            if (!h->pending.empty())
                wait = std::min(wait, h->pending.front().readyAt - now);
        }
        // A short slice, so a box unplugged meanwhile is noticed.
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max<qint64>(1, std::min<qint64>(wait, 20))));
    }
}

void SimulatedBoxes::close(HidHandle *handle)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_handles.find(handle);
    if (it == m_handles.end())
        return;
    delete it->second;
    m_handles.erase(it);
}
