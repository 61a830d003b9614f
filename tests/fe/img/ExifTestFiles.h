#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QString>
#include <initializer_list>

// Test photographs made on the spot: a plain JPEG from QImage, tags put in raw with the EXIF library
// (any type and any rationals, as cameras write them), and exiftool's reading of a file.
namespace exiftest {

struct RawTag
{
    const char* key;
    const char* type;   // "Ascii", "Short", "Rational", "SRational", ...
    const char* value;  // in the library's text form: "35/1 30/1 1234/100"
};

// A JPEG of the size with a gradient; false when it cannot be written.
bool MakeJpeg(const QString& path, int width = 64, int height = 48);
// Adds or replaces the tags (an empty type removes the key).
bool PutTags(const QString& path, std::initializer_list<RawTag> tags);
// A tag's value as the library prints it ("35/1 45/1 0/1000"), or "<none>".
QString TagText(const QString& path, const char* key);
// exiftool -n -j of the file's EXIF group, tag names without groups.
QJsonObject ExiftoolRead(const QString& path);
QByteArray ReadBytes(const QString& path);

}  // namespace exiftest
