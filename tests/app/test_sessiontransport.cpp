// SPDX-License-Identifier: GPL-3.0-or-later
#include "startup/SessionTransport.h"
#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/FanSafety.h"
#include "device/Report.h"

#include <QtTest>

#include <vector>

namespace {

// A backend that records every call and answers with values no default would give.
class RecordingTransport final : public HidTransport {
public:
    std::vector<QByteArray> calls;
    bool *destroyed = nullptr;
    HidHandle *const handle = reinterpret_cast<HidHandle *>(this);

    ~RecordingTransport() override
    {
        if (destroyed)
            *destroyed = true;
    }
    int init() override
    {
        calls.push_back("init");
        return 7;
    }
    HidHandle *open(unsigned short vendorId, unsigned short productId) override
    {
        calls.push_back("open " + QByteArray::number(vendorId, 16) + ' ' + QByteArray::number(productId, 16));
        return productId == kProductIdBase + 2 ? handle : nullptr;
    }
    int write(HidHandle *h, const uint8_t *data, size_t length) override
    {
        calls.push_back("write " + QByteArray::number(h == handle) + ' ' + QByteArray::number(data[1], 16) + ' '
                        + QByteArray::number(qulonglong(length)));
        return 65;
    }
    int read(HidHandle *h, uint8_t *data, size_t length, int timeoutMs) override
    {
        calls.push_back("read " + QByteArray::number(h == handle) + ' ' + QByteArray::number(qulonglong(length)) + ' '
                        + QByteArray::number(timeoutMs));
        data[0] = 0x5A;
        return 9;
    }
    void close(HidHandle *h) override { calls.push_back("close " + QByteArray::number(h == handle)); }
    QByteArray node(HidHandle *h) const override { return h == handle ? "/dev/hidraw7" : QByteArray(); }
    int emergencyDescriptor(HidHandle *h) const override { return h == handle ? 42 : -1; }
};

} // namespace

// The wrapper a real box is driven through when the program acts for a user:
// it must forward every call of the transport, or a replug goes unnoticed and
// a crash writes nothing.
class TestSessionTransport : public QObject {
    Q_OBJECT

private slots:
    void everyCallReachesTheBackend()
    {
        bool destroyed = false;
        auto inner = std::make_unique<RecordingTransport>();
        RecordingTransport *backend = inner.get();
        backend->destroyed = &destroyed;
        {
            SessionTransport wrapper(std::move(inner));
            QCOMPARE(wrapper.init(), 7);
            QCOMPARE(wrapper.open(kVendorId, kProductIdBase), static_cast<HidHandle *>(nullptr));
            HidHandle *h = wrapper.open(kVendorId, kProductIdBase + 2);
            QCOMPARE(h, backend->handle);
            Report out{};
            out[1] = 0x33;
            QCOMPARE(wrapper.write(h, out.data(), out.size()), 65);
            Reply in{};
            QCOMPARE(wrapper.read(h, in.data(), in.size(), 37), 9);
            QCOMPARE(int(in[0]), 0x5A);
            QCOMPARE(wrapper.node(h), QByteArray("/dev/hidraw7"));
            QCOMPARE(wrapper.emergencyDescriptor(h), 42);
            QCOMPARE(wrapper.node(nullptr), QByteArray());
            QCOMPARE(wrapper.emergencyDescriptor(nullptr), -1);
            wrapper.close(h);
            const std::vector<QByteArray> expected{"init", "open 264a 1fa5", "open 264a 1fa7", "write 1 33 65",
                                                   "read 1 64 37", "close 1"};
            QCOMPARE(backend->calls, expected);
            QVERIFY(!destroyed);
        }
        QVERIFY(destroyed); // the wrapper owns its backend
    }

    void theBusAndTheCrashPathSeeTheBackendsNode()
    {
        auto inner = std::make_unique<RecordingTransport>();
        DeviceBus bus;
        bus.setTransport(std::make_unique<SessionTransport>(std::move(inner)));
        QVERIFY(bus.open(2));
        QCOMPARE(bus.node(2), QByteArray("/dev/hidraw7"));
        QCOMPARE(bus.emergencyDescriptor(2), 42);

        // A temperature-following fan of that box has its cap prepared for descriptor 42.
        BoxModel boxes;
        boxes[2].gIsConnected = true;
        boxes[2].boxType = 1;
        for (auto &fan : boxes[2].rainbowFan)
            fan.isPWM = false;
        boxes[2].rainbowFan[0].isPWM = true;
        boxes[2].rainbowFan[0].isMonitor = true;
        const auto prepared = crashReports(boxes, bus);
        QCOMPARE(int(prepared.size()), 1);
        QCOMPARE(prepared.front().descriptor, 42);
        bus.close(2);
        QCOMPARE(bus.node(2), QByteArray());
        bus.setTransport(nullptr);
    }
};

QTEST_GUILESS_MAIN(TestSessionTransport)
#include "test_sessiontransport.moc"
