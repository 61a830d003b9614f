#include <QBuffer>
#include <QImageReader>
#include <cmath>
#include <exiv2/exiv2.hpp>

#include "fe/AtomicSave.h"
#include "fe/Cp932.h"
#include "fe/img/ExifInfo.h"
#include "fe/img/ExifSupport.h"

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

    QByteArray original;
    if (!fe::img::ReadPhotoBytes(fileName, original) || !fe::img::IsWholeJpeg(original))
        return false;
    {
        QBuffer buffer;
        buffer.setData(original);
        QImageReader reader(&buffer, "jpeg");
        if (!reader.canRead() || !reader.size().isValid())
            return false;
    }

    QByteArray written;
    try {
        const auto* bytes = reinterpret_cast<const Exiv2::byte*>(original.constData());
        if (Exiv2::ImageFactory::getType(bytes, long(original.size())) != Exiv2::ImageType::jpeg)
            return false;
        auto image = Exiv2::ImageFactory::open(bytes, long(original.size()));
        if (image.get() == nullptr)
            return false;
        image->readMetadata();
        Exiv2::ExifData& exif = image->exifData();

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

        image->writeMetadata();
        Exiv2::BasicIo& io = image->io();
        if (io.open() != 0)
            return false;
        const long size = long(io.size());
        written.resize(size);
        io.seek(0, Exiv2::BasicIo::beg);
        const long got = io.read(reinterpret_cast<Exiv2::byte*>(written.data()), size);
        io.close();
        if (got != size)
            return false;
    } catch (const std::exception&) {
        return false;
    }
    if (!fe::img::IsWholeJpeg(written))
        return false;
    return fe::SaveBytesAtomically(fileName, written);
}
