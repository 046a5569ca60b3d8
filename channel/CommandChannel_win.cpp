// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandChannel.h"

#include <windows.h>

// Messages reach the application window, whose nativeEvent calls deliver():
// there is nothing to listen on and no connection to count.
struct CommandChannel::Listener {
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

bool CommandChannel::listen(QString *)
{
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
