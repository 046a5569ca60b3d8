// SPDX-License-Identifier: GPL-3.0-or-later
// The alert marks file as a crash, a full disk or another program may have
// left it: sound lines become marks, the rest is skipped, and the log keeps
// its bound, its time order and its day.
#include "FuzzSupport.h"

#include "monitoring/AlertLog.h"
#include "monitoring/AlertLogFile.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size > size_t(AlertLogFile::kMaxBytes))
        return 0; // refused before it is read
    const QByteArray bytes(reinterpret_cast<const char *>(data), int(size));
    const qint64 now = 2000000000;
    AlertLog log;
    int skipped = 0;
    AlertLogFile::decode(bytes, now, &log, &skipped);
    Fuzz::require(skipped >= 0 && log.size() <= AlertLog::kCapacity);
    qint64 last = 0;
    for (const AlertLog::Entry &e : log.entries()) {
        Fuzz::require(e.second >= last && e.second <= now && e.second >= now - AlertLog::kKeepSeconds);
        last = e.second;
    }
    // What was taken comes back the same from its own file.
    AlertLog again;
    AlertLogFile::decode(AlertLogFile::encode(log), now, &again, &skipped);
    Fuzz::require(skipped == 0 && again.size() == log.size());
    log.events(0, now); // the texts are made for every mark
    return 0;
}
