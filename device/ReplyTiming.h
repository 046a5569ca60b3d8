// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// How long a read waits for one box's reply. It follows the box: a box that
// takes 150 ms per exchange gets a time-out of about twice that, so a box
// that is slow but answers is not taken for a silent one; it comes back down
// slowly when the box is quick again. It never drops below the configured
// time-out, and never grows past kMaxTimeoutMs, so a box that falls silent is
// still noticed within about a second.
class ReplyTiming {
public:
    static constexpr int kMaxTimeoutMs = 400;

    explicit ReplyTiming(int baseMs = 100)
        : m_baseMs(baseMs < 0 ? 0 : baseMs)
        , m_timeoutMs(m_baseMs)
    {
    }

    // The configured time-out: the floor; a new one starts over from it.
    void setBase(int ms);
    int timeoutMs() const { return m_timeoutMs; }
    // How long after its read gave up a reply is still taken as that report's:
    // later than this, the report is lost.
    int lateAllowanceMs() const { return m_timeoutMs + 100; }

    // A reply that a read waited for came `delayMs` after its write.
    void onReply(int delayMs);
    // A reply came after its read had given up.
    void onLateReply();

private:
    int ceiling() const { return m_baseMs > kMaxTimeoutMs ? m_baseMs : kMaxTimeoutMs; }

    int m_baseMs = 100;
    int m_timeoutMs = 100;
};
