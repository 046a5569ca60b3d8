// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Who may reach the phone server: the user's choice, stored in the device
// file as 0, 1 or 2.
enum class RemoteAccess {
    Off = 0,           // no listening socket at all
    ThisComputer = 1,  // loopback only
    Network = 2,       // every address, as the phone app needs
};

constexpr RemoteAccess kDefaultRemoteAccess = RemoteAccess::Network;

inline bool isRemoteAccessValue(int value)
{
    return value >= static_cast<int>(RemoteAccess::Off) && value <= static_cast<int>(RemoteAccess::Network);
}

// 0..2 as the setting; anything else is the default.
inline RemoteAccess remoteAccessFrom(int value)
{
    return isRemoteAccessValue(value) ? static_cast<RemoteAccess>(value) : kDefaultRemoteAccess;
}
