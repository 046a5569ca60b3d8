// SPDX-License-Identifier: GPL-3.0-or-later
#include "device/BoxTable.h"
#include "device/Reports.h"
#include "device/sim/SimulatedBoxes.h"

#include <QtTest>

// The box simulator behaves like a box: the rest of the suite relies on it.
class TestSimulator : public QObject {
    Q_OBJECT

private:
    qint64 clock = 0;

    std::unique_ptr<SimulatedBoxes> make(const QString &spec)
    {
        auto sim = std::make_unique<SimulatedBoxes>();
        clock = 0;
        sim->setClock([this] { return clock; });
        QString error;
        sim->plugFromSpec(spec, &error);
        return sim;
    }

    static Reply exchange(SimulatedBoxes &sim, HidHandle *h, const Report &out, int *length = nullptr)
    {
        Reply in{};
        sim.write(h, out.data(), out.size());
        const int n = sim.read(h, in.data(), in.size(), 0);
        if (length)
            *length = n;
        return in;
    }

    static int readRpm(SimulatedBoxes &sim, HidHandle *h, int port)
    {
        const Reply in = exchange(sim, h, Reports::readFanSpeed(port));
        return in[5] + 256 * in[6];
    }

private slots:
    void specsAreParsedStrictly()
    {
        std::array<int, 16> types{};
        QString error;
        QVERIFY(SimulatedBoxes::parseSpec(QStringLiteral("-,1,-,-,0"), &types, &error));
        QCOMPARE(types[0], -1);
        QCOMPARE(types[1], 1);
        QCOMPARE(types[4], 0);
        QCOMPARE(types[5], -1);
        QVERIFY(!SimulatedBoxes::parseSpec(QStringLiteral("1,2"), &types, &error));
        QVERIFY(error.contains(QStringLiteral("slot 1")));
        QStringList seventeen;
        for (int i = 0; i < 17; ++i)
            seventeen << QStringLiteral("1");
        QVERIFY(!SimulatedBoxes::parseSpec(seventeen.join(QLatin1Char(',')), &types, &error));
        QVERIFY(error.contains(QStringLiteral("17")));
    }

    void answersLikeABox()
    {
        auto sim = make(QStringLiteral("1"));
        HidHandle *h = sim->open(kVendorId, kProductIdBase);
        QVERIFY(h);
        QVERIFY(!sim->open(kVendorId, kProductIdBase + 1));
        QVERIFY(!sim->open(0x1234, kProductIdBase));

        int n = 0;
        Reply in = exchange(*sim, h, Reports::readFirmwareVersion(), &n);
        QCOMPARE(n, kReplySize);
        QCOMPARE(in[0], uint8_t(0x33));
        QCOMPARE(in[1], uint8_t(0x50));
        QCOMPARE(Reports::firmwareVersionText(in), QStringLiteral("1.2.3"));

        in = exchange(*sim, h, Reports::probe());
        QCOMPARE(in[0], uint8_t(0xFE));
        QCOMPARE(in[1], uint8_t(0x33));

        // One reply per write: a second read finds nothing.
        uint8_t extra[64];
        QCOMPARE(sim->read(h, extra, 64, 0), 0);

        // Real limits: 65 bytes, report ID 0.
        Report bad = Reports::probe();
        bad[0] = 1;
        QCOMPARE(sim->write(h, bad.data(), bad.size()), -1);
        QCOMPARE(sim->write(h, bad.data(), 64), -1);

        Report light = Reports::rainbowLighting(3, 24);
        light[10] = 99;
        exchange(*sim, h, light);
        QCOMPARE(sim->lastLighting(0, 2), light);
    }

    void speedFollowsCommandsWithInertia()
    {
        auto sim = make(QStringLiteral("1,0"));
        HidHandle *h = sim->open(kVendorId, kProductIdBase);
        QCOMPARE(readRpm(*sim, h, 1), 1000); // turning since power-on

        exchange(*sim, h, Reports::fanDuty(1, 50));
        QCOMPARE(readRpm(*sim, h, 1), 1000);
        clock += 1000;
        QCOMPARE(readRpm(*sim, h, 1), 850); // halfway to 700
        clock += 1000;
        QCOMPARE(readRpm(*sim, h, 1), 700);

        exchange(*sim, h, Reports::fanTargetSpeed(2, 1400));
        clock += 5000;
        QCOMPARE(readRpm(*sim, h, 2), 1400);

        QCOMPARE(sim->command(QStringLiteral("stall 0 1")), QStringLiteral("ok"));
        QCOMPARE(readRpm(*sim, h, 2), 0);
        QCOMPARE(sim->command(QStringLiteral("run 0 1")), QStringLiteral("ok"));
        clock += 1000;
        QCOMPARE(readRpm(*sim, h, 2), 700); // spinning up from standstill

        // A single-colour box: duty and performance on its own commands; no fourth fan.
        HidHandle *v = sim->open(kVendorId, kProductIdBase + 1);
        exchange(*sim, v, Reports::vaylaDuty(1, 20));
        exchange(*sim, v, Reports::vaylaPerformance(2));
        clock += 3000;
        QCOMPARE(readRpm(*sim, v, 1), 280);
        QCOMPARE(readRpm(*sim, v, 2), 1400);
        QCOMPARE(readRpm(*sim, v, 4), 0);
    }

    void controlCommandsChangeTheWorld()
    {
        auto sim = make(QStringLiteral("1"));
        int changes = 0;
        sim->setDeviceSetChangedHandler([&](const QByteArray &) { ++changes; });
        HidHandle *h = sim->open(kVendorId, kProductIdBase);

        QCOMPARE(sim->command(QStringLiteral("plug 3 0")), QStringLiteral("ok"));
        QCOMPARE(sim->typeOf(3), 0);
        QCOMPARE(changes, 1);
        QVERIFY(sim->command(QStringLiteral("plug 3 1")).startsWith(QStringLiteral("error: ")));
        QVERIFY(sim->command(QStringLiteral("plug 16 1")).startsWith(QStringLiteral("error: ")));
        QVERIFY(sim->command(QStringLiteral("plug 5 7")).startsWith(QStringLiteral("error: ")));
        QVERIFY(sim->command(QStringLiteral("stall 3 3")).startsWith(QStringLiteral("error: "))); // three fans only
        QVERIFY(sim->command(QStringLiteral("stall 0")).startsWith(QStringLiteral("error: ")));
        QVERIFY(sim->command(QStringLiteral("dance 1")).startsWith(QStringLiteral("error: ")));
        QVERIFY(sim->command(QString()).startsWith(QStringLiteral("error: ")));

        QCOMPARE(sim->command(QStringLiteral("unplug 0")), QStringLiteral("ok"));
        QCOMPARE(changes, 2);
        // The handle of an unplugged box is dead, even after the box returns.
        Report probe = Reports::probe();
        QCOMPARE(sim->write(h, probe.data(), probe.size()), -1);
        QCOMPARE(sim->command(QStringLiteral("plug 0 1")), QStringLiteral("ok"));
        QCOMPARE(sim->write(h, probe.data(), probe.size()), -1);
        sim->close(h);

        HidHandle *fresh = sim->open(kVendorId, kProductIdBase);
        QCOMPARE(sim->command(QStringLiteral("mute 0")), QStringLiteral("ok"));
        int n = -1;
        exchange(*sim, fresh, probe, &n);
        QCOMPARE(n, 0);
        QCOMPARE(sim->command(QStringLiteral("unmute 0")), QStringLiteral("ok"));
        exchange(*sim, fresh, probe, &n);
        QCOMPARE(n, kReplySize);
    }

    void hostileRepliesAreMadeOnRequest()
    {
        auto sim = make(QStringLiteral("1,1"));
        HidHandle *h = sim->open(kVendorId, kProductIdBase);
        HidHandle *other = sim->open(kVendorId, kProductIdBase + 1);
        const Report probe = Reports::probe();
        int n = -1;
        const Reply normal = exchange(*sim, h, probe, &n);
        QCOMPARE(n, kReplySize);

        // Exactly the bytes asked for, once, and a short read is short.
        QCOMPARE(sim->command(QStringLiteral("reply 0 ffee")), QStringLiteral("ok"));
        Reply in = exchange(*sim, h, probe, &n);
        QCOMPARE(n, 2);
        QCOMPARE(in[0], uint8_t(0xff));
        QCOMPARE(in[1], uint8_t(0xee));
        QCOMPARE(exchange(*sim, h, probe, &n), normal);
        QCOMPARE(n, kReplySize);

        // Garbage of every length from a seed, for that box only, then a box again.
        QCOMPARE(sim->command(QStringLiteral("garble 0 200 7")), QStringLiteral("ok"));
        QSet<int> lengths;
        int differing = 0;
        for (int i = 0; i < 200; ++i) {
            in = exchange(*sim, h, probe, &n);
            lengths.insert(n);
            differing += in != normal ? 1 : 0;
            QCOMPARE(exchange(*sim, other, probe, &n), normal);
        }
        QVERIFY(lengths.contains(-1) && lengths.contains(0) && lengths.contains(kReplySize));
        QVERIFY(lengths.size() > 40);
        QVERIFY(differing > 190);
        QCOMPARE(exchange(*sim, h, probe, &n), normal);
        QCOMPARE(n, kReplySize);

        // The same seed gives the same garbage.
        auto garbage = [&](const QString &seed) {
            sim->command(QStringLiteral("garble 0 5 ") + seed);
            QList<Reply> out;
            for (int i = 0; i < 5; ++i)
                out << exchange(*sim, h, probe);
            return out;
        };
        QCOMPARE(garbage(QStringLiteral("9")), garbage(QStringLiteral("9")));
        QVERIFY(garbage(QStringLiteral("9")) != garbage(QStringLiteral("10")));

        for (const char *bad : {"reply 0 abc", "reply 0 zz", "reply 16 00", "garble 0 -1", "garble 0 5 x",
                                "garble 0 2000000", "reply 0 " })
            QVERIFY2(sim->command(QString::fromLatin1(bad)).startsWith(QStringLiteral("error: ")), bad);
        QVERIFY(sim->command(QStringLiteral("reply 0 ") + QString(130, QLatin1Char('0'))).startsWith(QStringLiteral("error: ")));
    }
};

QTEST_APPLESS_MAIN(TestSimulator)
#include "test_simulator.moc"
