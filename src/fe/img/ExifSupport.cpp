#include "fe/img/ExifSupport.h"

#include <QFile>
#include <exiv2/exiv2.hpp>
#include <mutex>

namespace fe::img {

void InitExifLibrary()
{
    static std::once_flag once;
    std::call_once(once, [] {
        Exiv2::XmpParser::initialize();
        Exiv2::LogMsg::setLevel(Exiv2::LogMsg::mute);
    });
}

std::string ExifPath(const QString& fileName)
{
    return QFile::encodeName(fileName).toStdString();
}

bool ReadPhotoBytes(const QString& fileName, QByteArray& bytes)
{
    constexpr qint64 kMaxPhotoBytes = qint64(1) << 30;
    bytes.clear();
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 size = file.size();
    if (size < 0 || size > kMaxPhotoBytes)
        return false;
    // Sized by the file, not by the limit: a buffer of the limit's size costs its mapping on every read.
    bytes.resize(qsizetype(size));
    char extra = 0;
    if (file.read(bytes.data(), size) != size || file.read(&extra, 1) != 0) {
        bytes.clear();  // the file changed while it was read
        return false;
    }
    return true;
}

bool ReadJpegSegments(const QByteArray& bytes, JpegSegments& segments)
{
    segments = JpegSegments();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8)
        return false;
    qsizetype pos = 2;
    bool first = true;
    while (pos + 1 < size) {
        if (data[pos] != 0xFF)
            return false;
        const qsizetype markerAt = pos;
        while (pos + 1 < size && data[pos + 1] == 0xFF)  // fill bytes before a marker
            ++pos;
        if (pos + 1 >= size)
            return false;
        const unsigned char marker = data[pos + 1];
        pos += 2;
        if (marker == 0xD8 || marker == 0xD9)
            return false;  // a second start, or an end before any scan
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7))
            continue;  // markers without a length
        if (pos + 2 > size)
            return false;
        const qsizetype length = (qsizetype(data[pos]) << 8) | data[pos + 1];
        if (length < 2 || pos + length > size)
            return false;
        const QByteArrayView payload(bytes.constData() + pos + 2, length - 2);
        if (marker == 0xE1 && segments.exifBegin < 0 && payload.startsWith(QByteArrayView("Exif\0\0", 6))) {
            segments.exifBegin = markerAt;
            segments.exifEnd = pos + length;
        }
        if (first && marker == 0xE0 && payload.startsWith(QByteArrayView("JFIF\0", 5)))
            segments.exifSlot = pos + length;
        first = false;
        pos += length;
        if (marker == 0xDA) {
            segments.scanData = pos;
            return true;
        }
    }
    return false;
}

qsizetype JpegScanDataOffset(const QByteArray& bytes)
{
    JpegSegments segments;
    return ReadJpegSegments(bytes, segments) ? segments.scanData : -1;
}

bool IsWholeJpeg(const QByteArray& bytes)
{
    const qsizetype scan = JpegScanDataOffset(bytes);
    if (scan < 0)
        return false;
    // Inside scan data 0xFF is always followed by 0x00 or a restart marker, so the last FF D9 after the
    // scan header is the end-of-image marker (cameras may append data after it).
    const qsizetype end = bytes.lastIndexOf(QByteArrayView("\xFF\xD9", 2));
    return end >= scan;
}

}  // namespace fe::img
