// SPDX-License-Identifier: GPL-3.0-or-later
#include "ComputerVolume.h"

#include "AudioLoopback.h"

ComputerVolume::ComputerVolume(QObject *parent) : ComputerVolume(AudioLoopback::create(), parent) {}

ComputerVolume::ComputerVolume(std::unique_ptr<AudioLoopback> capture, QObject *parent)
    : QObject(parent), m_capture(std::move(capture))
{
    if (m_capture) {
        // Only the last window's worth can reach the analysis: keep no more.
        m_capture->setMaxPendingFloats(VolumeAnalysis::kWindowFloats);
        m_samples.reserve(VolumeAnalysis::kWindowFloats * 2);
    }
}

ComputerVolume::~ComputerVolume() = default;

int ComputerVolume::volumeLevel()
{
    m_samples.clear();
    if (m_capture)
        m_capture->drain(m_samples);
    return m_analysis.query(m_samples.data(), m_samples.size());
}
