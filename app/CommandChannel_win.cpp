#include "CommandChannel.h"

#include <windows.h>

CommandChannel::CommandChannel(QObject *parent)
    : QObject(parent)
{
}

QString CommandChannel::address()
{
    return QStringLiteral("Vayla Zeve RGB");
}

bool CommandChannel::listen(QString *)
{
    // Messages reach the application window, whose nativeEvent calls deliver().
    return true;
}

void CommandChannel::readMessages(QLocalSocket *)
{
}

CommandChannel::SendResult CommandChannel::send(int id, int wParam, int lParam, QString *error)
{
    HWND window = FindWindowW(nullptr, L"Vayla Zeve RGB");
    if (!window) {
        *error = QStringLiteral("no running Aurivent window");
        return SendResult::NoInstance;
    }
    const LRESULT result = SendMessageW(window, static_cast<UINT>(id), static_cast<WPARAM>(wParam),
                                        static_cast<LPARAM>(lParam));
    return result ? SendResult::Handled : SendResult::NotHandled;
}
