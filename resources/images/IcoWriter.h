// SPDX-License-Identifier: GPL-3.0-or-later
// Windows icon container holding several sizes of one picture, each as a
// 32-bit bitmap with its transparency mask (readable by every icon loader,
// Qt's included). Pure: pictures in, file bytes out.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QVector>

namespace ico {

// Pictures wider or taller than 256 pixels cannot be stored; an empty array
// is returned for them (or for an empty list).
QByteArray encode(const QVector<QImage> &pictures);

} // namespace ico
