// umockdev before Qt: its headers use "signals" as a name.
#include <umockdev.h>

#include "EmulatedBoxes.h"

#include "device/Reports.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace {

bool isPoll(const Report &r) { return r[1] == 0x33 && r[2] == 0x51; }

// The highest duty of a temperature-following 12-LED fan, as a pass without a reading sends it.
bool isCap(const Report &r) { return r[1] == 0x32 && r[2] == 0x51 && r[4] == 0x01 && r[5] == 100; }

// What a box got before the speed poll first asked it: the start-up itself.
std::vector<Report> beforeFirstPoll(const std::vector<Report> &reports)
{
    std::vector<Report> out;
    for (const Report &r : reports) {
        if (isPoll(r))
            break;
        out.push_back(r);
    }
    return out;
}

QString hex(const Report &r) { return QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(r.data()), 12).toHex()); }

std::vector<Report> withoutPolls(const std::vector<Report> &reports)
{
    std::vector<Report> out;
    for (const Report &r : reports)
        if (!isPoll(r))
            out.push_back(r);
    return out;
}

// The OUT reports of one box in a protocol trace, in order.
std::vector<Report> traceReports(const QString &path, int box)
{
    std::vector<Report> out;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return out;
    while (!file.atEnd()) {
        const QList<QByteArray> words = file.readLine().trimmed().split(' ');
        if (words.size() >= 4 && words[1] == "XFER" && words[2].toInt() == box) {
            const QByteArray bytes = QByteArray::fromHex(words[3]);
            Report r{};
            if (bytes.size() == kReportSize) {
                std::memcpy(r.data(), bytes.constData(), kReportSize);
                out.push_back(r);
            }
        }
    }
    return out;
}

int pollsIn(const std::vector<Report> &reports)
{
    int n = 0;
    for (const Report &r : reports)
        n += isPoll(r) ? 1 : 0;
    return n;
}

} // namespace

// The program as users run it on real boxes - hidapi on hidraw nodes, the
// udev hot-plug monitor, the crash handler's own descriptors - against boxes
// that umockdev puts behind real /dev/hidraw nodes and sysfs entries.
class TestRealBoxes : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<EmulatedBoxes> boxes;
    QTemporaryDir work;
    QProcess *program = nullptr;
    QString logPath;

    QString bin() const { return QCoreApplication::applicationDirPath(); }

    void writeSettings(const QByteArray &deviceFile)
    {
        const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/Kq/RGBVaylaZeve");
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile file(folder + QStringLiteral("/Device.ini"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Main]\nAutoUpdate=0\nisAutoRun=0\nLanguage=0\n" + deviceFile);
    }

    void startProgram(const QStringList &arguments, const QStringList &environment = {})
    {
        QVERIFY(!program);
        program = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        env.insert(QStringLiteral("QT_LOGGING_RULES"), QStringLiteral("aurivent.device.debug=true"));
        for (const QString &pair : environment)
            env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        program->setProcessEnvironment(env);
        logPath = work.filePath(QStringLiteral("log"));
        QFile::remove(logPath);
        program->setProcessChannelMode(QProcess::MergedChannels);
        program->setStandardOutputFile(logPath);
        program->start(bin() + QStringLiteral("/Aurivent"), arguments);
        QVERIFY2(program->waitForStarted(30000), qPrintable(program->errorString()));
    }

    // Ends the program the way `how` says and waits until it is gone.
    void endProgram(int signal = SIGTERM)
    {
        QVERIFY(program);
        if (program->state() != QProcess::NotRunning) {
            ::kill(pid_t(program->processId()), signal);
            QVERIFY2(program->waitForFinished(60000), "the program did not end");
        }
        delete program;
        program = nullptr;
    }

    QByteArray log() const
    {
        QFile file(logPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    bool logHas(const QByteArray &text) const { return log().contains(text); }

    int polls(int box) const { return pollsIn(boxes->reports(box)); }

private slots:
    void initTestCase()
    {
        // Run by hand, it still keeps to folders of its own.
        QVERIFY(work.isValid());
        if (qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME"))
            qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toLocal8Bit());
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            const QString run = work.filePath(QStringLiteral("run"));
            QDir().mkpath(run);
            QFile::setPermissions(run, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
            qputenv("XDG_RUNTIME_DIR", run.toLocal8Bit());
        }
    }

    void init()
    {
        QVERIFY(work.isValid());
        boxes = std::make_unique<EmulatedBoxes>();
    }

    void cleanup()
    {
        if (program) {
            program->kill();
            program->waitForFinished(30000);
            delete program;
            program = nullptr;
        }
        if (QTest::currentTestFailed())
            std::fprintf(stderr, "--- program log\n%s\n", log().right(3000).constData());
        boxes.reset();
    }

    void startUpIsByteForByteTheSimulatorsStart_data()
    {
        QTest::addColumn<QString>("spec");
        QTest::newRow("one box") << QStringLiteral("1");
        QTest::newRow("three boxes") << QStringLiteral("1,-,0,-,-,1");
    }

    void startUpIsByteForByteTheSimulatorsStart()
    {
        QFETCH(QString, spec);
        const QStringList kinds = spec.split(QLatin1Char(','));
        QByteArray deviceFile;
        QList<int> present;
        for (int b = 0; b < kinds.size(); ++b) {
            if (kinds[b] == QLatin1String("-"))
                continue;
            present << b;
            deviceFile += "[Device" + QByteArray::number(b) + "]\nBoxType=" + kinds[b].toLatin1() + "\n";
        }

        // Real boxes: hidapi on the emulated nodes.
        writeSettings(deviceFile);
        for (int b : present)
            QCOMPARE(boxes->add(b, kinds[b].toInt(), 3 + b, false), QString());
        const QString realTrace = work.filePath(QStringLiteral("real.trace"));
        QFile::remove(realTrace);
        startProgram({QStringLiteral("--minimized"), QStringLiteral("--hid-trace=") + realTrace});
        for (int b : present)
            QTRY_VERIFY_WITH_TIMEOUT(polls(b) >= 15, 60000); // three rounds of the poll
        endProgram();

        // The same start on the simulator, in the same emulated world (no sensors either).
        writeSettings(deviceFile);
        const QString simTrace = work.filePath(QStringLiteral("sim.trace"));
        QFile::remove(simTrace);
        startProgram({QStringLiteral("--minimized"), QStringLiteral("--simulate=") + spec,
                      QStringLiteral("--hid-trace=") + simTrace});
        for (int b : present)
            QTRY_VERIFY_WITH_TIMEOUT(pollsIn(traceReports(simTrace, b)) >= 15, 60000);
        endProgram();

        for (int b : present) {
            const std::vector<Report> onNode = boxes->reports(b);
            QCOMPARE(boxes->refusedWrites(b), 0);
            // What the trace says went out is what the node took.
            QCOMPARE(int(traceReports(realTrace, b).size()), int(onNode.size()));
            // The start-up, report for report; after it only questions and
            // caps (how many passes and rounds fit in depends on the machine).
            const std::vector<Report> real = beforeFirstPoll(onNode);
            const std::vector<Report> simulated = beforeFirstPoll(traceReports(simTrace, b));
            for (const std::vector<Report> &all : {onNode, traceReports(simTrace, b)}) {
                for (size_t i = real.size(); i < all.size(); ++i)
                    QVERIFY2(isPoll(all[i]) || isCap(all[i]), qPrintable(hex(all[i])));
            }
            if (kinds[b] == QLatin1String("1")) { // its fans follow the temperature: capped at the end
                QVERIFY(isCap(withoutPolls(onNode).back()));
                QVERIFY(isCap(withoutPolls(traceReports(simTrace, b)).back()));
            }
            QVERIFY2(real.size() > 5, "the box got its settings");
            for (size_t i = 0; i < std::min(real.size(), simulated.size()); ++i)
                QVERIFY2(real[i] == simulated[i], qPrintable(QStringLiteral("box %1 report %2: %3 on the node, %4 simulated")
                                                                 .arg(b).arg(i).arg(hex(real[i]), hex(simulated[i]))));
            QVERIFY2(real.size() == simulated.size(), qPrintable(QStringLiteral("box %1: %2 reports on the node, %3 simulated; next %4")
                                                                     .arg(b).arg(real.size()).arg(simulated.size())
                                                                     .arg(real.size() < simulated.size() ? hex(simulated[real.size()]) : hex(real[simulated.size()]))));
            // Every reply is read whole: 64 bytes asked, one report per read.
            for (const EmulatedBoxes::Event &e : boxes->events(b))
                if (e.kind == 'R')
                    QCOMPARE(e.length, kReplySize);
        }
    }

    void hotPlugThroughRealUevents()
    {
        writeSettings("[Device0]\nBoxType=1\n[Device1]\nBoxType=1\n");
        QCOMPARE(boxes->add(0, 1, 3, false), QString());
        startProgram({QStringLiteral("--minimized")});
        QTRY_VERIFY_WITH_TIMEOUT(polls(0) >= 5, 60000);

        // Plugged in after start: opened, probed and sent its settings.
        QCOMPARE(boxes->add(1, 1, 4), QString());
        QTRY_VERIFY_WITH_TIMEOUT(polls(1) >= 5, 30000);
        const std::vector<Report> late = withoutPolls(boxes->reports(1));
        QVERIFY(!late.empty());
        QCOMPARE(late.front(), Reports::probe());
        int lighting = 0;
        for (const Report &r : late)
            lighting += r[1] == 0x32 && r[2] == 0x52 ? 1 : 0;
        QCOMPARE(lighting, 5);

        // Unplugged: the program hears the remove and lets it go.
        QCOMPARE(boxes->remove(1), QString());
        QTRY_VERIFY_WITH_TIMEOUT(logHas("box 1 lost"), 30000);
        QVERIFY(logHas("hotplug: remove /dev/hidraw4"));
        const int before = polls(0);
        QTRY_VERIFY_WITH_TIMEOUT(polls(0) >= before + 10, 30000); // two more rounds
        QVERIFY(logHas("box 0 found"));

        // A remove and an add of box 0 inside 100 ms (on the next free node,
        // as the kernel numbers them): the old handle is stale, so it is
        // opened afresh and sent its settings.
        const int opensBefore = boxes->opens(0);
        boxes->clear();
        qint64 gap = -1;
        QCOMPARE(boxes->replug(0, 5, &gap), QString());
        std::printf("remove and add of box 0: %lld ms apart\n", static_cast<long long>(gap));
        QTRY_VERIFY_WITH_TIMEOUT(boxes->opens(0) >= 1, 30000);
        QTRY_VERIFY_WITH_TIMEOUT(polls(0) >= 5, 30000);
        int relit = 0;
        for (const Report &r : boxes->reports(0))
            relit += r[1] == 0x32 && r[2] == 0x52 ? 1 : 0;
        QCOMPARE(relit, 5);
        QVERIFY(opensBefore >= 1);

        // Some other device's node comes and goes: nothing is reopened or
        // re-sent (the presence scan only opens and closes each node).
        const auto pollingClient = [this] {
            int client = -1;
            for (const EmulatedBoxes::Event &e : boxes->events(0))
                if (e.kind == 'W' && e.data.size() > 2 && e.data[1] == 0x33 && e.data[2] == 0x51)
                    client = e.client;
            return client;
        };
        const int linkBefore = pollingClient();
        boxes->clear();
        QCOMPARE(boxes->addOther(9), QString());
        QCOMPARE(boxes->removeOther(9), QString());
        QTRY_VERIFY_WITH_TIMEOUT(logHas("hotplug: remove /dev/hidraw9"), 30000);
        const int after = polls(0);
        QTRY_VERIFY_WITH_TIMEOUT(polls(0) >= after + 10, 30000);
        QCOMPARE(pollingClient(), linkBefore);
        for (const Report &r : boxes->reports(0)) // questions, and the temperature pass's caps
            QVERIFY2(isPoll(r) || isCap(r), qPrintable(hex(r)));
        endProgram();
    }

    void nodesThatFailDoNotHoldUpTheOthers()
    {
        writeSettings("[Device0]\nBoxType=1\n[Device1]\nBoxType=1\n[Device2]\nBoxType=1\n[Device3]\nBoxType=1\n");
        for (int b = 0; b < 4; ++b)
            QCOMPARE(boxes->add(b, 1, 3 + b, false), QString());
        boxes->setFault(0, EmulatedBoxes::Fault::WriteErrors);
        boxes->setFault(1, EmulatedBoxes::Fault::ShortReplies);
        boxes->setFault(2, EmulatedBoxes::Fault::Silent);
        startProgram({QStringLiteral("--minimized")});
        QTRY_VERIFY_WITH_TIMEOUT(polls(3) >= 5, 60000);
        QElapsedTimer clock;
        clock.start();
        const int start = polls(3);
        QTRY_VERIFY_WITH_TIMEOUT(polls(3) >= start + 15, 60000);
        // About a round a second for the healthy box, whatever the others do.
        QVERIFY2(clock.elapsed() < 3 * 3000 + 5000, qPrintable(QString::number(clock.elapsed())));
        // A box that refuses every report fails its probe: it is not taken for present.
        QVERIFY(!logHas("box 0 found"));
        QVERIFY(logHas("box 3 found"));
        // Replies too short to hold a speed are not read as a stopped fan.
        QVERIFY(polls(1) >= 5);
        QVERIFY2(!logHas("of box 1 stopped"), "a short reply was read as a speed");
        // A box that never answers is said to be so; the healthy one is not.
        QTRY_VERIFY_WITH_TIMEOUT(logHas("box 2 is not answering"), 30000);
        QVERIFY(!logHas("box 3 is not answering"));
        QVERIFY(!logHas("of box 3 stopped"));
        QCOMPARE(program->state(), QProcess::Running);
        endProgram();
        QCOMPARE(program, static_cast<QProcess *>(nullptr));
    }

    void everyEndingCapsTheFansOnTheNodes_data()
    {
        QTest::addColumn<QString>("how");
        QTest::addColumn<bool>("headless");
        for (bool headless : {false, true}) {
            const char *mode = headless ? "service" : "window";
            for (const char *how : {"SIGTERM", "SIGSEGV", "SIGABRT", "exit"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(how), QLatin1String(mode))))
                    << QString::fromLatin1(how) << headless;
        }
    }

    void everyEndingCapsTheFansOnTheNodes()
    {
        QFETCH(QString, how);
        QFETCH(bool, headless);
        writeSettings("[Device0]\nBoxType=1\n[Device1]\nBoxType=1\n");
        QCOMPARE(boxes->add(0, 1, 3, false), QString());
        QCOMPARE(boxes->add(1, 1, 4, false), QString());
        const QString exitRequest = work.filePath(QStringLiteral("exit-request"));
        QFile::remove(exitRequest);
        QStringList environment;
        if (how == QLatin1String("exit"))
            environment << QStringLiteral("LD_PRELOAD=") + qEnvironmentVariable("LD_PRELOAD") + QStringLiteral(" ")
                               + bin() + QStringLiteral("/libExitOnRequest.so")
                        << QStringLiteral("AURIVENT_TEST_EXIT_REQUEST=") + exitRequest;
        startProgram({headless ? QStringLiteral("--headless") : QStringLiteral("--minimized")}, environment);
        // Two rounds of the poll: the crash reports are prepared at each.
        QTRY_VERIFY_WITH_TIMEOUT(polls(0) >= 10 && polls(1) >= 10, 60000);
        boxes->clear();
        const qint64 endedAt = boxes->elapsedMs();
        if (how == QLatin1String("exit")) {
            QFile request(exitRequest);
            QVERIFY(request.open(QIODevice::WriteOnly));
            request.write("exit\n");
        } else {
            const int signal = how == QLatin1String("SIGTERM") ? SIGTERM : how == QLatin1String("SIGSEGV") ? SIGSEGV : SIGABRT;
            ::kill(pid_t(program->processId()), signal);
        }
        QVERIFY2(program->waitForFinished(60000), "the program did not end");
        delete program;
        program = nullptr;

        // Every fan follows the temperature and there is no reading here: each gets its cap.
        const std::vector<Report> caps0{Reports::fanDuty(1, 100), Reports::fanDuty(2, 100), Reports::fanDuty(3, 100),
                                        Reports::fanDuty(4, 100), Reports::fanDuty(5, 100)};
        for (int b : {0, 1}) {
            const std::vector<Report> &caps = caps0;
            const std::vector<Report> got = withoutPolls(boxes->reports(b));
            QVERIFY2(got.size() >= caps.size(), qPrintable(QStringLiteral("box %1 got %2 reports").arg(b).arg(got.size())));
            QStringList last, expected;
            for (auto it = got.end() - long(caps.size()); it != got.end(); ++it)
                last << hex(*it);
            for (const Report &r : caps)
                expected << hex(r);
            QCOMPARE(last, expected);
            qint64 lastAt = 0;
            for (const EmulatedBoxes::Event &e : boxes->events(b))
                if (e.kind == 'W' && e.result == kReportSize && !(e.data[1] == 0x33 && e.data[2] == 0x51))
                    lastAt = e.ms;
            std::printf("ending %s (%s): box %d got its %d caps, the last %lld ms after the ending\n", qPrintable(how),
                        headless ? "service" : "window", b, int(caps.size()), static_cast<long long>(lastAt - endedAt));
        }
    }
};

int main(int argc, char **argv)
{
    // The emulated world needs umockdev's preload library in this process and
    // in the programs it starts: start again under umockdev-wrapper.
    const QByteArray preload = qgetenv("LD_PRELOAD");
    if (!preload.contains("libumockdev-preload")) {
        std::vector<char *> arguments{const_cast<char *>("umockdev-wrapper")};
        for (int i = 0; i < argc; ++i)
            arguments.push_back(argv[i]);
        arguments.push_back(nullptr);
        execvp("umockdev-wrapper", arguments.data());
        std::printf("SKIP: umockdev-wrapper cannot be started (%s): the real backends are not tested here\n",
                    std::strerror(errno));
        return 77;
    }
    QCoreApplication app(argc, argv);
    QString why;
    if (!EmulatedBoxes::available(&why)) {
        std::printf("SKIP: %s: the real backends are not tested here\n", qPrintable(why));
        return 77;
    }
    TestRealBoxes test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_realboxes.moc"
