#pragma once

#include "Report.h"

// What the program knows of a box that is open.
enum class BoxHealth {
    Answering,
    NotAnswering, // kMissesToSilent reads in a row brought no proper reply
    Gone,         // a write or read failed: the handle is dead
};

const char *boxHealthName(BoxHealth health);

// Follows one box's exchanges and says when its health changes.
class BoxHealthTracker {
public:
    // Three misses in a row: one lost reply on a busy bus is not a silent box,
    // and at five polls a second a box that stopped answering is noticed
    // within the second.
    static constexpr int kMissesToSilent = 3;

    BoxHealth state() const { return m_state; }

    // One exchange: what the write and the read returned, and the reply.
    // Returns true when the state changed. A proper reply ends any other state:
    // a box that answers is there, whatever came before.
    bool onExchange(const Report &out, int written, const Reply &in, int readLength);

    // A proper reply echoes the two command bytes.
    static bool isEcho(const Report &out, const Reply &in, int readLength);

private:
    BoxHealth m_state = BoxHealth::Answering;
    int m_misses = 0;
};
