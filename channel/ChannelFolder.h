// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The folder that holds the command channel's socket: the user's runtime
// directory ($XDG_RUNTIME_DIR), or without one a folder of the user's own
// below the temporary folder ("Aurivent-<uid>"), created with mode 0700. A
// folder there that is not a real directory, belongs to another user or is
// open to others is never used: anyone could have made it to take the messages.
namespace ChannelFolder {

QString path();
// For the receiving side: creates the private folder when needed and checks it.
bool prepare(QString *error);
// For a sender: true when the folder may be trusted (or is the runtime directory).
bool check(QString *error);

}
