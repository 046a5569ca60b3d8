// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The levels behind the music effects: the computer level V and its smoothed
// form S, the phone level M and its smoothed form T. All start at 100.
// Every effect frame (25 ms) moves each smoothed level half way toward its
// target, so a fall from 100 to 0 takes 50, 25, 12, 6, 3, 1, 0.
class MusicLevels {
public:
    // One smoothing step of `smoothed` toward `target`, in double precision.
    static int smoothStep(int smoothed, int target);

    void setComputerLevel(int v) { m_computer = v; }
    void setPhoneLevel(int m) { m_phone = m; }
    int computerLevel() const { return m_computer; }
    int phoneLevel() const { return m_phone; }

    // Smooths both pairs; call once per effect frame.
    void tick();

    int smoothedComputer() const { return m_smoothedComputer; }
    int smoothedPhone() const { return m_smoothedPhone; }
    // The level a fan in light mode `mode` shows: S for 8..10, T for 11..13,
    // -1 for any other mode.
    int levelFor(int mode) const;

private:
    int m_computer = 100;
    int m_smoothedComputer = 100;
    int m_phone = 100;
    int m_smoothedPhone = 100;
};
