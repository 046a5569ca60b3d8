// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VolumeAnalysis.h"

#include <QObject>

#include <memory>
#include <vector>

class AudioLoopback;

// The level of the computer's own audio for the music effects: owns the
// loopback capture and reduces what it captured since the last query to one
// level 0..100. Without a capture the level decays to 0.
class ComputerVolume : public QObject {
    Q_OBJECT

public:
    // Opens the platform's default loopback capture.
    explicit ComputerVolume(QObject *parent = nullptr);
    // Analyses `capture` instead (null: no capture, the level decays to 0).
    explicit ComputerVolume(std::unique_ptr<AudioLoopback> capture, QObject *parent = nullptr);
    ~ComputerVolume() override;

    // The level query: drains the capture and analyses it (every 50 ms).
    int volumeLevel();

    AudioLoopback *capture() const { return m_capture.get(); }

private:
    std::unique_ptr<AudioLoopback> m_capture;
    VolumeAnalysis m_analysis;
    std::vector<float> m_samples;
};
