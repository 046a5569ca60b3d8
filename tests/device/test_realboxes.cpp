// SPDX-License-Identifier: GPL-3.0-or-later
// umockdev before Qt: its headers use "signals" as a name.
#include <umockdev.h>

#include "EmulatedBoxes.h"

#include "device/Reports.h"
#include "storage/IniHelper.h"

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

// Runs a shell script outside the emulated world (umockdev hides the real /sys).
QByteArray outside(const QString &script, bool *ok = nullptr)
{
    QProcess shell;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("LD_PRELOAD"));
    env.remove(QStringLiteral("UMOCKDEV_DIR"));
    shell.setProcessEnvironment(env);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    const bool finished = shell.waitForFinished(30000);
    if (ok)
        *ok = finished && shell.exitStatus() == QProcess::NormalExit && shell.exitCode() == 0;
    return shell.readAllStandardOutput().trimmed();
}

// A memory cgroup (v1 or v2) of its own for one process, limited to 64 MiB
// more than it holds; removed again.
class MemoryLimit {
public:
    ~MemoryLimit()
    {
        if (!m_dir.isEmpty())
            outside(QStringLiteral("rmdir '%1'").arg(m_dir));
    }

    // An error text where that cannot be done.
    QString confine(pid_t pid)
    {
        bool ok = false;
        const QByteArray dir = outside(QStringLiteral(R"(
            pid=%1
            v1=$(sed -n 's/^[0-9]*:\(.*,\)\{0,1\}memory\(,.*\)\{0,1\}:\(.*\)$/\3/p' /proc/self/cgroup | head -n 1)
            v2=$(sed -n 's/^0::\(.*\)$/\1/p' /proc/self/cgroup | head -n 1)
            if [ -n "$v1" ] && [ -f "/sys/fs/cgroup/memory$v1/memory.limit_in_bytes" ]; then
                dir="/sys/fs/cgroup/memory${v1%%/}/aurivent-oom-$pid"
                mkdir "$dir" && echo "$pid" > "$dir/cgroup.procs" || exit 1
                limit=$(( $(cat "$dir/memory.usage_in_bytes") + 64 * 1024 * 1024 ))
                echo $limit > "$dir/memory.limit_in_bytes" || exit 1
                [ ! -f "$dir/memory.memsw.limit_in_bytes" ] || echo $limit > "$dir/memory.memsw.limit_in_bytes"
            elif [ -n "$v2" ] && [ -f "/sys/fs/cgroup$v2/memory.max" ]; then
                dir="/sys/fs/cgroup${v2%%/}/aurivent-oom-$pid"
                mkdir "$dir" && echo "$pid" > "$dir/cgroup.procs" || exit 1
                echo $(( $(cat "$dir/memory.current") + 64 * 1024 * 1024 )) > "$dir/memory.max" || exit 1
                [ ! -f "$dir/memory.swap.max" ] || echo 0 > "$dir/memory.swap.max"
            else
                exit 2
            fi
            echo "$dir")").arg(pid), &ok);
        if (!ok)
            return QStringLiteral("no memory cgroup this test may make and limit");
        m_dir = QString::fromLocal8Bit(dir);
        return QString();
    }

    // How often the kernel's OOM killer struck in it.
    int oomKills() const
    {
        return outside(QStringLiteral("cat '%1/memory.oom_control' '%1/memory.events' 2>/dev/null | sed -n 's/^oom_kill //p'")
                           .arg(m_dir))
            .toInt();
    }

private:
    QString m_dir;
};

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
        // setpriv execs the program with a parent-death signal: should this
        // test be cut short, no program is left running behind it.
        program->start(QStringLiteral("setpriv"), QStringList{QStringLiteral("--pdeathsig"), QStringLiteral("KILL"),
                                                             QStringLiteral("--"), bin() + QStringLiteral("/Aurivent")}
                                                      + arguments);
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

    // Guardian processes of programs this test started (they share its settings folder).
    static int guardians()
    {
        const QByteArray mine = "XDG_CONFIG_HOME=" + qgetenv("XDG_CONFIG_HOME") + '\0';
        int n = 0;
        for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
            QFile comm(QStringLiteral("/proc/%1/comm").arg(pid));
            if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != "aurivent-guard")
                continue;
            QFile environ(QStringLiteral("/proc/%1/environ").arg(pid));
            if (environ.open(QIODevice::ReadOnly) && environ.readAll().contains(mine))
                ++n;
        }
        return n;
    }

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
            for (const char *how : {"SIGTERM", "SIGSEGV", "SIGABRT", "exit", "SIGKILL", "OOM"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(QLatin1String(how), QLatin1String(mode))))
                    << QString::fromLatin1(how) << headless;
        }
    }

    void everyEndingCapsTheFansOnTheNodes()
    {
        QFETCH(QString, how);
        QFETCH(bool, headless);
        // Box 1's fans are capped at 70 %, box 0's at 100 %: each box's caps are its own.
        writeSettings("[Device0]\nBoxType=1\n[Device1]\nBoxType=1\nProfile=2\n");
        ControllerBox capped;
        for (RainbowFanRecord &fan : capped.rainbowFan)
            fan.speedPer = 2;
        QVERIFY(IniHelper::writeProfileIni(IniHelper::buildProfileMap(1, capped), 2));
        QCOMPARE(boxes->add(0, 1, 3, false), QString());
        QCOMPARE(boxes->add(1, 1, 4, false), QString());
        const QString request = work.filePath(QStringLiteral("request"));
        QFile::remove(request);
        const bool byRequest = how == QLatin1String("exit") || how == QLatin1String("OOM");
        QStringList environment;
        if (byRequest)
            environment << QStringLiteral("LD_PRELOAD=") + qEnvironmentVariable("LD_PRELOAD") + QStringLiteral(" ")
                               + bin() + QStringLiteral("/libExitOnRequest.so")
                        << (how == QLatin1String("exit") ? QStringLiteral("AURIVENT_TEST_EXIT_REQUEST=")
                                                         : QStringLiteral("AURIVENT_TEST_HOG_REQUEST="))
                               + request;
        startProgram({headless ? QStringLiteral("--headless") : QStringLiteral("--minimized")}, environment);
        // Two rounds of the poll: the crash reports are prepared at each.
        QTRY_VERIFY_WITH_TIMEOUT(polls(0) >= 10 && polls(1) >= 10, 60000);
        QCOMPARE(guardians(), 1);
        MemoryLimit limit;
        if (how == QLatin1String("OOM")) {
            // The program alone in a cgroup whose memory it is about to run out of.
            const QString why = limit.confine(pid_t(program->processId()));
            if (!why.isEmpty())
                QSKIP(qPrintable(QStringLiteral("no OOM kill here: ") + why));
        }
        boxes->clear();
        const qint64 endedAt = boxes->elapsedMs();
        if (byRequest) {
            QFile file(request);
            QVERIFY(file.open(QIODevice::WriteOnly));
        } else {
            const int signal = how == QLatin1String("SIGTERM")   ? SIGTERM
                               : how == QLatin1String("SIGSEGV") ? SIGSEGV
                               : how == QLatin1String("SIGKILL") ? SIGKILL
                                                                 : SIGABRT;
            ::kill(pid_t(program->processId()), signal);
        }
        QVERIFY2(program->waitForFinished(60000), "the program did not end");
        if (how == QLatin1String("OOM")) {
            QCOMPARE(program->exitStatus(), QProcess::CrashExit);
            QVERIFY2(limit.oomKills() > 0, "the kernel's OOM killer ended it");
        }
        delete program;
        program = nullptr;
        // Nothing of it is left running: its guardian has gone too.
        QTRY_COMPARE_WITH_TIMEOUT(guardians(), 0, 30000);

        // Every fan follows the temperature and there is no reading here: each gets its cap.
        const std::vector<Report> caps0{Reports::fanDuty(1, 100), Reports::fanDuty(2, 100), Reports::fanDuty(3, 100),
                                        Reports::fanDuty(4, 100), Reports::fanDuty(5, 100)};
        const std::vector<Report> caps1{Reports::fanDuty(1, 70), Reports::fanDuty(2, 70), Reports::fanDuty(3, 70),
                                        Reports::fanDuty(4, 70), Reports::fanDuty(5, 70)};
        for (int b : {0, 1}) {
            const std::vector<Report> &caps = b == 0 ? caps0 : caps1;
            // What the guardian wrote reaches the emulated node on umockdev's
            // own thread, which may read it after the guardian has gone.
            QTRY_VERIFY_WITH_TIMEOUT(withoutPolls(boxes->reports(b)).size() >= caps.size(), 10000);
            const std::vector<Report> got = withoutPolls(boxes->reports(b));
            QVERIFY2(got.size() >= caps.size(), qPrintable(QStringLiteral("box %1 got %2 reports").arg(b).arg(got.size())));
            QStringList last, expected;
            for (auto it = got.end() - long(caps.size()); it != got.end(); ++it)
                last << hex(*it);
            for (const Report &r : caps)
                expected << hex(r);
            QCOMPARE(last, expected);
            // An orderly end sends them once: the guardian was sent away and wrote nothing.
            if (how == QLatin1String("SIGTERM"))
                QCOMPARE(int(got.size()), int(caps.size()));
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
