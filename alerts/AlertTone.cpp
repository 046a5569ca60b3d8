// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertTone.h"

#include <QDataStream>

#include <cmath>
#include <vector>

namespace AlertTone {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A note with a short rise and a longer fall, so it starts and ends at
// silence without a click.
void note(std::vector<qint16> &out, double hz, double seconds, double level)
{
    const int n = int(seconds * kSampleRate);
    const int rise = kSampleRate / 200; // 5 ms
    for (int i = 0; i < n; ++i) {
        const double envelope = i < rise ? double(i) / rise : std::pow(1.0 - double(i - rise) / (n - rise), 2.0);
        const double v = std::sin(2.0 * kPi * hz * i / kSampleRate) * envelope * level;
        out.push_back(qint16(std::lround(v * 32767.0)));
    }
}

} // namespace

QByteArray wav()
{
    std::vector<qint16> samples;
    note(samples, 987.77, 0.18, 0.6); // B5
    note(samples, 659.25, 0.32, 0.6); // E5
    const quint32 dataBytes = quint32(samples.size() * sizeof(qint16));

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.writeRawData("RIFF", 4);
    out << quint32(36 + dataBytes);
    out.writeRawData("WAVEfmt ", 8);
    out << quint32(16) << quint16(1) << quint16(1) << quint32(kSampleRate) << quint32(kSampleRate * 2)
        << quint16(2) << quint16(16);
    out.writeRawData("data", 4);
    out << dataBytes;
    for (qint16 s : samples)
        out << s;
    return bytes;
}

}
