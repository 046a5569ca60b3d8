// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures the program loads, grouped by the window that shows them.
// Each entry is a path under the output folder and either a picture (saved
// as PNG) or ready file bytes (the icon).
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <QVector>

struct Artwork
{
    QString path;
    QImage image;
    QByteArray bytes;
};

QVector<Artwork> mainWindowArt();
QVector<Artwork> fanPanelArt();
QVector<Artwork> singleColourFanArt();
QVector<Artwork> keypadArt();
QVector<Artwork> alertArt();
QVector<Artwork> desktopIconArt();

// The product mark (a fan inside a ring), shared by the logo and the icon.
QImage emblem(int size, bool onTile);
