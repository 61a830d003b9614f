// Writing the program's EXIF fields into a photo: the EXIF segment is encoded anew, every other byte copied.
#include <cmath>
#include <exiv2/exiv2.hpp>
#include <vector>

#include "fe/AtomicSave.h"
#include "fe/Cp932.h"
#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"
#include "fe/img/JpegDecode.h"

namespace {

void RemoveAll(Exiv2::ExifData& exif, const char* key)
{
    const Exiv2::ExifKey exifKey(key);
    for (auto it = exif.findKey(exifKey); it != exif.end(); it = exif.findKey(exifKey))
        exif.erase(it);
}

void AddAscii(Exiv2::ExifData& exif, const char* key, const std::string& text)
{
    Exiv2::AsciiValue value;
    value.read(text);  // stored with its terminating NUL
    exif.add(Exiv2::ExifKey(key), &value);
}

// Degrees, whole minutes and thousandths of seconds of |degrees|, with "N"/"E" or "S"/"W" by its sign.
void AddCoordinate(Exiv2::ExifData& exif, const char* valueKey, const char* refKey, double degrees,
                   const char* positive, const char* negative)
{
    AddAscii(exif, refKey, degrees < 0.0 ? negative : positive);
    const double magnitude = std::fabs(degrees);
    const double whole = std::floor(magnitude);
    const double minutesExact = (magnitude - whole) * 60.0;
    const double minutes = std::trunc(minutesExact);
    const double thousandths = std::floor((minutesExact - minutes) * 60.0 * 1000.0);
    Exiv2::URationalValue value;
    value.value_.emplace_back(std::uint32_t(whole), 1);
    value.value_.emplace_back(std::uint32_t(minutes), 1);
    value.value_.emplace_back(std::uint32_t(thousandths), 1000);
    exif.add(Exiv2::ExifKey(valueKey), &value);
}

bool InRange(double value, double limit)
{
    return std::isfinite(value) && std::fabs(value) <= limit;
}

}  // namespace

bool ExifInfo::WriteFile(const QString& fileName) const
{
    fe::img::InitExifLibrary();
    const bool hasPosition = !IsUnset(m_latitude) && !IsUnset(m_longitude);
    const bool hasDirection = !IsUnset(m_direction);
    if ((hasPosition && (!InRange(m_latitude, 90.0) || !InRange(m_longitude, 180.0))) ||
        (hasDirection && !std::isfinite(m_direction)))
        return false;

    // The photo is read once. Its segments are walked up to the scan and its frame header is read, so
    // that a truncated or foreign file is refused before its tags are trusted; the scan data is then
    // copied as it is, behind the new EXIF segment.
    QByteArray original;
    fe::img::JpegSegments segments;
    QSize size;
    if (!fe::img::ReadPhotoBytes(fileName, original) || !fe::img::IsWholeJpeg(original) ||
        !fe::img::ReadJpegSegments(original, segments) || !fe::img::ReadJpegSize(original, size))
        return false;

    constexpr qsizetype kExifHeader = 4 + 6;  // marker, length, "Exif\0\0"
    const bool hadExif = segments.exifBegin >= 0;
    std::vector<Exiv2::byte> tiff;
    if (hadExif) {
        const auto* begin = reinterpret_cast<const Exiv2::byte*>(original.constData()) + segments.exifBegin;
        tiff.assign(begin + kExifHeader, begin + (segments.exifEnd - segments.exifBegin));
    }
    Exiv2::Blob blob;
    const Exiv2::byte* newTiff = nullptr;
    std::size_t newTiffSize = 0;
    try {
        Exiv2::ExifData exif;
        Exiv2::ByteOrder order = Exiv2::littleEndian;
        if (!tiff.empty()) {
            order = Exiv2::ExifParser::decode(exif, tiff.data(), std::uint32_t(tiff.size()));
            if (order == Exiv2::invalidByteOrder)
                order = Exiv2::littleEndian;
        }

        for (const char* key : {"Exif.GPSInfo.GPSLatitudeRef", "Exif.GPSInfo.GPSLatitude",
                                "Exif.GPSInfo.GPSLongitudeRef", "Exif.GPSInfo.GPSLongitude"})
            RemoveAll(exif, key);
        if (hasPosition) {
            AddCoordinate(exif, "Exif.GPSInfo.GPSLatitude", "Exif.GPSInfo.GPSLatitudeRef", m_latitude, "N",
                          "S");
            AddCoordinate(exif, "Exif.GPSInfo.GPSLongitude", "Exif.GPSInfo.GPSLongitudeRef", m_longitude, "E",
                          "W");
        }

        RemoveAll(exif, "Exif.GPSInfo.GPSImgDirectionRef");
        RemoveAll(exif, "Exif.GPSInfo.GPSImgDirection");
        if (hasDirection) {
            // A direction outside one turn (a negative one would wrap to a huge unsigned value) is
            // brought into [0, 360) first.
            double direction = std::fmod(m_direction, 360.0);
            if (direction < 0.0)
                direction += 360.0;
            std::uint32_t hundredths = std::uint32_t(std::floor(direction * 100.0));
            if (hundredths >= 36000)
                hundredths = 0;
            AddAscii(exif, "Exif.GPSInfo.GPSImgDirectionRef", "T");
            Exiv2::URationalValue value;
            value.value_.emplace_back(hundredths, 100);
            exif.add(Exiv2::ExifKey("Exif.GPSInfo.GPSImgDirection"), &value);
        }

        if (!m_dateTime.isEmpty()) {
            RemoveAll(exif, "Exif.Photo.DateTimeOriginal");
            AddAscii(exif, "Exif.Photo.DateTimeOriginal", fe::ToCp932(m_dateTime).toStdString());
        }
        if (m_orientation >= 0) {
            RemoveAll(exif, "Exif.Image.Orientation");
            Exiv2::UShortValue value;
            value.value_.push_back(std::uint16_t(m_orientation));
            exif.add(Exiv2::ExifKey("Exif.Image.Orientation"), &value);
        }

        if (!exif.empty()) {
            // The tags are updated inside the old EXIF block when they fit, else written anew.
            const Exiv2::WriteMethod method = Exiv2::ExifParser::encode(
                blob, tiff.empty() ? nullptr : tiff.data(), std::uint32_t(tiff.size()), order, exif);
            newTiff = method == Exiv2::wmNonIntrusive ? tiff.data() : blob.data();
            newTiffSize = method == Exiv2::wmNonIntrusive ? tiff.size() : blob.size();
        }
    } catch (const std::exception&) {
        return false;
    }
    if (newTiffSize + kExifHeader - 2 > 0xFFFF)
        return false;  // more than one segment can hold

    const qsizetype cutBegin = hadExif ? segments.exifBegin : segments.exifSlot;
    const qsizetype cutEnd = hadExif ? segments.exifEnd : segments.exifSlot;
    fe::AtomicSave file(fileName);
    file.write(original.constData(), cutBegin);
    if (newTiffSize > 0) {
        const std::size_t length = newTiffSize + kExifHeader - 2;
        const char header[kExifHeader] = {
            '\xFF', '\xE1', char(length >> 8), char(length & 0xFF), 'E', 'x', 'i', 'f', '\0', '\0'};
        file.write(header, kExifHeader);
        file.write(reinterpret_cast<const char*>(newTiff), qint64(newTiffSize));
    }
    file.write(original.constData() + cutEnd, original.size() - cutEnd);
    return file.commit();
}
