// SPDX-License-Identifier: GPL-3.0-or-later
#include "IcoWriter.h"

#include <QDataStream>
#include <QtGlobal>

namespace ico {

namespace {

QByteArray bitmapEntry(const QImage &source)
{
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();
    const int maskStride = ((w + 31) / 32) * 4;

    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
    out << quint32(40) << qint32(w) << qint32(h * 2) << quint16(1) << quint16(32) << quint32(0)
        << quint32(w * h * 4 + maskStride * h) << qint32(0) << qint32(0) << quint32(0) << quint32(0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            out << quint8(qBlue(row[x])) << quint8(qGreen(row[x])) << quint8(qRed(row[x])) << quint8(qAlpha(row[x]));
    }
    // AND mask: a set bit marks a transparent pixel.
    for (int y = h - 1; y >= 0; --y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        QByteArray line(maskStride, '\0');
        for (int x = 0; x < w; ++x)
            if (qAlpha(row[x]) == 0)
                line[x / 8] = char(quint8(line[x / 8]) | (0x80 >> (x % 8)));
        out.writeRawData(line.constData(), line.size());
    }
    return bytes;
}

} // namespace

QByteArray encode(const QVector<QImage> &pictures)
{
    if (pictures.isEmpty() || pictures.size() > 0xFFFF)
        return {};
    QVector<QByteArray> entries;
    for (const QImage &picture : pictures) {
        if (picture.isNull() || picture.width() > 256 || picture.height() > 256)
            return {};
        entries.append(bitmapEntry(picture));
    }

    QByteArray file;
    QDataStream out(&file, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(pictures.size());
    quint32 offset = 6 + 16 * pictures.size();
    for (int i = 0; i < pictures.size(); ++i) {
        // 256 is written as 0 in the one-byte size fields.
        out << quint8(pictures[i].width() & 0xFF) << quint8(pictures[i].height() & 0xFF) << quint8(0) << quint8(0)
            << quint16(1) << quint16(32) << quint32(entries[i].size()) << quint32(offset);
        offset += entries[i].size();
    }
    for (const QByteArray &entry : entries)
        out.writeRawData(entry.constData(), entry.size());
    return file;
}

} // namespace ico
