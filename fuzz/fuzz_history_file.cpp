// SPDX-License-Identifier: GPL-3.0-or-later
// A history state file as a crash, a full disk or another program may have
// left it: either taken whole or refused, and the history stays usable.
#include "FuzzSupport.h"

#include "history/History.h"
#include "history/HistoryFile.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    History history;
    QString why;
    // The checksum stops nearly every change at once; the payload's own
    // checks are reached by inputs whose first byte asks for a fresh envelope.
    QByteArray file = bytes;
    if (size > 0 && data[0] == 'P')
        file = HistoryFile::pack(bytes.mid(1));
    if (HistoryFile::decode(file, history, &why)) {
        Fuzz::require(history.seriesKeys().size() <= history.limits().seriesCapacity());
        Fuzz::require(history.bytesReserved() <= History::bytesBound(history.limits()));
        // What was taken back goes on like any history.
        for (const SeriesKey &key : history.seriesKeys())
            history.points(key, 0, history.headSecond());
        history.advanceTo(history.headSecond() + 61);
        Fuzz::require(HistoryFile::decode(HistoryFile::encode(history), history, &why));
    } else {
        Fuzz::require(!why.isEmpty());
        Fuzz::require(history.seriesKeys().isEmpty());
    }
    return 0;
}
