// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QVariantMap>

class Encoders;
class RemoteHost;

// Carries out the phone's commands on the box records.
namespace RemoteCommands {

// Runs one command map as SocketHelper emits it ({"command": n, "Data": {…}})
// and returns the reply text for the asking phone (JSON), or an empty text
// when the command has no reply. A command with a bad value changes nothing.
QString execute(const QVariantMap &command, Encoders &encoders, RemoteHost &host);

} // namespace RemoteCommands
