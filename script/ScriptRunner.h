// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QStringList>

class Encoders;
class QJsonObject;
class QTimer;

// Plays a lighting script on the boxes: one frame per tick of its own timer,
// each frame once, until none is left. Frames are sent as they are; the
// fans' stored settings are not touched. A new script replaces the one that
// is playing (there is only ever one timer).
class ScriptRunner : public QObject
{
    Q_OBJECT

public:
    // A longer frame text is skipped unparsed.
    static constexpr int kMaxFrameChars = 1024 * 1024;

    explicit ScriptRunner(const Encoders &encoders, QObject *parent = nullptr);

    bool isPlaying() const;
    int framesLeft() const { return m_scriptLines.size(); }
    int period() const;

public slots:
    void testReceiveFileData(const QStringList &frames, int period);
    void runScript();
    void stop();

signals:
    // Playback has ended: the last frame was played, or it was stopped.
    void finished();

private:
    void playController(const QJsonObject &controller);

    const Encoders &m_encoders;
    QStringList m_scriptLines;
    bool m_toldExtraEntries = false;
    QTimer *m_scriptTimer;
};
