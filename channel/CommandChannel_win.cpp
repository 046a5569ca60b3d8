// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandChannel.h"

#include "common/HiddenWindow.h"

#include <windows.h>

namespace {
constexpr int kDeviceChange = 0x219; // the hot-plug monitor's own window hears it
}

// Senders find the program by the window title "Vayla Zeve RGB". The
// channel's own hidden window carries it, so the service (no window at all)
// hears the numbered commands as the window program does; there is no
// connection to count.
struct CommandChannel::Listener {
    std::unique_ptr<HiddenWindow> window;
};

CommandChannel::CommandChannel(QObject *parent)
    : QObject(parent)
{
}

CommandChannel::~CommandChannel() = default;

int CommandChannel::connectionCount() const
{
    return 0;
}

QString CommandChannel::address()
{
    return QStringLiteral("Vayla Zeve RGB");
}

bool CommandChannel::listen(QString *error)
{
    m_listener = std::make_unique<Listener>();
    m_listener->window = std::make_unique<HiddenWindow>(
        L"Vayla Zeve RGB", [this](unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
            if (message == kDeviceChange)
                return false;
            return deliver(static_cast<int>(message), static_cast<int>(static_cast<quint32>(wParam)),
                           static_cast<int>(lParam));
        });
    if (!m_listener->window->isOpen()) {
        m_listener.reset();
        *error = QStringLiteral("no window for the numbered commands");
        return false;
    }
    return true;
}

CommandChannel::SendResult CommandChannel::send(int id, int wParam, int lParam, QString *error, int timeoutMs)
{
    HWND window = FindWindowW(nullptr, L"Vayla Zeve RGB");
    if (!window) {
        *error = QStringLiteral("no running Aurivent window");
        return SendResult::NoInstance;
    }
    DWORD_PTR result = 0;
    // A window that is busy or hung is there all the same: it did not answer.
    if (!SendMessageTimeoutW(window, static_cast<UINT>(id), static_cast<WPARAM>(static_cast<quint32>(wParam)),
                             static_cast<LPARAM>(lParam), SMTO_ABORTIFHUNG, static_cast<UINT>(timeoutMs), &result)) {
        *error = QStringLiteral("the running Aurivent did not answer within %1 ms").arg(timeoutMs);
        return SendResult::NoAnswer;
    }
    return result ? SendResult::Handled : SendResult::NotHandled;
}
