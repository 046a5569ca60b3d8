// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "monitoring/Monitoring.h"

#include <QCommandLineParser>

namespace {

const char kSendOption[] = "--send";

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Shows these options.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Shows the program's version.")};
    QCommandLineOption minimized{QStringLiteral("minimized"),
                                 QStringLiteral("Starts in the tray without showing the window (as at log-in).")};
    QCommandLineOption headless{QStringLiteral("headless"),
                                QStringLiteral("Runs the fan and lighting control with no window and no tray "
                                               "(for the aurivent service).")};
    QCommandLineOption verbose{QStringLiteral("verbose"),
                               QStringLiteral("Logs the diagnostic labels too (as QT_LOGGING_RULES="
                                              "\"aurivent.*.debug=true\" does).")};
    QCommandLineOption simulate{QStringLiteral("simulate"),
                                QStringLiteral("Simulated boxes instead of USB: one item per slot from 0 upward, "
                                               "1 = five RGB fans, 0 = three single-colour fans, - = empty."),
                                QStringLiteral("SPEC")};
    QCommandLineOption simulateControl{QStringLiteral("simulate-control"),
                                       QStringLiteral("With --simulate: plug, unplug and stall simulated boxes "
                                                      "through commands on the local socket PATH."),
                                       QStringLiteral("PATH")};
    QCommandLineOption simulateLatency{QStringLiteral("simulate-latency"),
                                       QStringLiteral("With --simulate: every exchange with a simulated box takes "
                                                      "MS milliseconds, as on a real USB bus."),
                                       QStringLiteral("MS")};
    QCommandLineOption hidTrace{QStringLiteral("hid-trace"),
                                QStringLiteral("Appends one line per device event to FILE."), QStringLiteral("FILE")};
    QCommandLineOption metrics{QStringLiteral("metrics"),
                               QStringLiteral("Serves the current values in Prometheus' text format on ADDRESS:PORT "
                                              "(127.0.0.1:9745 keeps them on this computer), whatever Metrics.ini says."),
                               QStringLiteral("ADDRESS:PORT")};
    QCommandLineOption writeThenRead{QStringLiteral("write-then-read"),
                                     QStringLiteral("Every report waits for its box's reply before the next is written "
                                                    "(by default lighting is written ahead of the replies).")};
    QCommandLineOption send{QStringLiteral("send"),
                            QStringLiteral("Delivers one numbered command to the running Aurivent, prints "
                                           "\"handled\" or \"not handled\" and exits; ID, WPARAM and LPARAM "
                                           "follow it (hex with 0x, or decimal).")};
    // QApplication's own options: taken here so that they are not refused.
    QList<QCommandLineOption> qtOptions;

    Options()
    {
        for (const char *name : {"platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry",
                                 "qwindowicon", "qwindowtitle", "session", "display", "style", "stylesheet"}) {
            QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            qtOptions << option;
        }
        for (const char *name : {"reverse", "widgetcount"}) {
            QCommandLineOption option(QString::fromLatin1(name));
            option.setFlags(QCommandLineOption::HiddenFromHelp);
            qtOptions << option;
        }
    }

    void addTo(QCommandLineParser &parser) const
    {
        // One dash or two: Qt's options are written "-platform offscreen".
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOptions(
            {help, version, minimized, headless, verbose, simulate, simulateControl, simulateLatency, hidTrace, metrics,
             writeThenRead, send});
        parser.addOptions(qtOptions);
        parser.addPositionalArgument(QStringLiteral("ID [WPARAM [LPARAM]]"),
                                     QStringLiteral("After --send: the command and its two parameters."),
                                     QStringLiteral("[--send ID [WPARAM [LPARAM]]]"));
    }
};

} // namespace

CommandLine CommandLine::parse(const QStringList &arguments)
{
    CommandLine line;
    // Everything after --send belongs to it, negative numbers included
    // ("--send 0x8120 -1" must not read -1 as an option).
    QStringList own = arguments;
    const int sendAt = arguments.indexOf(QLatin1String(kSendOption));
    if (sendAt > 0) {
        line.sendArgs = arguments.mid(sendAt + 1);
        own = arguments.mid(0, sendAt + 1);
    }

    const Options options;
    QCommandLineParser parser;
    options.addTo(parser);
    if (!parser.parse(own)) {
        line.error = parser.errorText();
        return line;
    }
    if (!parser.positionalArguments().isEmpty()) {
        line.error = QStringLiteral("unexpected argument \"%1\"").arg(parser.positionalArguments().constFirst());
        return line;
    }
    line.help = parser.isSet(options.help);
    line.version = parser.isSet(options.version);
    line.minimized = parser.isSet(options.minimized);
    line.headless = parser.isSet(options.headless);
    line.verbose = parser.isSet(options.verbose);
    line.simulateSet = parser.isSet(options.simulate);
    line.simulate = parser.value(options.simulate);
    line.simulateControl = parser.value(options.simulateControl);
    line.simulateLatency = parser.value(options.simulateLatency);
    line.hidTrace = parser.value(options.hidTrace);
    line.metrics = parser.value(options.metrics);
    line.writeThenRead = parser.isSet(options.writeThenRead);
    line.send = parser.isSet(options.send);

    QString metricsAddress, metricsWhy;
    quint16 metricsPort = 0;
    if (!line.metrics.isEmpty() && !Monitoring::parseListen(line.metrics, &metricsAddress, &metricsPort, &metricsWhy))
        line.error = QStringLiteral("--metrics: ") + metricsWhy;
    else if (line.send && (line.sendArgs.isEmpty() || line.sendArgs.size() > 3))
        line.error = QStringLiteral("--send needs ID [WPARAM [LPARAM]]");
    else if (!line.simulateControl.isEmpty() && !line.simulateSet)
        line.error = QStringLiteral("--simulate-control needs --simulate");
    else if (line.headless && line.minimized)
        line.error = QStringLiteral("--headless shows no window: --minimized does not apply");
    else if (!line.simulateLatency.isEmpty() && !line.simulateSet)
        line.error = QStringLiteral("--simulate-latency needs --simulate");
    return line;
}

QString CommandLine::helpText()
{
    const Options options;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Aurivent drives RGB-lit PC case fans on USB controller boxes: lighting, fan "
                       "speed, the CPU temperature curve and the stall alarm."));
    options.addTo(parser);
    return parser.helpText()
        + QStringLiteral("\nThe numbered commands of --send are listed in the manual page, Aurivent(1).\n");
}
