// SPDX-License-Identifier: GPL-3.0-or-later
#include "curves/SourceWatch.h"
#include "lighting/CpuReadingWatch.h"

#include <QRandomGenerator>
#include <QtTest>

namespace {

Curve following(const char *name, QStringList sources, SourceMix mix = SourceMix::Max)
{
    Curve c;
    c.name = QLatin1String(name);
    c.points = {{30, 30}, {60, 100}};
    c.source.ids = std::move(sources);
    c.source.mix = mix;
    return c;
}

// The curves every row runs: each source alone, and both mixed.
QVector<Curve> curvesInUse()
{
    const QString cpu = QStringLiteral("cpu");
    const QString gpu = QStringLiteral("amdgpu-pci-0300/edge");
    return {following("Cpu", {cpu}), following("Gpu", {gpu}), following("Mix", {cpu, gpu}),
            following("Avg", {cpu, gpu}, SourceMix::Average)};
}

// "cpu=50 gpu=70": the readings of one pass ("gpu" is the GPU's edge).
QHash<QString, double> readings(const QString &text)
{
    QHash<QString, double> values;
    for (const QString &item : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QStringList kv = item.split(QLatin1Char('='));
        const QString id = kv.at(0) == QLatin1String("gpu") ? QStringLiteral("amdgpu-pci-0300/edge") : kv.at(0);
        values.insert(id, kv.at(1).toDouble());
    }
    return values;
}

QString shortName(QString id)
{
    return id == QLatin1String("amdgpu-pci-0300/edge") ? QStringLiteral("gpu") : id;
}

// One pass as text: "Cpu:50 Gpu:keep Mix:70-gpu Avg:cap | lost gpu(cap Gpu; on Mix Avg) | back cpu".
QString describe(const SourcePass &pass)
{
    QStringList inputs;
    for (const Curve &c : curvesInUse()) {
        const CurveInput in = pass.inputs.value(c.name);
        QString text = c.name + QLatin1Char(':');
        switch (in.action) {
        case CurveInput::Action::Curve: text += QString::number(in.celsius); break;
        case CurveInput::Action::Keep: text += QStringLiteral("keep"); break;
        case CurveInput::Action::Cap: text += QStringLiteral("cap"); break;
        }
        if (in.action != CurveInput::Action::Cap)
            for (const QString &m : in.missing)
                text += QLatin1Char('-') + shortName(m);
        inputs << text;
    }
    QString out = inputs.join(QLatin1Char(' '));
    for (const SourceOutage &o : pass.outages)
        out += QStringLiteral(" | lost %1(cap %2; on %3)")
                   .arg(shortName(o.source), o.capped.join(QLatin1Char(' ')), o.partial.join(QLatin1Char(' ')));
    for (const QString &b : pass.back)
        out += QStringLiteral(" | back ") + shortName(b);
    return out;
}

} // namespace

class TestSourceWatch : public QObject {
    Q_OBJECT

private slots:
    void everySourceFailsSafeOnItsOwn_data()
    {
        QTest::addColumn<QStringList>("passes");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("both read: a mix takes the hottest or the average")
            << QStringList{"cpu=50 gpu=70", "cpu=40.5 gpu=41.5"}
            << QStringList{"Cpu:50 Gpu:70 Mix:70 Avg:60", "Cpu:40.5 Gpu:41.5 Mix:41.5 Avg:41"};
        QTest::newRow("a short GPU gap keeps its last value; then it is lost, once")
            << QStringList{"cpu=50 gpu=70", "cpu=52", "cpu=53", "cpu=54", "cpu=55", "cpu=56 gpu=60"}
            << QStringList{"Cpu:50 Gpu:70 Mix:70 Avg:60",
                           "Cpu:52 Gpu:keep Mix:70 Avg:61",
                           "Cpu:53 Gpu:keep Mix:70 Avg:61.5",
                           "Cpu:54 Gpu:cap Mix:54-gpu Avg:54-gpu | lost gpu(cap Gpu; on Mix Avg)",
                           "Cpu:55 Gpu:cap Mix:55-gpu Avg:55-gpu",
                           "Cpu:56 Gpu:60 Mix:60 Avg:58 | back gpu"};
        QTest::newRow("a source never read is lost from the first pass")
            << QStringList{"cpu=50", "cpu=50 gpu=44"}
            << QStringList{"Cpu:50 Gpu:cap Mix:50-gpu Avg:50-gpu | lost gpu(cap Gpu; on Mix Avg)",
                           "Cpu:50 Gpu:44 Mix:50 Avg:47 | back gpu"};
        QTest::newRow("nothing read: every fan keeps its duty, then goes to its cap")
            << QStringList{"cpu=50 gpu=70", "", "", "", "", "cpu=45"}
            << QStringList{"Cpu:50 Gpu:70 Mix:70 Avg:60",
                           "Cpu:keep Gpu:keep Mix:keep Avg:keep",
                           "Cpu:keep Gpu:keep Mix:keep Avg:keep",
                           "Cpu:cap Gpu:cap Mix:cap Avg:cap | lost gpu(cap Gpu Mix Avg; on ) | lost cpu(cap Cpu Mix Avg; on )",
                           "Cpu:cap Gpu:cap Mix:cap Avg:cap",
                           "Cpu:45 Gpu:cap Mix:45-gpu Avg:45-gpu | back cpu"};
        QTest::newRow("a mix with one source held and the other lost keeps its duty")
            << QStringList{"cpu=50", "", "cpu=48"}
            << QStringList{"Cpu:50 Gpu:cap Mix:50-gpu Avg:50-gpu | lost gpu(cap Gpu; on Mix Avg)",
                           "Cpu:keep Gpu:cap Mix:keep-gpu Avg:keep-gpu",
                           "Cpu:48 Gpu:cap Mix:48-gpu Avg:48-gpu"};
        QTest::newRow("a gap shorter than the grace is never told")
            << QStringList{"cpu=50 gpu=60", "cpu=50", "cpu=50", "cpu=50 gpu=61", "cpu=50", "cpu=50", "cpu=50 gpu=62"}
            << QStringList{"Cpu:50 Gpu:60 Mix:60 Avg:55",     "Cpu:50 Gpu:keep Mix:60 Avg:55",
                           "Cpu:50 Gpu:keep Mix:60 Avg:55",   "Cpu:50 Gpu:61 Mix:61 Avg:55.5",
                           "Cpu:50 Gpu:keep Mix:61 Avg:55.5", "Cpu:50 Gpu:keep Mix:61 Avg:55.5",
                           "Cpu:50 Gpu:62 Mix:62 Avg:56"};
    }

    void everySourceFailsSafeOnItsOwn()
    {
        QFETCH(QStringList, passes);
        QFETCH(QStringList, expected);
        SourceWatch watch;
        QStringList seen;
        for (const QString &pass : passes)
            seen << describe(afterSourcePass(watch, curvesInUse(), readings(pass)));
        QCOMPARE(seen, expected);
    }

    void theCpuSourceFollowsTodaysRule()
    {
        // Any run of passes with and without a CPU reading: the per-source
        // rule decides as the classic reading's watch always has.
        QRandomGenerator random(27);
        for (int run = 0; run < 200; ++run) {
            CpuReadingWatch today;
            SourceWatch watch;
            const QVector<Curve> curves{following("Cpu", {QStringLiteral("cpu")})};
            const int gapOdds = 1 + run % 4;
            for (int pass = 0; pass < 40; ++pass) {
                const bool read = random.bounded(gapOdds + 1) != 0;
                const CpuReadingWatch::Decision d = today.afterPass(read);
                const SourcePass p = afterSourcePass(watch, curves, read ? readings("cpu=50") : readings(""));
                const CurveInput::Action a = p.inputs.value(QStringLiteral("Cpu")).action;
                const CurveInput::Action expected = d.fans == CpuReadingWatch::Fans::Curve ? CurveInput::Action::Curve
                    : d.fans == CpuReadingWatch::Fans::Keep                                 ? CurveInput::Action::Keep
                                                                                            : CurveInput::Action::Cap;
                QCOMPARE(int(a), int(expected));
                QCOMPARE(p.outages.size() == 1, d.outageBegins);
                QCOMPARE(p.back.size() == 1, d.outageEnds);
            }
        }
    }

    void sourcesNoCurveNamesAreForgotten()
    {
        SourceWatch watch;
        const QHash<QString, double> none;
        QStringList watched{QStringLiteral("a/t")};
        QCOMPARE(watch.afterPass(none, watched).lost, watched);
        QCOMPARE(watch.state(QStringLiteral("a/t")), SourceWatch::State::Lost);
        // No longer followed: no outage to end, and a later watch starts afresh.
        QVERIFY(watch.afterPass(none, {}).lost.isEmpty());
        QCOMPARE(watch.state(QStringLiteral("a/t")), SourceWatch::State::Lost);
        const SourceWatch::Events again = watch.afterPass({{QStringLiteral("a/t"), 40.0}}, watched);
        QVERIFY(again.back.isEmpty() && again.lost.isEmpty());
        QCOMPARE(watch.state(QStringLiteral("a/t")), SourceWatch::State::Fresh);
        QCOMPARE(watch.value(QStringLiteral("a/t")), 40.0);
        // Several outages at once are told in a fixed order.
        QCOMPARE(watch.afterPass(none, {QStringLiteral("z/t"), QStringLiteral("b/t")}).lost,
                 (QStringList{QStringLiteral("b/t"), QStringLiteral("z/t")}));
    }
};

QTEST_APPLESS_MAIN(TestSourceWatch)
#include "test_sourcewatch.moc"
