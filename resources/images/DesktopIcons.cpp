// SPDX-License-Identifier: GPL-3.0-or-later
// The program's icon for the desktop's icon theme (menu entry, task bar,
// AppStream): the product mark on its tile, one PNG per hicolor size.
#include "Artwork.h"

QVector<Artwork> desktopIconArt()
{
    QVector<Artwork> art;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("icons/hicolor/%1x%1/apps/").arg(size);
        art.append({folder + QStringLiteral("aurivent.png"), emblem(size, true), {}});
    }
    return art;
}
