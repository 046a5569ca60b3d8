// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandOnly.h"

#include "CommandLine.h"
#include "channel/CommandChannel.h"

#include <cstdio>

namespace {

int sendCommand(const CommandLine &line, const char *program)
{
    int values[3] = {0, 0, 0};
    for (int i = 0; i < line.sendArgs.size(); ++i) {
        if (!CommandChannel::parseNumber(line.sendArgs.at(i), &values[i])) {
            std::fprintf(stderr, "%s: --send: \"%s\" is not a number\n", program, qPrintable(line.sendArgs.at(i)));
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
    std::fprintf(stderr, "%s: %s\n", program, qPrintable(error));
    return 1;
}

} // namespace

int runCommandOnly(const CommandLine &line, const char *program, const char *version)
{
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "%s: %s\nTry \"%s --help\" for the options.\n", program, qPrintable(line.error), program);
        return 2;
    }
    if (line.help) {
        std::printf("%s", qPrintable(CommandLine::helpText()));
        return 0;
    }
    if (line.version) {
        std::printf("%s %s\n", program, version);
        return 0;
    }
    return sendCommand(line, program);
}
