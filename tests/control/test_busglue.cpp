// SPDX-License-Identifier: GPL-3.0-or-later
#include "PrivateSessionBus.h"
#include "SimFixture.h"

#include "control/Controller.h"
#include "core/Core.h"
#include "dbus/BusNames.h"
#include "dbus/CoreBus.h"
#include "device/BoxModel.h"
#include "device/DeviceBus.h"
#include "device/FanMonitor.h"
#include "device/FanSpeed.h"
#include "lighting/SoftwareEffects.h"
#include "monitoring/Monitoring.h"
#include "storage/IniHelper.h"

#include <QDBusArgument>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QXmlStreamReader>
#include <QtTest>

#include <cmath>
#include <map>
#include <memory>
#include <tuple>
#include <utility>

namespace {
// Every signal of the interface that reached a client, in order.
class SignalLog : public QObject {
    Q_OBJECT
public:
    QStringList names;
    QList<QVariantList> args;
    int count(const QString &name) const { return names.count(name); }
    int count(const QString &name, const QVariantList &with) const
    {
        int n = 0;
        for (int i = 0; i < names.size(); ++i)
            n += names[i] == name && args[i] == with;
        return n;
    }
public slots:
    void record(const QDBusMessage &m)
    {
        names << m.member();
        args << m.arguments();
    }
};

QVariantMap asMap(const QVariant &v)
{
    if (v.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantMap>(v.value<QDBusArgument>());
    return v.toMap();
}

// "method Name(in types)(out types)" / "signal Name(types)" of the interface in `xml`.
QStringList members(const QString &xml)
{
    QStringList out;
    QXmlStreamReader r(xml);
    bool inInterface = false;
    QString current, in, outTypes;
    while (!r.atEnd()) {
        r.readNext();
        const QString name = r.name().toString();
        if (r.isStartElement() && name == QLatin1String("interface"))
            inInterface = r.attributes().value(QLatin1String("name")) == QLatin1String(AuriventBus::kInterface);
        else if (r.isEndElement() && name == QLatin1String("interface"))
            inInterface = false;
        if (!inInterface)
            continue;
        if (r.isStartElement() && name == QLatin1String("property")) {
            out << QStringLiteral("property %1 %2 %3")
                       .arg(r.attributes().value(QLatin1String("name")).toString(),
                            r.attributes().value(QLatin1String("type")).toString(),
                            r.attributes().value(QLatin1String("access")).toString());
        } else if (r.isStartElement() && (name == QLatin1String("method") || name == QLatin1String("signal"))) {
            current = name + QLatin1Char(' ') + r.attributes().value(QLatin1String("name")).toString();
            in.clear();
            outTypes.clear();
        } else if (r.isStartElement() && name == QLatin1String("arg")) {
            // A signal's arguments are all its own (Qt marks them "out").
            const bool out = current.startsWith(QLatin1String("method"))
                && r.attributes().value(QLatin1String("direction")) == QLatin1String("out");
            (out ? outTypes : in) +=
                r.attributes().value(QLatin1String("type")).toString();
        } else if (r.isEndElement() && (name == QLatin1String("method") || name == QLatin1String("signal"))) {
            out << current + QLatin1Char('(') + in + QStringLiteral(")(") + outTypes + QLatin1Char(')');
        }
    }
    out.sort();
    return out;
}

QVariantList asList(const QVariant &v)
{
    if (v.canConvert<QDBusArgument>())
        return qdbus_cast<QVariantList>(v.value<QDBusArgument>());
    return v.toList();
}
} // namespace

// The program's D-Bus interface, called by another client over a bus of the
// test's own, against the control loop on simulated boxes.
class TestBusGlue : public QObject {
    Q_OBJECT

private:
    PrivateSessionBus bus;
    std::unique_ptr<Core> core;
    SimulatedBoxes *sim = nullptr;
    std::unique_ptr<Controller> control;
    SignalLog log;

    QDBusConnection client() { return bus.connection(); }

    // A method call from the other client; the reply (or error) once it came.
    QDBusMessage call(const QString &method, const QVariantList &arguments = {})
    {
        QDBusMessage m = QDBusMessage::createMethodCall(QLatin1String(AuriventBus::kService),
                                                        QLatin1String(AuriventBus::kPath),
                                                        QLatin1String(AuriventBus::kInterface), method);
        m.setArguments(arguments);
        QDBusPendingCallWatcher watcher(client().asyncCall(m, 30000));
        if (!watcher.isFinished()) {
            QSignalSpy done(&watcher, &QDBusPendingCallWatcher::finished);
            done.wait(30000);
        }
        return watcher.reply();
    }

    // One poll of every fan, its readings in and their signals received.
    bool pollOnce()
    {
        bool polled = false;
        return pollUntil([&] { return std::exchange(polled, true); });
    }

    // The last report of each kind and port a box was sent. A report still
    // waiting in the box's queue gives way to a newer one of its kind and
    // port, so how many of them reach the box depends on its I/O thread.
    std::map<std::tuple<int, int, int>, Report> lastByPort(int box) const
    {
        std::map<std::tuple<int, int, int>, Report> last;
        for (const Report &r : sentTo(sim, box))
            last[{r[1], r[2], r[3]}] = r;
        return last;
    }

    // A list of maps (aa{sv}) as it came in a signal or a reply.
    static QList<QVariantMap> mapList(const QVariant &v)
    {
        if (v.canConvert<QDBusArgument>())
            return qdbus_cast<QList<QVariantMap>>(v.value<QDBusArgument>());
        return v.value<QList<QVariantMap>>();
    }

    // The properties each PropertiesChanged told, in order.
    QList<QVariantMap> propertyChanges() const
    {
        QList<QVariantMap> out;
        for (int i = 0; i < log.names.size(); ++i)
            if (log.names[i] == QLatin1String("PropertiesChanged"))
                out << asMap(log.args[i].value(1));
        return out;
    }

    int changesOf(const QString &property) const
    {
        int n = 0;
        for (const QVariantMap &changed : propertyChanges())
            n += changed.contains(property);
        return n;
    }

    QVariant getProperty(const QString &name)
    {
        QDBusMessage m = QDBusMessage::createMethodCall(QLatin1String(AuriventBus::kService),
                                                        QLatin1String(AuriventBus::kPath),
                                                        QStringLiteral("org.freedesktop.DBus.Properties"),
                                                        QStringLiteral("Get"));
        m.setArguments({QLatin1String(AuriventBus::kInterface), name});
        QDBusPendingCallWatcher watcher(client().asyncCall(m, 30000));
        QSignalSpy done(&watcher, &QDBusPendingCallWatcher::finished);
        if (!watcher.isFinished())
            done.wait(30000);
        return watcher.reply().arguments().value(0).value<QDBusVariant>().variant();
    }

    QVariantMap status()
    {
        const QDBusMessage reply = call(QStringLiteral("GetStatus"));
        if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
            return {};
        return asMap(reply.arguments().first());
    }

    // Polls every fan until `done` holds (each poll's readings come back on
    // the event loop).
    bool pollUntil(const std::function<bool()> &done)
    {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > 30000)
                return false;
            QSignalSpy read(&core->fans(), &FanMonitor::fanSpeedRead);
            core->fans().poll();
            if (!read.wait(10000))
                return false;
            core->bus().waitForIdle();
            QCoreApplication::processEvents();
            call(QStringLiteral("GetStatus")); // signals sent so far arrive before its reply
        }
        return true;
    }

    // Neither the speed poll nor a sensor pass of the program's own sends
    // anything while a test counts what reached the boxes.
    void quietTimers()
    {
        control->stopSpeedPoll();
        control->effects()->setSensorPeriods(3600 * 1000, 3600 * 1000);
    }

private slots:
    void initTestCase()
    {
        const QString why = bus.start();
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        // The control loop takes the session bus from the environment.
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toLocal8Bit());
        for (const char *name : {"FanStalled", "FanTurnsAgain", "BoxHealthChanged", "TemperatureLost",
                                 "TemperatureBack", "ProfileLoaded", "SaveFailed"})
            QVERIFY(client().connect(QString(), QLatin1String(AuriventBus::kPath),
                                     QLatin1String(AuriventBus::kInterface), QLatin1String(name), &log,
                                     SLOT(record(QDBusMessage))));
        QVERIFY(client().connect(QString(), QLatin1String(AuriventBus::kPath),
                                 QStringLiteral("org.freedesktop.DBus.Properties"),
                                 QStringLiteral("PropertiesChanged"), &log, SLOT(record(QDBusMessage))));
    }

    void init()
    {
        QDir(IniHelper::dataFolder()).removeRecursively();
        QDir().mkpath(IniHelper::dataFolder());
        QFile file(IniHelper::deviceFilePath());
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\nPassword=9462\nOpenPassword=0\n");
        file.close();
        core = std::make_unique<Core>();
        sim = installSimulatedBoxes(core->bus(), QStringLiteral("1,-,1"));
        ControlOptions options;
        options.simulated = true;
        control = std::make_unique<Controller>(*core, options);
        QTRY_VERIFY_WITH_TIMEOUT(client().interface()->isServiceRegistered(QLatin1String(AuriventBus::kService)),
                                 30000);
        QVERIFY(core->bus().waitForIdle());
        log.names.clear();
        log.args.clear();
    }

    void cleanup()
    {
        control.reset();
        core.reset();
        sim = nullptr;
    }

    // The snapshot names the boxes the simulator has, with their kinds, fans
    // and readings, and follows a new reading.
    void statusShowsTheBoxes()
    {
        quietTimers();
        QVariantMap s = status();
        QCOMPARE(s.value(QStringLiteral("schema")).toInt(), AuriventBus::kStatusSchema);
        QVariantList boxes = asList(s.value(QStringLiteral("boxes")));
        QCOMPARE(boxes.size(), 2);
        const QVariantMap rgb = asMap(boxes[0]);
        QVariantMap single = asMap(boxes[1]);
        QCOMPARE(rgb.value(QStringLiteral("slot")).toInt(), 0);
        QCOMPARE(rgb.value(QStringLiteral("kind")).toString(), QStringLiteral("rgb"));
        QCOMPARE(single.value(QStringLiteral("slot")).toInt(), 2);
        QCOMPARE(single.value(QStringLiteral("kind")).toString(), QStringLiteral("rgb"));
        QCOMPARE(asList(rgb.value(QStringLiteral("fans"))).size(), kRainbowFanCount);
        // The kind is the one the program drives the box as (its stored settings).
        core->boxes()[2].boxType = BoxType::Vayla;
        single = asMap(asList(status().value(QStringLiteral("boxes")))[1]);
        QCOMPARE(single.value(QStringLiteral("kind")).toString(), QStringLiteral("single-colour"));
        QCOMPARE(asList(single.value(QStringLiteral("fans"))).size(), kVaylaFanCount);
        core->boxes()[2].boxType = BoxType::Rainbow;
        QVERIFY(!rgb.value(QStringLiteral("firmware")).toString().isEmpty());
        QVERIFY(asMap(s.value(QStringLiteral("temperature"))).contains(QStringLiteral("known")));
        QCOMPARE(s.value(QStringLiteral("currentProfile")).toInt(), control->currentProfile());

        // After a poll each fan shows what the simulator turns it at.
        QVERIFY(pollUntil([this] { return core->boxes().reading(0, 1).rpm > 0; }));
        s = status();
        const QVariantMap fan1 = asMap(asList(asMap(asList(s.value(QStringLiteral("boxes")))[0])
                                                  .value(QStringLiteral("fans")))[1]);
        QCOMPARE(fan1.value(QStringLiteral("rpm")).toInt(), core->boxes().reading(0, 1).rpm);
        QCOMPARE(fan1.value(QStringLiteral("duty")).toInt(), core->boxes().commandedDuty(0, 1));
        QCOMPARE(fan1.value(QStringLiteral("stalled")).toBool(), false);

        // The status asks a box for its firmware once; what it read, the
        // metrics show too, and a status again asks nothing.
        QVERIFY(core->bus().waitForIdle());
        const quint64 sent = sim->sentTotal();
        QCOMPARE(asMap(asList(status().value(QStringLiteral("boxes")))[1]).value(QStringLiteral("firmware")).toString(),
                 QStringLiteral("1.2.3"));
        QVERIFY(core->bus().waitForIdle());
        QCOMPARE(sim->sentTotal(), sent);
        for (const BoxMetrics &b : control->monitoring()->snapshot().boxes)
            QCOMPARE(b.firmware, QStringLiteral("1.2.3"));
        QCOMPARE(control->monitoring()->snapshot().boxes.size(), 2);
    }

    // A stalled fan is told once, however many polls see it, and so is its
    // turning again; the snapshot shows the stall meanwhile.
    void stallsAreToldOncePerChange()
    {
        QVERIFY(sim->stall(0, 3).isEmpty());
        const QVariantList fan{0, 3};
        QVERIFY(pollUntil([&] { return log.count(QStringLiteral("FanStalled"), fan) > 0; }));
        QVERIFY(pollUntil([] { return true; }));
        // A device change raises the latched stall again: no news on the bus.
        core->fans().raiseLatchedStalls();
        QVERIFY(pollUntil([] { return true; }));
        QCOMPARE(log.count(QStringLiteral("FanStalled"), fan), 1);
        const QVariantMap fan3 = asMap(asList(asMap(asList(status().value(QStringLiteral("boxes")))[0])
                                                  .value(QStringLiteral("fans")))[3]);
        QVERIFY(fan3.value(QStringLiteral("stalled")).toBool());

        QVERIFY(sim->run(0, 3).isEmpty());
        QVERIFY(pollUntil([&] { return log.count(QStringLiteral("FanTurnsAgain"), fan) > 0; }));
        QVERIFY(pollUntil([] { return true; }));
        QCOMPARE(log.count(QStringLiteral("FanTurnsAgain"), fan), 1);
        QCOMPARE(log.count(QStringLiteral("FanStalled"), fan), 1);
    }

    // A box that stops answering is told once, by name.
    void boxHealthIsTold()
    {
        QVERIFY(sim->mute(2, true).isEmpty());
        QVERIFY(pollUntil([this] { return log.count(QStringLiteral("BoxHealthChanged")) > 0; }));
        QVERIFY(pollUntil([] { return true; }));
        QCOMPARE(log.count(QStringLiteral("BoxHealthChanged")), 1);
        const QVariantList args = log.args[log.names.indexOf(QStringLiteral("BoxHealthChanged"))];
        QCOMPARE(args.value(0).toInt(), 2);
        QCOMPARE(args.value(1).toString(), QStringLiteral("not answering"));
        const QVariantMap box2 = asMap(asList(status().value(QStringLiteral("boxes")))[1]);
        QCOMPARE(box2.value(QStringLiteral("health")).toString(), QStringLiteral("not answering"));
    }

    // Every sensor pass reports; only a loss and a return become signals.
    void temperatureChangesOnly()
    {
        SoftwareEffects *effects = control->effects();
        emit effects->temperatureChanged(40);
        call(QStringLiteral("GetStatus"));
        log.names.clear();
        emit effects->temperatureChanged(41);
        emit effects->temperatureMissing();
        emit effects->temperatureMissing();
        emit effects->temperatureChanged(42);
        emit effects->temperatureChanged(43);
        call(QStringLiteral("GetStatus"));
        // (The sensor thread's own passes may add news after these.)
        QCOMPARE(log.names.mid(0, 2), (QStringList{QStringLiteral("TemperatureLost"), QStringLiteral("TemperatureBack")}));
    }

    // A profile number out of range is refused with a clear error and sends
    // nothing; a good one loads, reaches the box and is told.
    void loadProfileChecksItsNumber()
    {
        quietTimers();
        sim->clearSent();
        for (int bad : {0, 6, -1, 1 << 30}) {
            const QDBusMessage reply = call(QStringLiteral("LoadProfile"), {bad});
            QCOMPARE(reply.type(), QDBusMessage::ErrorMessage);
            QCOMPARE(reply.errorName(), QStringLiteral("io.github.aurivent.Aurivent1.Error.InvalidArgument"));
            QVERIFY(reply.errorMessage().contains(QString::number(bad)));
        }
        QVERIFY(core->bus().waitForIdle());
        QVERIFY(sentTo(sim, 0).empty());
        QCOMPARE(log.count(QStringLiteral("ProfileLoaded")), 0);

        const QDBusMessage good = call(QStringLiteral("LoadProfile"), {3});
        QCOMPARE(good.type(), QDBusMessage::ReplyMessage);
        QCOMPARE(control->currentProfile(), 3);
        QCOMPARE(log.args.value(log.names.indexOf(QStringLiteral("ProfileLoaded"))), (QVariantList{3}));
        QVERIFY(core->bus().waitForIdle());
        QVERIFY(!sentTo(sim, 0).empty());

        const QDBusMessage badSave = call(QStringLiteral("SaveProfile"), {9});
        QCOMPARE(badSave.errorName(), QStringLiteral("io.github.aurivent.Aurivent1.Error.InvalidArgument"));
        QCOMPARE(control->currentProfile(), 3);
        QCOMPARE(call(QStringLiteral("SaveProfile"), {2}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(control->currentProfile(), 2);
        QCOMPARE(core->boxes()[0].profileValue, 2);
    }

    // A lighting call sends what the phone's own commands for the same fan
    // send (colour and modes, then brightness), byte for byte, and leaves
    // the fan's record as they do; -1 reaches every fan of the box.
    void setLightingIsThePhonesPath()
    {
        quietTimers();
        const RainbowFanRecord before = core->boxes()[0].rainbowFan[2];
        sim->clearSent();
        QCOMPARE(call(QStringLiteral("SetLighting"), {0, 2, 4, QVariant::fromValue(QList<int>{10, 20, 30}), 1, 70})
                     .type(),
                 QDBusMessage::ReplyMessage);
        QVERIFY(core->bus().waitForIdle());
        const auto byBus = lastByPort(0);
        const RainbowFanRecord afterBus = core->boxes()[0].rainbowFan[2];
        QVERIFY(!byBus.empty());
        QCOMPARE(afterBus.lightMode, 4);
        QCOMPARE(afterBus.rValue_Led[5], 10);
        QCOMPARE(afterBus.bValue_Led[12], 30);

        core->boxes()[0].rainbowFan[2] = before;
        sim->clearSent();
        const QString colorMode = QString::number(before.colorMode);
        const QVariantMap colour{{QStringLiteral("BoxNum"), QStringLiteral("1")},
                                 {QStringLiteral("FanNum"), QStringLiteral("001")},
                                 {QStringLiteral("LED1"), QStringLiteral("1111111111111")},
                                 {QStringLiteral("RColor"), QStringLiteral("10")},
                                 {QStringLiteral("GColor"), QStringLiteral("20")},
                                 {QStringLiteral("BColor"), QStringLiteral("30")},
                                 {QStringLiteral("ColorMode"), colorMode},
                                 {QStringLiteral("LightMode"), QStringLiteral("4")},
                                 {QStringLiteral("Speed"), QStringLiteral("1")}};
        QVariantMap bright = colour;
        bright.insert(QStringLiteral("Bright"), QStringLiteral("7"));
        control->socketHelperReceiveData({{QStringLiteral("command"), 2}, {QStringLiteral("Data"), colour}});
        control->socketHelperReceiveData({{QStringLiteral("command"), 16}, {QStringLiteral("Data"), bright}});
        QVERIFY(core->bus().waitForIdle());
        QVERIFY(lastByPort(0) == byBus);
        QVERIFY(core->boxes()[0].rainbowFan[2] == afterBus);

        QCOMPARE(call(QStringLiteral("SetLighting"), {2, -1, 5, QVariant::fromValue(QList<int>()), 2, -1}).type(),
                 QDBusMessage::ReplyMessage);
        for (int fan = 0; fan < kRainbowFanCount; ++fan) {
            QCOMPARE(core->boxes()[2].rainbowFan[fan].lightMode, 5);
            QCOMPARE(core->boxes()[2].rainbowFan[fan].lightSpeed, 2);
        }
    }

    // A speed call is the fan editor's button or slider for that fan.
    void setSpeedIsTheEditorsPath()
    {
        quietTimers();
        const struct {
            QString setting;
            QStringList message;
        } cases[] = {
            {QStringLiteral("Silent"), {QStringLiteral("btn_silent"), QStringLiteral("1")}},
            {QStringLiteral("performance"), {QStringLiteral("btn_performance"), QStringLiteral("1")}},
            {QStringLiteral("3"), {QStringLiteral("slider_FanSpeed_Per"), QStringLiteral("1"), QStringLiteral("3")}},
        };
        for (const auto &c : cases) {
            core->boxes()[0].rainbowFan[1].isPWM = false;
            const RainbowFanRecord before = core->boxes()[0].rainbowFan[1];
            sim->clearSent();
            QCOMPARE(call(QStringLiteral("SetSpeed"), {0, 1, c.setting}).type(), QDBusMessage::ReplyMessage);
            QVERIFY(core->bus().waitForIdle());
            const std::vector<Report> byBus = sentTo(sim, 0);
            const RainbowFanRecord afterBus = core->boxes()[0].rainbowFan[1];
            QVERIFY2(!byBus.empty(), qPrintable(c.setting));
            core->boxes()[0].rainbowFan[1] = before;
            sim->clearSent();
            control->messages().receiveMainData(c.message);
            QVERIFY(core->bus().waitForIdle());
            QVERIFY2(sentTo(sim, 0) == byBus, qPrintable(c.setting));
            QVERIFY2(core->boxes()[0].rainbowFan[1] == afterBus, qPrintable(c.setting));
        }
        // Following the temperature needs the fan watched too.
        core->boxes()[2].rainbowFan[4].isMonitor = false;
        QCOMPARE(call(QStringLiteral("SetSpeed"), {2, -1, QStringLiteral("follow")}).type(),
                 QDBusMessage::ReplyMessage);
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            QVERIFY(followsTemperature(core->boxes(), 2, fan));
    }

    // Every bad argument gets an error naming it and nothing reaches a box.
    void settersCheckEveryArgument()
    {
        quietTimers();
        core->boxes()[2].boxType = BoxType::Vayla;
        const QVariant colour = QVariant::fromValue(QList<int>{1, 2, 3});
        const QString invalid = QStringLiteral("io.github.aurivent.Aurivent1.Error.InvalidArgument");
        const QString refused = QStringLiteral("io.github.aurivent.Aurivent1.Error.Refused");
        const struct {
            QString method;
            QVariantList args;
            QString error;
        } cases[] = {
            {QStringLiteral("SetLighting"), {16, 0, 0, colour, 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {-1, 0, 0, colour, 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {1, 0, 0, colour, 0, 50}, refused},
            {QStringLiteral("SetLighting"), {0, 5, 0, colour, 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {0, -2, 0, colour, 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {2, 3, 0, colour, 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {0, 0, 0, QVariant::fromValue(QList<int>{256, 0, 0}), 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {0, 0, 0, QVariant::fromValue(QList<int>{0, -1, 0}), 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {0, 0, 0, QVariant::fromValue(QList<int>{1, 2}), 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {0, 0, 8, colour, 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {2, 0, 3, colour, 0, 50}, invalid},
            {QStringLiteral("SetLighting"), {0, 0, 0, colour, 4, 50}, invalid},
            {QStringLiteral("SetLighting"), {0, 0, 0, colour, 0, 101}, invalid},
            {QStringLiteral("SetSpeed"), {0, 0, QStringLiteral("fast")}, invalid},
            {QStringLiteral("SetSpeed"), {0, 0, QStringLiteral("6")}, invalid},
            {QStringLiteral("SetSpeed"), {0, 0, QStringLiteral("-1")}, invalid},
            {QStringLiteral("SetSpeed"), {2, 3, QStringLiteral("silent")}, invalid},
            {QStringLiteral("SetSpeed"), {0, 1 << 30, QStringLiteral("silent")}, invalid},
            {QStringLiteral("SetSpeed"), {3, 0, QStringLiteral("silent")}, refused},
        };
        const ControllerBox box0 = core->boxes()[0];
        sim->clearSent();
        for (const auto &c : cases) {
            const QDBusMessage reply = call(c.method, c.args);
            const QString what = c.method + QLatin1Char(' ') + QVariant(c.args).toStringList().join(QLatin1Char(','));
            QVERIFY2(reply.type() == QDBusMessage::ErrorMessage, qPrintable(what));
            QVERIFY2(reply.errorName() == c.error, qPrintable(what + QLatin1Char(' ') + reply.errorName()));
            QVERIFY(!reply.errorMessage().isEmpty());
        }
        QVERIFY(core->bus().waitForIdle());
        QVERIFY(sim->sent().empty());
        for (int fan = 0; fan < kRainbowFanCount; ++fan)
            QVERIFY(core->boxes()[0].rainbowFan[fan] == box0.rainbowFan[fan]);

        // A single-colour box takes its own modes through its own view's path.
        QCOMPARE(call(QStringLiteral("SetLighting"), {2, 2, 2, colour, 0, 50}).type(), QDBusMessage::ReplyMessage);
        QVERIFY(core->bus().waitForIdle());
        const VaylaFanRecord &fan2 = core->boxes()[2].vaylaFan[2];
        QCOMPARE(fan2.lightMode, 2);
        QCOMPARE(fan2.bValue, 3);
        QCOMPARE(fan2.brightValue, 0.5f);
        QVERIFY(!sentTo(sim, 2).empty());
        core->boxes()[2].boxType = BoxType::Rainbow;
    }

    // The properties answer Get, and each change is told in one
    // PropertiesChanged: a profile, a fan's setting, the readings of a poll
    // (at most one change per box read, never one per fan per reading).
    void propertiesFollowTheState()
    {
        control->stopSpeedPoll(); // the test polls itself
        QCOMPARE(mapList(getProperty(QStringLiteral("Fans"))).size(), 2 * kRainbowFanCount);
        QCOMPARE(mapList(getProperty(QStringLiteral("Boxes"))).size(), 2);
        QCOMPARE(getProperty(QStringLiteral("TemperatureSource")).toString(), QStringLiteral("cpu"));
        QVERIFY(asMap(getProperty(QStringLiteral("PhoneServer"))).contains(QStringLiteral("listening")));

        QCOMPARE(call(QStringLiteral("LoadProfile"), {3}).type(), QDBusMessage::ReplyMessage);
        QTRY_VERIFY_WITH_TIMEOUT(changesOf(QStringLiteral("CurrentProfile")) == 1, 30000);
        QCOMPARE(propertyChanges().last().value(QStringLiteral("CurrentProfile")).toInt(), 3);
        QCOMPARE(getProperty(QStringLiteral("CurrentProfile")).toInt(), 3);

        log.names.clear();
        log.args.clear();
        QCOMPARE(call(QStringLiteral("SetSpeed"), {2, 4, QStringLiteral("silent")}).type(), QDBusMessage::ReplyMessage);
        auto fan24 = [](const QVariant &fans) {
            for (const QVariantMap &fan : mapList(fans)) {
                if (fan.value(QStringLiteral("box")).toInt() == 2 && fan.value(QStringLiteral("fan")).toInt() == 4)
                    return fan;
            }
            return QVariantMap();
        };
        QTRY_VERIFY_WITH_TIMEOUT(changesOf(QStringLiteral("Fans")) > 0, 30000);
        QCOMPARE(changesOf(QStringLiteral("Fans")), 1);
        QVariant fans;
        for (const QVariantMap &changed : propertyChanges())
            fans = changed.value(QStringLiteral("Fans"), fans);
        QCOMPARE(fan24(fans).value(QStringLiteral("speedMode")).toString(), QStringLiteral("silent"));
        QCOMPARE(fan24(getProperty(QStringLiteral("Fans"))).value(QStringLiteral("speedMode")).toString(),
                 QStringLiteral("silent"));

        // Each poll reads two boxes: two changes of the fans at most.
        QVERIFY(pollOnce());
        log.names.clear();
        log.args.clear();
        const int polls = 3;
        for (int i = 0; i < polls; ++i)
            QVERIFY(pollOnce());
        QVERIFY(changesOf(QStringLiteral("Fans")) <= 2 * polls);
        QCOMPARE(changesOf(QStringLiteral("CurrentProfile")), 0);
    }

    // Every way the current box loads a profile is told: the window's
    // profile button, the numbered command and the phone.
    void profileLoadedFromEveryPath()
    {
        control->messages().receiveMainData({QStringLiteral("selectProfile"), QStringLiteral("1")});
        QVERIFY(control->handleWindowMessage(0x8107, 2, 0));
        control->socketHelperReceiveData(
            {{QStringLiteral("command"), 14},
             {QStringLiteral("Data"), QVariantMap{{QStringLiteral("BoxNum"), QStringLiteral("1")},
                                                  {QStringLiteral("Profile"), QStringLiteral("4")}}}});
        QTRY_VERIFY_WITH_TIMEOUT(log.count(QStringLiteral("ProfileLoaded")) == 3, 30000);
        QCOMPARE(log.count(QStringLiteral("ProfileLoaded"), {2}), 1);
        QCOMPARE(log.count(QStringLiteral("ProfileLoaded"), {3}), 1);
        QCOMPARE(log.count(QStringLiteral("ProfileLoaded"), {4}), 1);
    }

    // Music from the phone plays frame after frame on the boxes; not one
    // of them becomes a signal. Only the next poll tells the fans' news.
    void musicFramesAreNoSignals()
    {
        quietTimers();
        QVERIFY(pollOnce());
        log.names.clear();
        log.args.clear();
        sim->clearSent();
        control->socketHelperReceiveData(
            {{QStringLiteral("command"), 7},
             {QStringLiteral("Data"), QVariantMap{{QStringLiteral("BoxNum"), QStringLiteral("101")},
                                                  {QStringLiteral("FanNum"), QStringLiteral("11111")},
                                                  {QStringLiteral("LED1"), QStringLiteral("1111111111111")},
                                                  {QStringLiteral("Status"), QStringLiteral("1")},
                                                  {QStringLiteral("Volume"), QStringLiteral("80")},
                                                  {QStringLiteral("MusicMode"), QStringLiteral("11")},
                                                  {QStringLiteral("ColorMode"), QStringLiteral("1")},
                                                  {QStringLiteral("RColor"), QStringLiteral("200")},
                                                  {QStringLiteral("GColor"), QStringLiteral("10")},
                                                  {QStringLiteral("BColor"), QStringLiteral("10")}}}});
        // 40 frames of five fans on each of the two boxes.
        QTRY_VERIFY_WITH_TIMEOUT((core->bus().waitForIdle(), sim->sent().size() >= 400), 60000);
        call(QStringLiteral("GetStatus"));
        QCOMPARE(changesOf(QStringLiteral("Fans")), 0);
        QCOMPARE(changesOf(QStringLiteral("Boxes")), 0);
        QStringList others = log.names;
        others.removeAll(QStringLiteral("PropertiesChanged"));
        others.removeAll(QStringLiteral("TemperatureLost"));
        others.removeAll(QStringLiteral("TemperatureBack"));
        QCOMPARE(others, QStringList());

        // One poll: one change per box read at most, with the music modes in it.
        QVERIFY(pollOnce());
        QVERIFY(changesOf(QStringLiteral("Fans")) >= 1);
        QVERIFY(changesOf(QStringLiteral("Fans")) <= 2);
        control->socketHelperReceiveData({{QStringLiteral("command"), 7},
                                          {QStringLiteral("Data"), QVariantMap{{QStringLiteral("Status"), QStringLiteral("0")}}}});
    }

    // The history answers with the poll's readings of the fan asked for; the
    // curves are listed by name and one is given to a fan as the numbered
    // command gives it; bad series, ranges, fans and curve names are refused.
    void historyAndCurves()
    {
        const QString invalid = QStringLiteral("io.github.aurivent.Aurivent1.Error.InvalidArgument");
        const QVariantList bad[] = {{QStringLiteral("rpm"), 0, 5, 60},  {QStringLiteral("rpm"), 16, 0, 60},
                                    {QStringLiteral("volts"), 0, 0, 60}, {QStringLiteral("rpm"), 0, 0, 0},
                                    {QStringLiteral("rpm"), 0, 0, 86401}, {QStringLiteral("temperature:"), 0, 0, 60}};
        for (const QVariantList &args : bad)
            QCOMPARE(call(QStringLiteral("GetHistory"), args).errorName(), invalid);

        // Fan 2 of box 0 stands still: its series is told apart from fan 1's.
        QVERIFY(sim->stall(0, 2).isEmpty());
        auto lastRead = [this](int fan) {
            const QDBusMessage reply = call(QStringLiteral("GetHistory"), {QStringLiteral("rpm"), 0, fan, 60});
            const QVariantMap h = asMap(reply.arguments().value(0));
            const QList<double> mean = qdbus_cast<QList<double>>(h.value(QStringLiteral("mean")).value<QDBusArgument>());
            for (int i = mean.size() - 1; i >= 0; --i)
                if (!std::isnan(mean[i]))
                    return mean[i];
            return -1.0;
        };
        QTRY_VERIFY_WITH_TIMEOUT((pollOnce(), lastRead(1) > 0 && lastRead(2) == 0), 20000);

        const QDBusMessage curves = call(QStringLiteral("ListCurves"));
        const QStringList names = curves.arguments().value(0).toStringList();
        QVERIFY(names.contains(QStringLiteral("Classic")) && names.contains(QStringLiteral("Quiet")));
        QCOMPARE(call(QStringLiteral("ListSources")).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(call(QStringLiteral("SetCurve"), {0, 2, QStringLiteral("Quiet")}).type(), QDBusMessage::ReplyMessage);
        QCOMPARE(core->boxes()[0].rainbowFan[2].curveName, QStringLiteral("Quiet"));
        QCOMPARE(core->boxes()[0].rainbowFan[1].curveName, QStringLiteral("Classic"));
        QCOMPARE(call(QStringLiteral("SetCurve"), {0, 2, QStringLiteral("Nope")}).errorName(), invalid);
        QCOMPARE(call(QStringLiteral("SetCurve"), {0, 7, QStringLiteral("Quiet")}).errorName(), invalid);
        QCOMPARE(core->boxes()[0].rainbowFan[2].curveName, QStringLiteral("Quiet"));
    }

    // The introspection XML in the repository is what the running object offers.
    void theXmlFileIsTheInterface()
    {
        QFile file(QStringLiteral(AURIVENT_SOURCE_DIR "/dbus/io.github.aurivent.Aurivent1.xml"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList documented = members(QString::fromUtf8(file.readAll()));
        QDBusMessage m = QDBusMessage::createMethodCall(QLatin1String(AuriventBus::kService),
                                                        QLatin1String(AuriventBus::kPath),
                                                        QStringLiteral("org.freedesktop.DBus.Introspectable"),
                                                        QStringLiteral("Introspect"));
        QDBusPendingCallWatcher watcher(client().asyncCall(m, 30000));
        QSignalSpy done(&watcher, &QDBusPendingCallWatcher::finished);
        QVERIFY(watcher.isFinished() || done.wait(30000));
        const QStringList live = members(watcher.reply().arguments().value(0).toString());
        QVERIFY(live.contains(QStringLiteral("method GetStatus()(a{sv})")));
        QCOMPARE(documented, live);
    }

    // A second instance finds the name taken, says so and leaves the first on the bus.
    void aSecondInstanceStaysOff()
    {
        struct NoHost final : CoreBusHost {
            QVariantMap status() override { return {{QStringLiteral("second"), true}}; }
            QString loadProfile(int) override { return QString(); }
            QString saveProfile(int) override { return QString(); }
            BusAnswer setLighting(int, int, int, const QList<int> &, int, int) override { return {}; }
            BusAnswer setSpeed(int, int, const QString &) override { return {}; }
            QVariantMap properties() override { return {}; }
            BusAnswer history(const QString &, int, int, int, QVariantMap *) override { return {}; }
            QVariantMap sources() override { return {}; }
            QStringList curves() override { return {}; }
            BusAnswer setCurve(int, int, const QString &) override { return {}; }
        } host;
        const QDBusConnection other = QDBusConnection::connectToBus(bus.address(), QStringLiteral("second"));
        {
            CoreBus second(host);
            QVERIFY(!second.start(other));
            QVERIFY(!status().contains(QStringLiteral("second")));
        }
        QDBusConnection::disconnectFromBus(QStringLiteral("second"));
        QVERIFY(status().contains(QStringLiteral("boxes")));
    }
};

QTEST_GUILESS_MAIN(TestBusGlue)
#include "test_busglue.moc"
