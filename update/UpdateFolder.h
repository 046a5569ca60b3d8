// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The per-user data folder ("…/Kq/RGBVaylaZeve"): the folder of Qt's user
// INI settings of "Kq"/"application" plus the data folder name. Kept here so
// the update client stands on its own.
QString updateDataFolder();

// The data folder name, also the updater's one argument.
QString updateDataFolderName();
