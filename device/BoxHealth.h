// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Report.h"

// What the program knows of a box that is open.
enum class BoxHealth {
    Answering,
    NotAnswering, // kMissesToSilent reports in a row brought no proper reply
    Gone,         // a write or read failed: the handle is dead
};

const char *boxHealthName(BoxHealth health);

// Follows one box's replies and says when its health changes. A reply that
// comes late still counts: a slow box is not a silent one.
class BoxHealthTracker {
public:
    // Three misses in a row: one lost reply on a busy bus is not a silent box,
    // and at five polls a second a box that stopped answering is noticed
    // within the second.
    static constexpr int kMissesToSilent = 3;

    BoxHealth state() const { return m_state; }

    // A proper reply to something the box was sent, in time or late: the box
    // is there, whatever came before.
    void onAnswered();
    // A report that will get no proper reply (none came, or nonsense did).
    void onMissed();
    // A write or read failed.
    void onFailed() { m_state = BoxHealth::Gone; }

    // One write-then-read exchange, all at once: what the write and the read
    // returned, and the reply. Returns true when the state changed.
    bool onExchange(const Report &out, int written, const Reply &in, int readLength);

    // A proper reply echoes the two command bytes.
    static bool isEcho(const Report &out, const Reply &in, int readLength);
    // Whether `in` answers `out`: its echo, and for a speed query the port too,
    // so that a late reply is never taken for another fan's.
    static bool isReplyTo(const Report &out, const Reply &in, int readLength);
    // Whether `in` echoes a command the program sends at all.
    static bool isKnownEcho(const Reply &in, int readLength);

private:
    BoxHealth m_state = BoxHealth::Answering;
    int m_misses = 0;
};
