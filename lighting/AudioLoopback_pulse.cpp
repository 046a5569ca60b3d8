// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioLoopback.h"

#include "common/Logging.h"

#include <QDebug>
#include <QTimer>

#include <pulse/context.h>
#include <pulse/error.h>
#include <pulse/mainloop.h>
#include <pulse/stream.h>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

constexpr uint32_t kRate = 48000;
constexpr uint8_t kChannels = 2;
constexpr uint32_t kFrameBytes = kChannels * sizeof(float);
// About one 50 ms query of audio per fragment, two fragments of room.
constexpr uint32_t kFragmentBytes = kRate / 20 * kFrameBytes;
// Without a query for this long nobody listens: close the stream so the
// sound server may suspend the sink; the next query opens it again.
constexpr int kIdleCloseMs = 2000;
// Dispatches per drain; each one is short, this only bounds a storm.
constexpr int kMaxIterations = 64;

// Monitor of the default sink through the PulseAudio client API (also
// PipeWire through pipewire-pulse). A non-threaded main loop is iterated
// without blocking from drain(), so everything runs on the caller's thread.
class PulseLoopback final : public AudioLoopback {
public:
    PulseLoopback()
    {
        m_idleTimer.setInterval(kIdleCloseMs / 4);
        QObject::connect(&m_idleTimer, &QTimer::timeout, [this] {
            if (m_context && Clock::now() - m_lastDrain > std::chrono::milliseconds(kIdleCloseMs)) {
                qCDebug(lcLighting) << "AudioLoopback: idle, capture closed";
                close();
            }
        });
    }

    ~PulseLoopback() override
    {
        close();
        if (m_loop)
            pa_mainloop_free(m_loop);
    }

    void drain(std::vector<float> &out) override
    {
        m_lastDrain = Clock::now();
        if (m_pending.capacity() < maxPendingFloats() + kChannels)
            m_pending.reserve(maxPendingFloats() + kChannels);
        if (!m_context && Clock::now() >= m_retryAt)
            open();
        if (m_loop) {
            for (int i = 0; i < kMaxIterations; ++i)
                if (pa_mainloop_iterate(m_loop, 0, nullptr) <= 0)
                    break;
        }
        if (m_lost) {
            m_lost = false;
            close();
            m_retryAt = Clock::now() + std::chrono::milliseconds(retryInterval());
        }
        out.insert(out.end(), m_pending.begin(), m_pending.end());
        m_pending.clear();
    }

    int channels() const override { return kChannels; }

    bool isCapturing() const override
    {
        return m_stream && pa_stream_get_state(m_stream) == PA_STREAM_READY;
    }

private:
    void open()
    {
        if (!m_loop)
            m_loop = pa_mainloop_new();
        if (!m_loop) {
            fail(QStringLiteral("no main loop"));
            return;
        }
        m_context = pa_context_new(pa_mainloop_get_api(m_loop), "Aurivent");
        if (!m_context) {
            fail(QStringLiteral("no context"));
            return;
        }
        pa_context_set_state_callback(m_context, &PulseLoopback::onContextState, this);
        // No autospawn: starting a sound server is not ours to do, and the
        // attempt would block. Connecting itself does not block.
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            fail(QString::fromUtf8(pa_strerror(pa_context_errno(m_context))));
        m_idleTimer.start();
    }

    void close()
    {
        m_idleTimer.stop();
        if (m_stream) {
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_set_read_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
            m_stream = nullptr;
        }
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
        m_pending.clear();
    }

    // Marks the connection for closing after the current dispatch and logs
    // the reason once per outage.
    void fail(const QString &reason)
    {
        m_lost = true;
        if (!m_outageLogged) {
            qWarning().noquote() << "AudioLoopback: no sound server:" << reason
                                 << "(music level 0; retrying every" << retryInterval() << "ms)";
            m_outageLogged = true;
        }
    }

    static void onContextState(pa_context *context, void *self)
    {
        auto *me = static_cast<PulseLoopback *>(self);
        switch (pa_context_get_state(context)) {
        case PA_CONTEXT_READY:
            me->openStream();
            break;
        case PA_CONTEXT_FAILED:
        case PA_CONTEXT_TERMINATED:
            me->fail(QString::fromUtf8(pa_strerror(pa_context_errno(context))));
            break;
        default:
            break;
        }
    }

    void openStream()
    {
        const pa_sample_spec spec{PA_SAMPLE_FLOAT32LE, kRate, kChannels};
        m_stream = pa_stream_new(m_context, "Aurivent music level", &spec, nullptr);
        if (!m_stream) {
            fail(QString::fromUtf8(pa_strerror(pa_context_errno(m_context))));
            return;
        }
        pa_stream_set_state_callback(m_stream, &PulseLoopback::onStreamState, this);
        pa_stream_set_read_callback(m_stream, &PulseLoopback::onRead, this);
        pa_buffer_attr attr;
        std::memset(&attr, 0xff, sizeof attr); // server defaults for the playback fields
        attr.maxlength = 2 * kFragmentBytes;
        attr.fragsize = kFragmentBytes;
        if (pa_stream_connect_record(m_stream, "@DEFAULT_MONITOR@", &attr, PA_STREAM_ADJUST_LATENCY) < 0)
            fail(QString::fromUtf8(pa_strerror(pa_context_errno(m_context))));
    }

    static void onStreamState(pa_stream *stream, void *self)
    {
        auto *me = static_cast<PulseLoopback *>(self);
        switch (pa_stream_get_state(stream)) {
        case PA_STREAM_READY:
            me->m_outageLogged = false;
            qCDebug(lcLighting).noquote() << "AudioLoopback: capturing:" << QString::fromUtf8(pa_stream_get_device_name(stream));
            break;
        case PA_STREAM_FAILED:
        case PA_STREAM_TERMINATED:
            me->fail(QStringLiteral("capture stream ended: ")
                     + QString::fromUtf8(pa_strerror(pa_context_errno(pa_stream_get_context(stream)))));
            break;
        default:
            break;
        }
    }

    static void onRead(pa_stream *stream, size_t, void *self)
    {
        auto *me = static_cast<PulseLoopback *>(self);
        const void *data = nullptr;
        size_t bytes = 0;
        while (pa_stream_readable_size(stream) > 0) {
            if (pa_stream_peek(stream, &data, &bytes) < 0 || bytes == 0)
                return;
            if (data) // null data is a hole in the stream: nothing to keep
                me->append(static_cast<const float *>(data), bytes / kFrameBytes * kChannels);
            pa_stream_drop(stream);
        }
    }

    void append(const float *samples, std::size_t count) { keepNewest(m_pending, samples, count, kChannels); }

    pa_mainloop *m_loop = nullptr;
    pa_context *m_context = nullptr;
    pa_stream *m_stream = nullptr;
    std::vector<float> m_pending;
    bool m_lost = false;
    bool m_outageLogged = false;
    Clock::time_point m_retryAt{};
    Clock::time_point m_lastDrain{};
    QTimer m_idleTimer;
};

} // namespace

std::unique_ptr<AudioLoopback> AudioLoopback::create()
{
    return std::make_unique<PulseLoopback>();
}
