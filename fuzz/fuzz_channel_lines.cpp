// SPDX-License-Identifier: GPL-3.0-or-later
// A command-channel client's byte stream: cut into lines of bounded length,
// each read as "ID [WPARAM [LPARAM]]".
#include "FuzzSupport.h"

#include "channel/ChannelLines.h"
#include "channel/CommandChannel.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const int chunk = 1 + data[0] % 64;
    ChannelLines reader(CommandChannel::kMaxLine);
    for (size_t at = 1; at < size; at += size_t(chunk)) {
        QList<ChannelLines::Line> lines;
        reader.append(reinterpret_cast<const char *>(data + at), int(std::min(size_t(chunk), size - at)), &lines);
        Fuzz::require(reader.pendingSize() <= CommandChannel::kMaxLine);
        for (const ChannelLines::Line &line : lines) {
            Fuzz::require(line.text.size() <= CommandChannel::kMaxLine && !line.text.contains('\n'));
            int id = 0, wParam = 0, lParam = 0;
            if (!CommandChannel::parseLine(QString::fromLatin1(line.text), &id, &wParam, &lParam))
                continue;
            // What a sender writes for these words reads back as the same words.
            int id2 = 1, wParam2 = 1, lParam2 = 1;
            Fuzz::require(CommandChannel::parseLine(QString::fromLatin1(CommandChannel::formatLine(id, wParam, lParam)),
                                                    &id2, &wParam2, &lParam2));
            Fuzz::require(id == id2 && wParam == wParam2 && lParam == lParam2);
        }
    }
    return 0;
}
