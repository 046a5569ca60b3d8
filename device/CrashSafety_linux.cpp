// SPDX-License-Identifier: GPL-3.0-or-later
#include "CrashSafety.h"

#include "FanGuardian.h"

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <unistd.h>

namespace CrashSafety {

namespace {

// Two tables: the GUI thread fills the one not in use and then switches, so
// a crash in the middle of a refresh still finds a whole table.
struct Table {
    int count = 0;
    Prepared entries[kMaxPrepared];
};
Table g_tables[2];
std::atomic<int> g_active{0};
std::atomic<bool> g_installed{false};

// A stack of its own for the handler: after a stack overflow the thread's
// stack has no room left to run it. Static, so nothing is allocated.
constexpr size_t kAltStackSize = 64 * 1024;
alignas(16) char g_altStack[kAltStackSize];

void onCrash(int signal)
{
    writePrepared();
    // The handler was reset on entry (SA_RESETHAND): raised again, the signal
    // does what it would have done, once this handler returns.
    raise(signal);
}

} // namespace

void install()
{
    if (g_installed.exchange(true))
        return;
    // The thread that installs the handlers (the GUI thread) runs it there.
    stack_t altStack = {};
    altStack.ss_sp = g_altStack;
    altStack.ss_size = kAltStackSize;
    const bool haveAltStack = sigaltstack(&altStack, nullptr) == 0;
    struct sigaction action = {};
    action.sa_handler = onCrash;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND | (haveAltStack ? SA_ONSTACK : 0);
    for (int signal : {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE})
        sigaction(signal, &action, nullptr);
    std::atexit([] { writePrepared(); });
}

void prepare(const std::vector<Prepared> &reports)
{
    const int next = 1 - g_active.load();
    Table &table = g_tables[next];
    table.count = 0;
    for (const Prepared &p : reports) {
        if (table.count == kMaxPrepared)
            break;
        table.entries[table.count++] = p;
    }
    g_active.store(next);
    // What a kill leaves the fans at is the same table, held by the guardian.
    FanGuardian::update(std::vector<Prepared>(table.entries, table.entries + table.count));
}

void forget(int descriptor)
{
    if (descriptor < 0)
        return;
    const Table &table = g_tables[g_active.load()];
    std::vector<Prepared> kept;
    for (int i = 0; i < table.count; ++i) {
        if (table.entries[i].descriptor != descriptor)
            kept.push_back(table.entries[i]);
    }
    if (int(kept.size()) != table.count)
        prepare(kept);
}

int writePrepared()
{
    const Table &table = g_tables[g_active.load()];
    int whole = 0;
    for (int i = 0; i < table.count; ++i) {
        const Prepared &p = table.entries[i];
        if (p.descriptor >= 0 && write(p.descriptor, p.report.data(), kReportSize) == kReportSize)
            ++whole;
    }
    return whole;
}

} // namespace CrashSafety
