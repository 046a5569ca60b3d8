// SPDX-License-Identifier: GPL-3.0-or-later
// The metrics text as a scraper reads it: every snapshot is formatted and
// parsed back by Prometheus' own Python parser, and compared value by value.
#include "metrics/PrometheusText.h"

#include "PrometheusParser.h"

#include <QtTest>

#include <cmath>

namespace {

// Sixteen boxes of five fans and eight sources: the most the program exports.
MetricsSnapshot fullSnapshot()
{
    MetricsSnapshot s;
    s.version = QStringLiteral("1.0.5");
    s.startTimeSeconds = 1800000000;
    for (int box = 0; box < 16; ++box) {
        BoxMetrics b;
        b.box = box;
        b.health = box == 3 ? QStringLiteral("not-answering") : box == 4 ? QStringLiteral("gone") : QStringLiteral("answering");
        b.type = box % 2 ? QStringLiteral("single-colour") : QStringLiteral("rgb");
        b.firmware = QStringLiteral("1.2.3");
        s.boxes << b;
        for (int fan = 0; fan < 5; ++fan) {
            FanMetrics f;
            f.box = box;
            f.fan = fan;
            f.rpm = 1000 + box * 10 + fan;
            f.duty = (box * 5 + fan) % 101;
            f.stalled = box == 2 && fan == 1;
            f.watched = fan != 4;
            s.fans << f;
        }
    }
    for (int i = 0; i < 8; ++i)
        s.temperatures << TemperatureMetrics{QStringLiteral("chip%1/temp%1").arg(i), QStringLiteral("cpu"), 40.5 + i};
    s.alertsActive = {{QStringLiteral("stall"), 1}, {QStringLiteral("box-silent"), 2}};
    s.alertsRaised = {{QStringLiteral("stall"), 3}, {QStringLiteral("box-silent"), 2}};
    s.saveFailures = 7;
    return s;
}

QString labelsOf(const ParsedSample &s)
{
    QStringList parts;
    for (auto it = s.labels.cbegin(); it != s.labels.cend(); ++it)
        parts << it.key() + QLatin1Char('=') + it.value().toString();
    return parts.join(QLatin1Char(','));
}

} // namespace

class TestPrometheusText : public QObject {
    Q_OBJECT

private slots:
    void numbers_data()
    {
        QTest::addColumn<double>("value");
        QTest::addColumn<QByteArray>("text");
        QTest::newRow("zero") << 0.0 << QByteArray("0");
        QTest::newRow("integer") << 1480.0 << QByteArray("1480");
        QTest::newRow("negative") << -5.0 << QByteArray("-5");
        QTest::newRow("ratio") << 0.35 << QByteArray("0.35");
        QTest::newRow("tenths") << 47.3 << QByteArray("47.3");
        QTest::newRow("large") << 1e20 << QByteArray("1e+20");
        QTest::newRow("NaN") << std::nan("") << QByteArray("NaN");
        QTest::newRow("infinity") << double(INFINITY) << QByteArray("+Inf");
        QTest::newRow("minus infinity") << -double(INFINITY) << QByteArray("-Inf");
    }
    void numbers()
    {
        QFETCH(double, value);
        QFETCH(QByteArray, text);
        QCOMPARE(PrometheusText::number(value), text);
    }

    void everyValueAsAScraperReadsIt()
    {
        const MetricsSnapshot s = fullSnapshot();
        QString error;
        const QList<ParsedFamily> families = parsePrometheus(PrometheusText::format(s), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));

        QStringList names;
        for (const ParsedFamily &f : families)
            names << f.name + QLatin1Char(':') + f.type;
        QCOMPARE(names, (QStringList{
                            "aurivent_info:gauge", "aurivent_start_time_seconds:gauge", "aurivent_box_state:gauge",
                            "aurivent_box_info:gauge", "aurivent_fan_speed_rpm:gauge", "aurivent_fan_duty_ratio:gauge",
                            "aurivent_fan_watched:gauge", "aurivent_fan_stalled:gauge",
                            "aurivent_temperature_celsius:gauge", "aurivent_temperature_available:gauge",
                            "aurivent_alerts_active:gauge", "aurivent_alerts_raised:counter",
                            "aurivent_save_failures:counter"}));
        for (const ParsedFamily &f : families)
            QVERIFY2(!f.help.isEmpty(), qPrintable(f.name));

        QCOMPARE(labelsOf(family(families, "aurivent_info")->samples.value(0)), QStringLiteral("version=1.0.5"));
        QCOMPARE(family(families, "aurivent_start_time_seconds")->samples.value(0).value, QStringLiteral("1800000000.0"));

        const ParsedFamily *state = family(families, "aurivent_box_state");
        QCOMPARE(state->samples.size(), 16 * 3);
        QStringList box4;
        for (const ParsedSample &x : state->samples)
            if (x.labels.value(QStringLiteral("box")) == QLatin1String("4"))
                box4 << x.labels.value(QStringLiteral("state")).toString() + QLatin1Char('=') + x.value;
        QCOMPARE(box4, (QStringList{"answering=0.0", "not-answering=1.0", "gone=0.0"}));
        QCOMPARE(labelsOf(family(families, "aurivent_box_info")->samples.value(1)),
                 QStringLiteral("box=2,firmware=1.2.3,type=single-colour"));

        const ParsedFamily *rpm = family(families, "aurivent_fan_speed_rpm");
        QCOMPARE(rpm->samples.size(), 80);
        QCOMPARE(labelsOf(rpm->samples.last()), QStringLiteral("box=16,fan=5"));
        QCOMPARE(rpm->samples.last().value, QStringLiteral("1154.0"));
        const ParsedFamily *duty = family(families, "aurivent_fan_duty_ratio");
        QCOMPARE(duty->samples.value(7).value, QStringLiteral("0.07"));
        const ParsedFamily *stalled = family(families, "aurivent_fan_stalled");
        int stalls = 0;
        for (const ParsedSample &x : stalled->samples)
            if (x.value == QLatin1String("1.0")) {
                ++stalls;
                QCOMPARE(labelsOf(x), QStringLiteral("box=3,fan=2"));
            }
        QCOMPARE(stalls, 1);
        int watched = 0;
        for (const ParsedSample &x : family(families, "aurivent_fan_watched")->samples)
            watched += x.value == QLatin1String("1.0") ? 1 : 0;
        QCOMPARE(watched, 64);

        const ParsedFamily *celsius = family(families, "aurivent_temperature_celsius");
        QCOMPARE(celsius->samples.size(), 8);
        QCOMPARE(labelsOf(celsius->samples.value(2)), QStringLiteral("kind=cpu,source=chip2/temp2"));
        QCOMPARE(celsius->samples.value(2).value, QStringLiteral("42.5"));

        const ParsedFamily *raised = family(families, "aurivent_alerts_raised");
        QCOMPARE(raised->samples.size(), 2);
        QCOMPARE(raised->samples.value(1).name, QStringLiteral("aurivent_alerts_raised_total"));
        QCOMPARE(labelsOf(raised->samples.value(1)), QStringLiteral("kind=stall"));
        QCOMPARE(raised->samples.value(1).value, QStringLiteral("3.0"));
        QCOMPARE(family(families, "aurivent_save_failures")->samples.value(0).value, QStringLiteral("7.0"));
    }

    void anAbsentValueHasNoSample()
    {
        MetricsSnapshot s;
        s.version = QStringLiteral("1.0.5");
        FanMetrics f;
        f.rpm = -1;  // never read
        f.duty = -1; // a preset: no duty known
        s.fans << f;
        s.temperatures << TemperatureMetrics{QStringLiteral("k10temp/Tctl"), QStringLiteral("cpu"), std::nan("")};
        QString error;
        const QList<ParsedFamily> families = parsePrometheus(PrometheusText::format(s), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(family(families, "aurivent_fan_speed_rpm")->samples.isEmpty());
        QVERIFY(family(families, "aurivent_fan_duty_ratio")->samples.isEmpty());
        QVERIFY(family(families, "aurivent_temperature_celsius")->samples.isEmpty());
        QCOMPARE(family(families, "aurivent_temperature_available")->samples.value(0).value, QStringLiteral("0.0"));
        QCOMPARE(family(families, "aurivent_fan_watched")->samples.size(), 1);
        // A duty out of range is no value either.
        s.fans[0].duty = 101;
        QVERIFY(!PrometheusText::format(s).contains("aurivent_fan_duty_ratio{"));
    }

    void labelValuesAreEscaped()
    {
        MetricsSnapshot s;
        const QString nasty = QStringLiteral("a\"b\\c\nd} e=\"f\",g 温度");
        s.version = nasty;
        s.temperatures << TemperatureMetrics{nasty, QStringLiteral("other"), 30.0};
        const QByteArray text = PrometheusText::format(s);
        QVERIFY(text.contains("version=\"a\\\"b\\\\c\\nd} e=\\\"f\\\",g " + QStringLiteral("温度").toUtf8() + "\"} 1\n"));
        QString error;
        const QList<ParsedFamily> families = parsePrometheus(text, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(family(families, "aurivent_info")->samples.value(0).labels.value(QStringLiteral("version")).toString(), nasty);
        QCOMPARE(family(families, "aurivent_temperature_celsius")->samples.value(0).labels.value(QStringLiteral("source")).toString(),
                 nasty);
    }

    void anEmptySnapshotIsValidText()
    {
        QString error;
        const QList<ParsedFamily> families = parsePrometheus(PrometheusText::format(MetricsSnapshot()), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(families.size(), 13);
        QVERIFY(PrometheusText::format(MetricsSnapshot()).endsWith('\n'));
    }
};

QTEST_GUILESS_MAIN(TestPrometheusText)
#include "test_prometheustext.moc"
