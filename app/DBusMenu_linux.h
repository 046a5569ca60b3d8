// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QDBusConnection;
class QMenu;

// Exports `menu` on `bus` at `path` as a com.canonical.dbusmenu object, the
// menu a StatusNotifier host shows for an icon: one item per action (label,
// enabled, visible, separators), kept up to date as the actions change, and
// a click from the host triggers the action. The export lives as long as
// `menu`. False when the path is taken.
bool exportDBusMenu(QMenu *menu, QDBusConnection &bus, const QString &path);
