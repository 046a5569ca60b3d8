// SPDX-License-Identifier: GPL-3.0-or-later
// The icon container: what Qt's own icon reader makes of the bytes, and the
// pictures that cannot be stored.
#include "resources/images/IcoWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QtTest>

namespace {

QImage picture(int size, QRgb colour)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(colour);
    // A clear corner pixel, so the transparency mask is exercised.
    image.setPixel(0, 0, qRgba(0, 0, 0, 0));
    return image;
}

QVector<QImage> readAll(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "ico");
    QVector<QImage> images;
    for (int i = 0; i < reader.imageCount(); ++i) {
        if (!reader.jumpToImage(i))
            break;
        images.append(reader.read().convertToFormat(QImage::Format_ARGB32));
    }
    return images;
}

} // namespace

class TestIcoWriter : public QObject
{
    Q_OBJECT

private slots:
    void sizesAndPixelsSurvive();
    void refusesWhatCannotBeStored();
};

void TestIcoWriter::sizesAndPixelsSurvive()
{
    // 256 is stored as 0 in the one-byte size fields; odd widths pad rows.
    const QVector<QImage> in{picture(16, qRgba(255, 0, 0, 255)), picture(33, qRgba(0, 128, 255, 200)),
                             picture(256, qRgba(10, 20, 30, 255))};
    const QByteArray bytes = ico::encode(in);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(quint8(bytes[4]), quint8(3)); // image count, little-endian
    QCOMPARE(quint8(bytes[6 + 2 * 16]), quint8(0));

    const QVector<QImage> out = readAll(bytes);
    QCOMPARE(out.size(), 3);
    for (int i = 0; i < in.size(); ++i) {
        QCOMPARE(out[i].size(), in[i].size());
        QCOMPARE(qAlpha(out[i].pixel(0, 0)), 0);
        QCOMPARE(out[i].pixel(in[i].width() - 1, in[i].height() - 1), in[i].pixel(in[i].width() - 1, in[i].height() - 1));
        QCOMPARE(out[i].pixel(5, 7), in[i].pixel(5, 7));
    }
}

void TestIcoWriter::refusesWhatCannotBeStored()
{
    QCOMPARE(ico::encode({}), QByteArray());
    QCOMPARE(ico::encode({QImage()}), QByteArray());
    QCOMPARE(ico::encode({picture(16, 0xFFFFFFFF), picture(257, 0xFFFFFFFF)}), QByteArray());
    QImage wide(300, 16, QImage::Format_ARGB32);
    wide.fill(Qt::white);
    QCOMPARE(ico::encode({wide}), QByteArray());
    QVERIFY(!ico::encode({picture(256, 0xFFFFFFFF)}).isEmpty());
}

QTEST_MAIN(TestIcoWriter)
#include "test_icowriter.moc"
