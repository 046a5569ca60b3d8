#include "DeviceSetup.h"

#include "CommandLine.h"
#include "device/DeviceBus.h"
#include "device/HidTransport.h"
#include "device/HotplugMonitor.h"
#include "device/ProtocolTrace.h"
#include "device/sim/SimControlServer.h"
#include "device/sim/SimulatedBoxes.h"
#include "SessionUser.h"

namespace {

// Real boxes opened with root's file access when the program runs as root
// for a user (everything else it does, it does as that user).
class SessionTransport final : public HidTransport {
public:
    explicit SessionTransport(HidTransport *inner)
        : m_inner(inner)
    {
    }

    int init() override
    {
        int result = -1;
        SessionUser::withDeviceAccess([&] { result = m_inner->init(); });
        return result;
    }
    HidHandle *open(unsigned short vendorId, unsigned short productId) override
    {
        HidHandle *handle = nullptr;
        SessionUser::withDeviceAccess([&] { handle = m_inner->open(vendorId, productId); });
        return handle;
    }
    int write(HidHandle *handle, const uint8_t *data, size_t length) override
    {
        return m_inner->write(handle, data, length);
    }
    int read(HidHandle *handle, uint8_t *data, size_t length, int timeoutMs) override
    {
        return m_inner->read(handle, data, length, timeoutMs);
    }
    void close(HidHandle *handle) override { m_inner->close(handle); }

private:
    std::unique_ptr<HidTransport> m_inner;
};

} // namespace

bool DeviceSetup::apply(const CommandLine &line, DeviceBus &bus, HotplugMonitor *hotplug, QObject *owner,
                        QString *error)
{
    if (!line.hidTrace.isEmpty()) {
        auto trace = std::make_unique<ProtocolTrace>(line.hidTrace);
        if (!trace->isOpen()) {
            *error = QStringLiteral("cannot write the trace file %1: %2").arg(line.hidTrace, trace->errorString());
            return false;
        }
        bus.setTrace(std::move(trace));
    }
    if (!line.simulateSet) {
        bus.setTransport(std::make_unique<SessionTransport>(createHidapiTransport()));
        return true;
    }
    auto boxes = std::make_unique<SimulatedBoxes>();
    QString specError;
    if (!boxes->plugFromSpec(line.simulate, &specError)) {
        *error = QStringLiteral("--simulate=%1: %2").arg(line.simulate, specError);
        return false;
    }
    if (!line.simulateLatency.isEmpty()) {
        bool ok = false;
        const int ms = line.simulateLatency.toInt(&ok);
        if (!ok || ms < 0 || ms > 60000) {
            *error = QStringLiteral("--simulate-latency=%1: milliseconds 0-60000").arg(line.simulateLatency);
            return false;
        }
        boxes->setDefaultLatency(ms);
    }
    if (hotplug)
        boxes->setDeviceSetChangedHandler([hotplug](const QByteArray &removed) {
            if (removed.isEmpty())
                hotplug->notify();
            else
                hotplug->notifyRemoved(removed);
        });
    simulator = boxes.get();
    bus.setTransport(std::move(boxes));
    if (!line.simulateControl.isEmpty()) {
        auto *control = new SimControlServer(simulator, owner);
        if (!control->listen(line.simulateControl, error)) {
            *error = QStringLiteral("--simulate-control=%1: %2").arg(line.simulateControl, *error);
            return false;
        }
    }
    return true;
}
