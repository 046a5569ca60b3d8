// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Decides, after each temperature reading pass, what the fans that follow the
// CPU temperature get. A short gap in the readings keeps their last duty; a
// longer one, or none from the start, sends them to their cap until readings
// return. The user is told once per outage.
class CpuReadingWatch {
public:
    // Passes without a CPU reading before the cap: 15 s at one pass per 5 s.
    static constexpr int kMissedPassesBeforeCap = 3;

    enum class Fans {
        Curve, // a reading: the curve drives them
        Keep,  // a short gap: they keep their last duty
        Cap,   // an outage: the highest duty their curve allows
    };

    struct Decision {
        Fans fans = Fans::Keep;
        bool outageBegins = false; // tell the user
        bool outageEnds = false;
    };

    Decision afterPass(bool cpuReading);

    bool inOutage() const { return m_outage; }
    // Whether a CPU reading has been seen since start-up.
    bool everRead() const { return m_everRead; }

private:
    bool m_everRead = false;
    bool m_outage = false;
    int m_missed = 0;
};
