// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertSound.h"

#include "alerts/AlertTone.h"
#include "alerts/ChildProcess.h"
#include "common/Logging.h"

#include <QStandardPaths>
#include <QTimer>

namespace {

class PaplaySound final : public AlertSound {
public:
    explicit PaplaySound(QObject *parent) : AlertSound(parent)
    {
        m_limit.setSingleShot(true);
        connect(&m_limit, &QTimer::timeout, this, [this] {
            if (m_player)
                m_player->stopAll(true);
        });
    }

    ~PaplaySound() override
    {
        if (m_player) {
            m_player->disconnect(this);
            m_player->stopAll(true);
            m_player->waitForFinished(1000);
        }
    }

    bool play(const QString &file) override
    {
        if (m_player) {
            qCDebug(lcAlerts) << "alert sound: one plays already";
            return false;
        }
        if (!file.isEmpty()) {
            if (!playable(file))
                return false;
        }
        const QString exe = QStandardPaths::findExecutable(QStringLiteral("paplay"));
        if (exe.isEmpty()) {
            if (!m_missingTold)
                qCWarning(lcAlerts) << "alert sound: no paplay (pulseaudio-utils) to play it with";
            m_missingTold = true;
            return false;
        }
        m_player = new ChildProcess(this);
        m_player->setStandardOutputFile(QProcess::nullDevice());
        m_errors.clear();
        // What the player says goes to the log only when it fails, and bounded.
        connect(m_player, &QProcess::readyReadStandardError, this, [this] {
            const QByteArray chunk = m_player->readAllStandardError();
            m_errors += chunk.left(std::max(0, kErrorBytes - m_errors.size()));
        });
        connect(m_player, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished), this,
                [this](int code, QProcess::ExitStatus status) { done(status == QProcess::NormalExit && code == 0); });
        connect(m_player, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
            if (error == QProcess::FailedToStart)
                done(false);
        });
        QStringList args{QStringLiteral("--client-name=Aurivent"), QStringLiteral("--property=media.role=event")};
        if (file.isEmpty()) {
            // The tone goes in through the player's input: nothing on disk.
            m_player->start(exe, args, QIODevice::ReadWrite);
            m_player->write(AlertTone::wav());
            m_player->closeWriteChannel();
        } else {
            args << file;
            m_player->setStandardInputFile(QProcess::nullDevice());
            m_player->start(exe, args, QIODevice::ReadOnly);
        }
        m_limit.start(kLongestMs);
        return true;
    }

private:
    void done(bool ok)
    {
        m_limit.stop();
        if (!ok)
            qCWarning(lcAlerts).noquote() << "alert sound: the player could not play it:"
                                          << QString::fromLocal8Bit(m_errors).trimmed();
        if (m_player) {
            m_player->disconnect(this);
            m_player->deleteLater();
            m_player = nullptr;
        }
        emit finished(ok);
    }

    static constexpr int kErrorBytes = 1024;

    ChildProcess *m_player = nullptr;
    QByteArray m_errors;
    QTimer m_limit;
    bool m_missingTold = false;
};

} // namespace

std::unique_ptr<AlertSound> AlertSound::create(QObject *parent)
{
    return std::make_unique<PaplaySound>(parent);
}
