#include "Aurivent.h"
#include "CommandChannel.h"
#include "CommandLine.h"
#include "common/Logging.h"
#include "device/HotplugMonitor.h"
#include "DeviceSetup.h"

#include <QApplication>
#include <QDebug>

#include <cstdio>

namespace {

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

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false); // the program lives in the tray
    const CommandLine line = CommandLine::parse(app.arguments());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(line.error));
        return 2;
    }
    if (line.send)
        return sendCommand(line);

    qCDebug(lcApp) << "FindWindow:::::::";
    QString ignored;
    // A running instance shows its main view and this start ends quietly.
    if (CommandChannel::send(0x8101, 1, 1, &ignored) != CommandChannel::SendResult::NoInstance) {
        qCDebug(lcApp) << "Findddddddddd";
        return 0;
    }

    HotplugMonitor hotplug;
    DeviceSetup devices;
    QString error;
    if (!devices.apply(line, &hotplug, &app, &error)) {
        std::fprintf(stderr, "Aurivent: %s\n", qPrintable(error));
        return 2;
    }
    CommandChannel channel;
    if (!channel.listen(&error))
        qWarning() << "command channel:" << error;
    hotplug.start();

    StartOptions options;
    options.simulated = devices.simulator != nullptr;
    options.hotplug = &hotplug;
    options.channel = &channel;
    auto *window = new Aurivent(options);
    window->show();
    window->setWindowTitle(QString::fromLatin1(Aurivent::kTitle));
    qCDebug(lcApp) << "Not Finddddddddddddddddddddd";
    const int result = app.exec();
    delete window;
    return result;
}
