// SPDX-License-Identifier: GPL-3.0-or-later
#include "Aurivent.h"
#include "channel/CommandChannel.h"
#include "startup/CommandLine.h"
#include "common/Logging.h"
#include "device/FanGuardian.h"
#include "control/Language.h"
#include "startup/SessionUser.h"
#include "storage/IniHelper.h"
#include "startup/CommandOnly.h"
#include "startup/DriveStart.h"
#include "startup/ServiceStart.h"
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

// --help, --version, --send and a bad line: no display, no window, nothing started.
int runWithoutGui(int argc, char *argv[], const CommandLine &line)
{
    QCoreApplication app(argc, argv);
    return runCommandOnly(line, "Aurivent", Aurivent::kVersion);
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
    if (line.minimized) {
        // A start at log-in: a running instance is enough.
        return CommandChannel::send(kPing, 0, 0, &ignored) != CommandChannel::SendResult::NoInstance;
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
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.needsGui())
        return runWithoutGui(argc, argv, line);
    // The service is a program of its own that links no window library.
    if (line.headless)
        return becomeService(argc, argv);

    // Before anything creates a file or a thread.
    const SessionUser::Adoption user = SessionUser::adoptInvokingUser();
    if (!user.ok) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(user.error));
        return 1;
    }

    // Forked while the program is small and has no thread yet. Every return
    // from here on is an orderly end and sends the guardian away; a kill,
    // a crash or an exit() elsewhere leaves it to cap the fans.
    FanGuardian::start();
    struct GuardianGoodbye {
        ~GuardianGoodbye() { FanGuardian::dismiss(); }
    } guardianGoodbye;

    // Sizes are in device-independent pixels: the window keeps its layout on
    // a screen of 192 DPI or a scale factor of 2, and pictures are drawn sharp.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the program lives in the tray
    WindowPlacement::fitScreen(QSize(MainViewRules::kWindowWidth, MainViewRules::kWindowHeight));
    QGuiApplication::setDesktopFileName(QStringLiteral("aurivent"));
    if (line.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("aurivent.*.debug=true"));
    if (!user.note.isEmpty())
        qCInfo(lcApp).noquote() << user.note;

    if (handOverToRunningInstance(line))
        return 0;

    DriveStart drive;
    QString error;
    if (!drive.start(line, &app, &error)) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(error));
        return 2;
    }

    StartOptions options;
    options.simulated = drive.devices.simulator != nullptr;
    options.hotplug = &drive.hotplug;
    options.channel = &drive.channel;
    options.metricsListen = line.metrics;
    options.minimized = line.minimized;
    auto *window = new Aurivent(drive.core, options);
    window->setWindowTitle(QString::fromLatin1(Aurivent::kTitle));
    window->show();
    // The tray may also be one that appears after the start.
    auto *trayless = new TraylessWindow(window->view(), &Tray::anyReachable);
    if (line.minimized && !Tray::anyReachable())
        trayless->minimize();
    const int result = app.exec();
    delete window;
    return result;
}
