// SPDX-License-Identifier: GPL-3.0-or-later
#include "alerts/AlertSound.h"

#include "alerts/AlertTone.h"
#include "common/Logging.h"

#include <QTimer>

#include <windows.h>
#include <mmsystem.h>

namespace {

// PlaySound plays asynchronously and cuts off a sound already playing; the
// tone's bytes stay alive for as long as the player may read them.
class SystemSound final : public AlertSound {
public:
    explicit SystemSound(QObject *parent) : AlertSound(parent), m_tone(AlertTone::wav())
    {
        m_done.setSingleShot(true);
        connect(&m_done, &QTimer::timeout, this, [this] {
            m_playing = false;
            emit finished(true);
        });
    }

    ~SystemSound() override { ::PlaySoundW(nullptr, nullptr, 0); }

    bool play(const QString &file) override
    {
        if (m_playing)
            return false;
        BOOL ok = FALSE;
        if (file.isEmpty()) {
            ok = ::PlaySoundW(reinterpret_cast<LPCWSTR>(m_tone.constData()), nullptr, SND_MEMORY | SND_ASYNC | SND_NODEFAULT);
        } else {
            if (!playable(file))
                return false;
            ok = ::PlaySoundW(reinterpret_cast<LPCWSTR>(file.utf16()), nullptr, SND_FILENAME | SND_ASYNC | SND_NODEFAULT);
        }
        if (!ok) {
            qCWarning(lcAlerts) << "alert sound: the system could not play it";
            return false;
        }
        m_playing = true;
        m_done.start(kLongestMs);
        return true;
    }

private:
    QByteArray m_tone;
    QTimer m_done;
    bool m_playing = false;
};

} // namespace

std::unique_ptr<AlertSound> AlertSound::create(QObject *parent)
{
    return std::make_unique<SystemSound>(parent);
}
