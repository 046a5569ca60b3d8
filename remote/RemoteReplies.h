// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct ControllerBox;

// The phone's profile replies as JSON text in QJsonDocument's indented layout.
namespace RemoteReplies {

// From a profile file read as five lists of 12 strings (RColor … isTurnOffLed);
// every fan value is the file's text. Missing items are sent empty.
QString profileFileReply(int resType, int profile, const QList<QStringList> &fans);

// ResType 15 from the box record in memory.
QString liveProfileReply(const ControllerBox &box);

} // namespace RemoteReplies
