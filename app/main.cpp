// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aurivent.h"
#include "CommandChannel.h"
#include "CommandLine.h"
#include "common/Logging.h"
#include "core/Core.h"
#include "device/CrashSafety.h"
#include "device/FanGuardian.h"
#include "device/HotplugMonitor.h"
#include "DeviceSetup.h"
#include "Language.h"
#include "SessionUser.h"
#include "storage/IniHelper.h"
#include "TerminationSignals.h"
#include "Tray.h"
#include "TraylessWindow.h"
#include "ui/MainView.h"
#include "ui/WindowPlacement.h"

#include <QApplication>
#include <QDebug>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QSystemTrayIcon>
#include <QTranslator>

#include <cstdio>

namespace {

// Numbered commands a start sends to an instance that already runs.
constexpr int kShowWindow = 0x8101;
constexpr int kPing = 0x2333;

int sendCommand(const CommandLine &line)
{
    int values[3] = {0, 0, 0};
    for (int i = 0; i < line.sendArgs.size(); ++i) {
        if (!CommandChannel::parseNumber(line.sendArgs.at(i), &values[i])) {
            std::fprintf(stderr, "Aurivent: --send: \"%s\" is not a number\n", qPrintable(line.sendArgs.at(i)));
            return 2;
        }
    }
    QString error;
    switch (CommandChannel::send(values[0], values[1], values[2], &error)) {
    case CommandChannel::SendResult::Handled:
        std::printf("handled\n");
        return 0;
    case CommandChannel::SendResult::NotHandled:
        std::printf("not handled\n");
        return 0;
    case CommandChannel::SendResult::NoInstance:
    case CommandChannel::SendResult::NoAnswer:
        break;
    }
    std::fprintf(stderr, "Aurivent: %s\n", qPrintable(error));
    return 1;
}

// --help, --version, --send and a bad line: no display, no window, nothing started.
int runWithoutGui(int argc, char *argv[], const CommandLine &line)
{
    QCoreApplication app(argc, argv);
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "Aurivent: %s\nTry \"Aurivent --help\" for the options.\n", qPrintable(line.error));
        return 2;
    }
    if (line.help) {
        std::printf("%s", qPrintable(CommandLine::helpText()));
        return 0;
    }
    if (line.version) {
        std::printf("Aurivent %s\n", Aurivent::kVersion);
        return 0;
    }
    return sendCommand(line);
}

// A window was asked for, but the running instance has none: it is the
// service. Said on standard error, and in a dialog when someone can see one.
void tellServiceRuns(bool dialog)
{
    QTranslator translator;
    AppSettings settings;
    BoxRecords boxes{}; // only the settings matter here
    IniHelper::parseDeviceData(IniHelper::readDeviceIni(), settings, boxes);
    if (Language::load(translator, QCoreApplication::applicationDirPath(), settings.languageIndex))
        QCoreApplication::installTranslator(&translator);
    const QString text = QCoreApplication::translate(
        "main", "Aurivent already runs in the background without a window (the aurivent service) and drives "
                "the fans. Only one Aurivent can drive them at a time. To use the window, stop the service first:\n"
                "systemctl --user stop aurivent.service");
    std::fprintf(stderr, "Aurivent: %s\n", qPrintable(text));
    if (!dialog)
        return;
    // The command on a line of its own that never wraps.
    const int cut = text.lastIndexOf(QLatin1Char('\n'));
    QMessageBox box(QMessageBox::Information, QStringLiteral("Aurivent"),
                    QStringLiteral("<p>%1</p><p style=\"white-space:pre\"><tt>%2</tt></p>")
                        .arg(text.left(cut).toHtmlEscaped(), text.mid(cut + 1).toHtmlEscaped()));
    box.setTextFormat(Qt::RichText);
    box.exec();
}

// True when another instance runs; this start has then done its part.
bool handOverToRunningInstance(const CommandLine &line)
{
    QString ignored;
    if (line.headless || line.minimized) {
        // The service, or a start at log-in: a running instance is enough.
        if (CommandChannel::send(kPing, 0, 0, &ignored) == CommandChannel::SendResult::NoInstance)
            return false;
        if (line.headless)
            std::fprintf(stderr, "Aurivent: another Aurivent already runs and drives the fans; this one ends.\n");
        return true;
    }
    // A running instance shows its main view and this start ends quietly.
    switch (CommandChannel::send(kShowWindow, 1, 1, &ignored)) {
    case CommandChannel::SendResult::NoInstance:
        return false;
    case CommandChannel::SendResult::Handled:
    case CommandChannel::SendResult::NoAnswer:  // busy: it shows its window when it reads the message
        return true;
    case CommandChannel::SendResult::NotHandled:
        break;
    }
    const QString platform = QGuiApplication::platformName();
    tellServiceRuns(platform != QLatin1String("offscreen") && platform != QLatin1String("minimal"));
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    Logging::install();
    // Before anything creates a file or a thread.
    const SessionUser::Adoption user = SessionUser::adoptInvokingUser();
    if (!user.ok) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(user.error));
        return 1;
    }

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.needsGui())
        return runWithoutGui(argc, argv, line);

    // Forked while the program is small and has no thread yet. Every return
    // from here on is an orderly end and sends the guardian away; a kill,
    // a crash or an exit() elsewhere leaves it to cap the fans.
    FanGuardian::start();
    struct GuardianGoodbye {
        ~GuardianGoodbye() { FanGuardian::dismiss(); }
    } guardianGoodbye;

    // The service runs with no display at all.
    if (line.headless)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Sizes are in device-independent pixels: the window keeps its layout on
    // a screen of 192 DPI or a scale factor of 2, and pictures are drawn sharp.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the program lives in the tray
    if (!line.headless)
        WindowPlacement::fitScreen(QSize(MainViewRules::kWindowWidth, MainViewRules::kWindowHeight));
    QGuiApplication::setDesktopFileName(QStringLiteral("aurivent"));
    if (line.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("aurivent.*.debug=true"));
    if (!user.note.isEmpty())
        qCInfo(lcApp).noquote() << user.note;

    if (handOverToRunningInstance(line))
        return 0;

    Core core;
    HotplugMonitor hotplug;
    DeviceSetup devices;
    QString error;
    if (!devices.apply(line, core.bus(), &hotplug, &app, &error)) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(error));
        return 2;
    }
    CommandChannel channel;
    if (!channel.listen(&error))
        qWarning() << "command channel:" << error;
    hotplug.start();
    quitOnTerminationSignals();
    // A crash still sends the temperature-following fans their cap.
    CrashSafety::install();

    StartOptions options;
    options.simulated = devices.simulator != nullptr;
    options.hotplug = &hotplug;
    options.channel = &channel;
    options.headless = line.headless;
    options.metricsListen = line.metrics;
    options.minimized = line.minimized;
    auto *window = new Aurivent(core, options);
    window->setWindowTitle(QString::fromLatin1(Aurivent::kTitle));
    if (line.headless) {
        // Never shown; on Windows its native window still receives the numbered commands.
        window->winId();
        qCInfo(lcApp) << "running without a window: fans, lighting, phone server and command channel";
        // There is no window to show: a start that asks for one hears so.
        channel.setHandler([window](int id, int wParam, int lParam) {
            if (id == kShowWindow && wParam != 0)
                return false;
            return window->handleWindowMessage(id, wParam, lParam);
        });
    } else {
        window->show();
        // The tray may also be one that appears after the start.
        auto *trayless = new TraylessWindow(window->view(), &Tray::anyReachable);
        if (line.minimized && !Tray::anyReachable())
            trayless->minimize();
    }
    const int result = app.exec();
    delete window;
    return result;
}
