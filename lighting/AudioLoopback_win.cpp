// SPDX-License-Identifier: GPL-3.0-or-later
#include "AudioLoopback.h"

#include "common/Logging.h"

#include <QDebug>

#include <windows.h>

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <mmreg.h>

#include <chrono>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;

// 100-ns units: half a second of shared buffer holds well over one query.
constexpr REFERENCE_TIME kBufferDuration = 5000000;

template <typename T>
void release(T *&p)
{
    if (p) {
        p->Release();
        p = nullptr;
    }
}

// Loopback capture of the default render device through WASAPI, polled from
// the caller's thread: drain() takes every packet that is ready and returns.
class WasapiLoopback final : public AudioLoopback {
public:
    WasapiLoopback()
    {
        const HRESULT hr = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        // S_FALSE: already initialised here; RPC_E_CHANGED_MODE: the GUI
        // thread runs an apartment already, which serves as well.
        m_uninitialise = SUCCEEDED(hr);
        open();
    }

    ~WasapiLoopback() override
    {
        close();
        if (m_uninitialise)
            CoUninitialize();
    }

    void drain(std::vector<float> &out) override
    {
        if (m_pending.capacity() < maxPendingFloats() + 64)
            m_pending.reserve(maxPendingFloats() + 64);
        if (!m_capture && Clock::now() >= m_retryAt)
            open();
        if (!m_capture)
            return;
        HRESULT hr = S_OK;
        for (;;) {
            UINT32 packet = 0;
            hr = m_capture->GetNextPacketSize(&packet);
            if (FAILED(hr) || packet == 0)
                break;
            BYTE *data = nullptr;
            UINT32 frames = 0;
            DWORD flags = 0;
            hr = m_capture->GetBuffer(&data, &frames, &flags, nullptr, nullptr);
            if (FAILED(hr))
                break;
            take(data, frames, (flags & AUDCLNT_BUFFERFLAGS_SILENT) != 0);
            hr = m_capture->ReleaseBuffer(frames);
            if (FAILED(hr))
                break;
        }
        if (FAILED(hr)) {
            // The device went away or changed format: open the default again later.
            fail("capture stopped", hr);
            close();
        }
        out.insert(out.end(), m_pending.begin(), m_pending.end());
        m_pending.clear();
    }

    int channels() const override { return m_channels; }
    bool isCapturing() const override { return m_capture != nullptr; }

private:
    void open()
    {
        m_retryAt = Clock::now() + std::chrono::milliseconds(retryInterval());
        HRESULT hr = CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                      __uuidof(IMMDeviceEnumerator), reinterpret_cast<void **>(&m_enumerator));
        if (SUCCEEDED(hr))
            hr = m_enumerator->GetDefaultAudioEndpoint(eRender, eConsole, &m_device);
        if (SUCCEEDED(hr))
            hr = m_device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr,
                                    reinterpret_cast<void **>(&m_client));
        WAVEFORMATEX *format = nullptr;
        if (SUCCEEDED(hr))
            hr = m_client->GetMixFormat(&format);
        if (SUCCEEDED(hr) && !readFormat(format))
            hr = AUDCLNT_E_UNSUPPORTED_FORMAT;
        if (SUCCEEDED(hr))
            hr = m_client->Initialize(AUDCLNT_SHAREMODE_SHARED, AUDCLNT_STREAMFLAGS_LOOPBACK, kBufferDuration, 0,
                                      format, nullptr);
        if (format)
            CoTaskMemFree(format);
        if (SUCCEEDED(hr))
            hr = m_client->GetService(__uuidof(IAudioCaptureClient), reinterpret_cast<void **>(&m_capture));
        if (SUCCEEDED(hr))
            hr = m_client->Start();
        if (FAILED(hr)) {
            fail("no loopback capture", hr);
            close();
            return;
        }
        m_outageLogged = false;
        qCDebug(lcLighting) << "AudioLoopback: capturing: default render device," << m_channels << "channels";
    }

    void close()
    {
        if (m_client)
            m_client->Stop();
        release(m_capture);
        release(m_client);
        release(m_device);
        release(m_enumerator);
        m_pending.clear();
    }

    void fail(const char *what, HRESULT hr)
    {
        if (m_outageLogged)
            return;
        m_outageLogged = true;
        qWarning().noquote() << "AudioLoopback:" << what << QString::number(static_cast<qulonglong>(hr & 0xFFFFFFFFu), 16)
                             << "(music level 0; retrying every" << retryInterval() << "ms)";
    }

    // Float 32 or 16-bit PCM; anything else is not read.
    bool readFormat(const WAVEFORMATEX *format)
    {
        if (!format || format->nChannels == 0)
            return false;
        WORD tag = format->wFormatTag;
        if (tag == WAVE_FORMAT_EXTENSIBLE && format->cbSize >= 22) {
            // The sub-format GUIDs of the plain tags are {0000tttt-0000-0010-8000-00AA00389B71}.
            const GUID &sub = reinterpret_cast<const WAVEFORMATEXTENSIBLE *>(format)->SubFormat;
            static const unsigned char tail[8] = {0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
            if (sub.Data2 == 0x0000 && sub.Data3 == 0x0010 && std::memcmp(sub.Data4, tail, 8) == 0)
                tag = static_cast<WORD>(sub.Data1);
        }
        m_channels = format->nChannels;
        m_float = tag == WAVE_FORMAT_IEEE_FLOAT && format->wBitsPerSample == 32;
        m_pcm16 = tag == WAVE_FORMAT_PCM && format->wBitsPerSample == 16;
        return m_float || m_pcm16;
    }

    void take(const BYTE *data, UINT32 frames, bool silent)
    {
        const std::size_t count = static_cast<std::size_t>(frames) * static_cast<std::size_t>(m_channels);
        if (count == 0)
            return;
        // Converted in pieces through a fixed buffer: no allocation per packet.
        float chunk[1024];
        const std::size_t step = sizeof chunk / sizeof chunk[0] / m_channels * m_channels;
        for (std::size_t done = 0; done < count; done += step) {
            const std::size_t n = count - done < step ? count - done : step;
            if (silent || !data) {
                std::memset(chunk, 0, n * sizeof(float));
            } else if (m_float) {
                std::memcpy(chunk, reinterpret_cast<const float *>(data) + done, n * sizeof(float));
            } else {
                const auto *pcm = reinterpret_cast<const int16_t *>(data) + done;
                for (std::size_t i = 0; i < n; ++i)
                    chunk[i] = static_cast<float>(pcm[i]) / 32768.0f;
            }
            keepNewest(m_pending, chunk, n, m_channels);
        }
    }

    IMMDeviceEnumerator *m_enumerator = nullptr;
    IMMDevice *m_device = nullptr;
    IAudioClient *m_client = nullptr;
    IAudioCaptureClient *m_capture = nullptr;
    int m_channels = 0;
    bool m_float = false;
    bool m_pcm16 = false;
    bool m_uninitialise = false;
    bool m_outageLogged = false;
    Clock::time_point m_retryAt{};
    std::vector<float> m_pending;
};

} // namespace

std::unique_ptr<AudioLoopback> AudioLoopback::create()
{
    return std::make_unique<WasapiLoopback>();
}
