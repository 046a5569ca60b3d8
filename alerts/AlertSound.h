// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>

#include <memory>

// Plays the alert sound through the platform's sound service, without
// waiting for it: on Linux the PulseAudio player `paplay` (PipeWire serves it
// too, through pipewire-pulse), on Windows the system's PlaySound. One sound
// at a time; one asked for while another plays is dropped. A sound is cut
// off after kLongestMs.
class AlertSound : public QObject {
    Q_OBJECT
public:
    static constexpr int kLongestMs = 10000;

    // The platform's player.
    static std::unique_ptr<AlertSound> create(QObject *parent = nullptr);

    // file: an absolute path of a sound file; empty: the program's own tone.
    // False (logged) when refused: busy, or the file is no readable file.
    virtual bool play(const QString &file) = 0;

signals:
    // ok: the sound was played to its end.
    void finished(bool ok);

protected:
    explicit AlertSound(QObject *parent) : QObject(parent) {}
    // An absolute path of a readable regular file; refusals are logged.
    static bool playable(const QString &file);
};
