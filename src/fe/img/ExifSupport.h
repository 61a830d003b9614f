#pragma once

#include <QByteArray>
#include <QString>
#include <string>

namespace fe::img {

// Prepares the EXIF library once per process (XMP parser, silenced log). Every EXIF entry point calls it.
void InitExifLibrary();

// The file name as the EXIF library wants it (bytes of the local file system encoding).
std::string ExifPath(const QString& fileName);

// True when the bytes are a JPEG whose segments hold together up to the first scan and whose scan data
// ends with an end-of-image marker: a truncated or damaged photo is refused before its tags are trusted.
bool IsWholeJpeg(const QByteArray& bytes);

// Reads a photo file whole. False when it cannot be read, or when it is larger than any camera's JPEG
// (1 GiB), so that a damaged or foreign file never decides how much memory is taken.
bool ReadPhotoBytes(const QString& fileName, QByteArray& bytes);

// The offset of the first scan's data (after the start-of-scan header), or −1.
qsizetype JpegScanDataOffset(const QByteArray& bytes);

// Where the parts of a JPEG lie, found by walking its segments from the start-of-image marker to the
// first scan.
struct JpegSegments
{
    qsizetype scanData = -1;   // the first scan's data, after its header
    qsizetype exifBegin = -1;  // the first APP1 segment holding EXIF ("Exif\0\0"), marker included
    qsizetype exifEnd = -1;    // just past it
    qsizetype exifSlot = 2;    // where an EXIF segment goes when there is none: after SOI and a JFIF APP0
};

// Walks the segments; false when they do not hold together up to the first scan (the JpegScanDataOffset
// rule).
bool ReadJpegSegments(const QByteArray& bytes, JpegSegments& segments);

}  // namespace fe::img
