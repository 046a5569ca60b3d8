// SPDX-License-Identifier: GPL-3.0-or-later
// auriventd: the fans, their lighting and safety, the effects, the stored
// settings, the phone server, the command channel and monitoring, with no
// window, no tray and no window library.
#include "channel/CommandChannel.h"
#include "common/Logging.h"
#include "control/Controller.h"
#include "device/FanGuardian.h"
#include "startup/CommandLine.h"
#include "startup/CommandOnly.h"
#include "startup/DriveStart.h"
#include "startup/SessionUser.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <cstdio>

namespace {
// Numbered commands a start sends to an instance that already runs.
constexpr int kShowWindow = 0x8101;
constexpr int kPing = 0x2333;
} // namespace

int main(int argc, char *argv[])
{
    Logging::install();
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const CommandLine line = CommandLine::parse(arguments);
    if (!line.needsGui()) {
        QCoreApplication app(argc, argv);
        return runCommandOnly(line, "auriventd", Controller::kVersion);
    }

    // Before anything creates a file or a thread.
    const SessionUser::Adoption user = SessionUser::adoptInvokingUser();
    if (!user.ok) {
        std::fprintf(stderr, "auriventd: %s\n", qPrintable(user.error));
        return 1;
    }
    // Forked while the program is small and has no thread yet. Every return
    // from here on is an orderly end and sends the guardian away; a kill,
    // a crash or an exit() elsewhere leaves it to cap the fans.
    FanGuardian::start();
    struct GuardianGoodbye {
        ~GuardianGoodbye() { FanGuardian::dismiss(); }
    } guardianGoodbye;

    QCoreApplication app(argc, argv);
    if (line.verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("aurivent.*.debug=true"));
    if (!user.note.isEmpty())
        qCInfo(lcApp).noquote() << user.note;

    QString error;
    if (CommandChannel::send(kPing, 0, 0, &error) != CommandChannel::SendResult::NoInstance) {
        std::fprintf(stderr, "auriventd: another Aurivent already runs and drives the fans; this one ends.\n");
        return 0;
    }

    DriveStart drive;
    if (!drive.start(line, &app, &error)) {
        std::fprintf(stderr, "auriventd: %s\n", qPrintable(error));
        return 2;
    }

    ControlOptions options;
    options.simulated = drive.devices.simulator != nullptr;
    options.hotplug = &drive.hotplug;
    options.channel = &drive.channel;
    options.metricsListen = line.metrics;
    Controller control(drive.core, options);
    qCInfo(lcApp) << "running without a window: fans, lighting, phone server and command channel";
    // There is no window to show: a start that asks for one hears so.
    drive.channel.setHandler([&control](int id, int wParam, int lParam) {
        if (id == kShowWindow && wParam != 0)
            return false;
        return control.handleWindowMessage(id, wParam, lParam);
    });
    const int result = app.exec();
    drive.channel.setHandler({});
    return result;
}
