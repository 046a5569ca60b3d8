// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptRunner.h"

#include "common/JsonText.h"
#include "common/Logging.h"
#include "device/BoxModel.h"
#include "device/Encoders.h"

#include <QDebug>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTimer>

namespace {

constexpr int kScriptLeds = 12;
constexpr int kScriptFans = 5;

// Twelve decimal texts from a JSON array; what is missing stays dark, what is
// out of range is held at the nearest limit so no byte wraps.
QStringList colourTexts(const QJsonArray &values)
{
    QStringList texts;
    for (int i = 0; i < kScriptLeds; ++i) {
        const double v = i < values.size() ? values.at(i).toDouble() : 0.0;
        texts << QString::number(static_cast<int>(qBound(0.0, v, 255.0)));
    }
    return texts;
}

QStringList brightnessTexts(const QJsonArray &values)
{
    QStringList texts;
    for (int i = 0; i < kScriptLeds; ++i) {
        const double v = i < values.size() ? values.at(i).toDouble() : 0.0;
        texts << QString::number(qBound(0.0, v, 1.0));
    }
    return texts;
}

} // namespace

ScriptRunner::ScriptRunner(const Encoders &encoders, QObject *parent)
    : QObject(parent)
    , m_encoders(encoders)
    , m_scriptTimer(new QTimer(this))
{
    connect(m_scriptTimer, &QTimer::timeout, this, &ScriptRunner::runScript);
}

bool ScriptRunner::isPlaying() const
{
    return m_scriptTimer->isActive();
}

int ScriptRunner::period() const
{
    return m_scriptTimer->interval();
}

void ScriptRunner::testReceiveFileData(const QStringList &frames, int period)
{
    qCDebug(lcScript) << "testReceiveFileData";
    if (frames.isEmpty() || period <= 0) {
        // Refused: whatever is playing goes on untouched.
        qWarning() << "script not played, frames:" << frames.size() << "period:" << period;
        return;
    }
    // The one timer is restarted, so a second script cleanly replaces the first.
    m_scriptLines = frames;
    m_toldExtraEntries = false;
    qCDebug(lcScript) << "setupMusicModeTimer start";
    m_scriptTimer->start(period);
}

void ScriptRunner::stop()
{
    const bool wasPlaying = m_scriptTimer->isActive();
    m_scriptTimer->stop();
    m_scriptLines.clear();
    if (wasPlaying)
        emit finished();
}

void ScriptRunner::runScript()
{
    if (m_scriptLines.isEmpty()) {
        m_scriptTimer->stop();
        qCDebug(lcScript) << "Timer stop";
        emit finished();
        return;
    }
    const QString &text = m_scriptLines.first();
    QJsonDocument document;
    QString error;
    // A frame of 16 full controller entries is some 20 000 characters: a far
    // longer one is not parsed on every tick of the GUI thread.
    if (text.size() > kMaxFrameChars)
        qWarning() << "script frame skipped:" << text.size() << "characters";
    if (text.size() > kMaxFrameChars || !JsonText::parse(text.toUtf8(), &document, &error)) {
        qCDebug(lcScript) << "parse Error" << error;
    } else if (!document.isObject()) {
        qCDebug(lcScript) << "fffffffffffffffffffffffffffff11111111111111111111";
    } else {
        const QJsonObject frame = document.object();
        qCDebug(lcScript).noquote() << QString::fromUtf8(document.toJson(QJsonDocument::Compact));
        qCDebug(lcScript) << "---------------------------------";
        const QJsonArray controllers = frame.value(QStringLiteral("Controller")).toArray();
        qCDebug(lcScript) << "json_objController:" << controllers.size();
        // A frame can address each box once: at most 16 x 5 reports per tick.
        // Said once per script, not on every tick.
        if (controllers.size() > kBoxCount && !m_toldExtraEntries) {
            m_toldExtraEntries = true;
            qWarning() << "script frame:" << controllers.size() << "controller entries, only the first"
                       << kBoxCount << "are played (said once per script)";
        }
        const int played = qMin(int(controllers.size()), kBoxCount);
        for (int i = 0; i < played; ++i)
            playController(controllers.at(i).toObject());
    }
    m_scriptLines.removeFirst();
}

void ScriptRunner::playController(const QJsonObject &controller)
{
    qCDebug(lcScript) << "controller:" << controller.keys();
    const double number = controller.value(QStringLiteral("ControllerNum")).toDouble();
    if (number < 0 || number >= kBoxCount || number != static_cast<int>(number)) {
        qWarning() << "controller: ignored, ControllerNum" << number;
        return;
    }
    const int box = static_cast<int>(number);
    for (int k = 0; k < kScriptFans; ++k) {
        const QString key = QStringLiteral("Fan") + QString::number(k);
        const QJsonObject fan = controller.value(key).toObject();
        if (fan.isEmpty()) {
            qCDebug(lcScript).noquote() << key + QStringLiteral(".isEmpty()");
            continue;
        }
        m_encoders.sendCommand_ScriptFrame(box, k, colourTexts(fan.value(QStringLiteral("R")).toArray()),
                                           colourTexts(fan.value(QStringLiteral("G")).toArray()),
                                           colourTexts(fan.value(QStringLiteral("B")).toArray()),
                                           brightnessTexts(fan.value(QStringLiteral("Br")).toArray()));
    }
}
