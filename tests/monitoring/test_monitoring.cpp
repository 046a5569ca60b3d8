// SPDX-License-Identifier: GPL-3.0-or-later
// What the fan monitor and the sensors report, followed through the program's
// watch: into the history, out as a desktop notification on a stand-in
// notification service and as metrics a scraper reads.
#include "monitoring/Monitoring.h"
#include "monitoring/MonitoringHistoryReader.h"

#include "../alerts/MockNotifications.h"
#include "../metrics/PrometheusParser.h"
#include "PrivateSessionBus.h"
#include "history/HistoryRecorder.h"

#include <QSignalSpy>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

namespace {

const ParsedSample *findSample(const QList<ParsedFamily> &families, const QString &name, const QVariantMap &labels)
{
    for (const ParsedFamily &f : families)
        for (const ParsedSample &s : f.samples)
            if (s.name == name && s.labels == labels)
                return &s;
    return nullptr;
}

QVariantMap fanLabels(int box, int fan)
{
    return {{QStringLiteral("box"), QString::number(box)}, {QStringLiteral("fan"), QString::number(fan)}};
}

} // namespace

class TestMonitoring : public QObject {
    Q_OBJECT

    PrivateSessionBus m_bus;

    Monitoring::Options options() const
    {
        Monitoring::Options o;
        o.alerts.timing.warmUpSeconds = 0;
        o.alerts.timing.recoverSeconds = 0;
        o.bus = m_bus.connection();
        o.version = QStringLiteral("9.9.9");
        o.commandedDuty = [](int box, int fan) { return box == 1 && fan == 2 ? 40 : -1; };
        o.watched = [](int, int fan) { return fan != 4; };
        o.describeBox = [](BoxMetrics &b) {
            b.type = QStringLiteral("rgb");
            b.firmware = QStringLiteral("1.0.0");
        };
        return o;
    }

private slots:
    void initTestCase()
    {
        qRegisterMetaType<Alert>();
        const QString why = m_bus.start();
        QVERIFY2(why.isEmpty(), qPrintable(why));
        const QString mock = m_bus.startMock(QStringLiteral("notification_daemon"),
                                             QStringLiteral("org.freedesktop.Notifications"));
        QVERIFY2(mock.isEmpty(), qPrintable(mock));
    }

    void init() { clearMockCalls(m_bus.connection()); }

    void aStallReachesTheDesktopAndTheMetrics()
    {
        Monitoring::Options o = options();
        o.metrics.serve = true;
        o.metrics.address = QStringLiteral("127.0.0.1");
        o.metrics.port = 0;
        Monitoring monitoring(o);
        QVERIFY(monitoring.start());
        QVERIFY(monitoring.metricsPort() != 0);
        QSignalSpy raised(&monitoring, &Monitoring::alertRaised);

        monitoring.boxHealthChanged(1, BoxHealth::Answering);
        monitoring.fanSpeedRead(1, 2, 1200, false);
        monitoring.fanSpeedRead(1, 4, 900, false);
        monitoring.temperature(55);
        monitoring.fanSpeedRead(1, 2, 0, false);
        monitoring.stallRaised(1, 2);
        // A second report of the same outage is no second alert.
        monitoring.stallRaised(1, 2);

        QTRY_VERIFY_WITH_TIMEOUT(!notifyCalls(m_bus.connection()).isEmpty(), 20000);
        const QList<NotifyCall> calls = notifyCalls(m_bus.connection());
        QCOMPARE(calls.size(), 1);
        QVERIFY2(calls.first().body.contains(QLatin1String("3")), qPrintable(calls.first().body));
        QCOMPARE(raised.count(), 1);

        QString error;
        // The server answers on this thread: wait for it without blocking.
        QTcpSocket socket;
        QByteArray reply;
        connect(&socket, &QTcpSocket::readyRead, [&] { reply += socket.readAll(); });
        socket.connectToHost(QHostAddress::LocalHost, monitoring.metricsPort());
        socket.write("GET /metrics HTTP/1.1\r\nHost: localhost\r\n\r\n");
        QTRY_COMPARE_WITH_TIMEOUT(socket.state(), QAbstractSocket::UnconnectedState, 20000);
        QVERIFY2(reply.startsWith("HTTP/1.1 200"), reply.constData());
        const QList<ParsedFamily> families = parsePrometheus(reply.mid(reply.indexOf("\r\n\r\n") + 4), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!families.isEmpty());
        // Labels count from 1, as the window does.
        const ParsedSample *stalled = findSample(families, QStringLiteral("aurivent_fan_stalled"), fanLabels(2, 3));
        QVERIFY(stalled);
        QCOMPARE(stalled->value, QStringLiteral("1.0"));
        const ParsedSample *rpm = findSample(families, QStringLiteral("aurivent_fan_speed_rpm"), fanLabels(2, 3));
        QVERIFY(rpm);
        QCOMPARE(rpm->value, QStringLiteral("0.0"));
        const ParsedSample *duty = findSample(families, QStringLiteral("aurivent_fan_duty_ratio"), fanLabels(2, 3));
        QVERIFY(duty);
        QCOMPARE(duty->value, QStringLiteral("0.4"));
        // No commanded duty known: no sample rather than a 0.
        QVERIFY(!findSample(families, QStringLiteral("aurivent_fan_duty_ratio"), fanLabels(2, 5)));
        const ParsedSample *unwatched = findSample(families, QStringLiteral("aurivent_fan_watched"), fanLabels(2, 5));
        QVERIFY(unwatched);
        QCOMPARE(unwatched->value, QStringLiteral("0.0"));
        const ParsedSample *active = findSample(families, QStringLiteral("aurivent_alerts_active"),
                                                {{QStringLiteral("kind"), QStringLiteral("stall")}});
        QVERIFY(active);
        QCOMPARE(active->value, QStringLiteral("1.0"));
        const ParsedSample *info = findSample(families, QStringLiteral("aurivent_box_info"),
                                              {{QStringLiteral("box"), QStringLiteral("2")},
                                               {QStringLiteral("type"), QStringLiteral("rgb")},
                                               {QStringLiteral("firmware"), QStringLiteral("1.0.0")}});
        QVERIFY(info);

        // The fan turns again: the outage ends, the metrics say so.
        QSignalSpy cleared(&monitoring, &Monitoring::alertCleared);
        monitoring.fanSpeedRead(1, 2, 1100, false);
        monitoring.stallCleared(1, 2);
        QTRY_COMPARE_WITH_TIMEOUT(cleared.count(), 1, 20000);
        QVERIFY(monitoring.metricsText().contains("aurivent_fan_stalled{box=\"2\",fan=\"3\"} 0"));
        QVERIFY(monitoring.metricsText().contains("aurivent_alerts_active{kind=\"stall\"} 0"));
    }

    void aGoneBoxLeavesTheMetricsAndRaisesItsAlert()
    {
        Monitoring monitoring(options());
        QVERIFY(monitoring.start());
        QSignalSpy raised(&monitoring, &Monitoring::alertRaised);
        monitoring.boxHealthChanged(0, BoxHealth::Answering);
        monitoring.fanSpeedRead(0, 0, 1000, false);
        QVERIFY(monitoring.metricsText().contains("aurivent_fan_speed_rpm{box=\"1\",fan=\"1\"} 1000"));
        monitoring.boxHealthChanged(0, BoxHealth::NotAnswering);
        QVERIFY(monitoring.metricsText().contains("aurivent_box_state{box=\"1\",state=\"not-answering\"} 1"));
        QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, 20000);
        QCOMPARE(raised.first().first().value<Alert>().kind, AlertKind::BoxSilent);
        monitoring.boxHealthChanged(0, BoxHealth::Gone);
        QVERIFY(!monitoring.metricsText().contains("box=\"1\""));
    }

    // Sources besides the CPU reading: each in the history and the metrics
    // by its own name and kind; a limit set on one raises its alert, and a
    // source without a limit that goes raises nothing.
    void otherSourcesAreFollowedAndTheirLimitsWatched()
    {
        const QString gpu = QStringLiteral("amdgpu-pci-0300/edge");
        const QString disk = QStringLiteral("nvme-pci-0100/Composite");
        Monitoring::Options o = options();
        o.alerts.limits = {TemperatureLimit{gpu, 80.0, 0}};
        o.alerts.timing.temperatureLostSeconds = 0;
        Monitoring monitoring(o);
        QVERIFY(monitoring.start());
        QSignalSpy raised(&monitoring, &Monitoring::alertRaised);
        QSignalSpy sampled(&monitoring.recorder(), &HistoryRecorder::sampled);

        monitoring.sourcesRead({{gpu, QStringLiteral("gpu"), 85.0}, {disk, QStringLiteral("disk"), 40.0}});
        QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, 20000);
        const Alert high = raised.first().first().value<Alert>();
        QCOMPARE(high.kind, AlertKind::TemperatureHigh);
        QCOMPARE(high.source, gpu);
        QString error;
        QList<ParsedFamily> families = parsePrometheus(monitoring.metricsText(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const QVariantMap gpuLabels{{QStringLiteral("source"), gpu}, {QStringLiteral("kind"), QStringLiteral("gpu")}};
        const QVariantMap diskLabels{{QStringLiteral("source"), disk}, {QStringLiteral("kind"), QStringLiteral("disk")}};
        const ParsedSample *gpuCelsius = findSample(families, QStringLiteral("aurivent_temperature_celsius"), gpuLabels);
        QVERIFY(gpuCelsius);
        QCOMPARE(gpuCelsius->value, QStringLiteral("85.0"));
        QVERIFY(findSample(families, QStringLiteral("aurivent_temperature_celsius"), diskLabels));
        QTRY_VERIFY_WITH_TIMEOUT(sampled.count() >= 1, 20000);
        const qint64 second = sampled.last().first().toLongLong();
        const HistoryPoints disks = monitoring.recorder().history().points(SeriesKey::temperature(disk), second,
                                                                           second + 1, HistoryResolution::Seconds);
        QCOMPARE(disks.size(), 1);
        QCOMPARE(disks.mean.first(), 40.0f);

        // The disk goes from the next pass: no reading, no alert (no limit on it).
        monitoring.sourcesRead({{gpu, QStringLiteral("gpu"), 70.0}});
        families = parsePrometheus(monitoring.metricsText(), &error);
        const ParsedSample *diskThere = findSample(families, QStringLiteral("aurivent_temperature_available"), diskLabels);
        QVERIFY(diskThere);
        QCOMPARE(diskThere->value, QStringLiteral("0.0"));
        QVERIFY(!findSample(families, QStringLiteral("aurivent_temperature_celsius"), diskLabels));
        // The limited GPU goes: its reading is lost, and that is told.
        monitoring.sourcesRead({});
        QTRY_VERIFY_WITH_TIMEOUT(raised.count() >= 2, 20000);
        for (int i = 1; i < raised.count(); ++i) {
            const Alert a = raised.at(i).first().value<Alert>();
            QCOMPARE(a.source, gpu);
            QCOMPARE(a.kind, AlertKind::TemperatureLost);
        }
    }

    void readingsReachTheHistoryAndItsFile()
    {
        QTemporaryDir dir;
        qint64 second = 0;
        Monitoring::Options o = options();
        o.historyPath = dir.filePath(QStringLiteral("history.bin"));
        {
            Monitoring monitoring(o);
            QVERIFY(monitoring.start());
            QSignalSpy sampled(&monitoring.recorder(), &HistoryRecorder::sampled);
            monitoring.fanSpeedRead(1, 2, 1234, false);
            monitoring.temperatureMissing();
            QTRY_VERIFY_WITH_TIMEOUT(sampled.count() >= 1, 20000);
            second = sampled.last().first().toLongLong();
            const History &h = monitoring.recorder().history();
            const HistoryPoints rpm = h.points(SeriesKey::fanRpm(1, 2), second, second + 1, HistoryResolution::Seconds);
            QCOMPARE(rpm.size(), 1);
            QCOMPARE(rpm.mean.first(), 1234.0f);
            const HistoryPoints duty = h.points(SeriesKey::fanDuty(1, 2), second, second + 1, HistoryResolution::Seconds);
            QCOMPARE(duty.mean.first(), 40.0f);
            // An absent reading stays absent, not 0.
            const HistoryPoints cpu = h.points(SeriesKey::temperature(QLatin1String(Monitoring::kCpuSource)), second,
                                               second + 1, HistoryResolution::Seconds);
            QCOMPARE(cpu.size(), 1);
            QVERIFY(std::isnan(cpu.mean.first()));
            // An alert on the time line, kept for the next start too.
            QSignalSpy raised(&monitoring, &Monitoring::alertRaised);
            monitoring.boxHealthChanged(1, BoxHealth::Answering);
            monitoring.fanSpeedRead(1, 2, 0, false);
            monitoring.stallRaised(1, 2);
            QTRY_COMPARE_WITH_TIMEOUT(raised.count(), 1, 20000);
            monitoring.stop();
        }
        QVERIFY(QFile::exists(o.historyPath));
        // The next start finds what the last one saw.
        Monitoring again(o);
        QVERIFY(again.start());
        const HistoryPoints kept = again.recorder().history().points(SeriesKey::fanRpm(1, 2), second, second + 1,
                                                                     HistoryResolution::Seconds);
        QCOMPARE(kept.size(), 1);
        QCOMPARE(kept.mean.first(), 1234.0f);
        QCOMPARE(again.alertLog().size(), 1);
        const AlertLog::Entry &mark = again.alertLog().entries().front();
        QCOMPARE(mark.alert.kind, AlertKind::Stall);
        QCOMPARE(mark.alert.box, 1);
        QCOMPARE(mark.alert.fan, 2);
    }

    void theGraphsReadTheHistoryAndTheAlerts()
    {
        Monitoring monitoring(options());
        QVERIFY(monitoring.start());
        MonitoringHistoryReader reader(&monitoring);
        int sampled = 0;
        QObject context;
        const QMetaObject::Connection live = reader.onSampled(&context, [&sampled] { ++sampled; });
        QVERIFY(live);

        monitoring.boxHealthChanged(1, BoxHealth::Answering);
        monitoring.fanSpeedRead(1, 2, 0, false);
        monitoring.stallRaised(1, 2);
        QTRY_VERIFY_WITH_TIMEOUT(sampled >= 1, 20000);
        const qint64 head = reader.headSecond();
        QVERIFY(head > 0);
        QVERIFY(reader.seriesKeys().contains(SeriesKey::fanRpm(1, 2)));
        QCOMPARE(reader.points(SeriesKey::fanRpm(1, 2), head, head, HistoryResolution::Seconds).mean.value(0), 0.0f);

        const QVector<HistoryEvent> events = reader.events(head - 60, head + 60);
        QCOMPARE(events.size(), 1);
        QCOMPARE(events[0].kind, QStringLiteral("stall"));
        QCOMPARE(events[0].box, 1);
        QCOMPARE(events[0].fan, 2);
        QVERIFY(events[0].raised);

        monitoring.stallCleared(1, 2);
        QTRY_COMPARE_WITH_TIMEOUT(reader.events(head - 60, head + 60).size(), 2, 20000);
        QVERIFY(!reader.events(head - 60, head + 60).last().raised);

        // Broken off, the reader calls no more.
        QObject::disconnect(live);
        const int before = sampled;
        QSignalSpy more(&monitoring.recorder(), &HistoryRecorder::sampled);
        QTRY_VERIFY_WITH_TIMEOUT(more.count() >= 1, 20000);
        QCOMPARE(sampled, before);
    }

    void theListenAddressOfTheCommandLine_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<QString>("address");
        QTest::addColumn<int>("port");
        QTest::newRow("v4") << "127.0.0.1:9745" << true << "127.0.0.1" << 9745;
        QTest::newRow("all") << "0.0.0.0:1" << true << "0.0.0.0" << 1;
        QTest::newRow("v6") << "[::1]:65535" << true << "::1" << 65535;
        QTest::newRow("no port") << "127.0.0.1" << false << "" << 0;
        QTest::newRow("port 0") << "127.0.0.1:0" << false << "" << 0;
        QTest::newRow("port too big") << "127.0.0.1:65536" << false << "" << 0;
        QTest::newRow("wrapping port") << "127.0.0.1:4294967297" << false << "" << 0;
        QTest::newRow("name") << "localhost:9745" << false << "" << 0;
        QTest::newRow("empty host") << ":9745" << false << "" << 0;
        QTest::newRow("sign") << "127.0.0.1:+80" << false << "" << 0;
    }

    void theListenAddressOfTheCommandLine()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QString address, why;
        quint16 port = 0;
        QCOMPARE(Monitoring::parseListen(text, &address, &port, &why), ok);
        if (ok) {
            QTEST(address, "address");
            QTEST(int(port), "port");
        } else {
            QVERIFY(!why.isEmpty());
        }
    }

    void aBadListenAddressIsRefusedAndNothingServed()
    {
        Monitoring::Options o = options();
        o.metricsListen = QStringLiteral("nowhere:80");
        Monitoring monitoring(o);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression(QStringLiteral("--metrics refused")));
        QVERIFY(!monitoring.start());
        QCOMPARE(monitoring.metricsPort(), quint16(0));
    }
};

QTEST_GUILESS_MAIN(TestMonitoring)
#include "test_monitoring.moc"
