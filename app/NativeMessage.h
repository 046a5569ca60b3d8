// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>

// A window message of the platform as (id, wParam, lParam); false when the
// native event is not one (always on platforms without window messages).
bool decodeNativeMessage(const QByteArray &eventType, void *message, int *id, int *wParam, int *lParam);
