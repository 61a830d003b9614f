#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <algorithm>

// Damaged and hostile JPEGs for the tests of the picture readers, made from a plain JPEG in memory
// independently of the code under test.
namespace damagedjpeg {

// A JPEG of the size: a blue picture with a red top eighth, noise-free, so that it is small.
inline QByteArray Plain(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(QColor(40, 90, 200));
    QPainter(&picture).fillRect(0, 0, width, std::max(1, height / 8), QColor(230, 20, 20));
    QByteArray jpeg;
    QBuffer buffer(&jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(85);
    return writer.write(picture) ? jpeg : QByteArray();
}

// The JPEG with the size in its frame header replaced: the scan data still holds the old picture, so
// a decoder runs out of data long before the claimed size is filled.
inline QByteArray ClaimingSize(QByteArray jpeg, int width, int height)
{
    const qsizetype frame = jpeg.indexOf(QByteArrayView("\xFF\xC0", 2));
    if (frame < 0)
        return {};
    const qsizetype at = frame + 5;  // marker, length (2), precision (1)
    jpeg[at] = char(height >> 8);
    jpeg[at + 1] = char(height & 0xFF);
    jpeg[at + 2] = char(width >> 8);
    jpeg[at + 3] = char(width & 0xFF);
    return jpeg;
}

// The first part of the JPEG with an end-of-image marker put after it, so that it ends as a whole one.
inline QByteArray TruncatedWithEnd(const QByteArray& jpeg, double keep = 0.6)
{
    return jpeg.left(qsizetype(double(jpeg.size()) * keep)) + QByteArray("\xFF\xD9", 2);
}

// The JPEG with stray bytes before its quantisation tables, which decoders warn about ("extraneous bytes").
inline QByteArray WithStrayBytes(const QByteArray& jpeg)
{
    const qsizetype tables = jpeg.indexOf(QByteArrayView("\xFF\xDB", 2));
    return tables < 0 ? QByteArray() : jpeg.left(tables) + QByteArray(3, '\0') + jpeg.mid(tables);
}

}  // namespace damagedjpeg
